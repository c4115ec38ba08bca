// Column widths, row heights, frozen panes and pictures of a sheet: how it is
// laid out on screen, apart from its cells.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/HostError.h"
#include "host/Range.h"
#include "host/Workbook.h"
#include "host/Worksheet.h"

namespace host {
namespace {

// The file format's limits: 255 characters a column, 409 points a row.
constexpr double kMaxColumnWidth = 255;
constexpr double kMaxRowHeight = 409;

void CheckSize(const Worksheet& sheet, const char* operation, double value, double max) {
  if (!std::isfinite(value) || value < 0 || value > max) {
    throw HostError(operation, sheet.Parent().Path(),
                    "size " + std::to_string(value) + " is outside 0 to " +
                        std::to_string(static_cast<int>(max)));
  }
}

void CheckIndex(const Worksheet& sheet, const char* operation, int index, int max) {
  if (index < 1 || index > max) {
    throw HostError(operation, sheet.Parent().Path(),
                    "position " + std::to_string(index) + " is off the sheet");
  }
}

// Removes one name="value" attribute from the row's verbatim attribute text.
void DropAttribute(std::string& attributes, std::string_view name) {
  size_t at = 0;
  while ((at = attributes.find(name, at)) != std::string::npos) {
    const bool starts = at == 0 || attributes[at - 1] == ' ';
    const size_t eq = at + name.size();
    if (!starts || attributes.compare(eq, 2, "=\"") != 0) {
      at = eq;
      continue;
    }
    size_t end = attributes.find('"', eq + 2);
    end = end == std::string::npos ? attributes.size() : end + 1;
    while (end < attributes.size() && attributes[end] == ' ') ++end;
    attributes.erase(at, end - at);
  }
  while (!attributes.empty() && attributes.back() == ' ') attributes.pop_back();
}

}  // namespace

void Worksheet::SetColumnWidth(int column, double width) {
  CheckIndex(*this, "ColumnWidth", column, kMaxColumns);
  CheckSize(*this, "ColumnWidth", width, kMaxColumnWidth);
  columnWidths_[column] = width;
  columnWidthsSet_ = true;
  MarkModified();
}

void Worksheet::ClearColumnWidths() {
  columnWidths_.clear();
  columnWidthsSet_ = true;
  MarkModified();
}

void Worksheet::SetRowHeight(int row, double points) {
  CheckIndex(*this, "RowHeight", row, kMaxRows);
  CheckSize(*this, "RowHeight", points, kMaxRowHeight);
  // The height lives in the row's own attributes, so a height read from the
  // file is replaced, never doubled.
  std::string& attributes = Store().Rows()[row].attributes;
  DropAttribute(attributes, "ht");
  DropAttribute(attributes, "customHeight");
  char text[48];
  std::snprintf(text, sizeof text, "ht=\"%.6g\" customHeight=\"1\"", points);
  if (!attributes.empty()) attributes += ' ';
  attributes += text;
  MarkModified();
}

std::optional<double> Worksheet::RowHeight(int row) const {
  const auto& rows = Store().Rows();
  auto it = rows.find(row);
  if (it == rows.end()) return std::nullopt;
  const std::string& attributes = it->second.attributes;
  for (size_t at = attributes.find("ht=\""); at != std::string::npos;
       at = attributes.find("ht=\"", at + 1)) {
    if (at == 0 || attributes[at - 1] == ' ')
      return std::strtod(attributes.c_str() + at + 4, nullptr);
  }
  return std::nullopt;
}

void Worksheet::FreezePanes(int row, int column) {
  CheckIndex(*this, "FreezePanes", row, kMaxRows);
  CheckIndex(*this, "FreezePanes", column, kMaxColumns);
  frozenAt_ = std::make_pair(row, column);
  MarkModified();
}

void Worksheet::SetImages(std::vector<SheetImage> images) {
  // Pictures beyond this many pixels a side are no picture a sheet can show.
  constexpr double kMaxPixels = 100000;
  for (const SheetImage& image : images) {
    CheckIndex(*this, "SetImages", image.row, kMaxRows);
    CheckIndex(*this, "SetImages", image.column, kMaxColumns);
    CheckSize(*this, "SetImages", image.widthPixels, kMaxPixels);
    CheckSize(*this, "SetImages", image.heightPixels, kMaxPixels);
    if (image.widthPixels == 0 || image.heightPixels == 0 || image.png.empty())
      throw HostError("SetImages", Parent().Path(), "a picture has no size or no content");
  }
  images_ = std::move(images);
  imagesSet_ = true;
  MarkModified();
}

void Range::SetColumnWidth(double width) const {
  for (int c = column_; c <= lastColumn_; ++c) sheet_->SetColumnWidth(c, width);
}

void Range::SetRowHeight(double points) const {
  // Each row with a height is stored: a whole-column range would hold a million.
  constexpr int kMaxRowsAtOnce = 65536;
  if (lastRow_ - row_ >= kMaxRowsAtOnce) {
    throw HostError("RowHeight", sheet_->Parent().Path(),
                    "range " + Address() + " spans too many rows to size at once");
  }
  for (int r = row_; r <= lastRow_; ++r) sheet_->SetRowHeight(r, points);
}

}  // namespace host
