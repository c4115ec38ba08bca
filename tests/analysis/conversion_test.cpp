// The conversion of SSR and character cells: codes, distances, zero points,
// and the problems in the order the error log lists them.
#include "analysis/Conversion.h"

#include <gtest/gtest.h>

#include <vector>

#include "store/GenotypeStore.h"

namespace analysis_test {
namespace {

using store::Finding;
using store::Problem;

store::GenotypeStore Source(store::DataKind kind, const std::vector<std::u16string>& column) {
  std::vector<std::string> varieties(column.size(), "V");
  store::GenotypeStore s(kind, varieties, {"M1"});
  for (size_t v = 0; v < column.size(); ++v) s.SetCell(int(v) + 1, 1, column[v]);
  return s;
}

TEST(ConvertSsrMarker, CodesAndProblemsInOrder) {
  store::GenotypeStore s =
      Source(store::DataKind::Ssr, {u"", u"154/abc", u"150/154", u"150", u"150/152/154", u"0/150"});
  const analysis::SsrMarker out = analysis::ConvertSsrMarker(s, 1);
  // Sizes 0, 150, 152, 154 and the non-numeric mark are A to E.
  EXPECT_EQ(s.Cell(2, 1), u"DE");
  EXPECT_EQ(s.Cell(4, 1), u"B");
  EXPECT_EQ(s.Cell(5, 1), u"BCD");
  EXPECT_TRUE(s.Cell(1, 1).empty());
  // Zero points, distances and relative sizes are the golden workbooks'.
  EXPECT_EQ(out.findings, (store::Findings{store::CellFinding(Problem::NonNumeric, 2, 1),
                                           store::CellFinding(Problem::NotDiploid, 4, 1),
                                           store::CellFinding(Problem::NotDiploid, 5, 1)}));
}

TEST(ConvertSsrMarker, FullTablesAreReportedWhereTheyOverflow) {
  std::vector<std::u16string> column;
  for (int k = 0; k < 104; ++k) column.push_back(store::ToU16(std::to_string(100 + k) + "/100"));
  store::GenotypeStore s = Source(store::DataKind::Ssr, column);
  const analysis::SsrMarker out = analysis::ConvertSsrMarker(s, 1);
  // The 104th size is dropped while the first pass meets it; its cell is then "*A".
  ASSERT_EQ(out.findings.size(), 1u);
  // Logged under the marker alone, at the cell that met the full table.
  EXPECT_EQ(out.findings[0], (Finding{Problem::TooManyAlleles, 0, 1, store::TablePlace{104, 1}}));
  EXPECT_EQ(s.Cell(104, 1), u"*A");

  // 251 distinct genotypes of 22 sizes: the last one is refused, its cell kept.
  column.clear();
  for (int a = 0; a < 22; ++a)
    for (int b = a; b < 22 && column.size() < 251; ++b)
      column.push_back(store::ToU16(std::to_string(100 + a) + "/" + std::to_string(100 + b)));
  store::GenotypeStore g = Source(store::DataKind::Ssr, column);
  const analysis::SsrMarker full = analysis::ConvertSsrMarker(g, 1);
  EXPECT_EQ(g.Marker(1).GenotypeCount(), 250);
  EXPECT_EQ(full.findings,
            (store::Findings{{Problem::TooManyGenotypes, 0, 1, store::TablePlace{251, 1}}}));
  EXPECT_EQ(g.Cell(251, 1), u"UU");
}

TEST(ConvertSsrMarker, ASingleSizeOfTheFirstVarietyIsItsZeroPoint) {
  store::GenotypeStore s = Source(store::DataKind::Ssr, {u"152", u"150/156"});
  const analysis::SsrMarker out = analysis::ConvertSsrMarker(s, 1);
  EXPECT_EQ(out.zeroPoint, 152);
  EXPECT_EQ(out.findings, (store::Findings{store::CellFinding(Problem::NotDiploid, 1, 1)}));
  EXPECT_EQ(analysis::RelativeSizeText(s, 1, s.Cell(2, 1), out.zeroPoint), "'-2/+4");
}

TEST(TallyCharacterMarker, SortsCountsAndReportsOddCells) {
  store::GenotypeStore s = Source(store::DataKind::Character, {u"BA", u"A", u"", u"CBA", u"AB"});
  EXPECT_EQ(analysis::TallyCharacterMarker(s, 1),
            (store::Findings{store::CellFinding(Problem::NotDiploid, 2, 1),
                             store::CellFinding(Problem::NotDiploid, 4, 1)}));
  EXPECT_EQ(s.Cell(1, 1), u"AB");
  EXPECT_EQ(s.Cell(4, 1), u"CBA");  // odd cells stay as they are
  EXPECT_EQ(s.Marker(1).AlleleText(), U"ABC");
  EXPECT_EQ(s.Marker(1).TallyOfGenotype(u"AB"), 2);
}

TEST(TallyCharacterMarker, CountsCharactersNotUtf16Units) {
  // U+1F600 takes two UTF-16 units but is one character, so one allele.
  store::GenotypeStore s =
      Source(store::DataKind::Character, {u"\U0001F600", u"\U0001F600A", u"A\U0001F600"});
  EXPECT_EQ(analysis::TallyCharacterMarker(s, 1),
            (store::Findings{store::CellFinding(Problem::NotDiploid, 1, 1)}));
  EXPECT_EQ(s.Marker(1).AlleleText(), U"A\U0001F600");
  EXPECT_EQ(s.Cell(2, 1), u"A\U0001F600");  // sorted by character, its halves kept together
  EXPECT_EQ(s.Marker(1).TallyOfGenotype(u"A\U0001F600"), 2);
  EXPECT_EQ(store::ToUtf8(s.Marker(1).AlleleSymbol(2)), "\xF0\x9F\x98\x80");
}

}  // namespace
}  // namespace analysis_test
