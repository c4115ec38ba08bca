// Range formats: each setter derives new cell formats from the old ones, so
// every attribute it does not touch (font, number format ...) survives.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <variant>

#include "host/HostCells.h"
#include "host/HostError.h"
#include "host/Range.h"
#include "host/Styles.h"
#include "host/Workbook.h"
#include "host/Worksheet.h"

namespace host {

namespace {

using detail::Change;
using detail::ChangeKey;

StyleTable& StylesOf(const Range& range) { return range.Sheet().Parent().Styles(); }

// Applies the same change to every cell of the range.
template <typename Edit>
void Uniform(const Range& range, const char* operation, int64_t key, Edit&& edit) {
  StyleTable& styles = StylesOf(range);
  detail::Restyle(range, operation, [&](int, int, int oldXf) {
    return styles.DerivedXf(oldXf, key, [&](Xf& xf) { edit(xf, styles); });
  });
}

// Changes one alignment attribute; the xf keeps its identity when the value is
// already there.
template <typename T>
void SetAlignment(const Range& range, const char* operation, Change kind, T Alignment::*member,
                  T value, int64_t argument) {
  Uniform(range, operation, ChangeKey(kind, argument), [&](Xf& xf, StyleTable&) {
    if (xf.alignment.*member == value) return;
    xf.alignment.*member = value;
    xf.hasAlignment = true;
    xf.applyAlignment = true;
  });
}

[[noreturn]] void Unsupported(const char* operation, int value) {
  throw HostError(operation, "", "value " + std::to_string(value) + " is not supported");
}

// The palette index a colour element names, or 0.
int PaletteIndexOf(const ColorRef& color) {
  const std::string& a = color.attributes;
  const std::string indexed = "indexed=\"";
  if (a.rfind(indexed, 0) == 0) {
    int n = std::atoi(a.c_str() + indexed.size());
    return n >= 8 && n <= 63 ? n - 7 : 0;
  }
  const std::string rgb = "rgb=\"";
  if (a.rfind(rgb, 0) == 0 && a.size() >= rgb.size() + 8) {
    std::string hex = a.substr(rgb.size() + 2, 6);
    for (int n = 1; n <= 56; ++n) {
      if (hex == PaletteRgb(n)) return n;
    }
  }
  return 0;
}

// Border side selection for Borders(index) on a cell of a range.
enum SideBits : int {
  kLeft = 1,
  kRight = 2,
  kTop = 4,
  kBottom = 8,
  kDiagonalDown = 16,
  kDiagonalUp = 32
};

int SidesFor(Edge edge, const Range& range, int row, int column) {
  switch (edge) {
    case Edge::Left:
      return column == range.Column() ? kLeft : 0;
    case Edge::Top:
      return row == range.Row() ? kTop : 0;
    case Edge::Bottom:
      return row == range.LastRow() ? kBottom : 0;
    case Edge::Right:
      return column == range.LastColumn() ? kRight : 0;
    case Edge::InsideVertical:
      return (column < range.LastColumn() ? kRight : 0) | (column > range.Column() ? kLeft : 0);
    case Edge::InsideHorizontal:
      return (row < range.LastRow() ? kBottom : 0) | (row > range.Row() ? kTop : 0);
    case Edge::DiagonalDown:
      return kDiagonalDown;
    case Edge::DiagonalUp:
      return kDiagonalUp;
  }
  return 0;
}

using BorderValue = std::variant<LineStyle, BorderWeight, ColorIndex>;

const char* WeightStyle(BorderWeight weight) {
  switch (weight) {
    case BorderWeight::Hairline:
      return "hair";
    case BorderWeight::Thin:
      return "thin";
    case BorderWeight::Medium:
      return "medium";
    case BorderWeight::Thick:
      return "thick";
  }
  return "thin";
}

// A continuous line keeps the weight the side already has.
std::string ContinuousStyle(const std::string& current) {
  if (current == "hair" || current == "thin" || current == "medium" || current == "thick") {
    return current;
  }
  return "thin";
}

ColorRef BorderColor(ColorIndex color) {
  if (color == ColorIndex::Automatic) return ColorRef{"indexed=\"64\""};
  return PaletteColor(static_cast<int>(color));
}

void EditSide(BorderSide& side, const BorderValue& value) {
  if (const auto* line = std::get_if<LineStyle>(&value)) {
    if (*line == LineStyle::None) {
      side = BorderSide{};
    } else {
      side.style = ContinuousStyle(side.style);
    }
  } else if (const auto* weight = std::get_if<BorderWeight>(&value)) {
    side.style = WeightStyle(*weight);
  } else {
    // Colouring a side that has no line draws a thin one, as the spreadsheet does.
    if (side.style.empty()) side.style = "thin";
    side.color = BorderColor(std::get<ColorIndex>(value));
  }
}

// Validates one border setting before any cell changes.
void CheckBorder(const BorderValue& value) {
  if (const auto* color = std::get_if<ColorIndex>(&value)) BorderColor(*color);
}

bool ClearsLine(const BorderValue& value) {
  const auto* line = std::get_if<LineStyle>(&value);
  return line && *line == LineStyle::None;
}

void EditDiagonal(Border& border, int sides, const BorderValue& value) {
  bool& flag = (sides & kDiagonalDown) ? border.diagonalDown : border.diagonalUp;
  bool other = (sides & kDiagonalDown) ? border.diagonalUp : border.diagonalDown;
  if (ClearsLine(value)) {
    flag = false;
    // One diagonal line element serves both directions.
    if (!other) border.diagonal = BorderSide{};
  } else {
    flag = true;
    EditSide(border.diagonal, value);
  }
}

// The xf that `oldXf` becomes when one border setting reaches `sides` of a cell.
int BorderedXf(StyleTable& styles, int oldXf, int sides, const BorderValue& value) {
  const int number = std::visit([](auto v) { return static_cast<int>(v); }, value);
  int64_t argument = (static_cast<int64_t>(sides) << 34) |
                     (static_cast<int64_t>(value.index()) << 32) | static_cast<uint32_t>(number);
  return styles.DerivedXf(oldXf, ChangeKey(Change::kBorder, argument), [&](Xf& xf) {
    Border border = styles.borders.at(static_cast<size_t>(xf.borderId));
    if (sides & kLeft) EditSide(border.left, value);
    if (sides & kRight) EditSide(border.right, value);
    if (sides & kTop) EditSide(border.top, value);
    if (sides & kBottom) EditSide(border.bottom, value);
    if (sides & (kDiagonalDown | kDiagonalUp)) EditDiagonal(border, sides, value);
    if (border == styles.borders[static_cast<size_t>(xf.borderId)]) return;
    xf.borderId = styles.AddBorder(border);
    xf.applyBorder = true;
  });
}

void SetBorder(const Range& range, const char* operation, Edge edge, const BorderValue& value) {
  CheckBorder(value);
  StyleTable& styles = StylesOf(range);
  detail::Restyle(range, operation, [&](int row, int column, int oldXf) {
    const int sides = SidesFor(edge, range, row, column);
    return sides == 0 ? oldXf : BorderedXf(styles, oldXf, sides, value);
  });
}

// The file's word for a horizontal alignment; the general one is the default and has none.
const char* AlignmentName(HorizontalAlignment alignment) {
  switch (alignment) {
    case HorizontalAlignment::General:
      return "";
    case HorizontalAlignment::Left:
      return "left";
    case HorizontalAlignment::Center:
      return "center";
    case HorizontalAlignment::Right:
      return "right";
    case HorizontalAlignment::Fill:
      return "fill";
    case HorizontalAlignment::Justify:
      return "justify";
    case HorizontalAlignment::CenterAcrossSelection:
      return "centerContinuous";
    case HorizontalAlignment::Distributed:
      return "distributed";
  }
  return "";
}

// The same for vertical alignment, where the bottom is the default.
const char* AlignmentName(VerticalAlignment alignment) {
  switch (alignment) {
    case VerticalAlignment::Top:
      return "top";
    case VerticalAlignment::Center:
      return "center";
    case VerticalAlignment::Bottom:
      return "";
    case VerticalAlignment::Justify:
      return "justify";
    case VerticalAlignment::Distributed:
      return "distributed";
  }
  return "";
}

}  // namespace

void Range::SetInteriorColorIndex(ColorIndex color) const {
  if (color != ColorIndex::None) PaletteColor(static_cast<int>(color));  // validates
  Uniform(*this, "Interior.ColorIndex", ChangeKey(Change::kFillColor, static_cast<int>(color)),
          [&](Xf& xf, StyleTable& styles) {
            int fillId = 0;
            if (color != ColorIndex::None) {
              fillId = styles.AddFill(Fill{
                  "solid", PaletteColor(static_cast<int>(color)), ColorRef{"indexed=\"64\""}, {}});
            }
            if (fillId == xf.fillId) return;
            xf.fillId = fillId;
            xf.applyFill = true;
          });
}

void Range::SetInteriorPattern(FillPattern pattern) const {
  Uniform(*this, "Interior.Pattern", ChangeKey(Change::kFillPattern, static_cast<int>(pattern)),
          [&](Xf& xf, StyleTable& styles) {
            int fillId = 0;
            if (pattern == FillPattern::Solid) {
              Fill fill = styles.fills.at(static_cast<size_t>(xf.fillId));
              if (fill.patternType == "solid") return;
              // A solid pattern on an uncoloured cell shows the automatic colour.
              Fill solid{"solid",
                         fill.fg.attributes.empty() ? ColorRef{"indexed=\"64\""} : fill.fg,
                         ColorRef{"indexed=\"64\""},
                         {}};
              fillId = styles.AddFill(solid);
            }
            if (fillId == xf.fillId) return;
            xf.fillId = fillId;
            xf.applyFill = true;
          });
}

ColorIndex Range::InteriorColorIndex() const {
  const Cell* cell = sheet_->Store().Find(row_, column_);
  int style = cell ? cell->style : sheet_->Store().DefaultStyle(row_);
  const StyleTable& styles = sheet_->Parent().Styles();
  if (style < 0 || static_cast<size_t>(style) >= styles.xfs.size()) return ColorIndex::None;
  int fillId = styles.xfs[static_cast<size_t>(style)].fillId;
  if (fillId < 0 || static_cast<size_t>(fillId) >= styles.fills.size()) return ColorIndex::None;
  const Fill& fill = styles.fills[static_cast<size_t>(fillId)];
  if (fill.patternType != "solid") return ColorIndex::None;
  int n = PaletteIndexOf(fill.fg);
  return n == 0 ? ColorIndex::None : PaletteIndex(n);
}

void Range::SetBorders(const std::vector<BorderSetting>& settings) const {
  for (const BorderSetting& b : settings) CheckBorder(b.value);
  StyleTable& styles = StylesOf(*this);
  // Which sides a setting reaches depends only on the edges of the range a
  // cell lies on: one answer per (edges, old format) serves a whole frame.
  struct Memo {
    int oldXf = -1, newXf = 0;
  };
  std::array<Memo, 16> memo;
  detail::Restyle(*this, "Borders", [&](int row, int column, int oldXf) {
    const int edges = (row == Row() ? 1 : 0) | (row == LastRow() ? 2 : 0) |
                      (column == Column() ? 4 : 0) | (column == LastColumn() ? 8 : 0);
    Memo& known = memo[static_cast<size_t>(edges)];
    if (known.oldXf == oldXf) return known.newXf;
    int xf = oldXf;
    for (const BorderSetting& b : settings) {
      const int sides = SidesFor(b.edge, *this, row, column);
      if (sides != 0) xf = BorderedXf(styles, xf, sides, b.value);
    }
    known = {oldXf, xf};
    return xf;
  });
}

void Range::SetBorderLineStyle(Edge edge, LineStyle lineStyle) const {
  SetBorder(*this, "Borders.LineStyle", edge, lineStyle);
}

void Range::SetBorderWeight(Edge edge, BorderWeight weight) const {
  SetBorder(*this, "Borders.Weight", edge, weight);
}

void Range::SetBorderColorIndex(Edge edge, ColorIndex color) const {
  SetBorder(*this, "Borders.ColorIndex", edge, color);
}

void Range::SetHorizontalAlignment(HorizontalAlignment alignment) const {
  SetAlignment(*this, "HorizontalAlignment", Change::kHorizontal, &Alignment::horizontal,
               std::string(AlignmentName(alignment)), static_cast<int>(alignment));
}

void Range::SetVerticalAlignment(VerticalAlignment alignment) const {
  SetAlignment(*this, "VerticalAlignment", Change::kVertical, &Alignment::vertical,
               std::string(AlignmentName(alignment)), static_cast<int>(alignment));
}

void Range::SetWrapText(bool wrap) const {
  SetAlignment(*this, "WrapText", Change::kWrap, &Alignment::wrapText, wrap, wrap);
}

void Range::SetOrientation(int degrees) const {
  if (degrees < -90 || degrees > 90) Unsupported("Orientation", degrees);
  // The file counts clockwise turns from 91 to 180.
  const int rotation = degrees >= 0 ? degrees : 90 - degrees;
  SetAlignment(*this, "Orientation", Change::kRotation, &Alignment::textRotation, rotation,
               rotation);
}

void Range::SetAddIndent(bool) const {
  // The file keeps no such flag for cell formats; the automatic indent of
  // distributed text is all it affects, and no cell here uses that.
}

void Range::SetIndentLevel(int level) const {
  if (level < 0 || level > 250) Unsupported("IndentLevel", level);
  SetAlignment(*this, "IndentLevel", Change::kIndent, &Alignment::indent, level, level);
}

void Range::SetShrinkToFit(bool shrink) const {
  SetAlignment(*this, "ShrinkToFit", Change::kShrink, &Alignment::shrinkToFit, shrink, shrink);
}

void Range::SetReadingOrder(ReadingOrder order) const {
  const int value = static_cast<int>(order);
  SetAlignment(*this, "ReadingOrder", Change::kReadingOrder, &Alignment::readingOrder, value,
               value);
}

void Range::SetNumberFormatLocal(const std::string& formatCode) const {
  StyleTable& styles = StylesOf(*this);
  int id = styles.NumFmtId(formatCode);
  Uniform(*this, "NumberFormatLocal", ChangeKey(Change::kNumFmt, id), [&](Xf& xf, StyleTable&) {
    if (xf.numFmtId == id) return;
    xf.numFmtId = id;
    xf.applyNumberFormat = true;
  });
}

std::string Range::NumberFormat() const {
  const Cell* cell = sheet_->Store().Find(row_, column_);
  int style = cell ? cell->style : sheet_->Store().DefaultStyle(row_);
  const StyleTable& styles = sheet_->Parent().Styles();
  if (style < 0 || static_cast<size_t>(style) >= styles.xfs.size()) return "General";
  std::string code = styles.NumFmtCode(styles.xfs[static_cast<size_t>(style)].numFmtId);
  return code.empty() ? "General" : code;
}

}  // namespace host
