#include <vector>

#include "report/Formatting.h"

namespace report {

void DrawThinGrid(const host::Range& corner) {
  host::Worksheet& sheet = corner.Sheet();
  // The block's extent is read off the sheet: its head row and first column.
  const host::Range heads = sheet.GetRange(corner, corner.End(host::xlToRight));
  host::Range block = sheet.GetRange(heads, corner.End(host::xlDown));
  using Attribute = host::Range::BorderAttribute;
  std::vector<host::Range::BorderSetting> frame{
      {host::xlDiagonalUp, Attribute::kLineStyle, host::xlNone}};
  for (int index : {host::xlEdgeLeft, host::xlEdgeTop, host::xlEdgeBottom, host::xlEdgeRight,
                    host::xlInsideVertical, host::xlInsideHorizontal}) {
    frame.push_back({index, Attribute::kLineStyle, host::xlContinuous});
    frame.push_back({index, Attribute::kWeight, host::xlThin});
    frame.push_back({index, Attribute::kColorIndex, host::xlAutomatic});
  }
  block.SetBorders(frame);
}

void FrameTable(const host::Range& corner, bool ruled) {
  if (ruled) DrawThinGrid(corner);
  TurnHeadTexts(corner);
}

}  // namespace report
