#pragma once
// One worksheet: its name, cells (loaded from the file on first use), merged
// areas, active cell and selection, column widths, row heights and frozen panes.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/CellStore.h"
#include "host/Range.h"

namespace host {

class Workbook;

// A PNG picture on a sheet: its top left at the top left of a cell, shown at
// its own size in pixels (a pixel is 9525 EMU, as the spreadsheet counts).
struct SheetImage {
  std::string png;  // the file's bytes
  int row = 1, column = 1;
  int widthPixels = 0, heightPixels = 0;
  std::string description;  // the picture's alternative text
};

// What a file backend keeps per sheet (original part, elements it does not
// model). Owned by the sheet, opaque to the model.
class SheetExtra {
 public:
  virtual ~SheetExtra() = default;
};

class Worksheet {
 public:
  Worksheet(Workbook* book, std::string name);
  Workbook& Parent() const { return *book_; }

  const std::string& Name() const { return name_; }
  // Renames the sheet; throws HostError for an illegal or duplicate name.
  void SetName(const std::string& name);
  void Activate();  // makes it the workbook's active sheet
  // Moves the sheet before another sheet of the same workbook.
  void Move(Worksheet& before);

  Range GetRange(std::string_view address);  // "B4" or "B4:E9"
  Range GetRange(const Range& first, const Range& last);
  Range Cell(int row, int column);
  Range Cells();  // every cell of the sheet
  // Pastes the host clipboard at this sheet's selection (values and formats).
  void Paste();

  Range ActiveCell();
  Range Selection();
  void SetSelection(const Range& selection, int activeRow, int activeColumn);

  // Cells, loaded from the file on first use.
  CellStore& Store();
  const CellStore& Store() const;
  // The merged areas of the sheet.
  std::vector<Range>& Merges();

  // Column widths in characters of the default font's digit, as the file
  // stores them. Once set or cleared, the model holds the sheet's columns and
  // a save replaces the column list the file had.
  void SetColumnWidth(int column, double width);
  void ClearColumnWidths();
  const std::map<int, double>& ColumnWidths() const { return columnWidths_; }
  bool ColumnWidthsSet() const { return columnWidthsSet_; }
  // Row height in points; a set height is custom, so the row keeps it.
  void SetRowHeight(int row, double points);
  std::optional<double> RowHeight(int row) const;
  // Freezes the rows above `row` and the columns left of `column` (the
  // top-left cell of the scrolling pane). Once set, a save replaces the
  // file's panes; (1, 1) freezes nothing.
  void FreezePanes(int row, int column);
  std::optional<std::pair<int, int>> FrozenAt() const { return frozenAt_; }
  // Pictures placed by the program. Once set (to none as well) the model
  // holds the sheet's drawing: each save replaces the drawing the sheet had
  // in the file (the pictures of an earlier run) and removes what only it
  // used. Throws HostError for a picture off the sheet or of no size.
  void SetImages(std::vector<SheetImage> images);
  const std::vector<SheetImage>& Images() const { return images_; }
  bool ImagesSet() const { return imagesSet_; }

  // Any change since open: the backend re-serializes modified sheets and
  // copies the others byte for byte.
  bool Modified() const { return modified_; }
  void MarkModified() { modified_ = true; }
  bool Loaded() const { return loaded_; }
  bool Hidden() const { return hidden_; }
  void SetHidden(bool hidden) { hidden_ = hidden; }

  SheetExtra* Extra() const { return extra_.get(); }
  void SetExtra(std::unique_ptr<SheetExtra> extra) { extra_ = std::move(extra); }
  // For backends: mark the sheet as loaded without calling the loader.
  void SetLoaded() { loaded_ = true; }
  // For backends that took the cells over: the next use loads them again.
  void Unload() {
    store_ = CellStore{};
    merges_.clear();
    loaded_ = false;
  }
  // Says that nothing will change the sheet again (its cells may then be kept
  // compactly until used); reading or changing it later still works.
  void Finish();

 private:
  void EnsureLoaded() const;
  Workbook* book_;
  std::string name_;
  mutable CellStore store_;
  std::vector<Range> merges_;
  std::map<int, double> columnWidths_;
  bool columnWidthsSet_ = false;
  std::optional<std::pair<int, int>> frozenAt_;
  std::vector<SheetImage> images_;
  bool imagesSet_ = false;
  mutable bool loaded_ = false;
  bool modified_ = false;
  bool hidden_ = false;
  int activeRow_ = 1, activeColumn_ = 1;
  int selRow_ = 1, selColumn_ = 1, selLastRow_ = 1, selLastColumn_ = 1;
  std::unique_ptr<SheetExtra> extra_;
};

}  // namespace host
