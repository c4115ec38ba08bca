// The frame of the four conversion sheets: title, marker heads, variety names
// and the labels of the totals block (or the colour legend of .pek).
#include <algorithm>
#include <iterator>

#include "report/Conversion.h"
#include "report/Formatting.h"

namespace report {
namespace {

namespace sheet = msg::sheet;

const sheet::SheetTitle& TitleOf(Notation notation) {
  switch (notation) {
    case Notation::Ssr:
      return sheet::kSsr;
    case Notation::Tssr:
      return sheet::kTssr;
    case Notation::Pek:
      return sheet::kPek;
    case Notation::Chr:
      break;
  }
  return sheet::kChr;
}

// `at` is the first cell two rows under the variety names.
void WriteTotalsLabels(host::Range at) {
  at.Offset(0, -1).SetValue(sheet::kNumberOf);
  at.SetValue(sheet::kAllele);
  at.Offset(1, 0).SetValue(sheet::kGenotype);
  at.Offset(2, 0).SetValue(sheet::kMarker);
  at.Offset(3, 0).SetValue(sheet::kCaltiver);
}

// The fills of the legend's colour words, in the legend's order.
constexpr Palette kPekLegendFill[] = {Palette::Grey, Palette::Red, Palette::Yellow};
static_assert(std::size(kPekLegendFill) == std::size(sheet::kPekLegend));

void WritePekLegend(const host::Range& at) {
  int row = 0;
  for (const sheet::LegendLine& line : sheet::kPekLegend) {
    at.Offset(row, 0).SetValue(line.colour);
    FillCell(at.Offset(row, 0), kPekLegendFill[row]);
    at.Offset(row, 1).SetValue(line.meaning);
    ++row;
  }
}

}  // namespace

void LayOutNotationSheet(host::Worksheet& src, host::Worksheet& dst, Notation notation) {
  StartSheet(dst, TitleOf(notation));
  CopyBlock(src, TitleCell(src), dst, TitleCell(dst));

  // The marker row and the variety column are copied only as far as the store
  // takes them (250 markers, 500 varieties), so that the totals block written
  // under the converted rows meets its labels.
  const host::Range srcCorner = Anchor(src);
  const host::Range firstMarker = srcCorner.Offset(0, 1);
  const host::Range markerEnd = firstMarker.End(host::Direction::Right);
  const int lastColumn = std::min(markerEnd.Column(), srcCorner.Column() + store::kMaxMarkers);
  CopyBlock(src, src.GetRange(firstMarker, src.Cell(firstMarker.Row(), lastColumn)), dst,
            Anchor(dst).Offset(0, 1));

  const host::Range varietyEnd = srcCorner.End(host::Direction::Down);
  const int lastRow = std::min(varietyEnd.Row(), srcCorner.Row() + store::kMaxVarieties);
  CopyBlock(src, src.GetRange(srcCorner, src.Cell(lastRow, srcCorner.Column())), dst, Anchor(dst));

  const host::Range dstCorner = Anchor(dst);
  host::Range below = dstCorner.End(host::Direction::Down).Offset(2, 0);
  if (notation == Notation::Pek) {
    WritePekLegend(below);
  } else {
    WriteTotalsLabels(below);
  }
  FrameTable(dstCorner, notation == Notation::Pek);
  FreezeHeads(dst);
}

}  // namespace report
