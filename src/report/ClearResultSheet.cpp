#include "report/Formatting.h"

namespace report {

void ClearResultSheet(host::Worksheet& sheet) {
  host::Range cells = sheet.Cells();
  cells.ClearContents();
  for (host::Edge index : {host::Edge::DiagonalDown, host::Edge::DiagonalUp, host::Edge::Left,
                           host::Edge::Top, host::Edge::Bottom, host::Edge::Right,
                           host::Edge::InsideVertical, host::Edge::InsideHorizontal}) {
    cells.SetBorderLineStyle(index, host::LineStyle::None);
  }
  cells.SetInteriorColorIndex(host::ColorIndex::None);
}

}  // namespace report
