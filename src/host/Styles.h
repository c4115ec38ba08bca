#pragma once
// The workbook's cell formats, modelled on the file format's style sheet:
// cell formats (xf) refer to fills, borders, fonts and number formats by index.
// Entries loaded from a file are never changed or renumbered; a format change
// derives a new xf (and, if needed, a new fill or border) and appends it, so
// every index that a stored cell or an untouched sheet uses stays valid.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "host/HostError.h"

namespace host {

// A colour as the file writes it, e.g. indexed="64", rgb="FF00FF00", auto="1",
// theme="1" tint="0.5". Empty means "no colour element".
struct ColorRef {
  std::string attributes;  // serialized attributes, e.g. R"(indexed="10")"
  bool operator==(const ColorRef&) const = default;
  auto operator<=>(const ColorRef&) const = default;
};

struct Fill {
  std::string patternType;  // "none", "solid", "gray125" ...; empty: gradient or unknown
  ColorRef fg;
  ColorRef bg;
  std::string rawXml;  // a fill the model does not understand (gradient) is kept verbatim
  bool operator==(const Fill&) const = default;
  auto operator<=>(const Fill&) const = default;
};

struct BorderSide {
  std::string style;  // "" (none), "thin", "medium", "dashed" ...
  ColorRef color;
  bool operator==(const BorderSide&) const = default;
  auto operator<=>(const BorderSide&) const = default;
};

struct Border {
  BorderSide left, right, top, bottom, diagonal;
  bool diagonalUp = false;
  bool diagonalDown = false;
  bool operator==(const Border&) const = default;
  auto operator<=>(const Border&) const = default;
};

struct Alignment {
  std::string horizontal;  // "", "center", "left" ...
  std::string vertical;    // "", "center", "top" ...
  int textRotation = 0;    // file units: 0..90 counter-clockwise, 91..180 clockwise, 255 stacked
  bool wrapText = false;
  bool shrinkToFit = false;
  int indent = 0;
  int readingOrder = 0;         // 0 context, 1 left-to-right, 2 right-to-left
  std::string otherAttributes;  // attributes the model does not know, kept verbatim
  bool operator==(const Alignment&) const = default;
  auto operator<=>(const Alignment&) const = default;
};

// One cell format (an entry of cellXfs).
struct Xf {
  int numFmtId = 0;
  int fontId = 0;
  int fillId = 0;
  int borderId = 0;
  int xfId = 0;  // the cell style it is based on
  bool hasAlignment = false;
  Alignment alignment;
  bool quotePrefix = false;
  std::string protectionXml;    // <protection .../> verbatim, or empty
  std::string otherAttributes;  // e.g. pivotButton="1", kept verbatim
  // apply* flags as read; derived formats set the ones they change.
  bool applyNumberFormat = false, applyFont = false, applyFill = false, applyBorder = false,
       applyAlignment = false, applyProtection = false;
  bool operator==(const Xf&) const = default;
  auto operator<=>(const Xf&) const = default;
};

class StyleTable {
 public:
  // A table for a new workbook: one default font, the two required fills
  // (none, gray125), one empty border, one cell format.
  static StyleTable Default();

  std::vector<Xf> xfs;
  std::vector<Fill> fills;
  std::vector<Border> borders;
  std::map<int, std::string> numFmts;  // custom number formats, id -> format code
  int fontCount = 1;                   // fonts are never added, only referred to
  // Point size per font as the file gives it (0 where it gives none), so a
  // layout can size columns and rows to the text.
  std::vector<double> fontSizes;
  double FontSize(int fontId) const;  // of the font, else the default font's, else 11

  // How many entries came from the file; everything at or above is new and is
  // appended by the writer.
  size_t loadedXfs = 0, loadedFills = 0, loadedBorders = 0;
  std::map<int, std::string> loadedNumFmts;

  // Appends (or finds an identical earlier) entry and returns its index.
  int AddXf(const Xf& xf);
  int AddFill(const Fill& fill);
  int AddBorder(const Border& border);
  // Built-in ids for the codes the spreadsheet knows ("General" 0, "0" 1,
  // "0.00" 2 ...), otherwise a custom id from 164 on.
  int NumFmtId(const std::string& formatCode);
  std::string NumFmtCode(int id) const;  // "" if unknown

  bool Changed() const;  // anything appended since load

  // The xf that results from applying one change to `oldXf`, remembered per
  // (oldXf, change) so painting a large table derives each format only once.
  // `change` is a key the caller makes unique per kind and argument of change;
  // `derive` edits a copy of the old xf (and may add fills or borders).
  template <typename Derive>
  int DerivedXf(int oldXf, int64_t change, Derive&& derive) {
    // A table's cells mostly share a format: the same change comes in a row.
    if (lastDerived_.change == change && lastDerived_.oldXf == oldXf) return lastDerived_.index;
    auto key = std::make_pair(oldXf, change);
    auto it = derived_.find(key);
    if (it != derived_.end()) {
      lastDerived_ = {oldXf, change, it->second};
      return it->second;
    }
    if (oldXf < 0 || static_cast<size_t>(oldXf) >= xfs.size()) {
      throw HostError("Format", "", "cell format " + std::to_string(oldXf) + " does not exist");
    }
    Xf xf = xfs[static_cast<size_t>(oldXf)];
    derive(xf);
    int index = xf == xfs[static_cast<size_t>(oldXf)] ? oldXf : AddXf(xf);
    derived_.emplace(key, index);
    lastDerived_ = {oldXf, change, index};
    return index;
  }

 private:
  std::map<Xf, int> xfIndex_;
  std::map<Fill, int> fillIndex_;
  std::map<Border, int> borderIndex_;
  std::map<std::pair<int, int64_t>, int> derived_;
  struct {
    int oldXf = -1;
    int64_t change = 0;
    int index = 0;
  } lastDerived_;
  // Entries below these counts are in the indexes; the rest are indexed on the
  // next Add (a backend appends loaded entries straight to the vectors).
  size_t xfsIndexed_ = 0, fillsIndexed_ = 0, bordersIndexed_ = 0;
  void IndexIfNeeded();
  bool indexed_ = false;
};

// Classic 56-colour palette: ColorIndex n (1..56) is indexed="n+7" in the file.
ColorRef PaletteColor(int colorIndex);
// RRGGBB of the default palette entry for ColorIndex n (1..56).
const char* PaletteRgb(int colorIndex);

}  // namespace host
