#include "report/Formatting.h"

namespace report {

void TurnHeadTexts(host::Application& app) {
  host::Worksheet& sheet = app.ActiveSheet();
  // The corner cell stays as it is; only the heads to its right turn.
  app.ActiveCell().Offset(0, 1).Select();
  sheet.GetRange(app.Selection(), app.Selection().End(host::xlToRight)).Select();
  host::Range heads = app.Selection();
  heads.SetHorizontalAlignment(host::xlCenter);
  heads.SetVerticalAlignment(host::xlCenter);
  heads.SetWrapText(false);
  heads.SetOrientation(-90);
  heads.SetAddIndent(false);
  heads.SetIndentLevel(0);
  heads.SetShrinkToFit(true);
  heads.SetReadingOrder(host::xlContext);
  heads.SetMergeCells(false);
}

}  // namespace report
