#include "report/Conversion.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

#include "messages/InterfaceTexts.h"
#include "report/ErrorLog.h"
#include "report/Formatting.h"
#include "report/Information.h"

namespace report {
namespace {

using host::Range;
using store::GenotypeStore;

// Cell (v, m) of a conversion sheet is B4 moved by (v, m); a missing sheet
// (character data has no .ssr, .tssr or .pek) simply takes no writes.
class SheetWriter {
 public:
  explicit SheetWriter(host::Worksheet* sheet) {
    if (sheet) corner_.emplace_back(Anchor(*sheet));
  }
  bool Present() const { return !corner_.empty(); }
  void Number(int r, int c, int value) const {
    if (Present()) corner_[0].Offset(r, c).SetValue(value);
  }
  // Text exactly as given: a text of its own starting with an apostrophe
  // keeps it, since the host takes one leading apostrophe as the text mark.
  void Text(int r, int c, const std::string& text) const {
    if (Present()) PutText(corner_[0].Offset(r, c), text);
  }
  // Text that already carries the host's leading apostrophe.
  void MarkedText(int r, int c, const std::string& text) const {
    if (Present()) corner_[0].Offset(r, c).SetValue(std::string_view(text));
  }

 private:
  std::vector<Range> corner_;  // zero or one; Range has no empty state
};

// The totals block under the data block of N varieties: allele and genotype
// counts per marker, then the marker and variety counts in column C.
void WriteMarkerCounts(const SheetWriter& w, const GenotypeStore& s, int m) {
  const int n = s.VarietyCount;
  w.Number(n + 2, m, s.AlleleNum[m]);
  w.Number(n + 3, m, s.GenoNum[m]);
}

void WriteTotals(const SheetWriter& w, const GenotypeStore& s) {
  const int n = s.VarietyCount;
  w.Number(n + 4, 1, s.MarkerCount);
  w.Number(n + 5, 1, s.VarietyCount);
}

// Separate that tells a part that is not a number from a real size of 10000,
// which the store represents by the same value.
int16_t SeparatePart(GenotypeStore& s, std::u16string& d, bool& nonNumeric) {
  const int16_t before = s.NonNumericFlag;
  s.NonNumericFlag = store::kFalse;
  const int16_t x = s.Separate(d);
  nonNumeric = s.NonNumericFlag == store::kTrue;
  s.NonNumericFlag = nonNumeric ? store::kTrue : before;
  return x;
}

// The reference size of the .tssr sheet: the smaller of the first two parts of
// the first variety typed at marker m. Looking it up raises no flag: a missing
// second part is a single allele, already reported by the cell pass.
int ZeroPoint(GenotypeStore& s, int m) {
  for (int v = 1; v <= s.VarietyCount; ++v) {
    if (s.SourceData(v, m).empty()) continue;
    const int16_t flag = s.NonNumericFlag;
    std::u16string d = s.SourceData(v, m);
    const int16_t a = s.Separate(d);
    const int16_t b = s.Separate(d);
    s.NonNumericFlag = flag;
    return std::min(a, b);
  }
  return store::kNonNumeric;  // nobody typed: no cell will use it
}

Palette PekColour(int dist) {
  if (dist == 0) return Palette::Grey;
  if (dist < 0 || dist <= 2) return Palette::Red;
  if (dist <= 4) return Palette::Yellow;
  return Palette::None;  // 5 or more: no fill
}

std::u16string MakeChr(const std::u16string& gt, char16_t d) {
  std::u16string out = gt;
  const auto at = std::find_if(out.begin(), out.end(), [d](char16_t c) { return c > d; });
  out.insert(at, d);
  return out;
}

std::string MakeTSSR(const store::GenotypeStore& store, int m, const std::u16string& gt, int x) {
  const std::u16string& alphabet = store::AlleleAlphabet();
  std::string out = "'";
  for (size_t i = 0; i < gt.size(); ++i) {
    if (i > 0) out += '/';
    const size_t pos = alphabet.find(gt[i]);
    const int k = pos == std::u16string::npos ? 0 : static_cast<int>(pos) + 1;
    // Plain int: a size minus the zero point may leave the 16-bit range.
    const int diff = static_cast<int>(store.AlleleValue[m][k]) - x;
    if (diff > 0) out += '+';
    out += std::to_string(diff);
  }
  return out;
}

}  // namespace

void AdaptSSR(RunContext& ctx) {
  GenotypeStore& s = *ctx.store;
  RunSheets& h = ctx.sheets;
  if (h.SrcSheet) h.SrcSheet->Activate();
  const SheetWriter ssr(h.SsrSheet), tssr(h.TssrSheet), pek(h.PekSheet), chr(h.ChrSheet);
  const int n = s.VarietyCount;

  for (int m = 1; m <= s.MarkerCount; ++m) {
    ctx.Comment(msg::MarkerNameComment(m, s.MarkerName[m]));

    // Every allele of the marker first, so that the symbols given below are
    // the final ranks of the sizes.
    for (int v = 1; v <= n; ++v) {
      if (s.SourceData(v, m).empty()) continue;
      std::u16string d = s.SourceData(v, m);
      while (!d.empty()) {
        bool nonNumeric = false;
        const int16_t x = SeparatePart(s, d, nonNumeric);
        s.AlleleAdd(m, x);
        if (nonNumeric) ErrorOut(ctx, msg::sheet::kNotNumeric, v, m);
      }
    }

    const int zero = ZeroPoint(s, m);

    for (int v = 1; v <= n; ++v) {
      if (s.SourceData(v, m).empty()) continue;
      std::u16string d = s.SourceData(v, m);
      std::u16string gt;
      int dist = 0;
      bool first = true;
      while (!d.empty()) {
        const int16_t x = s.Separate(d);
        const std::u16string symbol = s.SearchAllele(m, x);
        gt = MakeChr(gt, symbol.empty() ? u'*' : symbol[0]);
        // A first part is the distance of a single allele; later parts fold.
        dist = first ? x : std::abs(dist - x);
        first = false;
      }
      if (gt.size() != 2) {
        s.NotDiploidFlag = store::kTrue;
        ErrorOut(ctx, msg::sheet::kNotDiploid, v, m);
      }
      chr.Text(v, m, store::ToUtf8(gt));
      ssr.MarkedText(v, m, s.MakeGenoStr(m, gt));
      tssr.MarkedText(v, m, MakeTSSR(s, m, gt, zero));
      if (pek.Present()) {
        pek.Number(v, m, dist);
        const Palette colour = PekColour(dist);
        if (colour != Palette::None) PaintCell(*h.PekSheet, v, m, colour, n);
      }
      s.GenotypeAdd(m, gt);
      s.SourceData(v, m) = gt;
    }

    WriteMarkerCounts(ssr, s, m);
    WriteMarkerCounts(chr, s, m);
    WriteMarkerCounts(tssr, s, m);
    InformationOut(ctx, m);
  }

  WriteTotals(ssr, s);
  WriteTotals(chr, s);
  WriteTotals(tssr, s);
}

void CountChr(RunContext& ctx) {
  GenotypeStore& s = *ctx.store;
  const SheetWriter chr(ctx.sheets.ChrSheet);
  const int n = s.VarietyCount;

  for (int m = 1; m <= s.MarkerCount; ++m) {
    ctx.Comment(msg::MarkerNameComment(m, s.MarkerName[m]));

    for (int v = 1; v <= n; ++v) {
      const std::u16string& text = s.SourceData(v, m);
      if (text.empty()) continue;
      if (text.size() != 2) {
        s.NotDiploidFlag = store::kTrue;
        ErrorOut(ctx, msg::sheet::kNotDiploid, v, m);
      }
      for (const char16_t c : text) s.chrAlleleAdd(m, c);
    }

    for (int v = 1; v <= n; ++v) {
      std::u16string& text = s.SourceData(v, m);
      if (text.empty()) continue;
      std::u16string sorted = GenotypeStore::SortString(text);
      s.GenotypeAdd(m, sorted);
      chr.Text(v, m, store::ToUtf8(sorted));
      text = std::move(sorted);
    }

    WriteMarkerCounts(chr, s, m);
    InformationOut(ctx, m);
  }

  WriteTotals(chr, s);
}

}  // namespace report
