#pragma once
// The identification sheet (.ukai): per variety f0 and P1.
#include "host/Host.h"
#include "store/GenotypeStore.h"

namespace report {

// Clears `sheet` and writes the source's title, the variety names copied from
// the source (whose corner must carry its mark: MarkEmptyCorner), the heads,
// the number format and the formulas below the table of `varietyCount` rows.
void LayOutIdentificationSheet(host::Worksheet& source, host::Worksheet& sheet, int varietyCount);
// Writes f0 and P1 of every variety; both stay empty where they are undefined.
void WriteIdentification(host::Worksheet& sheet, const store::GenotypeStore& s);

}  // namespace report
