#include "report/ErrorLog.h"

#include <cstdint>

#include "report/Formatting.h"

namespace report {

namespace sheet = msg::sheet;

void ErrorSheetFormat(RunContext& ctx, host::Worksheet& dst) {
  dst.Activate();
  ClearSheet(*ctx.ExcelApp);
  TitleCell(dst).Offset(-1, 0).SetValue(sheet::kErrorLogTitle);
  host::Range heads = Anchor(dst).Offset(-1, 0);
  heads.SetValue(sheet::kErrorCodeHead);
  heads.Offset(0, 1).SetValue(sheet::kVarietyHead);
  heads.Offset(0, 2).SetValue(sheet::kMarkerHead);
}

void ErrorOut(RunContext& ctx, std::string_view message, int variety, int marker) {
  store::GenotypeStore& s = *ctx.store;
  const int r = s.ErrorRow;
  if (s.ErrorRow < INT32_MAX) ++s.ErrorRow;
  // Rows past the sheet's last row cannot be written; they are still counted,
  // so the run knows that problems were found.
  host::Worksheet* log = ctx.sheets.ErrSheet;
  if (!log) return;
  const host::Range anchor = Anchor(*log);
  if (r > host::kMaxRows - anchor.Row()) return;
  host::Range row = anchor.Offset(r, 0);
  PutText(row, message);
  if (variety >= 0 && variety <= store::kMaxVarieties)
    PutText(row.Offset(0, 1), s.VarietyName[variety]);
  if (marker >= 0 && marker <= store::kMaxMarkers) PutText(row.Offset(0, 2), s.MarkerName[marker]);
}

}  // namespace report
