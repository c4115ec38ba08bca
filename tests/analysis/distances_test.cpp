// Distances between varieties with pairwise deletion, worked by hand.
#include "analysis/Distances.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/Tallied.h"

namespace analysis_test {
namespace {

using analysis::DistanceKind;
using analysis::VarietyDistances;
using testsupport::Tallied;

struct OneMarker {
  std::u16string a, b;
  double alleles;  // 1 - shared / 2
  double markers;  // 0 or 1
};

TEST(Distances, OneMarkerSharedAllelesAndDifferentGenotypes) {
  const OneMarker cases[] = {
      {u"AA", u"AA", 0, 0},   {u"AA", u"AB", 0.5, 1}, {u"AB", u"AB", 0, 0},
      {u"AB", u"BC", 0.5, 1},  // the first allele of one is the second of the other
      {u"AC", u"BC", 0.5, 1},  // both second alleles
      {u"BB", u"AB", 0.5, 1}, {u"AB", u"CD", 1, 1},   {u"AA", u"BB", 1, 1},
      {u"AB", u"BB", 0.5, 1},
  };
  for (const OneMarker& c : cases) {
    const store::GenotypeStore s = Tallied({{c.a}, {c.b}});
    const std::string label = store::ToUtf8(c.a) + " " + store::ToUtf8(c.b);
    EXPECT_EQ(VarietyDistances(s, DistanceKind::Alleles).At(1, 2), c.alleles) << label;
    EXPECT_EQ(VarietyDistances(s, DistanceKind::Markers).At(2, 1), c.markers) << label;
  }
}

// V2 and V4, V4 and V5 are never typed at the same marker.
store::GenotypeStore FiveVarieties() {
  return Tallied({{u"AA", u"AB", u"CC"},
                  {u"AB", u"AB", u""},
                  {u"BB", u"CD", u"CC"},
                  {u"", u"", u"AA"},
                  {u"", u"AA", u""}});
}

struct Expected {
  DistanceKind kind;
  std::vector<int> weights;  // empty: every marker once
  // Upper triangle by rows, -1 where the pair has no distance.
  std::vector<double> upper;
};

TEST(Distances, AveragedOverTheMarkersTypedInBoth) {
  const Expected cases[] = {
      {DistanceKind::Alleles, {}, {0.25, 2.0 / 3, 1, 0.5, 0.75, -1, 0.5, 1, 1, -1}},
      {DistanceKind::Markers, {}, {0.5, 2.0 / 3, 1, 1, 1, -1, 1, 1, 1, -1}},
      // A marker drawn twice counts twice; one not drawn not at all.
      {DistanceKind::Alleles, {2, 1, 1}, {1.0 / 3, 0.75, 1, 0.5, 2.0 / 3, -1, 0.5, 1, 1, -1}},
      {DistanceKind::Alleles, {1, 0, 0}, {0.5, 1, -1, -1, 0.5, -1, -1, -1, -1, -1}},
  };
  const store::GenotypeStore s = FiveVarieties();
  for (const Expected& c : cases) {
    const analysis::DistanceMatrix d =
        c.weights.empty() ? VarietyDistances(s, c.kind) : VarietyDistances(s, c.kind, c.weights);
    size_t k = 0;
    for (int i = 1; i <= 5; ++i) {
      EXPECT_EQ(d.At(i, i), 0.0);
      for (int j = i + 1; j <= 5; ++j, ++k) {
        const std::optional<double> expected =
            c.upper[k] < 0 ? std::nullopt : std::optional<double>(c.upper[k]);
        EXPECT_EQ(d.At(i, j), d.At(j, i));
        if (expected) {
          ASSERT_TRUE(d.At(i, j).has_value()) << i << "," << j;
          EXPECT_NEAR(*d.At(i, j), *expected, 1e-15) << i << "," << j;
        } else {
          EXPECT_FALSE(d.At(i, j).has_value()) << i << "," << j;
        }
      }
    }
  }
}

}  // namespace
}  // namespace analysis_test
