// The combination sheet (.cmb): for every two varieties, the number of markers
// that tell them apart, coloured when few markers do.
#include "report/PairSheet.h"

#include <string>
#include <string_view>

#include "analysis/PairMatrix.h"
#include "messages/InterfaceTexts.h"
#include "report/Bands.h"
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

void LayOutPairSheet(host::Worksheet& source, host::Worksheet& sheet,
                     const store::GenotypeStore& s) {
  const int n = s.VarietyCount();
  StartSheet(sheet, texts::kCmb);
  // The source's title cell, value and formatting.
  CopyBlock(source, TitleCell(source), sheet, TitleCell(sheet));

  const int bands = BandCount(n);
  const host::Range anchor = Anchor(sheet);
  for (int b = 0; b < bands; ++b) {
    const int first = b * kBandWidth + 1;  // the band's first column variety
    host::Range corner = anchor.Offset(BandedCell(0, first, n).row, 0);
    corner.SetValue(texts::kTableCorner);
    for (int r = 1; r <= n; ++r) corner.Offset(r, 0).SetValue(std::string_view(s.VarietyName(r)));
    for (int c = first; c < first + kBandWidth && c <= n; ++c) {
      const CellPosition head = BandedCell(0, c, n);
      anchor.Offset(head.row, head.column).SetValue(std::string_view(s.VarietyName(c)));
    }
    FrameTable(corner, true);
  }
  FreezeHeads(sheet);

  // Below the last band, the legend names the colours of the counts 0 to 3,
  // each word on its colour.
  const host::Range legend = anchor.Offset(bands * (n + 2), 0);
  int row = 0;
  for (const texts::LegendLine& line : texts::kCmbLegend) {
    legend.Offset(row, 0).SetValue(line.colour);
    FillCell(legend.Offset(row, 0), PairColour(row));
    legend.Offset(row, 1).SetValue(line.meaning);
    ++row;
  }
}

void WritePairCounts(host::Worksheet& sheet, const store::GenotypeStore& s, Progress& progress) {
  // Count every pair first, then write the matrix row by row: the sheet's
  // rows then grow left to right instead of jumping between two rows a pair.
  const analysis::PairMatrix pairs = analysis::CountDistinguishingMarkers(
      s, [&progress](int i, int j) { progress.Comment(msg::PairComment(i, j)); });
  const int n = pairs.VarietyCount();
  const host::Range anchor = Anchor(sheet);
  for (int r = 1; r <= n; ++r) {
    for (int c = 1; c <= n; ++c) {
      if (r == c) {
        FillBandedCell(sheet, r, r, Palette::Grey, n);  // the diagonal stays without a number
        continue;
      }
      const int d = pairs.Distinguishing(r, c);
      const CellPosition at = BandedCell(r, c, n);
      sheet.Cell(anchor.Row() + at.row, anchor.Column() + at.column).SetValue(d);
      const Palette colour = PairColour(d);
      if (colour != Palette::None) FillBandedCell(sheet, r, c, colour, n);
    }
  }
}

}  // namespace report
