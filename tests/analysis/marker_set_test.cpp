// The smallest telling marker set: random tables against a search through
// every subset and against comparing every pair directly.
#include <gtest/gtest.h>

#include <random>

#include "analysis/MarkerSet.h"
#include "support/Tallied.h"

namespace {

using analysis::MarkerChoice;
using analysis::SearchMethod;
using testsupport::Tallied;

std::vector<int> Markers(const MarkerChoice& c) {
  std::vector<int> out;
  for (const auto& chosen : c.chosen) out.push_back(chosen.marker);
  return out;
}

bool TellsAllApart(const analysis::PairMarkerSets& pairs, const std::vector<int>& set) {
  analysis::MarkerMask mask;
  for (int m : set) mask.set(m - 1);
  for (int i = 1; i <= pairs.VarietyCount(); ++i)
    for (int j = i + 1; j <= pairs.VarietyCount(); ++j)
      if (pairs.Telling(i, j).any() && (pairs.Telling(i, j) & mask).none()) return false;
  return true;
}

std::vector<std::vector<std::u16string>> RandomTable(std::mt19937& rng, int n, int markers) {
  const std::u16string codes[] = {u"AA", u"AB", u"BB", u""};
  std::uniform_int_distribution<int> pick(0, 3);
  std::vector<std::vector<std::u16string>> rows(n);
  for (auto& row : rows)
    for (int m = 0; m < markers; ++m) row.push_back(codes[pick(rng)]);
  return rows;
}

TEST(MarkerSet, ExactSearchMatchesEverySubsetOnRandomTables) {
  std::mt19937 rng(11);
  for (int round = 0; round < 20; ++round) {
    const int markers = 3 + round % 8;
    const auto pairs = analysis::TellingMarkers(Tallied(RandomTable(rng, 12, markers)));
    const MarkerChoice c = analysis::SmallestMarkerSet(pairs);
    EXPECT_EQ(c.method, SearchMethod::Exact);
    ASSERT_TRUE(TellsAllApart(pairs, Markers(c)));
    size_t smallest = markers;
    for (uint32_t set = 0; set < (1u << markers); ++set) {
      std::vector<int> subset;
      for (int m = 0; m < markers; ++m)
        if (set & (1u << m)) subset.push_back(m + 1);
      if (subset.size() < smallest && TellsAllApart(pairs, subset)) smallest = subset.size();
    }
    EXPECT_EQ(c.chosen.size(), smallest) << "round " << round;
  }
}

TEST(MarkerSet, GreedyCoverBeyondTwentyMarkersTellsAllAndKeepsNoSpareMarker) {
  std::mt19937 rng(7);
  const auto pairs = analysis::TellingMarkers(Tallied(RandomTable(rng, 60, 40)));
  const MarkerChoice c = analysis::SmallestMarkerSet(pairs);
  EXPECT_EQ(c.method, SearchMethod::Greedy);
  const std::vector<int> chosen = Markers(c);
  ASSERT_TRUE(TellsAllApart(pairs, chosen));
  for (size_t k = 0; k < chosen.size(); ++k) {
    std::vector<int> without = chosen;
    without.erase(without.begin() + static_cast<long>(k));
    EXPECT_FALSE(TellsAllApart(pairs, without)) << "marker " << chosen[k] << " is spare";
  }
  EXPECT_EQ(c.chosen.back().pairsLeft, 0);
}

// Pairs some marker tells apart that none of `set` does.
int PairsLeft(const analysis::PairMarkerSets& pairs, const analysis::MarkerMask& set) {
  int left = 0;
  for (int i = 1; i <= pairs.VarietyCount(); ++i)
    for (int j = i + 1; j <= pairs.VarietyCount(); ++j)
      left += pairs.Telling(i, j).any() && (pairs.Telling(i, j) & set).none();
  return left;
}

// Tables with many more pairs than a count's planes hold between flushes, and
// rows repeated so that runs of equal cells are long.
TEST(MarkerSet, TellingMarkersAndGreedyCountsAgreeWithDirectComparison) {
  std::mt19937 rng(23);
  for (const int n : {30, 90}) {
    auto rows = RandomTable(rng, n, 45);
    for (int v = 0; v < n / 3; ++v) rows[v + n / 2] = rows[v];
    const auto pairs = analysis::TellingMarkers(Tallied(rows));
    for (int i = 1; i <= n; ++i)
      for (int j = i + 1; j <= n; ++j)
        for (int m = 1; m <= 45; ++m)
          ASSERT_EQ(pairs.Telling(i, j).test(m - 1), rows[i - 1][m - 1] != rows[j - 1][m - 1])
              << n << " varieties, pair " << i << "," << j << " marker " << m;
    const MarkerChoice c = analysis::SmallestMarkerSet(pairs);
    analysis::MarkerMask soFar;
    for (const auto& chosen : c.chosen) {
      soFar.set(chosen.marker - 1);
      EXPECT_EQ(chosen.pairsLeft, PairsLeft(pairs, soFar)) << n << " varieties";
    }
    // The first marker in the order is the one that tells the most pairs.
    int best = 0, most = -1;
    for (int m : Markers(c)) {
      analysis::MarkerMask one;
      one.set(m - 1);
      const int told = PairsLeft(pairs, {}) - PairsLeft(pairs, one);
      if (told > most) best = m, most = told;
    }
    EXPECT_EQ(c.chosen.front().marker, best) << n << " varieties";
  }
}

}  // namespace
