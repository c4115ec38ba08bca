// Range formats: each setter derives new cell formats from the old ones, so
// every attribute it does not touch (font, number format ...) survives.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>

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

int SidesFor(int index, const Range& range, int row, int column) {
  switch (index) {
    case xlEdgeLeft:
      return column == range.Column() ? kLeft : 0;
    case xlEdgeTop:
      return row == range.Row() ? kTop : 0;
    case xlEdgeBottom:
      return row == range.LastRow() ? kBottom : 0;
    case xlEdgeRight:
      return column == range.LastColumn() ? kRight : 0;
    case xlInsideVertical:
      return (column < range.LastColumn() ? kRight : 0) | (column > range.Column() ? kLeft : 0);
    case xlInsideHorizontal:
      return (row < range.LastRow() ? kBottom : 0) | (row > range.Row() ? kTop : 0);
    case xlDiagonalDown:
      return kDiagonalDown;
    case xlDiagonalUp:
      return kDiagonalUp;
    default:
      Unsupported("Borders", index);
  }
}

enum class BorderProperty { kLineStyle = 0, kWeight = 1, kColorIndex = 2 };

const char* WeightStyle(int weight) {
  switch (weight) {
    case 1:
      return "hair";  // xlHairline
    case xlThin:
      return "thin";
    case -4138:
      return "medium";  // xlMedium
    case 4:
      return "thick";  // xlThick
    default:
      Unsupported("Borders.Weight", weight);
  }
}

// A continuous line keeps the weight the side already has.
std::string ContinuousStyle(const std::string& current) {
  if (current == "hair" || current == "thin" || current == "medium" || current == "thick") {
    return current;
  }
  return "thin";
}

ColorRef BorderColor(int colorIndex) {
  if (colorIndex == xlAutomatic) return ColorRef{"indexed=\"64\""};
  return PaletteColor(colorIndex);
}

void EditSide(BorderSide& side, BorderProperty property, int value) {
  switch (property) {
    case BorderProperty::kLineStyle:
      if (value == xlNone) {
        side = BorderSide{};
      } else if (value == xlContinuous) {
        side.style = ContinuousStyle(side.style);
      } else {
        Unsupported("Borders.LineStyle", value);
      }
      break;
    case BorderProperty::kWeight:
      side.style = WeightStyle(value);
      break;
    case BorderProperty::kColorIndex:
      // Colouring a side that has no line draws a thin one, as the spreadsheet does.
      if (side.style.empty()) side.style = "thin";
      side.color = BorderColor(value);
      break;
  }
}

// Validates one border setting before any cell changes.
void CheckBorder(const Range& range, const char* operation, int index, BorderProperty property,
                 int value) {
  SidesFor(index, range, range.Row(), range.Column());
  if (property == BorderProperty::kWeight) WeightStyle(value);
  if (property == BorderProperty::kColorIndex) BorderColor(value);
  if (property == BorderProperty::kLineStyle && value != xlNone && value != xlContinuous) {
    Unsupported(operation, value);
  }
}

void EditDiagonal(Border& border, int sides, BorderProperty property, int value) {
  bool& flag = (sides & kDiagonalDown) ? border.diagonalDown : border.diagonalUp;
  bool other = (sides & kDiagonalDown) ? border.diagonalUp : border.diagonalDown;
  if (property == BorderProperty::kLineStyle && value == xlNone) {
    flag = false;
    // One diagonal line element serves both directions.
    if (!other) border.diagonal = BorderSide{};
  } else {
    flag = true;
    EditSide(border.diagonal, property, value);
  }
}

// The xf that `oldXf` becomes when one border setting reaches `sides` of a cell.
int BorderedXf(StyleTable& styles, int oldXf, int sides, BorderProperty property, int value) {
  int64_t argument = (static_cast<int64_t>(sides) << 34) |
                     (static_cast<int64_t>(property) << 32) | static_cast<uint32_t>(value);
  return styles.DerivedXf(oldXf, ChangeKey(Change::kBorder, argument), [&](Xf& xf) {
    Border border = styles.borders.at(static_cast<size_t>(xf.borderId));
    if (sides & kLeft) EditSide(border.left, property, value);
    if (sides & kRight) EditSide(border.right, property, value);
    if (sides & kTop) EditSide(border.top, property, value);
    if (sides & kBottom) EditSide(border.bottom, property, value);
    if (sides & (kDiagonalDown | kDiagonalUp)) EditDiagonal(border, sides, property, value);
    if (border == styles.borders[static_cast<size_t>(xf.borderId)]) return;
    xf.borderId = styles.AddBorder(border);
    xf.applyBorder = true;
  });
}

void SetBorder(const Range& range, const char* operation, int index, BorderProperty property,
               int value) {
  CheckBorder(range, operation, index, property, value);
  StyleTable& styles = StylesOf(range);
  detail::Restyle(range, operation, [&](int row, int column, int oldXf) {
    const int sides = SidesFor(index, range, row, column);
    return sides == 0 ? oldXf : BorderedXf(styles, oldXf, sides, property, value);
  });
}

BorderProperty PropertyOf(const Range::BorderSetting& setting) {
  return static_cast<BorderProperty>(setting.attribute);
}

}  // namespace

