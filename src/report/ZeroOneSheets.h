#pragma once
// The 0/1 sheets (one ".zoo" sheet per marker).
#include "host/Host.h"
#include "report/Progress.h"
#include "report/SheetAccess.h"
#include "store/GenotypeStore.h"

namespace report {

// Clears `sheet` and writes the title of `titled` (the character sheet),
// marker m's name, and the heads and names of its two matrices.
void LayOutZeroOneSheet(host::Worksheet& sheet, const store::GenotypeStore& s, int m,
                        host::Worksheet& titled);
// Opens, lays out, writes and finishes the 0/1 sheet of every marker.
void WriteZeroOneSheets(const store::GenotypeStore& s, OutputSheets& outputs,
                        host::Worksheet& titled, Progress& progress);

}  // namespace report
