#include "host/ErrorLog.h"

#include <cstdint>
#include <string_view>

#include "format/Format.h"

namespace host {
namespace {

// Writes a name exactly as read: an empty name leaves the cell empty, and a
// name that itself starts with an apostrophe keeps it (the host would take a
// single leading apostrophe as the text mark).
void PutText(Range cell, const std::string& text) {
  if (text.empty()) return;
  if (text.front() == '\'') {
    cell.SetValue(std::string_view("'" + text));
  } else {
    cell.SetValue(std::string_view(text));
  }
}

}  // namespace

void ErrorSheetFormat(RunContext& ctx, Worksheet& dst) {
  dst.Activate();
  format::ClearSheet(*ctx.ExcelApp);
  dst.GetRange("B2").Offset(-1, 0).SetValue("Error Log");
  Range corner = dst.GetRange("B4");
  corner.Offset(-1, 0).SetValue("Error Code");
  corner.Offset(-1, 1).SetValue("Caltivar");
  corner.Offset(-1, 2).SetValue("Marker");
}

void ErrorOut(RunContext& ctx, const std::string& message, int variety, int marker) {
  store::GenotypeStore& s = *ctx.store;
  const int r = s.ErrorRow;
  if (s.ErrorRow < INT32_MAX) ++s.ErrorRow;
  // Rows past the sheet's last row cannot be written; they are still counted,
  // so the run knows that problems were found.
  Worksheet* sheet = ctx.sheets.ErrSheet;
  if (!sheet) return;
  Range corner = sheet->GetRange("B4");
  if (r > kMaxRows - corner.Row()) return;
  Range row = corner.Offset(r, 0);
  PutText(row, message);
  if (variety >= 0 && variety <= store::kMaxVarieties)
    PutText(row.Offset(0, 1), s.VarietyName[variety]);
  if (marker >= 0 && marker <= store::kMaxMarkers) PutText(row.Offset(0, 2), s.MarkerName[marker]);
}

}  // namespace host
