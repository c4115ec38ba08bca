// The conversion stage's sheets: each marker's notations and totals as the
// conversion of that marker gives them, then its statistics blocks.
#include "report/Conversion.h"

#include <string>
#include <string_view>
#include <vector>

#include "analysis/Conversion.h"
#include "messages/InterfaceTexts.h"
#include "report/ErrorLog.h"
#include "report/Formatting.h"
#include "report/Information.h"

namespace report {
namespace {

using store::GenotypeStore;

// Cell (v, m) of a conversion sheet is the anchor moved by (v, m); a missing
// sheet (character data has no .ssr, .tssr or .pek) simply takes no writes.
class SheetWriter {
 public:
  explicit SheetWriter(host::Worksheet* sheet) {
    if (sheet) anchor_.emplace_back(Anchor(*sheet));
  }
  bool Present() const { return !anchor_.empty(); }
  // Room for a row of `columns` cells beside each variety's name: the table
  // is written column by column, and rows that grow a cell at a time spent
  // much of the run copying themselves.
  void ReserveRows(int rows, int columns) {
    if (!Present()) return;
    host::CellStore& store = anchor_[0].Sheet().Store();
    for (int r = 1; r <= rows; ++r)
      store.ReserveRow(anchor_[0].Row() + r, static_cast<size_t>(columns) + 1);
  }
  void Number(int r, int c, int value) {
    if (Present()) anchor_[0].Offset(r, c).SetValue(value);
  }
  void Text(int r, int c, std::string_view text) {
    if (Present()) PutText(anchor_[0].Offset(r, c), text);
  }
  // Text that already carries the host's leading apostrophe.
  void MarkedText(int r, int c, std::string_view text) {
    if (Present()) anchor_[0].Offset(r, c).SetValue(text);
  }

 private:
  std::vector<host::Range> anchor_;  // zero or one; Range has no empty state
};

// The totals block under the data block of N varieties: allele and genotype
// counts per marker, then the marker and variety counts in column C.
void WriteMarkerCounts(SheetWriter& w, const GenotypeStore& s, int m) {
  const int n = s.VarietyCount();
  w.Number(n + 2, m, s.Marker(m).AlleleNum());
  w.Number(n + 3, m, s.Marker(m).GenoNum());
}

void WriteTotals(SheetWriter& w, const GenotypeStore& s) {
  const int n = s.VarietyCount();
  w.Number(n + 4, 1, s.MarkerCount());
  w.Number(n + 5, 1, n);
}

Palette PekColour(int dist) {
  if (dist == 0) return Palette::Grey;
  if (dist < 0 || dist <= 2) return Palette::Red;
  if (dist <= 4) return Palette::Yellow;
  return Palette::None;  // 5 or more: no fill
}

struct SsrWriters {
  SheetWriter ssr, tssr, pek, chr;
};

void WriteSsrMarker(RunContext& ctx, SsrWriters& w, int m, const analysis::SsrMarker& result) {
  const GenotypeStore& s = *ctx.store;
  const int n = s.VarietyCount();
  for (int v = 1; v <= n; ++v) {
    const std::u16string& code = s.Cell(v, m);
    if (code.empty()) continue;
    const int dist = result.distances[v - 1];
    w.chr.Text(v, m, store::ToUtf8(code));
    w.ssr.MarkedText(v, m, s.MakeGenoStr(m, code));
    w.tssr.MarkedText(v, m, analysis::TssrText(s, m, code, result.zeroPoint));
    if (w.pek.Present()) {
      w.pek.Number(v, m, dist);
      const Palette colour = PekColour(dist);
      if (colour != Palette::None) PaintCell(*ctx.sheets.PekSheet, v, m, colour, n);
    }
  }
  for (SheetWriter* counted : {&w.ssr, &w.chr, &w.tssr}) WriteMarkerCounts(*counted, s, m);
}

}  // namespace

void AdaptSSR(RunContext& ctx) {
  GenotypeStore& s = *ctx.store;
  RunSheets& h = ctx.sheets;
  SsrWriters w{SheetWriter(h.SsrSheet), SheetWriter(h.TssrSheet), SheetWriter(h.PekSheet),
               SheetWriter(h.ChrSheet)};
  for (SheetWriter* sheet : {&w.ssr, &w.tssr, &w.pek, &w.chr})
    sheet->ReserveRows(s.VarietyCount(), s.MarkerCount());
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    ctx.Comment(msg::MarkerNameComment(m, s.MarkerName(m)));
    const analysis::SsrMarker result = analysis::ConvertSsrMarker(s, m);
    ErrorOut(ctx, result.findings);
    WriteSsrMarker(ctx, w, m, result);
    InformationOut(ctx, m);
  }
  for (SheetWriter* counted : {&w.ssr, &w.chr, &w.tssr}) WriteTotals(*counted, s);
}

void CountChr(RunContext& ctx) {
  GenotypeStore& s = *ctx.store;
  SheetWriter chr(ctx.sheets.ChrSheet);
  chr.ReserveRows(s.VarietyCount(), s.MarkerCount());
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    ctx.Comment(msg::MarkerNameComment(m, s.MarkerName(m)));
    ErrorOut(ctx, analysis::TallyChrMarker(s, m));
    for (int v = 1; v <= s.VarietyCount(); ++v) chr.Text(v, m, store::ToUtf8(s.Cell(v, m)));
    WriteMarkerCounts(chr, s, m);
    InformationOut(ctx, m);
  }
  WriteTotals(chr, s);
}

}  // namespace report
