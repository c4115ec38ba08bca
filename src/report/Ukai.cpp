// The identification sheet (.ukai): per variety f0, the geometric mean of the
// frequencies of its own genotypes, and P1, the chance that one of the tester
// varieties matches it at every typed marker.
#include "report/Ukai.h"

#include <cmath>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/HostError.h"
#include "messages/InterfaceTexts.h"
#include "report/Formatting.h"

namespace report {
namespace {

namespace sheet = msg::sheet;

constexpr char kUkaiNumberFormat[] = "0.0000000000_ ";

}  // namespace

void UKaiSheetFormat(RunContext& ctx, host::Worksheet& src, host::Worksheet& dst) {
  host::Application& app = *ctx.ExcelApp;
  const int n = ctx.store->VarietyCount;

  StartSheet(app, dst, sheet::kUkai);
  // The source's title cell, value and formatting.
  CopyBlock(app, src, TitleCell(src), dst, TitleCell(dst));

  // The name column is taken from the source sheet itself; an empty heading
  // would cut the run short, so it gets the corner mark (kept in the source).
  src.Activate();
  host::Range srcB4 = Anchor(src);
  if (srcB4.Text().empty()) srcB4.SetValue(sheet::kTableCorner);
  host::Range names = src.GetRange(srcB4, srcB4.End(host::xlDown));
  names.Select();
  app.SetCutCopyMode(false);
  names.Copy();

  dst.Activate();
  host::Range b4 = Anchor(dst);
  b4.Select();
  b4.PasteSpecial(host::xlPasteValues);
  app.SetCutCopyMode(false);

  b4.SetValue(sheet::kTableCorner);
  b4.Offset(0, 1).SetValue(sheet::kF0);
  b4.Offset(0, 2).SetValue(sheet::kP1);

  host::Range head = dst.GetRange(b4, b4.End(host::xlToRight));
  host::Range last = b4.End(host::xlDown);
  host::Range table = dst.GetRange(head, dst.Cell(last.Row(), head.LastColumn()));
  table.SetNumberFormatLocal(kUkaiNumberFormat);

  b4.Offset(n + 2, 0).SetValue(sheet::kF0);
  b4.Offset(n + 2, 1).SetValue(sheet::kF0Formula);
  b4.Offset(n + 3, 0).SetValue(sheet::kP1);
  b4.Offset(n + 3, 1).SetValue(sheet::kP1Sentence);
  b4.Offset(n + 4, 1).SetValue(sheet::kP1Formula);
  b4.Offset(n + 5, 0).SetValue(sheet::kLiterature);
  b4.Offset(n + 5, 1).SetValue(sheet::kUkaiReference);
}

void UKaiCal(RunContext& ctx) {
  const store::GenotypeStore& s = *ctx.store;
  if (ctx.sheets.UkaiSheet == nullptr) {
    throw host::HostError("UKaiCal", "", "the identification sheet is not open");
  }
  host::Worksheet& sheet = *ctx.sheets.UkaiSheet;
  const int n = s.VarietyCount;
  const int markers = s.MarkerCount;

  // Per marker: how many varieties are typed, and the tally of each genotype
  // text (the first slot of a text counts, as a linear search would find it).
  std::vector<int> typedCount(markers + 1, 0);
  std::vector<std::unordered_map<std::u16string_view, int>> tally(markers + 1);
  for (int m = 1; m <= markers; ++m) {
    for (int g = 1; g <= s.GenoNum[m]; ++g) {
      typedCount[m] += s.GenoTally[m][g];
      tally[m].try_emplace(s.GenoText(m, g), s.GenoTally[m][g]);
    }
  }

  host::Range b4 = Anchor(sheet);
  for (int v = 1; v <= n; ++v) {
    double sum = 0;  // sum of ln f_m
    int k = 0;
    bool defined = true;
    for (int m = 1; m <= markers && defined; ++m) {
      const std::u16string& text = s.SourceData(v, m);
      if (text.empty()) continue;
      const auto found = tally[m].find(text);
      const int c = found == tally[m].end() ? 0 : found->second;
      // A genotype missing from its table (the table overflowed) has no frequency.
      if (c <= 0 || typedCount[m] <= 0) {
        defined = false;
        break;
      }
      sum += std::log(static_cast<double>(c) / typedCount[m]);
      ++k;
    }
    host::Range f0Cell = b4.Offset(v, 1);
    host::Range p1Cell = b4.Offset(v, 2);
    if (!defined || k == 0) {
      // No frequency to average: both cells stay empty, the others go on.
      f0Cell.ClearContents();
      p1Cell.ClearContents();
      continue;
    }
    const double f0 = std::exp(sum / k);
    // f0^k is the product of the frequencies. 1 - (1 - x)^n through log1p and
    // expm1 keeps a tiny probability as its value instead of rounding it to 0.
    const double matchAll = std::exp(sum);
    const double p1 = -std::expm1(static_cast<double>(n) * std::log1p(-matchAll));
    f0Cell.SetValue(f0);
    p1Cell.SetValue(p1);
  }
}

}  // namespace report
