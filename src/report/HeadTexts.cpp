#include "report/Formatting.h"

namespace report {

void TurnHeadTexts(const host::Range& corner) {
  // The corner cell stays as it is; only the heads to its right turn.
  const host::Range first = corner.Offset(0, 1);
  host::Range heads = corner.Sheet().GetRange(first, first.End(host::Direction::Right));
  heads.SetHorizontalAlignment(host::HorizontalAlignment::Center);
  heads.SetVerticalAlignment(host::VerticalAlignment::Center);
  heads.SetWrapText(false);
  heads.SetOrientation(-90);
  heads.SetAddIndent(false);
  heads.SetIndentLevel(0);
  heads.SetShrinkToFit(true);
  heads.SetReadingOrder(host::ReadingOrder::Context);
  heads.SetMergeCells(false);
}

}  // namespace report
