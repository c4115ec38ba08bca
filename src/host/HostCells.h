#pragma once
// Helpers the range operations share: walking a range's cells and changing
// their formats. Internal to the model.
#include <algorithm>
#include <cstdint>

#include "host/CellStore.h"
#include "host/Range.h"
#include "host/Workbook.h"
#include "host/Worksheet.h"

namespace host::detail {

// A range over the whole sheet acts on the cells the sheet has, never on all
// 17 billion positions.
inline bool IsWholeSheet(const Range& range) {
  return range.Row() == 1 && range.Column() == 1 && range.LastRow() == kMaxRows &&
         range.LastColumn() == kMaxColumns;
}

// Calls fn(row, cell) for every stored cell inside the range.
template <typename Fn>
void ForEachStoredCell(const Range& range, Fn&& fn) {
  auto& rows = range.Sheet().Store().Rows();
  for (auto it = rows.lower_bound(range.Row()); it != rows.end() && it->first <= range.LastRow();
       ++it) {
    auto& cells = it->second.cells;
    auto cell = std::lower_bound(cells.begin(), cells.end(), range.Column(),
                                 [](const Cell& c, int column) { return c.column < column; });
    for (; cell != cells.end() && cell->column <= range.LastColumn(); ++cell) fn(it->first, *cell);
  }
}

// Throws when an operation that touches every position would be absurdly large.
void CheckArea(const Range& range, const char* operation);

// Gives every cell of the range the xf that `styleFor(row, column, oldXf)`
// returns, creating a cell only where the format really changes. For a whole
// sheet only stored cells are visited. Marks the sheet modified.
template <typename StyleFor>
void Restyle(const Range& range, const char* operation, StyleFor&& styleFor) {
  Worksheet& sheet = range.Sheet();
  CellStore& store = sheet.Store();
  if (IsWholeSheet(range)) {
    ForEachStoredCell(range, [&](int row, Cell& cell) {
      cell.style = styleFor(row, static_cast<int>(cell.column), static_cast<int>(cell.style));
    });
  } else {
    CheckArea(range, operation);
    for (int row = range.Row(); row <= range.LastRow(); ++row) {
      for (int column = range.Column(); column <= range.LastColumn(); ++column) {
        Cell* cell = store.Find(row, column);
        // A missing cell shows its row's default format.
        int oldXf = cell ? static_cast<int>(cell->style) : store.DefaultStyle(row);
        int newXf = styleFor(row, column, oldXf);
        if (newXf == oldXf) continue;  // stores stay sparse
        (cell ? *cell : store.Get(row, column)).style = newXf;
      }
    }
  }
  sheet.MarkModified();
}

// Pastes the application's clipboard with (row, column) as its top-left cell
// and selects the pasted cells. Returns them.
Range PasteAt(Worksheet& sheet, int row, int column, bool withFormats, const char* operation);

// Keys for StyleTable::DerivedXf: the kind of change in the high bits, its
// argument in the low 32.
enum class Change : int64_t {
  kFillColor = 1,
  kFillPattern,
  kBorder,
  kHorizontal,
  kVertical,
  kWrap,
  kRotation,
  kIndent,
  kShrink,
  kReadingOrder,
  kNumFmt,
  kQuotePrefix
};
inline int64_t ChangeKey(Change kind, int64_t argument) {
  return (static_cast<int64_t>(kind) << 40) | (argument & 0xFFFFFFFFFFLL);
}

}  // namespace host::detail
