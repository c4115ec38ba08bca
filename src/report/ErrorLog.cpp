#include "report/ErrorLog.h"

#include <cstdint>

#include "report/Formatting.h"

namespace report {

namespace texts = msg::sheet;

void LayOutErrorLog(RunContext& ctx, host::Worksheet& dst) {
  dst.Activate();
  ClearResultSheet(*ctx.app);
  TitleCell(dst).Offset(-1, 0).SetValue(texts::kErrorLogTitle);
  host::Range heads = Anchor(dst).Offset(-1, 0);
  heads.SetValue(texts::kErrorCodeHead);
  heads.Offset(0, 1).SetValue(texts::kVarietyHead);
  heads.Offset(0, 2).SetValue(texts::kMarkerHead);
  heads.Offset(0, 3).SetValue(texts::kCellHead);
  heads.Offset(0, 4).SetValue(texts::kFoundHead);
}

namespace {

// The address of the source cell as the spreadsheet shows it ("F27") and the
// text the reading found there, read again from the source sheet: the run
// never writes into the table, so it is still the text the store was read from.
void WritePlace(const RunContext& ctx, const host::Range& row, const store::TablePlace& at) {
  host::Worksheet* source = ctx.sheets.source;
  if (!source) return;
  const host::Range cell = Anchor(*source).Offset(at.row, at.column);
  PutText(row.Offset(0, 3), cell.Address());
  PutText(row.Offset(0, 4), cell.Text());
}

}  // namespace

void LogFindings(RunContext& ctx, const store::Finding& found) {
  ErrorLogState& log = ctx.errors;
  log.problems.Raise(found.problem);
  const int r = log.rows;
  if (log.rows < INT32_MAX) ++log.rows;
  // Rows past the sheet's last row cannot be written; they are still counted,
  // so the run knows that problems were found.
  host::Worksheet* sheet = ctx.sheets.errorLog;
  if (!sheet) return;
  const host::Range anchor = Anchor(*sheet);
  if (r > host::kMaxRows - anchor.Row()) return;
  const host::Range row = anchor.Offset(r, 0);
  PutText(row, store::ProblemText(found.problem));
  if (found.at) WritePlace(ctx, row, *found.at);
  if (!ctx.store) return;
  PutText(row.Offset(0, 1), ctx.store->VarietyName(found.variety));
  PutText(row.Offset(0, 2), ctx.store->MarkerName(found.marker));
}

void LogFindings(RunContext& ctx, const store::Findings& found) {
  for (const store::Finding& f : found) LogFindings(ctx, f);
}

}  // namespace report
