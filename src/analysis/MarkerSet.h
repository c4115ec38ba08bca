#pragma once
// The smallest set of markers that still tells apart every pair of varieties
// the whole set tells apart, and the varieties that no marker tells apart.
// A marker tells a pair apart exactly when the combination check counts it:
// their cells differ, an untyped cell being a code of its own.
#include <bitset>
#include <vector>

#include "store/GenotypeStore.h"

namespace analysis {

using MarkerMask = std::bitset<store::kMaxMarkers>;  // bit m - 1 for marker m

// Per pair (i, j) with i < j the markers that tell it apart.
class PairMarkerSets {
 public:
  PairMarkerSets(int varieties, int markers);
  int VarietyCount() const { return n_; }
  int MarkerCount() const { return markers_; }
  const MarkerMask& Telling(int i, int j) const { return masks_[Index(i, j)]; }
  MarkerMask& Telling(int i, int j) { return masks_[Index(i, j)]; }

 private:
  size_t Index(int i, int j) const;
  int n_;
  int markers_;
  std::vector<MarkerMask> masks_;
};

// For every pair of varieties, the markers that tell the two apart.
PairMarkerSets TellingMarkers(const store::GenotypeStore& s);

// Up to this many markers every subset is weighed; beyond, a greedy cover.
inline constexpr int kExactSearchMarkers = 20;

enum class SearchMethod { Exact, Greedy };

struct ChosenMarker {
  int marker;
  // Pairs the whole set tells apart that the markers so far do not.
  int pairsLeft;
};

struct MarkerChoice {
  SearchMethod method = SearchMethod::Exact;
  std::vector<ChosenMarker> chosen;  // in the order chosen
  // Varieties that no marker tells apart, each group ascending, groups by
  // their first variety; single varieties are left out.
  std::vector<std::vector<int>> inseparable;
};

// The fewest markers that tell every distinguishable pair apart.
MarkerChoice SmallestMarkerSet(const PairMarkerSets& pairs);

}  // namespace analysis
