#include "analysis/Bootstrap.h"

#include <algorithm>
#include <map>
#include <random>
#include <utility>
#include <vector>

namespace analysis {
namespace {

using LeafSet = std::vector<uint64_t>;  // bit v - 1 for variety v

// A whole number below `bound`, alike for every standard library (their
// distributions are not): the draws that would favour low values are
// thrown back.
uint64_t Below(std::mt19937_64& random, uint64_t bound) {
  const uint64_t unfair = (0 - bound) % bound;  // 2^64 mod bound
  for (;;) {
    const uint64_t x = random();
    if (x >= unfair) return x % bound;
  }
}

// How often each marker is drawn (index m - 1).
std::vector<int> DrawMarkers(int markers, std::mt19937_64& random) {
  std::vector<int> weights(markers, 0);
  for (int k = 0; k < markers; ++k) ++weights[Below(random, static_cast<uint64_t>(markers))];
  return weights;
}

// The clade of every join but the root, as a leaf set; for an unrooted tree
// the side of the join's split that leaves variety 1 out.
std::vector<std::pair<int, LeafSet>> Clades(const Tree& tree) {
  const auto leaves = static_cast<int>(std::count_if(
      tree.nodes.begin(), tree.nodes.end(), [](const TreeNode& t) { return t.variety > 0; }));
  const size_t words = (static_cast<size_t>(leaves) + 63) / 64;
  std::vector<LeafSet> below(tree.nodes.size(), LeafSet(words, 0));
  std::vector<std::pair<int, LeafSet>> clades;
  // Children stand before their parents.
  for (int node = 0; node < tree.Root(); ++node) {
    const TreeNode& t = tree.nodes[node];
    if (t.variety > 0) below[node][(t.variety - 1) / 64] |= uint64_t{1} << ((t.variety - 1) % 64);
    for (const int child : t.children)
      for (size_t w = 0; w < words; ++w) below[node][w] |= below[child][w];
    if (tree.IsLeaf(node)) continue;
    LeafSet clade = below[node];
    if (tree.method == TreeMethod::NeighbourJoining && (clade[0] & 1) != 0) {
      for (auto& w : clade) w = ~w;
      if (leaves % 64 != 0) clade.back() &= (uint64_t{1} << (leaves % 64)) - 1;
    }
    clades.emplace_back(node, std::move(clade));
  }
  return clades;
}

}  // namespace

BootstrapSummary Bootstrap(Tree& tree, const store::GenotypeStore& s, DistanceKind kind,
                           int replicates, uint64_t seed,
                           const std::function<void(int)>& onReplicate) {
  std::map<LeafSet, int> joinOf;
  for (auto& [node, clade] : Clades(tree)) {
    joinOf.emplace(std::move(clade), node);
    tree.nodes[node].support = 0;
  }
  BootstrapSummary summary{replicates, 0};
  std::mt19937_64 random(seed);
  for (int k = 1; k <= replicates; ++k) {
    const DistanceMatrix d = VarietyDistances(s, kind, DrawMarkers(s.MarkerCount(), random));
    const TreeOutcome replicate = BuildTree(d, tree.method);
    if (!replicate.tree) ++summary.withoutTree;
    if (replicate.tree) {
      for (const auto& [node, clade] : Clades(*replicate.tree)) {
        const auto found = joinOf.find(clade);
        if (found != joinOf.end()) ++*tree.nodes[found->second].support;
      }
    }
    if (onReplicate) onReplicate(k);
  }
  tree.replicates = replicates;
  return summary;
}

}  // namespace analysis
