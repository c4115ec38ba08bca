// The pair matrix of distinguishing markers and the identification values.
#include <gtest/gtest.h>

#include <cmath>
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

TEST(Identification, WorkedExampleAndUndefinedVarieties) {
  // m1: AA twice, AB twice; m2: CC twice, CD and DD; V4 untyped everywhere.
  store::GenotypeStore s =
      Tallied({{u"AA", u"CC"}, {u"AA", u"CD"}, {u"AB", u"DD"}, {u"", u""}, {u"AB", u"CC"}});
  s.SetCell(5, 2, u"ZZ");  // missing from its table, as after an overflow
  const std::vector<analysis::Identification> id = analysis::IdentificationProbabilities(s);
  ASSERT_EQ(id.size(), 5u);
  // V2: f(m1) = 2/4, f(m2) = 1/4 (of 4 typed each); f0 = sqrt(1/8), P1 = 1 - (1 - 1/8)^5.
  EXPECT_NEAR(*id[1].f0, std::sqrt(1.0 / 8), 1e-15);
  EXPECT_NEAR(*id[1].p1, 1 - std::pow(7.0 / 8, 5), 1e-15);
  EXPECT_NEAR(*id[0].f0, 0.5, 1e-15);  // CC at m2 is tallied twice, V5's before it turned ZZ
  EXPECT_FALSE(id[3].f0 || id[3].p1);  // nothing typed
  EXPECT_FALSE(id[4].f0 || id[4].p1);  // a code without a frequency
}

TEST(Identification, TinyProbabilitiesKeepTheirValue) {
  std::vector<std::vector<std::u16string>> rows;
  for (int v = 0; v < 50; ++v) {
    const char16_t c = store::AlleleAlphabet()[v];
    rows.push_back(std::vector<std::u16string>(30, std::u16string{c, c}));
  }
  const std::vector<analysis::Identification> id =
      analysis::IdentificationProbabilities(Tallied(rows));
  const double x = std::pow(1.0 / 50, 30);  // about 1e-51: 1 - (1 - x)^n would be 0
  EXPECT_NEAR(*id[0].f0, 0.02, 1e-15);
  EXPECT_NEAR(*id[0].p1 / (50 * x), 1.0, 1e-12);

  // A genotype everybody shares: f0 = P1 = 1.
  const auto shared = analysis::IdentificationProbabilities(Tallied({{u"AA"}, {u"AA"}}));
  EXPECT_DOUBLE_EQ(*shared[1].f0, 1.0);
  EXPECT_DOUBLE_EQ(*shared[1].p1, 1.0);
}

}  // namespace
}  // namespace analysis_test
