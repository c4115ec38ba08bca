#include "report/ErrorLog.h"

#include <cstdint>

#include "report/Formatting.h"

namespace report {

namespace texts = msg::sheet;

void ErrorSheetFormat(RunContext& ctx, host::Worksheet& dst) {
  dst.Activate();
  ClearSheet(*ctx.ExcelApp);
  TitleCell(dst).Offset(-1, 0).SetValue(texts::kErrorLogTitle);
  host::Range heads = Anchor(dst).Offset(-1, 0);
  heads.SetValue(texts::kErrorCodeHead);
  heads.Offset(0, 1).SetValue(texts::kVarietyHead);
  heads.Offset(0, 2).SetValue(texts::kMarkerHead);
}

void ErrorOut(RunContext& ctx, const store::Finding& found) {
  ErrorLogState& log = ctx.errors;
  log.problems.Raise(found.problem);
  const int r = log.ErrorRow;
  if (log.ErrorRow < INT32_MAX) ++log.ErrorRow;
  // Rows past the sheet's last row cannot be written; they are still counted,
  // so the run knows that problems were found.
  host::Worksheet* sheet = ctx.sheets.ErrSheet;
  if (!sheet) return;
  const host::Range anchor = Anchor(*sheet);
  if (r > host::kMaxRows - anchor.Row()) return;
  const host::Range row = anchor.Offset(r, 0);
  PutText(row, store::ProblemText(found.problem));
  if (!ctx.store) return;
  PutText(row.Offset(0, 1), ctx.store->VarietyName(found.variety));
  PutText(row.Offset(0, 2), ctx.store->MarkerName(found.marker));
}

void ErrorOut(RunContext& ctx, const store::Findings& found) {
  for (const store::Finding& f : found) ErrorOut(ctx, f);
}

}  // namespace report
