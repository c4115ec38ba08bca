#include "host/ReadLimits.h"

#include <algorithm>

#include "text/Utf8.h"

namespace host {

namespace {

std::string Count(std::size_t n) {
  std::string digits = std::to_string(n);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, ",");
  return digits;
}

}  // namespace

void ReadBudget::AddCells(std::size_t count) {
  cells_ += count;
  if (cells_ > kMaxCells)
    throw LimitError("the workbook holds more than " + Count(kMaxCells) +
                     " cells, the most this program reads");
}

void ReadBudget::AddText(std::size_t bytes) {
  text_ += bytes;
  if (text_ > kMaxTextBytes)
    throw LimitError("the workbook holds more than " + Count(kMaxTextBytes / kMebibyte) +
                     " MiB of text, the most this program reads");
}

void ReadBudget::AddSheetXml(std::size_t bytes) {
  sheetXml_ += bytes;
  if (sheetXml_ > kMaxSheetXmlBytes)
    throw LimitError("the workbook's sheets come to more than " +
                     Count(kMaxSheetXmlBytes / kMebibyte) +
                     " MiB of XML, the most this program reads");
}

void ReadBudget::Release(const Held& read) {
  cells_ -= std::min(cells_, read.cells);
  text_ -= std::min(text_, read.text);
}

void CheckCellText(const std::string& text) {
  // Characters, not bytes.
  if (text.size() > kMaxCellCharacters && utf8::Count(text) > kMaxCellCharacters)
    throw LimitError("a cell holds more than " + Count(kMaxCellCharacters) +
                     " characters, the spreadsheet's limit");
}

}  // namespace host
