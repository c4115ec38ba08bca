#pragma once
// Serializes a sheet from the model: cells from the store, merges from the
// model, every other element as read, all in the order the schema requires.
#include <string>
#include <vector>

#include "host/Worksheet.h"
#include "host/xlsx/SharedStrings.h"
#include "host/xlsx/SheetExtra.h"

namespace host::xlsx {

struct SheetWriteOptions {
  // Shared strings of the package: a cell still holding the text of its
  // shared-string index keeps the index; any other text is written inline.
  const SharedStringTable* sharedStrings = nullptr;
  // For a sheet that has no parsed part yet: whether its view is the selected tab.
  bool tabSelected = false;
};

// `extra` may be null or unparsed for a sheet that is new to the package.
std::string WriteSheetXml(Worksheet& sheet, const XlsxSheetExtra* extra,
                          const SheetWriteOptions& options);

}  // namespace host::xlsx
