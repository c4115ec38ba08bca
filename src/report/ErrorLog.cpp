#include "report/ErrorLog.h"

#include <cstdint>

#include "report/Formatting.h"

namespace report {

namespace texts = msg::sheet;

void LayOutErrorLog(host::Worksheet& sheet) {
  sheet.Activate();
  ClearResultSheet(sheet);
  TitleCell(sheet).Offset(-1, 0).SetValue(texts::kErrorLogTitle);
  host::Range heads = Anchor(sheet).Offset(-1, 0);
  heads.SetValue(texts::kErrorCodeHead);
  heads.Offset(0, 1).SetValue(texts::kVarietyHead);
  heads.Offset(0, 2).SetValue(texts::kMarkerHead);
  heads.Offset(0, 3).SetValue(texts::kCellHead);
  heads.Offset(0, 4).SetValue(texts::kFoundHead);
}

void ErrorLog::Write(const store::Finding& found, const store::GenotypeStore& store) {
  problems_.Raise(found.problem);
  const int r = rows_;
  if (rows_ < INT32_MAX) ++rows_;
  const host::Range anchor = Anchor(sheet_);
  if (r > host::kMaxRows - anchor.Row()) return;
  const host::Range row = anchor.Offset(r, 0);
  PutText(row, store::ProblemText(found.problem));
  if (found.at) {
    // The address as the spreadsheet shows it ("F27") and the text there: the
    // run never writes into the table, so it is the text the store was read from.
    const host::Range cell = Anchor(source_).Offset(found.at->row, found.at->column);
    PutText(row.Offset(0, 3), cell.Address());
    PutText(row.Offset(0, 4), cell.Text());
  }
  PutText(row.Offset(0, 1), store.VarietyName(found.variety));
  PutText(row.Offset(0, 2), store.MarkerName(found.marker));
}

void ErrorLog::Write(const store::Findings& found, const store::GenotypeStore& store) {
  for (const store::Finding& f : found) Write(f, store);
}

}  // namespace report
