#include "host/HostAddress.h"

#include <algorithm>
#include <string>
#include <utility>

#include "host/CellStore.h"
#include "host/HostError.h"

namespace host {

namespace {

HostError NotAnAddress(std::string_view address) {
  return HostError("Range", "", "\"" + std::string(address) + "\" is not a cell address");
}

// The value of `text` from `i` while `digitOf` turns its characters into
// digits of `base`, stopping at the first other character; 0 for no digits
// or a value past `max`. Moves `i` past the digits.
template <typename DigitOf>
long ReadNumber(std::string_view text, size_t& i, int base, long max, DigitOf&& digitOf) {
  long value = 0;
  const size_t start = i;
  for (; i < text.size() && digitOf(text[i]) >= 0; ++i) {
    value = value * base + digitOf(text[i]);
    if (value > max) return 0;
  }
  return i == start ? 0 : value;
}

int Letter(char c) {
  if (c >= 'a' && c <= 'z') return c - 'a' + 1;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 1;
  return -1;
}

int Digit(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

}  // namespace

std::string ColumnLetters(int column) {
  if (column < 1 || column > kMaxColumns) {
    throw HostError("Range", "", "column " + std::to_string(column) + " is outside the sheet");
  }
  std::string letters;
  while (column > 0) {
    int digit = (column - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + digit));
    column = (column - 1) / 26;
  }
  return letters;
}

std::optional<CellAddress> ReadCellAddress(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && text[i] == '$') ++i;
  const long column = ReadNumber(text, i, 26, kMaxColumns, Letter);
  if (i < text.size() && text[i] == '$') ++i;
  const long row = ReadNumber(text, i, 10, kMaxRows, Digit);
  if (column == 0 || row == 0 || i != text.size()) return std::nullopt;
  return CellAddress{static_cast<int>(row), static_cast<int>(column)};
}

std::optional<RangeAddress> ReadRangeAddress(std::string_view text) {
  const size_t colon = text.find(':');
  const std::optional<CellAddress> first = ReadCellAddress(text.substr(0, colon));
  if (!first) return std::nullopt;
  if (colon == std::string_view::npos) return RangeAddress{*first, *first};
  const std::optional<CellAddress> last = ReadCellAddress(text.substr(colon + 1));
  if (!last) return std::nullopt;
  return RangeAddress{{std::min(first->row, last->row), std::min(first->column, last->column)},
                      {std::max(first->row, last->row), std::max(first->column, last->column)}};
}

std::pair<int, int> ParseCellAddress(std::string_view address) {
  const std::optional<CellAddress> cell = ReadCellAddress(address);
  if (!cell) throw NotAnAddress(address);
  return {cell->row, cell->column};
}

RangeAddress ParseRangeAddress(std::string_view address) {
  const std::optional<RangeAddress> range = ReadRangeAddress(address);
  if (!range) throw NotAnAddress(address);
  return *range;
}

}  // namespace host
