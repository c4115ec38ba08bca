#pragma once
// The principal coordinates as a map: one point per variety on the first
// two axes (at the same scale, so distances on the page compare), each named
// without covering another name (see NamePlacement.h), coloured by group
// with a legend when groups are given. The map grows with the names it holds.
#include <string>
#include <vector>

#include "analysis/Pcoa.h"
#include "picture/Scene.h"

namespace picture {

inline constexpr double kPointNameSize = 10;

struct MapGroups {
  std::vector<std::string> names;
  std::vector<int> groupOf;  // per variety (index v - 1): into names, or -1 for none
};

Scene PcoaScene(const analysis::PrincipalCoordinates& pcoa, const std::vector<std::string>& names,
                const MapGroups* groups = nullptr, const std::string& caption = {});

}  // namespace picture
