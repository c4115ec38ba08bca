#include "host/Styles.h"

#include <algorithm>
#include <string>

#include "host/CellStore.h"
#include "host/HostError.h"

namespace host {

namespace {

// Built-in number formats every spreadsheet knows by id. Only the
// locale-independent ones are matched when a code is set; the others are
// known so that a loaded cell's format can be read back.
struct BuiltinFormat {
  int id;
  const char* code;
  bool matchOnSet;
};
constexpr BuiltinFormat kBuiltinFormats[] = {
    {0, "General", true},
    {1, "0", true},
    {2, "0.00", true},
    {3, "#,##0", true},
    {4, "#,##0.00", true},
    {9, "0%", true},
    {10, "0.00%", true},
    {11, "0.00E+00", false},
    {12, "# ?/?", false},
    {13, "# ?\?/?\?", false},
    {14, "mm-dd-yy", false},
    {15, "d-mmm-yy", false},
    {16, "d-mmm", false},
    {17, "mmm-yy", false},
    {18, "h:mm AM/PM", false},
    {19, "h:mm:ss AM/PM", false},
    {20, "h:mm", false},
    {21, "h:mm:ss", false},
    {22, "m/d/yy h:mm", false},
    {37, "#,##0 ;(#,##0)", false},
    {38, "#,##0 ;[Red](#,##0)", false},
    {39, "#,##0.00;(#,##0.00)", false},
    {40, "#,##0.00;[Red](#,##0.00)", false},
    {45, "mm:ss", false},
    {46, "[h]:mm:ss", false},
    {47, "mmss.0", false},
    {48, "##0.0E+0", false},
    {49, "@", true},
};

constexpr int kFirstCustomNumFmt = 164;

// The classic default palette, ColorIndex 1..56.
constexpr const char* kPalette[56] = {
    "000000", "FFFFFF", "FF0000", "00FF00", "0000FF", "FFFF00", "FF00FF", "00FFFF",
    "800000", "008000", "000080", "808000", "800080", "008080", "C0C0C0", "808080",
    "9999FF", "993366", "FFFFCC", "CCFFFF", "660066", "FF8080", "0066CC", "CCCCFF",
    "000080", "FF00FF", "FFFF00", "00FFFF", "800080", "800000", "008080", "0000FF",
    "00CCFF", "CCFFFF", "CCFFCC", "FFFF99", "99CCFF", "FF99CC", "CC99FF", "FFCC99",
    "3366FF", "33CCCC", "99CC00", "FFCC00", "FF9900", "FF6600", "666699", "969696",
    "003366", "339966", "003300", "333300", "993300", "993366", "333399", "333333",
};

template <typename T>
void IndexNew(const std::vector<T>& entries, std::map<T, int>& index, size_t& indexed) {
  for (; indexed < entries.size(); ++indexed) {
    // The first of several identical entries is the one reused.
    index.emplace(entries[indexed], static_cast<int>(indexed));
  }
}

template <typename T>
int FindOrAppend(std::vector<T>& entries, std::map<T, int>& index, size_t& indexed,
                 const T& entry) {
  auto it = index.find(entry);
  if (it != index.end()) return it->second;
  entries.push_back(entry);
  int position = static_cast<int>(entries.size() - 1);
  index.emplace(entry, position);
  indexed = entries.size();
  return position;
}

}  // namespace

StyleTable StyleTable::Default() {
  StyleTable table;
  table.fills.push_back(Fill{"none", {}, {}, {}});
  table.fills.push_back(Fill{"gray125", {}, {}, {}});
  table.borders.push_back(Border{});
  table.xfs.push_back(Xf{});
  table.fontCount = 1;
  // The defaults are the base a new package is written from, not changes.
  table.loadedXfs = table.xfs.size();
  table.loadedFills = table.fills.size();
  table.loadedBorders = table.borders.size();
  return table;
}

void StyleTable::IndexIfNeeded() {
  IndexNew(xfs, xfIndex_, xfsIndexed_);
  IndexNew(fills, fillIndex_, fillsIndexed_);
  IndexNew(borders, borderIndex_, bordersIndexed_);
  indexed_ = true;
}

int StyleTable::AddXf(const Xf& xf) {
  IndexIfNeeded();
  // Cells keep the index in 16 bits: a full table still finds, but never grows.
  if (xfs.size() >= static_cast<size_t>(kMaxCellFormats) && !xfIndex_.contains(xf)) {
    throw HostError("Format", "", "the workbook cannot hold more than 65,536 cell formats");
  }
  return FindOrAppend(xfs, xfIndex_, xfsIndexed_, xf);
}

int StyleTable::AddFill(const Fill& fill) {
  IndexIfNeeded();
  return FindOrAppend(fills, fillIndex_, fillsIndexed_, fill);
}

int StyleTable::AddBorder(const Border& border) {
  IndexIfNeeded();
  return FindOrAppend(borders, borderIndex_, bordersIndexed_, border);
}

int StyleTable::NumFmtId(const std::string& formatCode) {
  for (const auto& builtin : kBuiltinFormats) {
    if (builtin.matchOnSet && formatCode == builtin.code) return builtin.id;
  }
  if (formatCode == "general" || formatCode == "GENERAL") return 0;
  int next = kFirstCustomNumFmt;
  for (const auto& [id, code] : numFmts) {
    if (code == formatCode) return id;
    next = std::max(next, id + 1);
  }
  numFmts.emplace(next, formatCode);
  return next;
}

std::string StyleTable::NumFmtCode(int id) const {
  auto it = numFmts.find(id);
  if (it != numFmts.end()) return it->second;
  for (const auto& builtin : kBuiltinFormats) {
    if (builtin.id == id) return builtin.code;
  }
  return {};
}

bool StyleTable::Changed() const {
  return xfs.size() > loadedXfs || fills.size() > loadedFills || borders.size() > loadedBorders ||
         numFmts != loadedNumFmts;
}

double StyleTable::FontSize(int fontId) const {
  constexpr double kDefaultSize = 11;  // what a new workbook's font has
  auto sizeOf = [&](size_t id) { return id < fontSizes.size() ? fontSizes[id] : 0.0; };
  double size = fontId >= 0 ? sizeOf(static_cast<size_t>(fontId)) : 0.0;
  if (size <= 0) size = sizeOf(0);
  return size > 0 ? size : kDefaultSize;
}

ColorRef PaletteColor(int colorIndex) {
  if (colorIndex < 1 || colorIndex > 56) {
    throw HostError(
        "ColorIndex", "",
        "colour index " + std::to_string(colorIndex) + " is not in the palette (1 to 56)");
  }
  return ColorRef{"indexed=\"" + std::to_string(colorIndex + 7) + "\""};
}

const char* PaletteRgb(int colorIndex) {
  if (colorIndex < 1 || colorIndex > 56) {
    throw HostError(
        "ColorIndex", "",
        "colour index " + std::to_string(colorIndex) + " is not in the palette (1 to 56)");
  }
  return kPalette[colorIndex - 1];
}

}  // namespace host
