// The conversion stage's sheets: each marker's conversion and statistics
// blocks, then its notations and totals, one sheet after another.
#include "report/Conversion.h"

#include <string>
#include <string_view>
#include <vector>

#include "analysis/Conversion.h"
#include "messages/InterfaceTexts.h"
#include "report/Bands.h"
#include "report/SheetFit.h"
#include "report/StatisticsSheets.h"

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
  w.Number(n + 2, m, s.Marker(m).AlleleCount());
  w.Number(n + 3, m, s.Marker(m).GenotypeCount());
}

void WriteTotals(SheetWriter& w, const GenotypeStore& s) {
  const int n = s.VarietyCount();
  w.Number(n + 4, 1, s.MarkerCount());
  w.Number(n + 5, 1, n);
}

Palette PeakDistanceColour(int dist) {
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

}  // namespace

store::Findings WriteSsrConversions(store::GenotypeStore& s, const ConversionSheets& sheets,
                                    Progress& progress) {
  store::Findings found;
  std::vector<analysis::SsrMarker> results;
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    progress.Comment(msg::MarkerNameComment(m, s.MarkerName(m)));
    results.push_back(analysis::ConvertSsrMarker(s, m));
    found.insert(found.end(), results.back().findings.begin(), results.back().findings.end());
    WriteMarkerStatistics(s, m, sheets.alleles, sheets.genotypes);
  }
  // The statistics are complete; each notation is then written whole
  // before the next.
  FitAndFinish(&sheets.alleles);
  FitAndFinish(&sheets.genotypes);
  WriteConversionSheet(s, sheets.ssr, true, [&](SheetWriter& w, int v, int m, const auto& code) {
    w.MarkedText(v, m, s.GenotypeText(m, code));
  });
  FitAndFinish(sheets.ssr);
  WriteConversionSheet(s, sheets.tssr, true, [&](SheetWriter& w, int v, int m, const auto& code) {
    w.MarkedText(v, m, analysis::RelativeSizeText(s, m, code, results[size_t(m - 1)].zeroPoint));
  });
  FitAndFinish(sheets.tssr);
  WriteConversionSheet(s, sheets.pek, false, [&](SheetWriter& w, int v, int m, const auto&) {
    const int dist = results[size_t(m - 1)].distances[size_t(v - 1)];
    w.Number(v, m, dist);
    const Palette colour = PeakDistanceColour(dist);
    if (colour != Palette::None) FillBandedCell(*sheets.pek, v, m, colour, s.VarietyCount());
  });
  FitAndFinish(sheets.pek);
  WriteConversionSheet(s, &sheets.chr, true, [&](SheetWriter& w, int v, int m, const auto& code) {
    w.Text(v, m, store::ToUtf8(code));
  });
  return found;
}

store::Findings WriteCharacterTally(store::GenotypeStore& s, const ConversionSheets& sheets,
                                    Progress& progress) {
  store::Findings found;
  SheetWriter chr(&sheets.chr);
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    progress.Comment(msg::MarkerNameComment(m, s.MarkerName(m)));
    const store::Findings tally = analysis::TallyCharacterMarker(s, m);
    found.insert(found.end(), tally.begin(), tally.end());
    for (int v = 1; v <= s.VarietyCount(); ++v) chr.Text(v, m, store::ToUtf8(s.Cell(v, m)));
    WriteMarkerCounts(chr, s, m);
    WriteMarkerStatistics(s, m, sheets.alleles, sheets.genotypes);
  }
  WriteTotals(chr, s);
  return found;
}

}  // namespace report
