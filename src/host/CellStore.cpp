#include "host/CellStore.h"

#include <algorithm>
#include <cstdlib>

namespace host {

namespace {

bool ColumnLess(const Cell& cell, int column) { return cell.column < column; }

// The style a row gives its cells when the row element says
// customFormat="1" s="N"; new cells in such a row start with it.
int RowDefaultStyle(const Row& row) {
  if (row.attributes.empty()) return 0;
  if (row.attributes.find("customFormat=\"1\"") == std::string::npos &&
      row.attributes.find("customFormat=\"true\"") == std::string::npos) {
    return 0;
  }
  size_t at = 0;
  while ((at = row.attributes.find("s=\"", at)) != std::string::npos) {
    // Only the attribute named exactly s, not e.g. "ts=".
    if (at == 0 || row.attributes[at - 1] == ' ') {
      const int style = std::atoi(row.attributes.c_str() + at + 3);
      return style >= 0 && style < kMaxCellFormats ? style : 0;
    }
    at += 3;
  }
  return 0;
}

}  // namespace

CellStore::RowIt CellStore::LookUp(int row, RowIt& hint) const {
  auto& rows = const_cast<std::map<int32_t, Row>&>(rows_);
  if (cache_.valid) {
    const RowIt at = cache_.at;
    if (at->first == row) return at;
    const RowIt next = std::next(at);
    if (at->first < row && (next == rows.end() || next->first >= row)) {
      hint = next;
      return next != rows.end() && next->first == row ? next : rows.end();
    }
  }
  hint = rows.lower_bound(row);
  return hint != rows.end() && hint->first == row ? hint : rows.end();
}

const Row* CellStore::CachedRow(int row) const {
  RowIt hint;
  const RowIt it = LookUp(row, hint);
  if (it == rows_.end()) return nullptr;
  cache_.at = it;
  cache_.valid = true;
  return &it->second;
}

Row& CellStore::CachedRowFor(int row) {
  RowIt hint;
  RowIt it = LookUp(row, hint);
  if (it == rows_.end()) it = rows_.emplace_hint(hint, row, Row{});
  cache_.at = it;
  cache_.valid = true;
  return it->second;
}

const Cell* CellStore::Find(int row, int column) const {
  const Row* found = CachedRow(row);
  if (!found) return nullptr;
  const auto& cells = found->cells;
  if (cells.empty()) return nullptr;
  // Reads often walk a row left to right from its end; check the last cell first.
  if (cells.back().column == column) return &cells.back();
  auto it = std::lower_bound(cells.begin(), cells.end(), column, ColumnLess);
  if (it == cells.end() || it->column != column) return nullptr;
  return &*it;
}

Cell* CellStore::Find(int row, int column) {
  return const_cast<Cell*>(static_cast<const CellStore*>(this)->Find(row, column));
}

Cell& CellStore::Get(int row, int column) {
  Row& r = CachedRowFor(row);
  auto& cells = r.cells;
  // Writers fill rows left to right: appending is the common case, and in a
  // row made beforehand (a framed table) the cell after the last one is.
  size_t& at = cache_.cell;
  if (cells.empty() || cells.back().column < column) {
    Cell& cell = cells.emplace_back();
    cell.column = column;
    cell.style = RowDefaultStyle(r);
    at = cells.size() - 1;
    return cell;
  }
  if (at + 1 < cells.size() && cells[at + 1].column == column) return cells[++at];
  auto it = std::lower_bound(cells.begin(), cells.end(), column, ColumnLess);
  if (it == cells.end() || it->column != column) {
    Cell cell;
    cell.column = column;
    cell.style = RowDefaultStyle(r);
    it = cells.insert(it, std::move(cell));
  }
  at = static_cast<size_t>(it - cells.begin());
  return *it;
}

void CellStore::Compact() {
  cache_ = {};
  for (auto rowIt = rows_.begin(); rowIt != rows_.end();) {
    const int row = rowIt->first;
    auto& cells = rowIt->second.cells;
    std::erase_if(cells, [&](const Cell& cell) {
      return cell.style == 0 && IsEmpty(cell.value) && cell.sharedString < 0 &&
             !formulas_.contains({row, cell.column});
    });
    cells.shrink_to_fit();
    if (cells.empty() && rowIt->second.attributes.empty()) {
      rowIt = rows_.erase(rowIt);
    } else {
      ++rowIt;
    }
  }
}

int CellStore::DefaultStyle(int row) const {
  auto it = rows_.find(row);
  return it == rows_.end() ? 0 : RowDefaultStyle(it->second);
}

size_t CellStore::CellCount() const {
  size_t count = 0;
  for (const auto& [row, r] : rows_) count += r.cells.size();
  return count;
}

}  // namespace host
