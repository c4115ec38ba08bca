// Range: addresses, navigation, values, selection, clipboard and merges.
#include "host/Range.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <utility>

#include "host/Application.h"
#include "host/HostAddress.h"
#include "host/HostCells.h"
#include "host/HostError.h"
#include "host/Workbook.h"
#include "host/Worksheet.h"

namespace host {

namespace detail {

void CheckArea(const Range& range, const char* operation) {
  // Far above any table the procedures write, far below what would exhaust memory.
  constexpr int64_t kMaxArea = 16'000'000;
  int64_t area = static_cast<int64_t>(range.LastRow() - range.Row() + 1) *
                 (range.LastColumn() - range.Column() + 1);
  if (area > kMaxArea) {
    throw HostError(operation, "", "the range " + range.Address() + " is too large");
  }
}

void MergeNewCells(std::vector<Cell>& cells, std::vector<Cell>& added) {
  if (cells.empty() || cells.back().column < added.front().column) {
    cells.insert(cells.end(), std::make_move_iterator(added.begin()),
                 std::make_move_iterator(added.end()));
    return;
  }
  std::vector<Cell> merged;
  merged.reserve(cells.size() + added.size());
  std::merge(std::make_move_iterator(cells.begin()), std::make_move_iterator(cells.end()),
             std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()),
             std::back_inserter(merged),
             [](const Cell& a, const Cell& b) { return a.column < b.column; });
  cells = std::move(merged);
}

}  // namespace detail

namespace {

bool InsideSheet(int row, int column) {
  return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns;
}

bool Intersects(const Range& a, const Range& b) {
  return a.Row() <= b.LastRow() && b.Row() <= a.LastRow() && a.Column() <= b.LastColumn() &&
         b.Column() <= a.LastColumn();
}

bool Contains(const Range& outer, int row, int column) {
  return row >= outer.Row() && row <= outer.LastRow() && column >= outer.Column() &&
         column <= outer.LastColumn();
}

bool HasValue(const CellStore& store, int row, int column) {
  const Cell* cell = store.Find(row, column);
  return cell && !IsEmpty(cell->value);
}

void EraseFormulas(CellStore& store, const Range& range) {
  auto& formulas = store.Formulas();
  if (formulas.empty()) return;
  auto it = formulas.lower_bound({range.Row(), 0});
  while (it != formulas.end() && it->first.first <= range.LastRow()) {
    int column = it->first.second;
    if (column >= range.Column() && column <= range.LastColumn()) {
      it = formulas.erase(it);
    } else {
      ++it;
    }
  }
}

void RequireActive(const Worksheet& sheet, const char* operation) {
  Workbook& book = sheet.Parent();
  if (&book.ActiveSheet() != &sheet) {
    throw HostError(operation, book.Path(),
                    "sheet \"" + sheet.Name() + "\" is not the active sheet");
  }
}

}  // namespace

Range::Range(Worksheet* sheet, int row, int column, int lastRow, int lastColumn)
    : sheet_(sheet),
      row_(std::min(row, lastRow)),
      column_(std::min(column, lastColumn)),
      lastRow_(std::max(row, lastRow)),
      lastColumn_(std::max(column, lastColumn)) {
  if (!InsideSheet(row_, column_) || !InsideSheet(lastRow_, lastColumn_)) {
    throw HostError("Range", "",
                    "row " + std::to_string(row < 1 || row > kMaxRows ? row : lastRow) +
                        ", column " +
                        std::to_string(column < 1 || column > kMaxColumns ? column : lastColumn) +
                        " is outside the sheet");
  }
}

std::string Range::Address() const {
  std::string first = ColumnLetters(column_) + std::to_string(row_);
  if (IsSingleCell()) return first;
  return first + ":" + ColumnLetters(lastColumn_) + std::to_string(lastRow_);
}

