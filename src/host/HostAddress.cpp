#include "host/HostAddress.h"

#include <string>
#include <utility>

#include "host/CellStore.h"
#include "host/HostError.h"

namespace host {

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

std::pair<int, int> ParseCellAddress(std::string_view address) {
  auto bad = [&]() {
    return HostError("Range", "", "\"" + std::string(address) + "\" is not a cell address");
  };
  size_t i = 0;
  if (i < address.size() && address[i] == '$') ++i;
  long column = 0;
  size_t letters = 0;
  for (; i < address.size(); ++i, ++letters) {
    char ch = address[i];
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    if (ch < 'A' || ch > 'Z') break;
    column = column * 26 + (ch - 'A' + 1);
    if (column > kMaxColumns) throw bad();
  }
  if (letters == 0) throw bad();
  if (i < address.size() && address[i] == '$') ++i;
  long row = 0;
  size_t digits = 0;
  for (; i < address.size(); ++i, ++digits) {
    char ch = address[i];
    if (ch < '0' || ch > '9') throw bad();
    row = row * 10 + (ch - '0');
    if (row > kMaxRows) throw bad();
  }
  if (digits == 0 || row < 1) throw bad();
  return {static_cast<int>(row), static_cast<int>(column)};
}

}  // namespace host
