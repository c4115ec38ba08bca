#pragma once
// Building distance matrices by hand, and reading a tree's path lengths back.
#include <map>
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
  // Per leaf its variety and its distance to itself and each ancestor, upwards.
  std::vector<std::pair<int, std::vector<std::pair<int, double>>>> leaves;
  for (int node = 0; node < static_cast<int>(t.nodes.size()); ++node) {
    if (t.nodes[node].variety == 0) continue;
    std::vector<std::pair<int, double>> up{{node, 0}};
    for (int at = node; t.nodes[at].parent >= 0; at = t.nodes[at].parent)
      up.emplace_back(t.nodes[at].parent, up.back().second + t.nodes[at].length);
    leaves.emplace_back(t.nodes[node].variety, std::move(up));
  }
  const size_t n = leaves.size();
  std::vector<double> out(n * n, 0);
  for (const auto& [a, upA] : leaves)
    for (const auto& [b, upB] : leaves) {
      const std::map<int, double> fromB(upB.begin(), upB.end());
      for (const auto& [node, length] : upA)  // the first common node is the nearest
        if (fromB.count(node)) {
          out[static_cast<size_t>(a - 1) * n + b - 1] = length + fromB.at(node);
          break;
        }
    }
  return out;
}

}  // namespace analysis_test
