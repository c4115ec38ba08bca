#include "analysis/Trees.h"

namespace analysis {

Tree Tree::Leaves(const std::vector<std::string>& names, TreeMethod method) {
  Tree tree;
  tree.method = method;
  for (size_t v = 0; v < names.size(); ++v) {
    TreeNode leaf;
    leaf.variety = static_cast<int>(v) + 1;
    leaf.name = names[v];
    tree.nodes.push_back(std::move(leaf));
  }
  return tree;
}

int Tree::Join(const std::vector<std::pair<int, double>>& children) {
  const int joined = static_cast<int>(nodes.size());
  nodes.emplace_back();
  for (const auto& [child, length] : children) {
    nodes[child].parent = joined;
    nodes[child].length = length;
    nodes[joined].children.push_back(child);
  }
  return joined;
}

std::optional<double> Tree::SupportPercent(int node) const {
  if (!nodes[node].support || replicates <= 0) return std::nullopt;
  return 100.0 * *nodes[node].support / replicates;
}

TreeOutcome BuildTree(const DistanceMatrix& d, TreeMethod method) {
  TreeOutcome out;
  out.withoutDistance = d.PairsWithoutDistance();
  if (!out.withoutDistance.empty()) return out;
  out.tree = method == TreeMethod::Upgma ? Upgma(d) : NeighbourJoining(d);
  return out;
}

}  // namespace analysis
