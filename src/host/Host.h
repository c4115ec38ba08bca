#pragma once
// The spreadsheet host: an in-process workbook engine with the object model the
// procedures use (application, workbooks, sheets, ranges, values, formats).
// Rows and columns count from 1. Every failing operation throws HostError.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/CellStore.h"
#include "host/CellValue.h"
#include "host/HostError.h"
#include "host/Styles.h"

namespace host {

class Application;
class Workbook;
class Worksheet;

// Host enumerations, with the values the procedures use.
enum XlDirection { xlDown = -4121, xlToRight = -4161, xlUp = -4162, xlToLeft = -4159 };
enum XlBordersIndex {
  xlDiagonalDown = 5,
  xlDiagonalUp = 6,
  xlEdgeLeft = 7,
  xlEdgeTop = 8,
  xlEdgeBottom = 9,
  xlEdgeRight = 10,
  xlInsideVertical = 11,
  xlInsideHorizontal = 12
};
enum XlConstants {
  xlContinuous = 1,
  xlNone = -4142,
  xlThin = 2,
  xlAutomatic = -4105,
  xlSolid = 1,
  xlCenter = -4108,
  xlContext = -5002,
  xlPasteValues = -4163,
  xlPasteAll = -4104
};

// A rectangle of cells on one sheet. A cheap value type.
class Range {
 public:
  Range(Worksheet* sheet, int row, int column, int lastRow, int lastColumn);

  Worksheet& Sheet() const { return *sheet_; }
  int Row() const { return row_; }
  int Column() const { return column_; }
  int LastRow() const { return lastRow_; }
  int LastColumn() const { return lastColumn_; }
  bool IsSingleCell() const { return row_ == lastRow_ && column_ == lastColumn_; }
  std::string Address() const;  // "B4" or "B4:E9"

  // Moves the whole rectangle; negative offsets allowed. Leaving the sheet throws.
  Range Offset(int rows, int columns) const;
  // From the top-left cell: the last non-empty cell of the run of non-empty
  // cells that starts there, stopping at the sheet's edge. When the start cell
  // or its neighbour in that direction is empty, the start cell itself.
  Range End(XlDirection direction) const;
  // The one cell of this range's top-left corner.
  Range TopLeft() const { return Range(sheet_, row_, column_, row_, column_); }

  // Value of the top-left cell; an empty cell reads as monostate.
  CellValue Value() const;
  // Value of the top-left cell as text (ValueText).
  std::string Text() const;
  // Puts the value into every cell of the range. Text is stored exactly as
  // given, except that a leading apostrophe is dropped and marks the cell as
  // text (quote prefix).
  void SetValue(const CellValue& value);
  void SetValue(std::string_view text);
  void SetValue(const char* text) { SetValue(std::string_view(text)); }
  void SetValue(const std::string& text) { SetValue(std::string_view(text)); }
  void SetValue(double number) { SetValue(CellValue(number)); }
  void SetValue(int number) { SetValue(CellValue(static_cast<double>(number))); }

  void Select() const;    // makes this the selection of its sheet (sheet must be active)
  void Activate() const;  // makes the top-left cell the active cell
  void Copy() const;      // onto the host clipboard: values and formats
  // Pastes the clipboard with this range's top-left cell as target.
  void PasteSpecial(int paste = xlPasteValues) const;
  void ClearContents() const;  // values and formulas go, formats stay

  // Interior.ColorIndex / Interior.Pattern
  void SetInteriorColorIndex(int colorIndex) const;  // 1..56 or xlNone
  void SetInteriorPattern(int pattern) const;        // xlSolid
  // The ColorIndex of the top-left cell's solid fill, or xlNone.
  int InteriorColorIndex() const;

  // Borders(index).LineStyle / .Weight / .ColorIndex
  void SetBorderLineStyle(int index, int lineStyle) const;    // xlContinuous or xlNone
  void SetBorderWeight(int index, int weight) const;          // xlThin ...
  void SetBorderColorIndex(int index, int colorIndex) const;  // xlAutomatic or 1..56

  void SetHorizontalAlignment(int value) const;  // xlCenter ...
  void SetVerticalAlignment(int value) const;
  void SetWrapText(bool wrap) const;
  void SetOrientation(int degrees) const;  // -90..90; -90 reads top to bottom
  void SetAddIndent(bool addIndent) const;
  void SetIndentLevel(int level) const;
  void SetShrinkToFit(bool shrink) const;
  void SetReadingOrder(int order) const;  // xlContext ...
  void SetMergeCells(bool merge) const;
  void SetNumberFormatLocal(const std::string& formatCode) const;
  std::string NumberFormat() const;  // of the top-left cell

 private:
  Worksheet* sheet_;
  int row_, column_, lastRow_, lastColumn_;
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

