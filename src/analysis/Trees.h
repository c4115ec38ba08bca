#pragma once
// Trees of varieties from their distances: UPGMA (average linkage) and
// neighbour-joining. Both join one pair at a time; where several pairs are
// equally good the pair of lowest indexes is joined (rows before columns),
// and a joined pair takes the lower index of the two, so a run repeats.
// UPGMA compares distances exactly; neighbour-joining counts criteria within
// a relative 1e-10 of the smallest as equal, so rounding never decides.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "analysis/Distances.h"

namespace analysis {

enum class TreeMethod { Upgma, NeighbourJoining };

struct TreeNode {
  int variety = 0;   // a leaf's variety (from 1); 0 for a join
  std::string name;  // a leaf's variety name
  int parent = -1;   // -1 for the root
  std::vector<int> children;
  double length = 0;  // of the branch to the parent
  // Joins only, after a bootstrap: the replicates that hold the same clade.
  std::optional<int> support;
};

struct Tree {
  // The leaves first (node v - 1 is variety v), then the joins in the order
  // made; the root last. UPGMA joins two nodes at a time and its root is the
  // last join; neighbour-joining joins the last three at its root, which
  // stands for an unrooted tree.
  std::vector<TreeNode> nodes;
  TreeMethod method = TreeMethod::Upgma;
  // Joins at which another pair was equally good: the tree is then one of
  // several equally supported, the one the fixed order gives.
  int tiedJoins = 0;
  int replicates = 0;  // of the bootstrap, 0 without one

  // A tree of the leaves alone, one per name, for a builder to join.
  static Tree Leaves(const std::vector<std::string>& names, TreeMethod method);
  // Adds a join over `children` (node and its branch length); returns its node.
  int Join(const std::vector<std::pair<int, double>>& children);

  int Root() const { return static_cast<int>(nodes.size()) - 1; }
  bool IsLeaf(int node) const { return nodes[node].children.empty(); }
  // The support of a join in percent of the replicates, when there is one.
  std::optional<double> SupportPercent(int node) const;
};

// A tree, or the pairs without a distance that keep it from being built.
struct TreeOutcome {
  std::optional<Tree> tree;
  std::vector<VarietyPair> withoutDistance;
};

// The UPGMA or neighbour-joining tree of the distances, or the pairs that have none.
TreeOutcome BuildTree(const DistanceMatrix& d, TreeMethod method);

// The builders: `d` must hold every distance (BuildTree checks that first).
// Average linkage, as hierarchical clustering by mean distance: a join's
// height is the distance between its two clusters and each branch spans half
// the difference of heights, so the path between two leaves is the distance
// at which they were joined.
Tree Upgma(const DistanceMatrix& d);
// Saitou and Nei's method; branch lengths as computed, negative ones included.
Tree NeighbourJoining(const DistanceMatrix& d);

}  // namespace analysis
