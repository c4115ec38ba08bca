#pragma once
// A rectangle of cells on one sheet: values, navigation, clipboard and formats.
// Rows and columns count from 1. Every failing operation throws HostError.
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/CellValue.h"
#include "host/HostConstants.h"

namespace host {

class Worksheet;

// A cheap value type.
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
  Range End(Direction direction) const;
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
  void PasteSpecial(PasteKind paste = PasteKind::Values) const;
  void ClearContents() const;  // values and formulas go, formats stay

  // Interior.ColorIndex / Interior.Pattern
  void SetInteriorColorIndex(ColorIndex color) const;  // a palette index or None
  void SetInteriorPattern(FillPattern pattern) const;
  // The palette index of the top-left cell's solid fill, or None.
  ColorIndex InteriorColorIndex() const;

  // Borders(index).LineStyle / .Weight / .ColorIndex
  void SetBorderLineStyle(Edge edge, LineStyle lineStyle) const;
  void SetBorderWeight(Edge edge, BorderWeight weight) const;
  void SetBorderColorIndex(Edge edge, ColorIndex color) const;  // a palette index or Automatic
  // Several of the settings above in one pass over the cells: each cell ends
  // as the settings made one after another would leave it.
  struct BorderSetting {
    Edge edge;
    std::variant<LineStyle, BorderWeight, ColorIndex> value;
  };
  void SetBorders(const std::vector<BorderSetting>& settings) const;

  void SetHorizontalAlignment(HorizontalAlignment alignment) const;
  void SetVerticalAlignment(VerticalAlignment alignment) const;
  void SetWrapText(bool wrap) const;
  void SetOrientation(int degrees) const;  // -90..90; -90 reads top to bottom
  void SetAddIndent(bool addIndent) const;
  void SetIndentLevel(int level) const;
  void SetShrinkToFit(bool shrink) const;
  void SetReadingOrder(ReadingOrder order) const;
  void SetMergeCells(bool merge) const;
  void SetNumberFormatLocal(const std::string& formatCode) const;
  std::string NumberFormat() const;  // of the top-left cell

  // ColumnWidth (characters) of every column and RowHeight (points) of every
  // row the range spans.
  void SetColumnWidth(double width) const;
  void SetRowHeight(double points) const;

 private:
  Worksheet* sheet_;
  int row_, column_, lastRow_, lastColumn_;
};

}  // namespace host