 private:
  void EnsureLoaded() const;
  Workbook* book_;
  std::string name_;
  mutable CellStore store_;
  std::vector<Range> merges_;
  mutable bool loaded_ = false;
  bool modified_ = false;
  bool hidden_ = false;
  int activeRow_ = 1, activeColumn_ = 1;
  int selRow_ = 1, selColumn_ = 1, selLastRow_ = 1, selLastColumn_ = 1;
  std::unique_ptr<SheetExtra> extra_;
};

// How a workbook reaches its file: loads sheets lazily and saves.
class WorkbookBackend {
 public:
  virtual ~WorkbookBackend() = default;
  // Fills the sheet's store (and merges, extra) from the file.
  virtual void LoadSheet(Worksheet& sheet) = 0;
  // Writes the workbook to path atomically: the file at path is replaced only
  // when the new one is complete and checked.
  virtual void Save(Workbook& book, const std::string& path) = 0;
};

class Workbook {
 public:
  Workbook(Application* app, std::string path, std::unique_ptr<WorkbookBackend> backend,
           StyleTable styles);
  ~Workbook();
  Application& Parent() const { return *app_; }

  const std::string& Path() const { return path_; }  // the file it was opened from
  // Where Save writes: the opened file, or for a legacy .xls a new .xlsx beside it.
  const std::string& SavePath() const { return savePath_; }
  void SetSavePath(std::string path) { savePath_ = std::move(path); }

  int SheetCount() const { return static_cast<int>(sheets_.size()); }
  Worksheet& Sheet(int position);  // 1-based
  // By name, ignoring case as the spreadsheet does; nullptr if absent.
  Worksheet* FindSheet(std::string_view name) const;
  Worksheet& SheetByName(std::string_view name);  // throws if absent
  int PositionOf(const Worksheet& sheet) const;   // 1-based
  // Sheets.Add(): a new empty worksheet before the active sheet, made active,
  // named "SheetN" with the first free N.
  Worksheet& AddSheet();
  Worksheet& ActiveSheet();
  // Checks a sheet name against the workbook rules; empty if legal, otherwise
  // the reason. `except` is the sheet being renamed (its own name is no clash).
  std::string NameProblem(const std::string& name, const Worksheet* except = nullptr) const;

  StyleTable& Styles() { return styles_; }
  const StyleTable& Styles() const { return styles_; }

  void Save();  // to SavePath()
  void SaveAs(const std::string& path);
  void Close();  // without saving; the workbook object is destroyed by the application

  // For backends and the model.
  std::vector<std::unique_ptr<Worksheet>>& SheetList() { return sheets_; }
  WorkbookBackend* Backend() const { return backend_.get(); }
  void LoadSheet(Worksheet& sheet);
  void SetActiveSheet(Worksheet& sheet) { active_ = &sheet; }
  bool StructureChanged() const { return structureChanged_; }  // sheets added, moved or renamed
  void MarkStructureChanged() { structureChanged_ = true; }

 private:
  Application* app_;
  std::string path_;
  std::string savePath_;
  std::unique_ptr<WorkbookBackend> backend_;
  StyleTable styles_;
  std::vector<std::unique_ptr<Worksheet>> sheets_;
  Worksheet* active_ = nullptr;
  bool structureChanged_ = false;
};

// What Copy put on the host clipboard: values and formats of a rectangle.
struct ClipboardContent {
  int rows = 0, columns = 0;
  std::vector<CellValue> values;  // row-major
  std::vector<int> styles;        // row-major xf indexes of the source workbook
  const Workbook* sourceBook = nullptr;
};

class Application {
 public:
  Application();
  ~Application();

  // Workbooks.Open: opens a .xlsx, .xlsm or .xls file. Throws HostError with a
  // clear reason for a missing, damaged, encrypted or non-workbook file.
  Workbook& Open(const std::string& path);
  // Workbooks.Add: a new workbook with one empty sheet "Sheet1"; Save writes a
  // new package to `path`.
  Workbook& AddWorkbook(const std::string& path);
  std::vector<Workbook*> Workbooks() const;
  Workbook* ActiveWorkbook() const;

  void SetVisible(bool visible) { visible_ = visible; }
  bool Visible() const { return visible_; }
  void Quit();  // closes every workbook without saving

  // The active sheet of the active workbook and its active cell / selection.
  Worksheet& ActiveSheet();
  Range ActiveCell();
  Range Selection();

  // CutCopyMode = False ends a pending copy.
  void SetCutCopyMode(bool mode);
  const std::optional<ClipboardContent>& Clipboard() const { return clipboard_; }
  void SetClipboard(ClipboardContent content) { clipboard_ = std::move(content); }

  // For Workbook::Close.
  void Forget(Workbook* book);
  // Activating a sheet makes its workbook the active one.
  void SetActiveWorkbook(Workbook* book) { active_ = book; }

 private:
  std::vector<std::unique_ptr<Workbook>> books_;
  Workbook* active_ = nullptr;
  bool visible_ = false;
  std::optional<ClipboardContent> clipboard_;
};

// A1 address helpers.
std::string ColumnLetters(int column);  // 1 -> "A", 28 -> "AB"
// Parses "B4" into (row, column); throws HostError on a bad address.
std::pair<int, int> ParseCellAddress(std::string_view address);

}  // namespace host
