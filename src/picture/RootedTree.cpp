#include "picture/RootedTree.h"

#include <algorithm>
#include <utility>

namespace picture {

namespace {

using Edges = std::vector<std::vector<std::pair<int, double>>>;  // neighbour, length

Edges Undirected(const analysis::Tree& tree) {
  Edges edges(tree.nodes.size());
  for (size_t node = 0; node < tree.nodes.size(); ++node) {
    const int parent = tree.nodes[node].parent;
    if (parent < 0) continue;
    const double length = std::max(0.0, tree.nodes[node].length);
    edges[node].emplace_back(parent, length);
    edges[static_cast<size_t>(parent)].emplace_back(static_cast<int>(node), length);
  }
  return edges;
}

// Distances from `from` to every node, and each node's neighbour towards `from`.
std::pair<std::vector<double>, std::vector<int>> Reach(const Edges& edges, int from) {
  std::vector<double> distance(edges.size(), -1);
  std::vector<int> towards(edges.size(), -1);
  std::vector<int> stack{from};
  distance[static_cast<size_t>(from)] = 0;
  while (!stack.empty()) {
    const int at = stack.back();
    stack.pop_back();
    for (const auto& [to, length] : edges[static_cast<size_t>(at)]) {
      if (distance[static_cast<size_t>(to)] >= 0) continue;
      distance[static_cast<size_t>(to)] = distance[static_cast<size_t>(at)] + length;
      towards[static_cast<size_t>(to)] = at;
      stack.push_back(to);
    }
  }
  return {std::move(distance), std::move(towards)};
}

// The two leaves farthest apart, lowest varieties first among equals.
std::pair<int, int> FarthestLeaves(const analysis::Tree& tree, const Edges& edges) {
  std::pair<int, int> best{0, 0};
  double longest = -1;
  for (size_t a = 0; a < tree.nodes.size(); ++a) {
    if (!tree.IsLeaf(static_cast<int>(a))) continue;
    const std::vector<double> distance = Reach(edges, static_cast<int>(a)).first;
    for (size_t b = a + 1; b < tree.nodes.size(); ++b)
      if (tree.IsLeaf(static_cast<int>(b)) && distance[b] > longest + 1e-12) {
        longest = distance[b];
        best = {static_cast<int>(a), static_cast<int>(b)};
      }
  }
  return best;
}

// Copies the subtree at `node`, entered from `from`, below `parent`.
int Copy(const analysis::Tree& tree, const Edges& edges, int node, int from, double length,
         DrawnTree& out) {
  const int index = static_cast<int>(out.nodes.size());
  out.nodes.push_back({tree.nodes[static_cast<size_t>(node)].name, {}, length, {}});
  // A branch's support belongs to the clade below it: the node's own when the
  // branch led to its parent, the node left behind when it led to a child.
  const int clade = tree.nodes[static_cast<size_t>(node)].parent == from ? node : from;
  if (from >= 0 && !tree.IsLeaf(node)) out.nodes.back().support = tree.SupportPercent(clade);
  for (const auto& [next, branch] : edges[static_cast<size_t>(node)]) {
    if (next == from) continue;
    const int child = Copy(tree, edges, next, node, branch, out);
    out.nodes[static_cast<size_t>(index)].children.push_back(child);
  }
  return index;
}

DrawnTree AsDrawn(const analysis::Tree& tree, const Edges& edges) {
  DrawnTree out;
  out.root = Copy(tree, edges, tree.Root(), -1, 0, out);
  return out;
}

}  // namespace

DrawnTree RootForDrawing(const analysis::Tree& tree) {
  const Edges edges = Undirected(tree);
  if (tree.method == analysis::TreeMethod::Upgma || tree.nodes.size() < 3)
    return AsDrawn(tree, edges);
  const auto [a, b] = FarthestLeaves(tree, edges);
  const auto [distance, towards] = Reach(edges, b);
  // Walk from a towards b until half the path lies behind.
  const double half = distance[static_cast<size_t>(a)] / 2;
  int lower = a;
  int upper = towards[static_cast<size_t>(a)];
  while (distance[static_cast<size_t>(upper)] > half && towards[static_cast<size_t>(upper)] >= 0) {
    lower = upper;
    upper = towards[static_cast<size_t>(upper)];
  }
  // The root splits the branch lower-upper: `lower` lies farther from b than half.
  const double toLower = distance[static_cast<size_t>(lower)] - half;
  const double toUpper = half - distance[static_cast<size_t>(upper)];
  DrawnTree out;
  out.nodes.push_back({});
  const int first = Copy(tree, edges, lower, upper, toLower, out);
  const int second = Copy(tree, edges, upper, lower, toUpper, out);
  out.nodes[0].children = {first, second};
  return out;
}

}  // namespace picture
