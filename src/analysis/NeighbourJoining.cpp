#include <algorithm>
#include <cmath>
#include <numeric>

#include "analysis/Trees.h"

namespace analysis {
namespace {

// Criteria this close (relative to their size) count as equal: summing
// hundreds of distances leaves rounding far below it, and real differences
// far above it, so the choice does not hang on rounding.
constexpr double kEqualCriteria = 1e-10;

// Active nodes by their slot (a variety index from 0, the lower of a joined
// pair), their distances kept in the slots' rows.
struct Joining {
  int n;
  std::vector<double> dist;
  std::vector<int> active;   // slots, ascending
  std::vector<int> node;     // per slot, its node in the tree
  std::vector<double> sums;  // per active position, the distances to all others

  double& At(int i, int j) { return dist[static_cast<size_t>(i) * n + j]; }

  void Sum() {
    sums.assign(active.size(), 0.0);
    for (size_t p = 0; p < active.size(); ++p)
      for (const int k : active) sums[p] += At(active[p], k);
  }
  // Saitou and Nei's criterion of joining positions p and q.
  double Criterion(size_t p, size_t q) {
    const double m = static_cast<double>(active.size());
    return (m - 2) * At(active[p], active[q]) - sums[p] - sums[q];
  }
};

struct Choice {
  size_t first = 0;  // positions in the active list, first < second
  size_t second = 0;
  int equallyGood = 0;
};

// The pair of smallest criterion; among equal ones the lowest positions.
Choice Choose(Joining& j) {
  const size_t m = j.active.size();
  double smallest = j.Criterion(0, 1);
  for (size_t p = 0; p < m; ++p)
    for (size_t q = p + 1; q < m; ++q) smallest = std::min(smallest, j.Criterion(p, q));
  const double bound = smallest + kEqualCriteria * std::max(1.0, std::abs(smallest));
  Choice choice;
  for (size_t p = 0; p < m; ++p) {
    for (size_t q = p + 1; q < m; ++q) {
      if (j.Criterion(p, q) > bound) continue;
      if (choice.equallyGood++ == 0) choice = {p, q, 1};
    }
  }
  return choice;
}

// The new node stands in the slot of the lower of the two.
void JoinPair(Joining& j, Tree& tree, const Choice& c) {
  const int a = j.active[c.first];
  const int b = j.active[c.second];
  const double ab = j.At(a, b);
  const double m = static_cast<double>(j.active.size());
  const double toA = (ab + (j.sums[c.first] - j.sums[c.second]) / (m - 2)) / 2;
  const int joined = tree.Join({{j.node[a], toA}, {j.node[b], ab - toA}});
  for (const int k : j.active) {
    if (k == a || k == b) continue;
    j.At(a, k) = j.At(k, a) = (j.At(a, k) + j.At(b, k) - ab) / 2;
  }
  j.node[a] = joined;
  j.active.erase(j.active.begin() + static_cast<std::ptrdiff_t>(c.second));
}

// The last two or three nodes meet at the root.
void JoinAtRoot(Joining& j, Tree& tree) {
  const std::vector<int>& s = j.active;
  if (s.size() == 2) {
    const double half = j.At(s[0], s[1]) / 2;
    tree.Join({{j.node[s[0]], half}, {j.node[s[1]], half}});
    return;
  }
  const double ab = j.At(s[0], s[1]), ac = j.At(s[0], s[2]), bc = j.At(s[1], s[2]);
  tree.Join({{j.node[s[0]], (ab + ac - bc) / 2},
             {j.node[s[1]], (ab + bc - ac) / 2},
             {j.node[s[2]], (ac + bc - ab) / 2}});
}

}  // namespace

Tree NeighbourJoining(const DistanceMatrix& d) {
  const int n = d.VarietyCount();
  Tree tree = Tree::Leaves(d.Names(), TreeMethod::NeighbourJoining);
  if (n < 2) return tree;
  Joining j{n, d.Values(), std::vector<int>(n), std::vector<int>(n), {}};
  std::iota(j.active.begin(), j.active.end(), 0);
  std::iota(j.node.begin(), j.node.end(), 0);
  while (j.active.size() > 3) {
    j.Sum();
    const Choice choice = Choose(j);
    // Of four, a pair and the other two are always equally good and give
    // the same tree: only a second such couple is a tie.
    const int alike = j.active.size() == 4 ? 2 : 1;
    if (choice.equallyGood > alike) ++tree.tiedJoins;
    JoinPair(j, tree, choice);
  }
  JoinAtRoot(j, tree);
  return tree;
}

}  // namespace analysis