Range Range::Offset(int rows, int columns) const {
  int64_t top = static_cast<int64_t>(row_) + rows, left = static_cast<int64_t>(column_) + columns;
  int64_t bottom = static_cast<int64_t>(lastRow_) + rows;
  int64_t right = static_cast<int64_t>(lastColumn_) + columns;
  if (top < 1 || left < 1 || bottom > kMaxRows || right > kMaxColumns) {
    throw HostError("Offset", "",
                    Address() + " moved by (" + std::to_string(rows) + ", " +
                        std::to_string(columns) + ") leaves the sheet");
  }
  return Range(sheet_, static_cast<int>(top), static_cast<int>(left), static_cast<int>(bottom),
               static_cast<int>(right));
}

Range Range::End(Direction direction) const {
  int dr = 0, dc = 0;
  switch (direction) {
    case Direction::Down:
      dr = 1;
      break;
    case Direction::Up:
      dr = -1;
      break;
    case Direction::Right:
      dc = 1;
      break;
    case Direction::Left:
      dc = -1;
      break;
  }
  const CellStore& store = sheet_->Store();
  int row = row_, column = column_;
  // Only a run of filled cells is followed; a gap ends it, and so does the edge.
  if (HasValue(store, row, column)) {
    while (InsideSheet(row + dr, column + dc) && HasValue(store, row + dr, column + dc)) {
      row += dr;
      column += dc;
    }
  }
  return Range(sheet_, row, column, row, column);
}

CellValue Range::Value() const {
  const Cell* cell = sheet_->Store().Find(row_, column_);
  return cell ? cell->value : CellValue{};
}

std::string Range::Text() const { return ValueText(Value()); }

void Range::SetValue(std::string_view text) { SetValue(CellValue(std::string(text))); }

void Range::SetValue(const CellValue& given) {
  CellValue value = given;
  bool quoted = false;
  if (auto* text = std::get_if<std::string>(&value)) {
    if (!text->empty() && text->front() == '\'') {
      text->erase(0, 1);
      quoted = true;
    } else if (text->empty()) {
      value = std::monostate{};  // putting "" empties the cell
    }
  }
  CellStore& store = sheet_->Store();
  if (IsSingleCell() && !IsEmpty(value)) {
    // The common put, one cell at a time: one look-up, and a new format only
    // when the quote prefix really changes.
    if (!store.Formulas().empty()) EraseFormulas(store, *this);
    Cell& cell = store.Get(row_, column_);
    cell.value = std::move(value);
    cell.sharedString = -1;
    StyleTable& styles = sheet_->Parent().Styles();
    if (static_cast<size_t>(cell.style) >= styles.xfs.size() ||
        styles.xfs[cell.style].quotePrefix != quoted) {
      int64_t key = detail::ChangeKey(detail::Change::kQuotePrefix, quoted ? 1 : 0);
      cell.style = styles.DerivedXf(cell.style, key, [&](Xf& xf) { xf.quotePrefix = quoted; });
    }
    sheet_->MarkModified();
    return;
  }
  if (detail::IsWholeSheet(*this)) {
    if (!IsEmpty(value)) throw HostError("Value", "", "cannot fill every cell of the sheet");
    ClearContents();
    return;
  }
  detail::CheckArea(*this, "Value");
  EraseFormulas(store, *this);
  for (int row = row_; row <= lastRow_; ++row) {
    for (int column = column_; column <= lastColumn_; ++column) {
      if (IsEmpty(value)) {
        if (Cell* cell = store.Find(row, column)) {
          cell->value = std::monostate{};
          cell->sharedString = -1;
        }
        continue;
      }
      Cell& cell = store.Get(row, column);
      cell.value = value;
      cell.sharedString = -1;
    }
  }
  sheet_->MarkModified();
  if (IsEmpty(value)) return;
  // The quote prefix is a format: set by an apostrophe, cleared by any other put.
  StyleTable& styles = sheet_->Parent().Styles();
  int64_t key = detail::ChangeKey(detail::Change::kQuotePrefix, quoted ? 1 : 0);
  detail::Restyle(*this, "Value", [&](int, int, int oldXf) {
    return styles.DerivedXf(oldXf, key, [&](Xf& xf) { xf.quotePrefix = quoted; });
  });
}

