// The conversion stage's sheets: each marker's conversion and statistics
// blocks, then its notations and totals, one sheet after another.
#include "report/Conversion.h"

#include <string>
#include <string_view>
#include <vector>

#include "analysis/Conversion.h"
#include "messages/InterfaceTexts.h"
#include "report/ErrorLog.h"
#include "report/Formatting.h"
#include "report/Information.h"
#include "report/SheetFit.h"

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
  if (dist <= 2) return Palette::Red;  // a negative distance too
  if (dist <= 4) return Palette::Yellow;
  return Palette::None;  // 5 or more: no fill
}

// One conversion sheet written whole: `put(w, v, m, code)` writes the cell
// of each typed genotype, row by row; `counted` sheets get each marker's
// counts and the totals.
template <typename Put>
void WriteConversionSheet(const GenotypeStore& s, host::Worksheet* sheet, bool counted, Put&& put) {
  SheetWriter w(sheet);
  if (!w.Present()) return;
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    for (int m = 1; m <= s.MarkerCount(); ++m) {
      const std::u16string& code = s.Cell(v, m);
      if (!code.empty()) put(w, v, m, code);
    }
  }
  if (!counted) return;
  for (int m = 1; m <= s.MarkerCount(); ++m) WriteMarkerCounts(w, s, m);
  WriteTotals(w, s);
}

// Nothing writes to the sheet again: it is laid out and compresses while
// the run writes the next.
void FitAndFinish(host::Worksheet* sheet) {
  if (sheet == nullptr) return;
  FitSheet(*sheet);
  sheet->Finish();
}

}  // namespace

void AdaptSSR(RunContext& ctx) {
  GenotypeStore& s = *ctx.store;
  RunSheets& h = ctx.sheets;
  std::vector<analysis::SsrMarker> results;
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    ctx.Comment(msg::MarkerNameComment(m, s.MarkerName(m)));
    results.push_back(analysis::ConvertSsrMarker(s, m));
    ErrorOut(ctx, results.back().findings);
    InformationOut(ctx, m);
  }
  // The statistics are complete; each notation is then written whole
  // before the next. The character sheet is finished by the run: the 0/1
  // sheets take its title.
  FitAndFinish(h.AllSheet);
  FitAndFinish(h.GntSheet);
  WriteConversionSheet(s, h.SsrSheet, true, [&](SheetWriter& w, int v, int m, const auto& code) {
    w.MarkedText(v, m, s.MakeGenoStr(m, code));
  });
  FitAndFinish(h.SsrSheet);
  WriteConversionSheet(s, h.TssrSheet, true, [&](SheetWriter& w, int v, int m, const auto& code) {
    w.MarkedText(v, m, analysis::TssrText(s, m, code, results[size_t(m - 1)].zeroPoint));
  });
  FitAndFinish(h.TssrSheet);
  WriteConversionSheet(s, h.PekSheet, false, [&](SheetWriter& w, int v, int m, const auto&) {
    const int dist = results[size_t(m - 1)].distances[size_t(v - 1)];
    w.Number(v, m, dist);
    const Palette colour = PekColour(dist);
    if (colour != Palette::None) PaintCell(*h.PekSheet, v, m, colour, s.VarietyCount());
  });
  FitAndFinish(h.PekSheet);
  WriteConversionSheet(s, h.ChrSheet, true, [&](SheetWriter& w, int v, int m, const auto& code) {
    w.Text(v, m, store::ToUtf8(code));
  });
}

void CountChr(RunContext& ctx) {
  GenotypeStore& s = *ctx.store;
  SheetWriter chr(ctx.sheets.ChrSheet);
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
