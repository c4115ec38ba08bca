// The identification sheet (.ukai): per variety f0, the geometric mean of the
// frequencies of its own genotypes, and P1, the chance that one of the tester
// varieties matches it at every typed marker.
#include "report/IdentificationSheet.h"

#include <vector>

#include "analysis/Identification.h"
#include "report/Formatting.h"

namespace report {
namespace {

namespace sheet = msg::sheet;

constexpr char kProbabilityFormat[] = "0.0000000000_ ";
// A positive value below half the tenth decimal would read as zero there.
constexpr char kTinyProbabilityFormat[] = "0.000E+00_ ";
constexpr double kSmallestShown = 0.5e-10;

void PutProbability(host::Range cell, double value) {
  cell.SetValue(value);
  if (value > 0 && value < kSmallestShown) cell.SetNumberFormatLocal(kTinyProbabilityFormat);
}

}  // namespace

void LayOutIdentificationSheet(host::Worksheet& src, host::Worksheet& dst, int n) {
  StartSheet(dst, sheet::kIdentification);
  // The source's title cell, value and formatting.
  CopyBlock(src, TitleCell(src), dst, TitleCell(dst));

  // The name column is taken from the source sheet itself.
  const host::Range srcB4 = Anchor(src);
  host::Range b4 = Anchor(dst);
  CopyValues(src, src.GetRange(srcB4, srcB4.End(host::Direction::Down)), dst, b4);

  b4.SetValue(sheet::kTableCorner);
  b4.Offset(0, 1).SetValue(sheet::kF0);
  b4.Offset(0, 2).SetValue(sheet::kP1);

  host::Range head = dst.GetRange(b4, b4.End(host::Direction::Right));
  host::Range last = b4.End(host::Direction::Down);
  host::Range table = dst.GetRange(head, dst.Cell(last.Row(), head.LastColumn()));
  table.SetNumberFormatLocal(kProbabilityFormat);

  b4.Offset(n + 2, 0).SetValue(sheet::kF0);
  b4.Offset(n + 2, 1).SetValue(sheet::kF0Formula);
  b4.Offset(n + 3, 0).SetValue(sheet::kP1);
  b4.Offset(n + 3, 1).SetValue(sheet::kP1Sentence);
  b4.Offset(n + 4, 1).SetValue(sheet::kP1Formula);
  b4.Offset(n + 5, 0).SetValue(sheet::kLiterature);
  b4.Offset(n + 5, 1).SetValue(sheet::kIdentificationReference);
  FreezeHeads(dst);
}

void WriteIdentification(host::Worksheet& dst, const store::GenotypeStore& s) {
  const std::vector<analysis::Identification> values = analysis::IdentificationProbabilities(s);
  const host::Range anchor = Anchor(dst);
  for (int v = 1; v <= static_cast<int>(values.size()); ++v) {
    host::Range f0 = anchor.Offset(v, 1);
    host::Range p1 = anchor.Offset(v, 2);
    const analysis::Identification& value = values[v - 1];
    if (value.f0 && value.p1) {
      PutProbability(f0, *value.f0);
      PutProbability(p1, *value.p1);
    } else {
      // No frequency to average: both cells stay empty, the others go on.
      f0.ClearContents();
      p1.ClearContents();
    }
  }
}

}  // namespace report
