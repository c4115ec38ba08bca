#include "report/Layout.h"

#include <string>

#include "report/Formatting.h"

namespace report {

void PutText(host::Range cell, std::string_view text) {
  if (text.empty()) return;
  if (text.front() == '\'') {
    cell.SetValue(std::string_view("'" + std::string(text)));
  } else {
    cell.SetValue(text);
  }
}

void FillCell(const host::Range& cell, Palette colour) {
  cell.SetInteriorColorIndex(static_cast<int>(colour));
  cell.SetInteriorPattern(host::xlSolid);
}

void FreezeHeads(host::Worksheet& sheet) {
  const host::Range firstValue = Anchor(sheet).Offset(1, 1);
  sheet.FreezePanes(firstValue.Row(), firstValue.Column());
}

void StartSheet(host::Application& app, host::Worksheet& dst, const msg::sheet::SheetTitle& title) {
  dst.Activate();
  ClearResultSheet(app);
  host::Range kind = TitleCell(dst).Offset(-1, 0);
  kind.SetValue(title.kind);
  kind.Offset(0, 1).SetValue(title.description);
}

namespace {

// Select and copy `from`, then select `to` on the activated dst.
void CopyAndSelect(host::Application& app, host::Worksheet& src, const host::Range& from,
                   host::Worksheet& dst, const host::Range& to) {
  src.Activate();
  from.Select();
  app.SetCutCopyMode(false);
  from.Copy();
  dst.Activate();
  to.Select();
}

}  // namespace

void CopyBlock(host::Application& app, host::Worksheet& src, const host::Range& from,
               host::Worksheet& dst, const host::Range& to) {
  CopyAndSelect(app, src, from, dst, to);
  dst.Paste();
}

void CopyValues(host::Application& app, host::Worksheet& src, const host::Range& from,
                host::Worksheet& dst, const host::Range& to) {
  CopyAndSelect(app, src, from, dst, to);
  to.PasteSpecial(host::xlPasteValues);
  app.SetCutCopyMode(false);
}

}  // namespace report
