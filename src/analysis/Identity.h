#pragma once
// Which varieties the markers cannot tell apart, which they barely tell
// apart, and the fewest markers that keep every told pair apart. A marker
// tells two varieties apart when their cells differ, an untyped cell being a
// code of its own, as for the pair sheet and the marker choice.
#include <string>
#include <vector>

#include "analysis/MarkerSet.h"
#include "store/GenotypeStore.h"

namespace analysis {

// A marker that tells a pair apart, with the two genotype codes ("" untyped).
struct TellingMarker {
  int marker = 0;
  std::u16string first;
  std::u16string second;
};

struct NearPair {
  int first = 0;  // the lower variety
  int second = 0;
  std::vector<TellingMarker> markers;  // in table order
};

// Pairs told apart by at most this many markers count as near.
inline constexpr int kNearPairMarkers = 2;

struct IdentityReport {
  // Varieties no marker tells apart: each group ascending, groups by their
  // first variety, single varieties left out.
  std::vector<std::vector<int>> identical;
  // Told apart by one marker first, then by two; each by its varieties.
  std::vector<NearPair> nearPairs;
  MarkerChoice smallestSet;
};

// The identical groups, the nearly identical pairs and the smallest telling marker set.
IdentityReport FindIdentity(const store::GenotypeStore& s, const PairMarkerSets& pairs);
IdentityReport FindIdentity(const store::GenotypeStore& s);

}  // namespace analysis
