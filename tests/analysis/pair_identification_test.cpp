// The pair matrix of distinguishing markers, and the identification values of
// a genotype everybody shares.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "analysis/Identification.h"
#include "analysis/PairMatrix.h"
#include "support/Tallied.h"

namespace analysis_test {
namespace {

using testsupport::Tallied;

TEST(PairMatrix, CountsMarkersWhoseCodesDiffer) {
  // Against V1: V2 identical, V3 differs at 3 markers (one by letter case only),
  // V4 at 4; V5 is untyped at b only; nobody is typed at e, which never counts.
  const store::GenotypeStore s = Tallied({{u"AA", u"AB", u"BB", u"AC", u""},
                                          {u"AA", u"AB", u"BB", u"AC", u""},
                                          {u"Aa", u"AA", u"BC", u"AC", u""},
                                          {u"BB", u"AA", u"CC", u"CC", u""},
                                          {u"AA", u"", u"BB", u"AC", u""}});
  std::vector<std::pair<int, int>> visited;
  const analysis::PairMatrix pairs =
      analysis::CountDistinguishingMarkers(s, [&](int i, int j) { visited.emplace_back(i, j); });
  const int fromV1[] = {0, 0, 3, 4, 1};
  for (int j = 1; j <= 5; ++j) {
    EXPECT_EQ(pairs.Distinguishing(1, j), fromV1[j - 1]) << j;
    EXPECT_EQ(pairs.Distinguishing(j, 1), fromV1[j - 1]) << j;
  }
  EXPECT_EQ(pairs.Distinguishing(3, 4), 3);
  EXPECT_EQ(visited.size(), 15u);  // every i <= j once, in order
  EXPECT_EQ(visited[5], std::make_pair(2, 2));
}

TEST(PairMatrix, PackedLanesCountEveryMarkerOfManyWords) {
  // 250 markers: 63 words, the last one partly used; V2 differs at every
  // fourth marker, V3 everywhere.
  std::vector<std::vector<std::u16string>> rows(3, std::vector<std::u16string>(250, u"AA"));
  for (int m = 0; m < 250; m += 4) rows[1][m] = u"AB";
  for (auto& code : rows[2]) code = u"BB";
  const analysis::PairMatrix pairs = analysis::CountDistinguishingMarkers(Tallied(rows));
  EXPECT_EQ(pairs.Distinguishing(1, 2), 63);
  EXPECT_EQ(pairs.Distinguishing(1, 3), 250);
  EXPECT_EQ(pairs.Distinguishing(2, 3), 250);
}

// The values, undefined varieties and tiny probabilities are the identification
// sheet tests' and the golden workbooks'.
TEST(Identification, AGenotypeEverybodySharesHasF0AndP1One) {
  const auto shared = analysis::IdentificationProbabilities(Tallied({{u"AA"}, {u"AA"}}));
  EXPECT_DOUBLE_EQ(*shared[1].f0, 1.0);
  EXPECT_DOUBLE_EQ(*shared[1].p1, 1.0);
}

}  // namespace
}  // namespace analysis_test
