// Allele and genotype statistics: per marker the allele frequencies, HE, HO
// and PIC on the .all sheet and the genotype frequencies on the .gnt sheet.
#include "report/Information.h"

#include <string>
#include <string_view>
#include <vector>

#include "report/Formatting.h"
#include "store/GenotypeStore.h"

namespace report {

namespace {

// Rows each marker owns on the two sheets, the last of each block left empty.
constexpr int kAlleleBlockRows = 7;
constexpr int kGenoBlockRows = 4;

// A genotype whose first and last symbols differ; a one-symbol text is homozygous.
bool IsHeterozygous(const std::u16string& code) {
  return !code.empty() && code.front() != code.back();
}

}  // namespace

void InformationSheetFormat(RunContext& ctx, host::Worksheet& src, host::Worksheet& dst,
                            StatisticsSheet kind) {
  host::Application& app = ctx.ExcelApp ? *ctx.ExcelApp : dst.Parent().Parent();
  StartSheet(app, dst, kind == StatisticsSheet::Alleles ? msg::sheet::kAll : msg::sheet::kGnt);
  // The value only, not the source cell's formatting.
  host::Range title = TitleCell(dst);
  const host::CellValue value = TitleCell(src).Value();
  if (const auto* text = std::get_if<std::string>(&value)) {
    PutText(title, *text);
  } else if (!host::IsEmpty(value)) {
    title.SetValue(value);
  }
}

void InformationOut(RunContext& ctx, int m) {
  const store::GenotypeStore& s = *ctx.store;
  host::Worksheet& all = *ctx.sheets.AllSheet;
  host::Worksheet& gnt = *ctx.sheets.GntSheet;
  const bool ssr = s.DataType == "ssr";
  const int alleleNum = s.AlleleNum[m];
  const int genoNum = s.GenoNum[m];

  // Sums are kept wider than the 16-bit tallies: a marker with many
  // non-diploid cells can pass 32767 allele occurrences.
  long alleleTotal = 0;
  for (int a = 1; a <= alleleNum; ++a) alleleTotal += s.AlleleTally[m][a];

  all.Activate();
  const host::Range allAnchor = Anchor(all);
  const int r = kAlleleBlockRows * (m - 1);
  PutText(allAnchor.Offset(r, 0), s.MarkerName[m]);
  int row = r;
  for (std::string_view label : msg::sheet::kAlleleLabels)
    allAnchor.Offset(row++, 1).SetValue(label);

  std::vector<double> alleleFreq(alleleNum + 1, 0.0);
  double s2 = 0.0;
  for (int a = 1; a <= alleleNum; ++a) {
    host::Range column = allAnchor.Offset(r, 1 + a);
    if (ssr) {
      column.SetValue(static_cast<int>(s.AlleleValue[m][a]));
    } else {
      const std::u16string& text = s.AlleleText[m];
      PutText(column,
              a <= static_cast<int>(text.size()) ? store::ToUtf8(text.substr(a - 1, 1)) : "");
    }
    column.Offset(1, 0).SetValue(static_cast<int>(s.AlleleTally[m][a]));
    const double p = static_cast<double>(s.AlleleTally[m][a]) / static_cast<double>(alleleTotal);
    alleleFreq[a] = p;
    column.Offset(2, 0).SetValue(store::RoundHalfEven(p, 4));
    s2 += p * p;
  }

  // A marker no variety was typed at has nothing to divide by: its HE, HO
  // and PIC cells stay empty rather than showing 1 from the empty sums.
  if (alleleTotal > 0) {
    const double he = 1.0 - s2;
    allAnchor.Offset(r + 3, 2).SetValue(store::RoundHalfEven(he, 3));
    double s4 = 0.0;
    for (int a = 1; a < alleleNum; ++a) {
      for (int b = a + 1; b <= alleleNum; ++b) {
        s4 += 2.0 * alleleFreq[a] * alleleFreq[a] * alleleFreq[b] * alleleFreq[b];
      }
    }
    const double pic = 1.0 - s2 - s4;
    allAnchor.Offset(r + 5, 2).SetValue(store::RoundHalfEven(pic, 3));
  }

  gnt.Activate();
  long genoTotal = 0;
  long heterozygous = 0;
  for (int g = 1; g <= genoNum; ++g) {
    genoTotal += s.GenoTally[m][g];
    if (IsHeterozygous(s.GenoText(m, g))) heterozygous += s.GenoTally[m][g];
  }
  if (genoTotal > 0) {
    // Through the allele sheet's own anchor: the genotype sheet is active now.
    const double ho = static_cast<double>(heterozygous) / static_cast<double>(genoTotal);
    allAnchor.Offset(r + 4, 2).SetValue(store::RoundHalfEven(ho, 3));
  }

  const host::Range gntAnchor = Anchor(gnt);
  const int q = kGenoBlockRows * (m - 1);
  PutText(gntAnchor.Offset(q, 0), s.MarkerName[m]);
  row = q;
  for (std::string_view label : msg::sheet::kGenotypeLabels)
    gntAnchor.Offset(row++, 1).SetValue(label);
  for (int g = 1; g <= genoNum; ++g) {
    host::Range column = gntAnchor.Offset(q, 1 + g);
    const std::string text = s.MakeGenoStr(m, s.GenoText(m, g));
    // SSR texts carry their apostrophe on purpose; character codes are plain text.
    if (ssr) {
      column.SetValue(std::string_view(text));
    } else {
      PutText(column, text);
    }
    column.Offset(1, 0).SetValue(static_cast<int>(s.GenoTally[m][g]));
    const double rate = static_cast<double>(s.GenoTally[m][g]) / static_cast<double>(genoTotal);
    column.Offset(2, 0).SetValue(store::RoundHalfEven(rate, 4));
  }
}

}  // namespace report
