#pragma once
// A tree as drawn: rooted, every branch of length zero or more. A UPGMA tree
// is rooted already; a neighbour-joining tree is rooted at the midpoint of
// its longest leaf-to-leaf path, so the drawing shows it as a dendrogram.
#include <optional>
#include <string>
#include <vector>

#include "analysis/Trees.h"

namespace picture {

struct DrawnNode {
  std::string name;  // a leaf's variety name
  std::vector<int> children;
  double length = 0;              // of the branch above, never negative
  std::optional<double> support;  // in percent, for a join after a bootstrap
};

struct DrawnTree {
  std::vector<DrawnNode> nodes;
  int root = 0;
};

// Negative neighbour-joining branches are drawn as length zero. Ties for the
// longest path go to the pair of lowest varieties.
DrawnTree RootForDrawing(const analysis::Tree& tree);

}  // namespace picture
