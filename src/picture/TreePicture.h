#pragma once
// Pictures of trees as rectangular dendrograms: the root at the left, one
// row per variety from top to bottom at a fixed pitch, so a tree of 500
// varieties is as tall as it needs to be and no two names touch. Branch
// lengths are to scale, read on the axis below.
#include <string>

#include "analysis/Trees.h"
#include "picture/Scene.h"

namespace picture {

inline constexpr double kLeafSize = 11;
inline constexpr double kSupportSize = 9;
inline constexpr double kTreeWidth = 560;  // pixels from the root to the farthest tip

// A UPGMA tree's axis gives the height of each join (0 at the varieties); a
// neighbour-joining tree is midpoint-rooted and its axis gives the distance
// from that root. Supports from a bootstrap are written at the joins.
// `caption` (for instance the distance used) goes under the title.
Scene TreeScene(const analysis::Tree& tree, const std::string& caption = {});

}  // namespace picture
