#pragma once
// Building distance matrices and trees by hand, and reading a tree's path
// lengths back, for the tests of the trees.
#include <string>
#include <utility>
#include <vector>

#include "analysis/Distances.h"
#include "analysis/Trees.h"

namespace analysis_test {

// Names V1.. for n varieties.
inline std::vector<std::string> Names(int n) {
  std::vector<std::string> names;
  for (int v = 1; v <= n; ++v) names.push_back("V" + std::to_string(v));
  return names;
}

// The upper triangle row by row: (1,2), (1,3), ..., (2,3), ...
inline analysis::DistanceMatrix Matrix(const std::vector<double>& upper,
                                       std::vector<std::string> names) {
  analysis::DistanceMatrix d(std::move(names));
  size_t k = 0;
  for (int i = 1; i <= d.VarietyCount(); ++i)
    for (int j = i + 1; j <= d.VarietyCount(); ++j) d.Set(i, j, upper.at(k++));
  return d;
}

// The length of the path between every two leaves, by variety: (i - 1) * n + j - 1.
inline std::vector<double> PathLengths(const analysis::Tree& t) {
  std::vector<std::vector<std::pair<int, double>>> next(t.nodes.size());
  int leaves = 0;
  for (size_t node = 0; node < t.nodes.size(); ++node) {
    if (t.nodes[node].variety > 0) ++leaves;
    if (t.nodes[node].parent < 0) continue;
    next[node].emplace_back(t.nodes[node].parent, t.nodes[node].length);
    next[t.nodes[node].parent].emplace_back(static_cast<int>(node), t.nodes[node].length);
  }
  std::vector<double> out(static_cast<size_t>(leaves) * leaves, 0);
  for (size_t from = 0; from < t.nodes.size(); ++from) {
    if (t.nodes[from].variety == 0) continue;
    std::vector<double> reach(t.nodes.size(), 0);
    std::vector<bool> seen(t.nodes.size(), false);  // lengths may be negative
    std::vector<int> stack{static_cast<int>(from)};
    seen[from] = true;
    while (!stack.empty()) {
      const int at = stack.back();
      stack.pop_back();
      for (const auto& [to, length] : next[at]) {
        if (seen[to]) continue;
        seen[to] = true;
        reach[to] = reach[at] + length;
        stack.push_back(to);
      }
    }
    for (size_t to = 0; to < t.nodes.size(); ++to)
      if (t.nodes[to].variety > 0)
        out[static_cast<size_t>(t.nodes[from].variety - 1) * leaves + t.nodes[to].variety - 1] =
            reach[to];
  }
  return out;
}

// The path lengths of a tree as a distance matrix between its leaves.
inline analysis::DistanceMatrix PathMatrix(const analysis::Tree& t, int leaves) {
  const std::vector<double> paths = PathLengths(t);
  analysis::DistanceMatrix d(Names(leaves));
  for (int i = 1; i <= leaves; ++i)
    for (int j = i + 1; j <= leaves; ++j)
      d.Set(i, j, paths[static_cast<size_t>(i - 1) * leaves + j - 1]);
  return d;
}

}  // namespace analysis_test
