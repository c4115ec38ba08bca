#pragma once
// What the package backend keeps per sheet beyond the cells: where the sheet
// lives in the package and, once parsed, every element of the sheet part the
// model does not hold, verbatim, so a rewrite loses none of them.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/Worksheet.h"

namespace host::xlsx {

struct ParkedSheet;

class XlsxSheetExtra : public SheetExtra {
 public:
  // Position in the package as last read or written.
  std::string partName;  // "xl/worksheets/sheet1.xml"; empty for a sheet not yet saved
  std::string relId;
  int sheetId = 0;
  int position = -1;       // 0-based index in <sheets> of the package on disk
  bool worksheet = true;   // chart and dialog sheets are listed but never rewritten
  bool tabActive = false;  // the package's active tab; keeps its selection on save

  // Filled when the sheet is parsed.
  bool parsed = false;
  bool hadFormulas = false;  // the part had formulas: rewriting it makes the calc chain stale
  bool damaged = false;      // the part could not be read; never rewrite it from an empty store
  std::string rootName = "worksheet";
  std::vector<std::pair<std::string, std::string>> rootAttributes;  // name, raw value
  struct Element {
    std::string localName;
    std::string xml;
  };
  std::vector<Element> elements;  // top-level elements but dimension, sheetData, mergeCells
  ReadBudget::Held held;          // what reading the part holds of the workbook's budget

  // A finished sheet's cells, kept compressed (XlsxBackend::FinishSheet).
  std::shared_ptr<ParkedSheet> parked;
};

// The sheet's package data, or null for a sheet no package has held yet.
inline XlsxSheetExtra* ExtraOf(const Worksheet& sheet) {
  return dynamic_cast<XlsxSheetExtra*>(sheet.Extra());
}

}  // namespace host::xlsx
