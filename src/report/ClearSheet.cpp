#include "report/Formatting.h"

namespace report {

void ClearSheet(host::Application& app) {
  host::Worksheet& sheet = app.ActiveSheet();
  sheet.Cells().Select();
  host::Range selection = app.Selection();
  selection.ClearContents();
  for (host::Edge index :
       {host::Edge::DiagonalDown, host::Edge::DiagonalUp, host::Edge::Left, host::Edge::Top,
        host::Edge::Bottom, host::Edge::Right, host::Edge::InsideVertical, host::Edge::InsideHorizontal}) {
    selection.SetBorderLineStyle(index, host::LineStyle::None);
  }
  selection.SetInteriorColorIndex(host::ColorIndex::None);
}

}  // namespace report
