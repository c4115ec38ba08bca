// The combination sheet (.cmb): for every two varieties, the number of markers
// that tell them apart, coloured when few markers do.
#include "report/Combination.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/HostError.h"
#include "messages/InterfaceTexts.h"
#include "report/Formatting.h"

namespace report {
namespace {

namespace texts = msg::sheet;

// The colour of an off-diagonal pair cell by its count.
Palette PairColour(int d) {
  switch (d) {
    case 0:
      return Palette::Red;
    case 1:
      return Palette::Yellow;
    case 2:
      return Palette::BrightGreen;
    case 3:
      return Palette::Turquoise;  // the legend's "Blue"
    default:
      return Palette::None;
  }
}

// Every cell text as a small integer per marker (equal texts get equal ids,
// the empty text id 0), packed four markers to a 64-bit word, so that the pair
// loop compares integers four at a time instead of strings. Laid out variety
// by variety, `words` words each; unused lanes stay 0 on every variety.
std::vector<uint64_t> GenotypeIds(const store::GenotypeStore& s, int words) {
  const int n = s.VarietyCount;
  std::vector<uint64_t> ids(static_cast<size_t>(n) * words, 0);
  std::unordered_map<std::u16string_view, uint64_t> seen;
  for (int m = 1; m <= s.MarkerCount; ++m) {
    seen.clear();
    const int word = (m - 1) / 4;
    const int shift = 16 * ((m - 1) % 4);
    for (int v = 1; v <= n; ++v) {
      const std::u16string& text = s.SourceData(v, m);
      if (text.empty()) continue;
      // At most 500 distinct texts per marker: ids fit 16 bits.
      const uint64_t id = seen.try_emplace(text, seen.size() + 1).first->second;
      ids[static_cast<size_t>(v - 1) * words + word] |= id << shift;
    }
  }
  return ids;
}

// The number of 16-bit lanes in which a and b differ.
int CountDifferences(const uint64_t* a, const uint64_t* b, int words) {
  constexpr uint64_t kLow15 = 0x7FFF7FFF7FFF7FFFull;
  constexpr uint64_t kHigh = 0x8000800080008000ull;
  uint64_t lanes = 0;  // four counters of at most 63 each
  for (int w = 0; w < words; ++w) {
    const uint64_t x = a[w] ^ b[w];
    // A lane's top bit ends up set exactly when the lane is not zero.
    lanes += ((x | ((x & kLow15) + kLow15)) & kHigh) >> 15;
  }
  return static_cast<int>((lanes * 0x0001000100010001ull) >> 48);
}

}  // namespace

CombinationLayout CombinationCell(int r, int c, int varietyCount) {
  const int band = (c - 1) / kCombinationBandWidth;
  return {4 + band * (varietyCount + 2) + r, 3 + (c - 1) % kCombinationBandWidth};
}

int CombinationBands(int varietyCount) {
  return (varietyCount + kCombinationBandWidth - 1) / kCombinationBandWidth;
}

void CombinationSheetFormat(RunContext& ctx, host::Worksheet& src, host::Worksheet& dst) {
  host::Application& app = *ctx.ExcelApp;
  const store::GenotypeStore& s = *ctx.store;
  const int n = s.VarietyCount;

  StartSheet(app, dst, texts::kCmb);
  // The source's title cell, value and formatting.
  CopyBlock(app, src, TitleCell(src), dst, TitleCell(dst));

  const int bands = CombinationBands(n);
  host::Range corner = Anchor(dst);
  for (int b = 1; b <= bands; ++b) {
    corner.SetValue(texts::kTableCorner);
    const int first = (b - 1) * kCombinationBandWidth + 1;
    const int last = b * kCombinationBandWidth;
    for (int r = 1; r <= n; ++r) {
      const std::string& name = s.VarietyName[r];
      corner.Offset(r, 0).SetValue(std::string_view(name));
      if (r >= first && r <= last) {
        corner.Offset(0, (r - 1) % kCombinationBandWidth + 1).SetValue(std::string_view(name));
      }
    }
    FrameTable(app, corner, true);
    corner = corner.Offset(n + 2, 0);
  }

  // The legend names the colours of the counts 0 to 3; its cells stay uncoloured.
  int row = 0;
  for (const texts::LegendLine& line : texts::kCmbLegend) {
    corner.Offset(row, 0).SetValue(line.colour);
    corner.Offset(row, 1).SetValue(line.meaning);
    ++row;
  }
}

void CombinationMake(RunContext& ctx) {
  const store::GenotypeStore& s = *ctx.store;
  if (ctx.sheets.CmbSheet == nullptr) {
    throw host::HostError("CombinationMake", "", "the combination sheet is not open");
  }
  host::Worksheet& sheet = *ctx.sheets.CmbSheet;
  const int n = s.VarietyCount;
  const int markers = s.MarkerCount;
  const int words = (markers + 3) / 4;
  const std::vector<uint64_t> ids = GenotypeIds(s, words);

  // Count every pair first, then write the matrix row by row: the sheet's
  // rows then grow left to right instead of jumping between two rows a pair.
  std::vector<uint8_t> counts(static_cast<size_t>(n + 1) * (n + 1), 0);
  for (int i = 1; i <= n; ++i) {
    const uint64_t* rowIds = ids.data() + static_cast<size_t>(i - 1) * words;
    for (int j = i; j <= n; ++j) {
      ctx.Comment(msg::PairComment(i, j));
      if (j == i) continue;
      const int d =
          CountDifferences(rowIds, ids.data() + static_cast<size_t>(j - 1) * words, words);
      counts[static_cast<size_t>(i) * (n + 1) + j] = static_cast<uint8_t>(d);
      counts[static_cast<size_t>(j) * (n + 1) + i] = static_cast<uint8_t>(d);
    }
  }

  for (int r = 1; r <= n; ++r) {
    for (int c = 1; c <= n; ++c) {
      if (r == c) {
        PaintCell(sheet, r, r, Palette::Grey, n);  // the diagonal stays without a number
        continue;
      }
      const int d = counts[static_cast<size_t>(r) * (n + 1) + c];
      const CombinationLayout cell = CombinationCell(r, c, n);
      sheet.Cell(cell.row, cell.column).SetValue(d);
      const Palette colour = PairColour(d);
      if (colour != Palette::None) PaintCell(sheet, r, c, colour, n);
    }
  }
  sheet.Activate();
}

}  // namespace report
