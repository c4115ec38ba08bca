#include "analysis/MarkerSet.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <iterator>
#include <numeric>

namespace analysis {

PairMarkerSets::PairMarkerSets(int varieties, int markers)
    : n_(varieties),
      markers_(markers),
      masks_(static_cast<size_t>(varieties) * (varieties > 0 ? varieties - 1 : 0) / 2) {}

size_t PairMarkerSets::Index(int i, int j) const {
  if (i > j) std::swap(i, j);
  // Rows of the upper triangle: row i holds n - i pairs.
  const size_t before = static_cast<size_t>(i - 1) * n_ - static_cast<size_t>(i - 1) * i / 2;
  return before + static_cast<size_t>(j - i - 1);
}

// Every pair starts told apart by every marker; per marker, the varieties
// sorted by cell share runs of equal cells, and only the pairs within a run
// lose the marker. Equal pairs are few, so this beats comparing every pair.
PairMarkerSets TellingMarkers(const store::GenotypeStore& s) {
  const int n = s.VarietyCount();
  PairMarkerSets pairs(n, s.MarkerCount());
  MarkerMask all;
  for (int m = 0; m < s.MarkerCount(); ++m) all.set(m);
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j) pairs.Telling(i, j) = all;
  std::vector<int> order(n);
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    std::iota(order.begin(), order.end(), 1);
    // Stable, so a run lists its varieties in ascending order.
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return s.Cell(a, m) < s.Cell(b, m); });
    for (size_t start = 0, end = 0; start < order.size(); start = end) {
      while (end < order.size() && s.Cell(order[end], m) == s.Cell(order[start], m)) ++end;
      for (size_t a = start; a < end; ++a)
        for (size_t b = a + 1; b < end; ++b) pairs.Telling(order[a], order[b]).reset(m - 1);
    }
  }
  return pairs;
}

namespace {

// The masks of the pairs some marker tells apart.
std::vector<MarkerMask> SeparablePairs(const PairMarkerSets& pairs) {
  std::vector<MarkerMask> out;
  for (int i = 1; i <= pairs.VarietyCount(); ++i)
    for (int j = i + 1; j <= pairs.VarietyCount(); ++j)
      if (pairs.Telling(i, j).any()) out.push_back(pairs.Telling(i, j));
  return out;
}

// Per marker, how many of the added masks hold it. The masks are added as
// binary numbers kept bit by bit across markers (plane p holds bit p of every
// marker's count), so one addition costs a few whole-mask operations however
// many markers a mask holds; the planes are moved into plain counts before
// they could overflow.
class MarkerTally {
 public:
  explicit MarkerTally(int markers) : counts_(markers, 0) {}

  void Add(const MarkerMask& mask) {
    MarkerMask carry = mask;
    for (MarkerMask& plane : planes_) {
      const MarkerMask next = plane & carry;
      plane ^= carry;
      carry = next;
    }
    if (++pending_ == kMaxPending) Flush();
  }

  const std::vector<int>& Counts() {
    Flush();
    return counts_;
  }

 private:
  static constexpr int kPlanes = 8;
  static constexpr int kMaxPending = (1 << kPlanes) - 1;

  void Flush() {
    for (int p = 0; p < kPlanes; ++p) {
      const MarkerMask& plane = planes_[p];
      for (size_t m = plane._Find_first(); m < plane.size(); m = plane._Find_next(m))
        counts_[m] += 1 << p;
      planes_[p].reset();
    }
    pending_ = 0;
  }

