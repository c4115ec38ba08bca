#include "report/SheetFit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <vector>

#include "text/Utf8.h"

namespace report {
namespace {

// What the spreadsheet shows for an unsized sheet: 8.43 characters a column,
// 15 points a row at an 11-point font.
constexpr double kDefaultWidth = 8.43;
constexpr double kDefaultHeightPerPoint = 15.0 / 11.0;
// A cell's margins, in digit widths and in points.
constexpr double kWidthPadding = 1.2;
constexpr double kHeightPadding = 6;
// A digit of most sans fonts is 0.5 to 0.64 of the font size; turned heads
// take the wider, so a fallback font still fits without shrinking.
constexpr double kDigitPerPoint = 0.64;
// The general format shows at most 11 characters before it rounds.
constexpr double kGeneralMaxExtent = 11;
constexpr double kMaxWidth = 255;
// The kind, description and title lines above the tables read like headings
// and run over their neighbours: sized to them, the name column would be as
// wide as the source's title.
constexpr int kFirstFittedRow = 3;
constexpr double kMaxHeight = 409;

double CharExtent(char32_t c) {
  if (c >= 0x1100 && (c <= 0x115F || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
                      (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
                      (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || c >= 0x20000))
    return 2.0;  // East Asian wide: about two digits
  if (c >= 'A' && c <= 'Z') return c == 'I' ? 0.6 : (c == 'M' || c == 'W') ? 1.6 : 1.25;
  if (c >= 'a' && c <= 'z') return (c == 'm' || c == 'w') ? 1.5 : 1.0;
  if (c >= '0' && c <= '9') return 1.0;
  if (c == ' ' || c == '.' || c == ',' || c == ':' || c == ';' || c == '\'' || c == '|' ||
      c == '!' || c == '(' || c == ')' || c == '[' || c == ']')
    return 0.6;
  return 1.1;
}

int IntegerDigits(double value) {
  double a = std::fabs(value);
  int digits = 1;
  for (; a >= 10 && digits < 309; a /= 10) ++digits;
  return digits;
}

}  // namespace

double TextExtent(std::string_view text) {
  double extent = 0;
  for (const char32_t c : utf8::Decode(text)) extent += CharExtent(c);
  return extent;
}

double NumberExtent(double value, const std::string& formatCode) {
  if (!std::isfinite(value)) return 6;  // #NUM!
  const double sign = value < 0 ? 1 : 0;
  if (formatCode.empty() || formatCode == "General") {
    // Whole numbers (the 0/1 matrices, counts) need no formatting to measure.
    if (std::fabs(value) < 1e9 && value == std::floor(value))
      return std::min(sign + IntegerDigits(value), kGeneralMaxExtent);
    char text[40];
    std::snprintf(text, sizeof text, "%.15G", value);
    return std::min(TextExtent(text), kGeneralMaxExtent);
  }
  // The code's first section as it shows: quotes and escapes go, "_x" leaves
  // the room of x, and the integer part grows with the value.
  const std::string_view code(formatCode.data(), std::min(formatCode.find(';'), formatCode.size()));
  double extent = sign;
  int integerPlaces = 0;
  bool integerPart = true, scientific = false;
  for (size_t i = 0; i < code.size(); ++i) {
    const char c = code[i];
    if (c == '"' || c == '\\') continue;
    if (c == '_' || c == '*') {
      if (i + 1 < code.size())
        extent += c == '_' ? CharExtent(static_cast<unsigned char>(code[++i])) : 0;
      continue;
    }
    if (c == '.' || c == 'E' || c == 'e') integerPart = false;
    if (c == 'E' || c == 'e') scientific = true;
    if (integerPart && (c == '0' || c == '#' || c == '?')) ++integerPlaces;
    extent += CharExtent(static_cast<unsigned char>(c));
  }
  if (scientific) {
    const int exponent =
        value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value))));
    return extent + (std::abs(exponent) >= 100 ? 1 : 0);
  }
  return extent + std::max(0, IntegerDigits(value) - integerPlaces);
}

namespace {

// How much room one cell asks for; a text that may run into an empty
// neighbour asks for none.
struct Need {
  double width = 0;   // digit widths
  double height = 0;  // points
};

bool TurnedUpright(const host::Alignment& a) {
  return a.textRotation == 90 || a.textRotation == 180 || a.textRotation == 255;
}

bool RunsOver(const host::Alignment& a) {
  return !a.wrapText && !a.shrinkToFit &&
         (a.horizontal.empty() || a.horizontal == "general" || a.horizontal == "left");
}

class Fitter {
 public:
  explicit Fitter(host::Worksheet& sheet)
      : sheet_(sheet), styles_(sheet.Parent().Styles()), baseSize_(styles_.FontSize(0)) {}

