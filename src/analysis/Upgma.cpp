#include <numeric>

#include "analysis/Trees.h"

namespace analysis {
namespace {

// Active clusters by their slot (a variety index from 0, the lower of a
// joined pair), their distances kept in the slots' rows.
struct Clusters {
  int n;
  std::vector<double> dist;
  std::vector<int> active;     // slots, ascending
  std::vector<int> node;       // per slot, its node in the tree
  std::vector<double> size;    // per slot, its number of varieties
  std::vector<double> height;  // per node

  double& At(int i, int j) { return dist[static_cast<size_t>(i) * n + j]; }
};

struct ClosestPair {
  int first = 0;  // positions in the active list, first < second
  int second = 0;
  int equallyClose = 0;
};

// The closest pair, exactly compared, the lowest positions first: rows, then
// columns. This is the order hierarchical clustering by its nearest-neighbour
// list keeps too.
ClosestPair FindClosest(Clusters& c) {
  ClosestPair best;
  double smallest = 0;
  const int m = static_cast<int>(c.active.size());
  for (int p = 0; p < m; ++p) {
    const double* row = c.dist.data() + static_cast<size_t>(c.active[p]) * c.n;
    for (int q = p + 1; q < m; ++q) {
      const double v = row[c.active[q]];
      if (best.equallyClose == 0 || v < smallest) {
        smallest = v;
        best = {p, q, 1};
      } else if (v == smallest) {
        ++best.equallyClose;
      }
    }
  }
  return best;
}

// The distance to the joined cluster is the mean over the varieties of both.
void Merge(Clusters& c, Tree& tree, const ClosestPair& pair) {
  const int i = c.active[pair.first];
  const int j = c.active[pair.second];
  const double h = c.At(i, j) / 2;
  const int joined =
      tree.Join({{c.node[i], h - c.height[c.node[i]]}, {c.node[j], h - c.height[c.node[j]]}});
  c.height.push_back(h);
  for (const int k : c.active) {
    if (k == i || k == j) continue;
    c.At(i, k) = c.At(k, i) =
        (c.size[i] * c.At(i, k) + c.size[j] * c.At(j, k)) / (c.size[i] + c.size[j]);
  }
  c.size[i] += c.size[j];
  c.node[i] = joined;
  c.active.erase(c.active.begin() + pair.second);
}

}  // namespace

Tree Upgma(const DistanceMatrix& d) {
  const int n = d.VarietyCount();
  Tree tree = Tree::Leaves(d.Names(), TreeMethod::Upgma);
  Clusters c{n,
             d.Values(),
             std::vector<int>(n),
             std::vector<int>(n),
             std::vector<double>(n, 1.0),
             std::vector<double>(n, 0.0)};
  std::iota(c.active.begin(), c.active.end(), 0);
  std::iota(c.node.begin(), c.node.end(), 0);
  while (c.active.size() > 1) {
    const ClosestPair pair = FindClosest(c);
    if (pair.equallyClose > 1) ++tree.tiedJoins;
    Merge(c, tree, pair);
  }
  return tree;
}

}  // namespace analysis
