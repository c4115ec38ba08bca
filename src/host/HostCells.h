#pragma once
// Helpers the range operations share: walking a range's cells and changing
// their formats. Internal to the model.
#include <algorithm>
#include <cstdint>
#include <vector>

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

// Merges cells made for a row's gaps (ascending, none at a stored column)
// into the row: one pass instead of an insertion per cell.
void MergeNewCells(std::vector<Cell>& cells, std::vector<Cell>& added);

// Restyle for one row: the stored cells are walked in step with the
// columns, and a gap gets a cell only when its format changes.
template <typename StyleFor>
void RestyleRow(CellStore& store, int row, int first, int last, StyleFor& styleFor,
                std::vector<Cell>& added) {
  auto& rows = store.Rows();
  auto found = rows.find(row);
  std::vector<Cell>* cells = found == rows.end() ? nullptr : &found->second.cells;
  const int gapXf = store.DefaultStyle(row);  // what a missing cell shows
  auto it = cells ? std::lower_bound(cells->begin(), cells->end(), first,
                                     [](const Cell& c, int column) { return c.column < column; })
                  : std::vector<Cell>::iterator{};
  added.clear();
  for (int column = first; column <= last; ++column) {
    if (cells && it != cells->end() && it->column == column) {
      it->style = static_cast<uint16_t>(styleFor(row, column, static_cast<int>(it->style)));
      ++it;
      continue;
    }
    const int newXf = styleFor(row, column, gapXf);
    if (newXf == gapXf) continue;  // stores stay sparse
    Cell& cell = added.emplace_back();
    cell.column = static_cast<int16_t>(column);
    cell.style = static_cast<uint16_t>(newXf);
  }
  if (!added.empty()) MergeNewCells(cells ? *cells : rows[row].cells, added);
}

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
    std::vector<Cell> added;
    for (int row = range.Row(); row <= range.LastRow(); ++row)
      RestyleRow(store, row, range.Column(), range.LastColumn(), styleFor, added);
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