  Need CellNeed(const std::map<int32_t, host::Row>::value_type& row, const host::Cell& cell) {
    const host::CellValue& v = cell.value;
    if (host::IsEmpty(v)) return {};
    const StyleInfo& style = StyleOf(cell.style);
    const host::Xf& xf = *style.xf;
    double extent = 0;
    if (const double* d = std::get_if<double>(&v)) {
      extent = NumberExtent(*d, *style.code);
    } else if (const std::string* s = std::get_if<std::string>(&v)) {
      if (!TurnedUpright(xf.alignment) && RunsOver(xf.alignment) && RightIsEmpty(row, cell))
        return {};
      extent = TextExtent(*s);
    } else {
      extent = 6;  // TRUE, FALSE, #N/A ...
    }
    extent *= style.scale;
    if (TurnedUpright(xf.alignment))
      return {0, extent * kDigitPerPoint * baseSize_ + kHeightPadding};
    return {extent + kWidthPadding, 0};
  }

  void Fit() {
    std::vector<double> widths;  // by column, grown to the widest row
    const auto& rows = sheet_.Store().Rows();
    for (auto it = rows.lower_bound(kFirstFittedRow); it != rows.end(); ++it) {
      const auto& entry = *it;
      double height = 0;
      for (const host::Cell& cell : entry.second.cells) {
        const Need need = CellNeed(entry, cell);
        const auto column = static_cast<size_t>(cell.column);
        if (column >= widths.size()) widths.resize(column + 1, 0.0);
        double& width = widths[column];
        width = std::max(width, need.width);
        height = std::max(height, need.height);
      }
      if (height > kDefaultHeightPerPoint * baseSize_)
        rowHeights_.emplace_back(entry.first, std::min(std::ceil(height), kMaxHeight));
    }
    sheet_.ClearColumnWidths();
    for (size_t column = 1; column < widths.size(); ++column)
      if (widths[column] > kDefaultWidth)
        sheet_.SetColumnWidth(static_cast<int>(column),
                              std::min(std::ceil(widths[column] * 4) / 4, kMaxWidth));
    for (const auto& [row, height] : rowHeights_) sheet_.SetRowHeight(row, height);
  }

 private:
  // What sizing needs of a cell format, looked up once per format: a row's
  // cells mostly share one.
  struct StyleInfo {
    const host::Xf* xf = nullptr;
    const std::string* code = nullptr;
    double scale = 1;
  };
  const StyleInfo& StyleOf(int style) {
    if (style == lastStyle_ && last_.xf) return last_;
    lastStyle_ = style;
    last_.xf = &XfOf(style);
    last_.code = &FormatCode(last_.xf->numFmtId);
    last_.scale = styles_.FontSize(last_.xf->fontId) / baseSize_;
    return last_;
  }

  const host::Xf& XfOf(int style) {
    const size_t i = static_cast<size_t>(style);
    return i < styles_.xfs.size() ? styles_.xfs[i] : styles_.xfs.at(0);
  }

  const std::string& FormatCode(int numFmtId) {
    auto it = codes_.find(numFmtId);
    if (it == codes_.end()) it = codes_.emplace(numFmtId, styles_.NumFmtCode(numFmtId)).first;
    return it->second;
  }

  static bool RightIsEmpty(const std::map<int32_t, host::Row>::value_type& row,
                           const host::Cell& cell) {
    const auto& cells = row.second.cells;
    auto next = std::upper_bound(cells.begin(), cells.end(), cell.column,
                                 [](int column, const host::Cell& c) { return column < c.column; });
    return next == cells.end() || next->column != cell.column + 1 || host::IsEmpty(next->value);
  }

  host::Worksheet& sheet_;
  const host::StyleTable& styles_;
  double baseSize_;
  std::map<int, std::string> codes_;
  std::vector<std::pair<int, double>> rowHeights_;
  int lastStyle_ = -1;
  StyleInfo last_;
};

}  // namespace

void FitSheet(host::Worksheet& sheet) { Fitter(sheet).Fit(); }

void FitAndFinish(host::Worksheet* sheet) {
  if (sheet == nullptr || !sheet->Loaded()) return;
  FitSheet(*sheet);
  sheet->Finish();
}

}  // namespace report
