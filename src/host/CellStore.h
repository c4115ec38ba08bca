#pragma once
// The cells of one sheet: sparse rows of cells sorted by column. Memory stays
// proportional to the cells the sheet has (about 60 bytes a cell).
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/CellValue.h"
#include "host/ReadLimits.h"

namespace host {

// Packed to 48 bytes: a run with every option holds about six million cells.
struct Cell {
  int16_t column = 0;         // 1..16384
  uint16_t style = 0;         // index into StyleTable::xfs, which stays below kMaxCellFormats
  int32_t sharedString = -1;  // shared-string index while the value is the one read from the file
  CellValue value;
};
static_assert(sizeof(Cell) <= 48);

struct Row {
  std::vector<Cell> cells;  // ascending column, no duplicates
  std::string
      attributes;  // other attributes of the row element (ht, customHeight, s ...), verbatim
};

class CellStore {
 public:
  const Cell* Find(int row, int column) const;
  Cell* Find(int row, int column);
  // Creates an empty cell (style 0, or the row's default style) if missing.
  Cell& Get(int row, int column);
  // Makes room for a row's cells in one allocation: writers that know a row's
  // length (the 0/1 matrices) keep memory to what the cells need.
  void ReserveRow(int row, size_t cells) { rows_[row].cells.reserve(cells); }
  // Removes cells that are empty and unformatted (style 0) so stores stay small.
  void Compact();
  // The style a new cell of `row` starts with: the row's default format
  // (customFormat="1" s="N") or 0.
  int DefaultStyle(int row) const;

  // The caller may add or remove rows through this.
  std::map<int32_t, Row>& Rows() {
    cache_ = {};
    return rows_;
  }
  const std::map<int32_t, Row>& Rows() const { return rows_; }
  size_t CellCount() const;

  // Formulas by (row, column): the formula element verbatim (<f ...>...</f>);
  // the cell's value is its cached result.
  std::map<std::pair<int32_t, int32_t>, std::string>& Formulas() { return formulas_; }
  const std::map<std::pair<int32_t, int32_t>, std::string>& Formulas() const { return formulas_; }

 private:
  // The row used last: writers and the format procedures walk a row's cells
  // one by one, and a map lookup per cell was most of their time. Writers that
  // fill a table column by column step to the next row: that is its neighbour
  // in the map. A copy or a move of the store never carries it along.
  using RowIt = std::map<int32_t, Row>::iterator;
  struct RowCache {
    RowIt at;
    bool valid = false;
    size_t cell = 0;  // where Get found or made its last cell (checked before use)
    RowCache() = default;
    RowCache(const RowCache&) {}
    RowCache(RowCache&& other) noexcept { other.valid = false; }
    RowCache& operator=(const RowCache&) {
      valid = false;
      return *this;
    }
    RowCache& operator=(RowCache&& other) noexcept {
      valid = other.valid = false;
      return *this;
    }
  };
  // The row's entry, or end() when there is none; `hint` is where it would go.
  RowIt LookUp(int row, RowIt& hint) const;
  const Row* CachedRow(int row) const;
  Row& CachedRowFor(int row);

  std::map<int32_t, Row> rows_;
  std::map<std::pair<int32_t, int32_t>, std::string> formulas_;
  mutable RowCache cache_;
};

}  // namespace host
