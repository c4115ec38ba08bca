#include "report/Formatting.h"

namespace report {

void Kaiten(host::Application& app) {
  host::Worksheet& sheet = app.ActiveSheet();
  // The corner cell stays as it is; only the heads to its right turn.
  app.ActiveCell().Offset(0, 1).Select();
  sheet.GetRange(app.Selection(), app.Selection().End(host::Direction::Right)).Select();
  host::Range heads = app.Selection();
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
