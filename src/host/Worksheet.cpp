#include "host/Worksheet.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

#include "host/Application.h"
#include "host/HostAddress.h"
#include "host/HostCells.h"
#include "host/HostError.h"
#include "host/Workbook.h"

namespace host {

Worksheet::Worksheet(Workbook* book, std::string name) : book_(book), name_(std::move(name)) {}

void Worksheet::SetName(const std::string& name) {
  if (name == name_) return;
  std::string problem = book_->NameProblem(name, this);
  if (!problem.empty()) {
    throw HostError("Name", book_->Path(), "sheet name \"" + name + "\": " + problem);
  }
  name_ = name;
  book_->MarkStructureChanged();
}

void Worksheet::Activate() {
  if (hidden_) {
    throw HostError("Activate", book_->Path(), "sheet \"" + name_ + "\" is hidden");
  }
  book_->SetActiveSheet(*this);
  book_->Parent().SetActiveWorkbook(book_);
}

void Worksheet::Move(Worksheet& before) {
  if (&before.Parent() != book_) {
    throw HostError("Move", book_->Path(),
                    "sheet \"" + before.Name() + "\" belongs to another workbook");
  }
  if (&before == this) return;
  book_->MoveSheet(*this, before);
}

Range Worksheet::GetRange(std::string_view address) {
  const RangeAddress range = ParseRangeAddress(address);
  return Range(this, range.first.row, range.first.column, range.last.row, range.last.column);
}

Range Worksheet::GetRange(const Range& first, const Range& last) {
  if (&first.Sheet() != this || &last.Sheet() != this) {
    throw HostError("Range", book_->Path(), "both corners must lie on sheet \"" + name_ + "\"");
  }
  return Range(this, std::min(first.Row(), last.Row()), std::min(first.Column(), last.Column()),
               std::max(first.LastRow(), last.LastRow()),
               std::max(first.LastColumn(), last.LastColumn()));
}

Range Worksheet::Cell(int row, int column) { return Range(this, row, column, row, column); }

Range Worksheet::Cells() { return Range(this, 1, 1, kMaxRows, kMaxColumns); }

void Worksheet::Paste() { detail::PasteAt(*this, selRow_, selColumn_, true, "Paste"); }

Range Worksheet::ActiveCell() {
  return Range(this, activeRow_, activeColumn_, activeRow_, activeColumn_);
}

Range Worksheet::Selection() {
  return Range(this, selRow_, selColumn_, selLastRow_, selLastColumn_);
}

void Worksheet::SetSelection(const Range& selection, int activeRow, int activeColumn) {
  selRow_ = selection.Row();
  selColumn_ = selection.Column();
  selLastRow_ = selection.LastRow();
  selLastColumn_ = selection.LastColumn();
  activeRow_ = activeRow;
  activeColumn_ = activeColumn;
}

CellStore& Worksheet::Store() {
  EnsureLoaded();
  return store_;
}

const CellStore& Worksheet::Store() const {
  EnsureLoaded();
  return store_;
}

std::vector<Range>& Worksheet::Merges() {
  EnsureLoaded();
  return merges_;
}

void Worksheet::Finish() {
  if (WorkbookBackend* backend = book_->Backend()) backend->FinishSheet(*this);
}

void Worksheet::EnsureLoaded() const {
  if (loaded_) return;
  // Marked first: the loader fills the store through Store().
  loaded_ = true;
  try {
    book_->LoadSheet(const_cast<Worksheet&>(*this));
  } catch (...) {
    loaded_ = false;
    store_ = CellStore{};  // no half-read sheet
    const_cast<Worksheet*>(this)->merges_.clear();
    throw;
  }
}

}  // namespace host
