#pragma once
// A1 addresses ("B4", "$C$4", "A1:C3"): the one reader of them, for the
// procedures' ranges and for the references inside a workbook's parts.
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace host {

struct CellAddress {
  int row = 0;
  int column = 0;
  bool operator==(const CellAddress&) const = default;
};

// A rectangle by its top-left and bottom-right cells.
struct RangeAddress {
  CellAddress first;
  CellAddress last;
  bool operator==(const RangeAddress&) const = default;
};

std::string ColumnLetters(int column);  // 1 -> "A", 28 -> "AB"

// Column letters (either case) and a row number, each optionally after a
// "$", naming a cell on the sheet (A1 to XFD1048576); nothing else is one.
std::optional<CellAddress> ReadCellAddress(std::string_view text);
// "A1:C3" with its corners in any order, or one cell that spans itself.
std::optional<RangeAddress> ReadRangeAddress(std::string_view text);

// The same, throwing HostError on an address that names no cell.
std::pair<int, int> ParseCellAddress(std::string_view address);  // (row, column)
RangeAddress ParseRangeAddress(std::string_view address);

}  // namespace host
