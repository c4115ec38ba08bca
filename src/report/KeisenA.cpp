#include <vector>

#include "report/Formatting.h"

namespace report {

void KeisenA(host::Application& app) {
  host::Worksheet& sheet = app.ActiveSheet();
  // The block's extent is read off the sheet: its header row and first column.
  app.ActiveCell().Select();
  sheet.GetRange(app.Selection(), app.Selection().End(host::Direction::Right)).Select();
  sheet.GetRange(app.Selection(), app.Selection().TopLeft().End(host::Direction::Down)).Select();
  app.SetCutCopyMode(false);
  host::Range block = app.Selection();
  std::vector<host::Range::BorderSetting> frame{
      {host::Edge::DiagonalUp, host::LineStyle::None}};
  for (host::Edge index : {host::Edge::Left, host::Edge::Top, host::Edge::Bottom, host::Edge::Right,
                    host::Edge::InsideVertical, host::Edge::InsideHorizontal}) {
    frame.push_back({index, host::LineStyle::Continuous});
    frame.push_back({index, host::BorderWeight::Thin});
    frame.push_back({index, host::ColorIndex::Automatic});
  }
  block.SetBorders(frame);
}

void FrameTable(host::Application& app, const host::Range& corner, bool ruled) {
  if (ruled) {
    corner.Select();
    corner.Activate();
    KeisenA(app);
  }
  corner.Select();
  corner.Activate();
  Kaiten(app);
}

}  // namespace report
