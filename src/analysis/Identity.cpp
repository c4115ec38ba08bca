#include "analysis/Identity.h"

#include <algorithm>

namespace analysis {

IdentityReport FindIdentity(const store::GenotypeStore& s, const PairMarkerSets& pairs) {
  IdentityReport out;
  out.smallestSet = SmallestMarkerSet(pairs);
  out.identical = out.smallestSet.inseparable;
  for (int i = 1; i <= pairs.VarietyCount(); ++i)
    for (int j = i + 1; j <= pairs.VarietyCount(); ++j) {
      const MarkerMask& telling = pairs.Telling(i, j);
      const size_t count = telling.count();
      if (count == 0 || count > kNearPairMarkers) continue;
      NearPair pair{i, j, {}};
      for (size_t m = telling._Find_first(); m < telling.size(); m = telling._Find_next(m)) {
        const int marker = static_cast<int>(m) + 1;
        pair.markers.push_back({marker, s.Cell(i, marker), s.Cell(j, marker)});
      }
      out.nearPairs.push_back(std::move(pair));
    }
  std::stable_sort(
      out.nearPairs.begin(), out.nearPairs.end(),
      [](const NearPair& a, const NearPair& b) { return a.markers.size() < b.markers.size(); });
  return out;
}

IdentityReport FindIdentity(const store::GenotypeStore& s) {
  return FindIdentity(s, TellingMarkers(s));
}

}  // namespace analysis