void Range::SetInteriorColorIndex(int colorIndex) const {
  if (colorIndex != xlNone) PaletteColor(colorIndex);  // validates
  Uniform(*this, "Interior.ColorIndex", ChangeKey(Change::kFillColor, colorIndex),
          [&](Xf& xf, StyleTable& styles) {
            int fillId = 0;
            if (colorIndex != xlNone) {
              fillId = styles.AddFill(
                  Fill{"solid", PaletteColor(colorIndex), ColorRef{"indexed=\"64\""}, {}});
            }
            if (fillId == xf.fillId) return;
            xf.fillId = fillId;
            xf.applyFill = true;
          });
}

void Range::SetInteriorPattern(int pattern) const {
  if (pattern != xlSolid && pattern != xlNone) Unsupported("Interior.Pattern", pattern);
  Uniform(*this, "Interior.Pattern", ChangeKey(Change::kFillPattern, pattern),
          [&](Xf& xf, StyleTable& styles) {
            int fillId = 0;
            if (pattern == xlSolid) {
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

int Range::InteriorColorIndex() const {
  const Cell* cell = sheet_->Store().Find(row_, column_);
  int style = cell ? cell->style : sheet_->Store().DefaultStyle(row_);
  const StyleTable& styles = sheet_->Parent().Styles();
  if (style < 0 || static_cast<size_t>(style) >= styles.xfs.size()) return xlNone;
  int fillId = styles.xfs[static_cast<size_t>(style)].fillId;
  if (fillId < 0 || static_cast<size_t>(fillId) >= styles.fills.size()) return xlNone;
  const Fill& fill = styles.fills[static_cast<size_t>(fillId)];
  if (fill.patternType != "solid") return xlNone;
  int n = PaletteIndexOf(fill.fg);
  return n == 0 ? xlNone : n;
}

void Range::SetBorders(const std::vector<BorderSetting>& settings) const {
  for (const BorderSetting& b : settings) CheckBorder(*this, "Borders", b.index, PropertyOf(b), b.value);
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
      const int sides = SidesFor(b.index, *this, row, column);
      if (sides != 0) xf = BorderedXf(styles, xf, sides, PropertyOf(b), b.value);
    }
    known = {oldXf, xf};
    return xf;
  });
}

void Range::SetBorderLineStyle(int index, int lineStyle) const {
  SetBorder(*this, "Borders.LineStyle", index, BorderProperty::kLineStyle, lineStyle);
}

void Range::SetBorderWeight(int index, int weight) const {
  SetBorder(*this, "Borders.Weight", index, BorderProperty::kWeight, weight);
}

void Range::SetBorderColorIndex(int index, int colorIndex) const {
  SetBorder(*this, "Borders.ColorIndex", index, BorderProperty::kColorIndex, colorIndex);
}

void Range::SetHorizontalAlignment(int value) const {
  std::string name;
  switch (value) {
    case 1:
      name = "";
      break;  // xlGeneral
    case xlCenter:
      name = "center";
      break;
    case -4131:
      name = "left";
      break;
    case -4152:
      name = "right";
      break;
    case -4130:
      name = "justify";
      break;
    case -4117:
      name = "distributed";
      break;
    case 5:
      name = "fill";
      break;
    case 7:
      name = "centerContinuous";
      break;
    default:
      Unsupported("HorizontalAlignment", value);
  }
  SetAlignment(*this, "HorizontalAlignment", Change::kHorizontal, &Alignment::horizontal, name,
               value);
}

void Range::SetVerticalAlignment(int value) const {
  std::string name;
  switch (value) {
    case -4107:
      name = "";
      break;  // xlBottom, the file's default
    case xlCenter:
      name = "center";
      break;
    case -4160:
      name = "top";
      break;
    case -4130:
      name = "justify";
      break;
    case -4117:
      name = "distributed";
      break;
    default:
      Unsupported("VerticalAlignment", value);
  }
  SetAlignment(*this, "VerticalAlignment", Change::kVertical, &Alignment::vertical, name, value);
}

void Range::SetWrapText(bool wrap) const {
  SetAlignment(*this, "WrapText", Change::kWrap, &Alignment::wrapText, wrap, wrap);
}

void Range::SetOrientation(int degrees) const {
  int rotation;
  if (degrees >= 0 && degrees <= 90) {
    rotation = degrees;
  } else if (degrees < 0 && degrees >= -90) {
    rotation = 90 - degrees;      // the file counts clockwise turns from 91 to 180
  } else if (degrees == -4128) {  // xlHorizontal
    rotation = 0;
  } else if (degrees == -4166) {  // xlVertical: stacked letters
    rotation = 255;
  } else if (degrees == -4171) {  // xlUpward
    rotation = 90;
  } else if (degrees == -4170) {  // xlDownward
    rotation = 180;
  } else {
    Unsupported("Orientation", degrees);
  }
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

void Range::SetReadingOrder(int order) const {
  int value;
  switch (order) {
    case xlContext:
      value = 0;
      break;
    case -5003:
      value = 1;
      break;  // xlLTR
    case -5004:
      value = 2;
      break;  // xlRTL
    default:
      Unsupported("ReadingOrder", order);
  }
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
