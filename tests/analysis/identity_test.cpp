// Identical and near-identical varieties, and the smallest marker set, on a
// table whose pairs are counted by hand.
#include "analysis/Identity.h"

#include <gtest/gtest.h>

#include "support/Tallied.h"

namespace {

using testsupport::Tallied;

// V1 = V3 = V5; V2 differs from V1 at M2 only; V4 differs from V1 at M1 and
// M3, V4's M3 untyped; V6 differs from everyone at three markers or more. M4
// nobody typed.
const std::vector<std::vector<std::u16string>> kTable = {
    {u"AA", u"AB", u"CC", u""},  // V1
    {u"AA", u"BB", u"CC", u""},  // V2
    {u"AA", u"AB", u"CC", u""},  // V3
    {u"AB", u"AB", u"", u""},    // V4
    {u"AA", u"AB", u"CC", u""},  // V5
    {u"BB", u"AA", u"AC", u""},  // V6
};

struct Telling {
  int marker;
  std::u16string first, second;
};
struct Pair {
  int first, second;
  std::vector<Telling> markers;
};

TEST(Identity, IdenticalGroupsNearPairsAndTheirGenotypes) {
  const analysis::IdentityReport r = analysis::FindIdentity(Tallied(kTable));
  EXPECT_EQ(r.identical, (std::vector<std::vector<int>>{{1, 3, 5}}));
  // One marker first, then two; V4 against V2 differs at M1, M2 and M3.
  const Pair want[] = {
      {1, 2, {{2, u"AB", u"BB"}}},
      {2, 3, {{2, u"BB", u"AB"}}},
      {2, 5, {{2, u"BB", u"AB"}}},
      {1, 4, {{1, u"AA", u"AB"}, {3, u"CC", u""}}},
      {3, 4, {{1, u"AA", u"AB"}, {3, u"CC", u""}}},
      {4, 5, {{1, u"AB", u"AA"}, {3, u"", u"CC"}}},
  };
  ASSERT_EQ(r.nearPairs.size(), std::size(want));
  for (size_t k = 0; k < std::size(want); ++k) {
    const analysis::NearPair& got = r.nearPairs[k];
    EXPECT_EQ(got.first, want[k].first) << k;
    EXPECT_EQ(got.second, want[k].second) << k;
    ASSERT_EQ(got.markers.size(), want[k].markers.size()) << k;
    for (size_t t = 0; t < got.markers.size(); ++t) {
      EXPECT_EQ(got.markers[t].marker, want[k].markers[t].marker) << k;
      EXPECT_TRUE(got.markers[t].first == want[k].markers[t].first &&
                  got.markers[t].second == want[k].markers[t].second)
          << "genotypes of pair " << k << " at marker " << got.markers[t].marker;
    }
  }
  // M2 alone tells V1 from V2, and M1 or M3 tells V4 from the group: two
  // markers, the choice the marker list makes.
  const analysis::MarkerChoice listed =
      analysis::SmallestMarkerSet(analysis::TellingMarkers(Tallied(kTable)));
  ASSERT_EQ(r.smallestSet.chosen.size(), 2u);
  for (size_t k = 0; k < listed.chosen.size(); ++k)
    EXPECT_EQ(r.smallestSet.chosen[k].marker, listed.chosen[k].marker);
  EXPECT_EQ(r.smallestSet.inseparable, r.identical);
}

TEST(Identity, NoPairsWhenEveryVarietyStandsApartOrThereIsOne) {
  const analysis::IdentityReport apart =
      analysis::FindIdentity(Tallied({{u"AA", u"AA", u"AA"}, {u"BB", u"BB", u"BB"}}));
  EXPECT_TRUE(apart.identical.empty() && apart.nearPairs.empty());
  const analysis::IdentityReport one = analysis::FindIdentity(Tallied({{u"AA"}}));
  EXPECT_TRUE(one.identical.empty() && one.nearPairs.empty() && one.smallestSet.chosen.empty());
}

}  // namespace
