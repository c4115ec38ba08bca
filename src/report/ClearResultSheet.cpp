#include "report/Formatting.h"

namespace report {

void ClearResultSheet(host::Worksheet& sheet) {
  host::Range cells = sheet.Cells();
  cells.ClearContents();
  for (int index :
       {host::xlDiagonalDown, host::xlDiagonalUp, host::xlEdgeLeft, host::xlEdgeTop,
        host::xlEdgeBottom, host::xlEdgeRight, host::xlInsideVertical, host::xlInsideHorizontal}) {
    cells.SetBorderLineStyle(index, host::xlNone);
  }
  cells.SetInteriorColorIndex(host::xlNone);
}

}  // namespace report
