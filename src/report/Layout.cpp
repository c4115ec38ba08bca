#include "report/Layout.h"

#include <string>

#include "report/Formatting.h"

namespace report {

void PutText(host::Range cell, std::string_view text) {
  if (text.empty()) return;
  if (text.front() == '\'') {
    std::string quoted;
    quoted.reserve(text.size() + 1);
    quoted.append(1, '\'').append(text);
    cell.SetValue(std::string_view(quoted));
  } else {
    cell.SetValue(text);
  }
}

void FillCell(const host::Range& cell, Palette colour) {
  cell.SetInteriorColorIndex(static_cast<host::ColorIndex>(colour));
  cell.SetInteriorPattern(host::FillPattern::Solid);
}

void FreezeHeads(host::Worksheet& sheet) {
  const host::Range firstValue = Anchor(sheet).Offset(1, 1);
  sheet.FreezePanes(firstValue.Row(), firstValue.Column());
}

void MarkEmptyCorner(host::Worksheet& source) {
  host::Range corner = Anchor(source);
  if (corner.Text().empty()) corner.SetValue(msg::sheet::kTableCorner);
}

void StartSheet(host::Worksheet& sheet, const msg::sheet::SheetTitle& title) {
  sheet.Activate();
  ClearResultSheet(sheet);
  host::Range kind = TitleCell(sheet).Offset(-1, 0);
  kind.SetValue(title.kind);
  kind.Offset(0, 1).SetValue(title.description);
}

namespace {

// The host pastes at the selection of the sheet it shows: copy `from`, then
// show dst with `to` selected.
void CopyAndSelect(host::Worksheet& src, const host::Range& from, host::Worksheet& dst,
                   const host::Range& to) {
  host::Application& app = src.Parent().Parent();
  src.Activate();
  from.Select();
  app.SetCutCopyMode(false);
  from.Copy();
  dst.Activate();
  to.Select();
}

}  // namespace

void CopyBlock(host::Worksheet& src, const host::Range& from, host::Worksheet& dst,
               const host::Range& to) {
  CopyAndSelect(src, from, dst, to);
  dst.Paste();
}

void CopyValues(host::Worksheet& src, const host::Range& from, host::Worksheet& dst,
                const host::Range& to) {
  CopyAndSelect(src, from, dst, to);
  to.PasteSpecial(host::PasteKind::Values);
  src.Parent().Parent().SetCutCopyMode(false);
}

}  // namespace report