  std::vector<int> counts_;
  std::array<MarkerMask, kPlanes> planes_{};
  int pending_ = 0;
};

// The marker (0-based) that tells apart most of `from`; `left` becomes the
// pairs of `from` it does not tell apart (`from` may be `left`). A fresh
// vector for those few, so that no copy of every pair is held.
// Ties go to the lower marker, so the answer is repeatable.
int TakeBest(const std::vector<MarkerMask>& from, std::vector<MarkerMask>& left,
             const MarkerMask& allowed, int markers) {
  MarkerTally tally(markers);
  for (const MarkerMask& mask : from) tally.Add(mask & allowed);
  std::vector<int> count = tally.Counts();
  for (int m = 0; m < markers; ++m)
    if (!allowed.test(m)) count[m] = -1;
  const int best = static_cast<int>(std::max_element(count.begin(), count.end()) - count.begin());
  std::vector<MarkerMask> untold;
  std::copy_if(from.begin(), from.end(), std::back_inserter(untold),
               [best](const MarkerMask& mask) { return !mask.test(best); });
  left = std::move(untold);
  return best;
}

// The set in greedy order, each with the pairs still left after it.
std::vector<ChosenMarker> InOrder(const std::vector<MarkerMask>& separable, MarkerMask set,
                                  int markers) {
  std::vector<ChosenMarker> out;
  std::vector<MarkerMask> left;
  for (const std::vector<MarkerMask>* from = &separable; set.any(); from = &left) {
    const int m = TakeBest(*from, left, set, markers);
    set.reset(m);
    out.push_back({m + 1, static_cast<int>(left.size())});
  }
  return out;
}

MarkerMask GreedyCover(const std::vector<MarkerMask>& separable, int markers) {
  MarkerMask all;
  for (int m = 0; m < markers; ++m) all.set(m);
  std::vector<MarkerMask> left;
  std::vector<int> order;
  for (const std::vector<MarkerMask>* from = &separable; !from->empty(); from = &left)
    order.push_back(TakeBest(*from, left, all, markers));
  // A marker whose every pair another chosen marker also tells is dropped,
  // latest first: the early picks carry the most.
  MarkerMask set;
  for (int m : order) set.set(m);
  std::vector<int> cover(separable.size());
  for (size_t p = 0; p < separable.size(); ++p)
    cover[p] = static_cast<int>((separable[p] & set).count());
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    bool needed = false;
    for (size_t p = 0; p < separable.size() && !needed; ++p)
      needed = separable[p].test(*it) && cover[p] == 1;
    if (needed) continue;
    set.reset(*it);
    for (size_t p = 0; p < separable.size(); ++p)
      if (separable[p].test(*it)) --cover[p];
  }
  return set;
}

// Every subset at once: blocked[T] says some pair's markers all lie in T, so
// a set S tells every pair apart exactly when blocked[complement of S] is 0.
MarkerMask ExactCover(const std::vector<MarkerMask>& separable, int markers) {
  const uint32_t full = (1u << markers) - 1;
  std::vector<uint8_t> blocked(size_t{1} << markers, 0);
  for (const MarkerMask& mask : separable) blocked[mask.to_ulong()] = 1;
  for (int b = 0; b < markers; ++b)
    for (uint32_t t = 0; t <= full; ++t)
      if (t & (1u << b)) blocked[t] |= blocked[t ^ (1u << b)];
  uint32_t best = full;
  for (uint32_t set = 0; set <= full; ++set)
    if (!blocked[full ^ set] && std::popcount(set) < std::popcount(best)) best = set;
  return MarkerMask(best);
}

std::vector<std::vector<int>> InseparableGroups(const PairMarkerSets& pairs) {
  const int n = pairs.VarietyCount();
  std::vector<int> group(n + 1);
  std::iota(group.begin(), group.end(), 0);
  // Being told apart by no marker is an equivalence (equal cells everywhere):
  // each variety joins the first variety it equals.
  for (int j = 1; j <= n; ++j)
    for (int i = 1; i < j; ++i)
      if (group[i] == i && pairs.Telling(i, j).none()) {
        group[j] = i;
        break;
      }
  std::vector<std::vector<int>> out;
  std::vector<int> slot(n + 1, -1);
  for (int v = 1; v <= n; ++v) {
    const int g = group[v];
    if (slot[g] < 0) {
      slot[g] = static_cast<int>(out.size());
      out.push_back({});
    }
    out[slot[g]].push_back(v);
  }
  std::erase_if(out, [](const std::vector<int>& g) { return g.size() < 2; });
  return out;
}

}  // namespace

MarkerChoice SmallestMarkerSet(const PairMarkerSets& pairs) {
  const int markers = pairs.MarkerCount();
  const std::vector<MarkerMask> separable = SeparablePairs(pairs);
  MarkerChoice out;
  out.method = markers <= kExactSearchMarkers ? SearchMethod::Exact : SearchMethod::Greedy;
  const MarkerMask set = out.method == SearchMethod::Exact ? ExactCover(separable, markers)
                                                           : GreedyCover(separable, markers);
  out.chosen = InOrder(separable, set, markers);
  out.inseparable = InseparableGroups(pairs);
  return out;
}

}  // namespace analysis
