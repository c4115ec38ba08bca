// The combination sheet (.cmb): for every two varieties, the number of markers
// that tell them apart, coloured when few markers do.
#include "report/PairSheet.h"

#include <string>
#include <string_view>

#include "analysis/PairMatrix.h"
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

}  // namespace

CellPosition PairCell(int r, int c, int varietyCount) {
  const int band = (c - 1) / kBandWidth;
  return {4 + band * (varietyCount + 2) + r, 3 + (c - 1) % kBandWidth};
}

int BandCount(int varietyCount) {
  return (varietyCount + kBandWidth - 1) / kBandWidth;
}

void LayOutPairSheet(RunContext& ctx, host::Worksheet& src, host::Worksheet& dst) {
  host::Application& app = *ctx.app;
  const store::GenotypeStore& s = *ctx.store;
  const int n = s.VarietyCount();

  StartSheet(app, dst, texts::kCmb);
  // The source's title cell, value and formatting.
  CopyBlock(app, src, TitleCell(src), dst, TitleCell(dst));

  const int bands = BandCount(n);
  host::Range corner = Anchor(dst);
  for (int b = 1; b <= bands; ++b) {
    corner.SetValue(texts::kTableCorner);
    const int first = (b - 1) * kBandWidth + 1;
    const int last = b * kBandWidth;
    for (int r = 1; r <= n; ++r) {
      const std::string& name = s.VarietyName(r);
      corner.Offset(r, 0).SetValue(std::string_view(name));
      if (r >= first && r <= last) {
        corner.Offset(0, (r - 1) % kBandWidth + 1).SetValue(std::string_view(name));
      }
    }
    FrameTable(app, corner, true);
    corner = corner.Offset(n + 2, 0);
  }
  FreezeHeads(dst);

  // The legend names the colours of the counts 0 to 3, each word on its colour.
  int row = 0;
  for (const texts::LegendLine& line : texts::kCmbLegend) {
    corner.Offset(row, 0).SetValue(line.colour);
    FillCell(corner.Offset(row, 0), PairColour(row));
    corner.Offset(row, 1).SetValue(line.meaning);
    ++row;
  }
}

void WritePairCounts(RunContext& ctx) {
  if (ctx.sheets.pairs == nullptr) {
    throw host::HostError("WritePairCounts", "", "the combination sheet is not open");
  }
  host::Worksheet& sheet = *ctx.sheets.pairs;
  // Count every pair first, then write the matrix row by row: the sheet's
  // rows then grow left to right instead of jumping between two rows a pair.
  const analysis::PairMatrix pairs = analysis::CountDistinguishingMarkers(
      *ctx.store, [&ctx](int i, int j) { ctx.Comment(msg::PairComment(i, j)); });
  const int n = pairs.VarietyCount();
  for (int r = 1; r <= n; ++r) {
    for (int c = 1; c <= n; ++c) {
      if (r == c) {
        FillBandedCell(sheet, r, r, Palette::Grey, n);  // the diagonal stays without a number
        continue;
      }
      const int d = pairs.Distinguishing(r, c);
      const CellPosition cell = PairCell(r, c, n);
      sheet.Cell(cell.row, cell.column).SetValue(d);
      const Palette colour = PairColour(d);
      if (colour != Palette::None) FillBandedCell(sheet, r, c, colour, n);
    }
  }
  sheet.Activate();
}

}  // namespace report
