#pragma once
// What the program reads from an opened workbook, done the way it does it, so
// a fuzz target reaches every reader behind the lazy sheet loading.
#include "host/Host.h"

namespace fuzz {

// Loads every sheet and reads each cell's value, text, fill and number format,
// and each source sheet as a run reads it (its type and genotypes). A sheet
// that cannot be loaded is a refusal (HostError); anything thrown after a
// sheet has loaded is a fault.
void ReadEverything(host::Workbook& book);

// Derives new formats from the ones the file brought (fill, borders,
// rotation, number format), as the layout procedures do on the user's cells.
void DeriveFormats(host::Workbook& book);

}  // namespace fuzz
