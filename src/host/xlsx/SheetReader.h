#pragma once
// Streams a worksheet part into the model with expat: memory grows with the
// cells, not with the XML.
#include <functional>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/xlsx/SheetExtra.h"

namespace host::xlsx {

// Supplies the part in chunks; returns 0 at the end, throws on read errors.
using ChunkSource = std::function<size_t(char* buffer, size_t size)>;

// Parses the part into the sheet's store, merges and `extra`. Cells with bad or
// out-of-range references, duplicates and unknown types are skipped or
// repaired rather than trusted. Throws std::runtime_error on malformed XML.
void ReadSheet(const ChunkSource& source, const std::vector<std::string>& sharedStrings,
               Worksheet& sheet, XlsxSheetExtra& extra);

// Reads a shared-string part (rich text flattened, phonetic runs dropped).
std::vector<std::string> ReadSharedStrings(const ChunkSource& source);

}  // namespace host::xlsx
