#include <vector>

#include "report/Formatting.h"

namespace report {

void DrawThinGrid(const host::Range& corner) {
  host::Worksheet& sheet = corner.Sheet();
  // The block's extent is read off the sheet: its head row and first column.
  const host::Range heads = sheet.GetRange(corner, corner.End(host::Direction::Right));
  host::Range block = sheet.GetRange(heads, corner.End(host::Direction::Down));
  std::vector<host::Range::BorderSetting> frame{{host::Edge::DiagonalUp, host::LineStyle::None}};
  for (host::Edge index : {host::Edge::Left, host::Edge::Top, host::Edge::Bottom, host::Edge::Right,
                           host::Edge::InsideVertical, host::Edge::InsideHorizontal}) {
    frame.push_back({index, host::LineStyle::Continuous});
    frame.push_back({index, host::BorderWeight::Thin});
    frame.push_back({index, host::ColorIndex::Automatic});
  }
  block.SetBorders(frame);
}

void FrameTable(const host::Range& corner, bool ruled) {
  if (ruled) DrawThinGrid(corner);
  TurnHeadTexts(corner);
}

}  // namespace report
