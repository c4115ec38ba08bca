#include "report/Formatting.h"

namespace report {

void ClearResultSheet(host::Application& app) {
  host::Worksheet& sheet = app.ActiveSheet();
  sheet.Cells().Select();
  host::Range selection = app.Selection();
  selection.ClearContents();
  for (int index :
       {host::xlDiagonalDown, host::xlDiagonalUp, host::xlEdgeLeft, host::xlEdgeTop,
        host::xlEdgeBottom, host::xlEdgeRight, host::xlInsideVertical, host::xlInsideHorizontal}) {
    selection.SetBorderLineStyle(index, host::xlNone);
  }
  selection.SetInteriorColorIndex(host::xlNone);
}

}  // namespace report
