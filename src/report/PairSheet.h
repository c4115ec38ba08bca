#pragma once
// The combination sheet (.cmb): for every two varieties, the number of markers
// that tell them apart, coloured when few markers do. The matrix is laid out
// in bands of 250 column varieties (report/Bands.h).
#include "host/Host.h"
#include "report/Progress.h"
#include "store/GenotypeStore.h"

namespace report {

// Clears `sheet` and writes the source's title, the names of every band and
// the colour legend below the last band.
void LayOutPairSheet(host::Worksheet& source, host::Worksheet& sheet,
                     const store::GenotypeStore& s);
// Writes and colours the count of every pair; the diagonal is only filled.
void WritePairCounts(host::Worksheet& sheet, const store::GenotypeStore& s, Progress& progress);

}  // namespace report
