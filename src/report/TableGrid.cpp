#include <vector>

#include "report/Formatting.h"

namespace report {

void DrawThinGrid(host::Application& app) {
  host::Worksheet& sheet = app.ActiveSheet();
  // The block's extent is read off the sheet: its header row and first column.
  app.ActiveCell().Select();
  sheet.GetRange(app.Selection(), app.Selection().End(host::xlToRight)).Select();
  sheet.GetRange(app.Selection(), app.Selection().TopLeft().End(host::xlDown)).Select();
  app.SetCutCopyMode(false);
  host::Range block = app.Selection();
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

void FrameTable(host::Application& app, const host::Range& corner, bool ruled) {
  if (ruled) {
    corner.Select();
    corner.Activate();
    DrawThinGrid(app);
  }
  corner.Select();
  corner.Activate();
  TurnHeadTexts(app);
}

}  // namespace report
