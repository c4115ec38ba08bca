#pragma once
// Serializes a sheet from the model: cells from the store, merges from the
// model, every other element as read, all in the order the schema requires.
#include <functional>
#include <string>
#include <string_view>
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
  // For a sheet whose pictures the model holds: its drawing's relationship
  // id, empty when it has none.
  std::string drawingRelId;
};

// Receives the XML in pieces of about 64 KB; a piece is valid only during the call.
using XmlSink = std::function<void(std::string_view)>;

// `extra` may be null or unparsed for a sheet that is new to the package.
// Streams the XML to `sink`, so a large sheet is never held as one text.
void WriteSheetXml(Worksheet& sheet, const XlsxSheetExtra* extra, const SheetWriteOptions& options,
                   const XmlSink& sink);
// The whole XML as one text.
std::string WriteSheetXml(Worksheet& sheet, const XlsxSheetExtra* extra,
                          const SheetWriteOptions& options);

}  // namespace host::xlsx
