#pragma once
// A1 address helpers.
#include <string>
#include <string_view>
#include <utility>

namespace host {

std::string ColumnLetters(int column);  // 1 -> "A", 28 -> "AB"
// Parses "B4" into (row, column); throws HostError on a bad address.
std::pair<int, int> ParseCellAddress(std::string_view address);

}  // namespace host
