#pragma once
// Streams a worksheet part into the model with expat: memory grows with the
// cells, not with the XML.
#include "host/ReadLimits.h"
#include "host/Worksheet.h"
#include "host/xlsx/SharedStrings.h"
#include "host/xlsx/SheetExtra.h"
#include "host/xlsx/StreamParser.h"

namespace host::xlsx {

// Parses the part into the sheet's store, merges and `extra`. Cells with bad or
// out-of-range references, duplicates and unknown types are skipped or
// repaired rather than trusted. Throws std::runtime_error on malformed XML and
// LimitError when the part passes a read limit or the workbook's `budget`.
void ReadSheet(const ChunkSource& source, const SharedStringTable& sharedStrings, Worksheet& sheet,
               XlsxSheetExtra& extra, ReadBudget& budget);

}  // namespace host::xlsx