void Range::Select() const {
  RequireActive(*sheet_, "Select");
  sheet_->SetSelection(*this, row_, column_);
}

void Range::Activate() const {
  RequireActive(*sheet_, "Activate");
  Range selection = sheet_->Selection();
  // Like the spreadsheet: inside the selection only the active cell moves.
  if (Contains(selection, row_, column_) && Contains(selection, lastRow_, lastColumn_)) {
    sheet_->SetSelection(selection, row_, column_);
  } else {
    sheet_->SetSelection(*this, row_, column_);
  }
}

void Range::Copy() const {
  if (detail::IsWholeSheet(*this)) {
    throw HostError("Copy", "", "cannot copy every cell of the sheet");
  }
  detail::CheckArea(*this, "Copy");
  const CellStore& store = sheet_->Store();
  ClipboardContent content;
  content.rows = lastRow_ - row_ + 1;
  content.columns = lastColumn_ - column_ + 1;
  content.sourceBook = &sheet_->Parent();
  const size_t count = static_cast<size_t>(content.rows) * static_cast<size_t>(content.columns);
  content.values.reserve(count);
  content.styles.reserve(count);
  for (int row = row_; row <= lastRow_; ++row) {
    int defaultStyle = store.DefaultStyle(row);
    for (int column = column_; column <= lastColumn_; ++column) {
      const Cell* cell = store.Find(row, column);
      content.values.push_back(cell ? cell->value : CellValue{});
      content.styles.push_back(cell ? static_cast<int>(cell->style) : defaultStyle);
    }
  }
  sheet_->Parent().Parent().SetClipboard(std::move(content));
}

namespace detail {

// Writes the clipboard with (row, column) as its top-left cell. Formats come
// along only within one workbook: style indexes mean nothing in another.
Range PasteAt(Worksheet& sheet, int row, int column, bool withFormats, const char* operation) {
  const auto& clipboard = sheet.Parent().Parent().Clipboard();
  if (!clipboard || clipboard->rows == 0) {
    throw HostError(operation, "", "nothing has been copied");
  }
  const ClipboardContent& content = *clipboard;
  if (row + content.rows - 1 > kMaxRows || column + content.columns - 1 > kMaxColumns) {
    throw HostError(operation, "", "the copied cells do not fit on the sheet there");
  }
  Range target(&sheet, row, column, row + content.rows - 1, column + content.columns - 1);
  const bool formats = withFormats && content.sourceBook == &sheet.Parent();
  CellStore& store = sheet.Store();
  EraseFormulas(store, target);
  size_t k = 0;
  for (int r = 0; r < content.rows; ++r) {
    const int defaultStyle = store.DefaultStyle(row + r);
    for (int c = 0; c < content.columns; ++c, ++k) {
      const CellValue& value = content.values[k];
      Cell* cell = store.Find(row + r, column + c);
      const bool needCell =
          !IsEmpty(value) || (formats && content.styles[k] != (cell ? cell->style : defaultStyle));
      if (!cell && !needCell) continue;
      if (!cell) cell = &store.Get(row + r, column + c);
      cell->value = value;
      cell->sharedString = -1;
      if (formats) cell->style = content.styles[k];
    }
  }
  sheet.MarkModified();
  sheet.SetSelection(target, row, column);
  return target;
}

}  // namespace detail

void Range::PasteSpecial(PasteKind paste) const {
  detail::PasteAt(*sheet_, row_, column_, paste == PasteKind::All, "PasteSpecial");
}

void Range::ClearContents() const {
  CellStore& store = sheet_->Store();
  detail::ForEachStoredCell(*this, [](int, Cell& cell) {
    cell.value = std::monostate{};
    cell.sharedString = -1;
  });
  EraseFormulas(store, *this);
  sheet_->MarkModified();
}

void Range::SetMergeCells(bool merge) const {
  auto& merges = sheet_->Merges();
  std::erase_if(merges, [&](const Range& m) { return Intersects(m, *this); });
  if (merge && !IsSingleCell()) merges.push_back(*this);
  sheet_->MarkModified();
}

}  // namespace host
