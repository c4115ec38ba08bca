#pragma once
// The pictures of how the varieties relate, as the relation commands write
// them and as the .tree sheet shows them.
#include <optional>
#include <string>
#include <vector>

#include "analysis/Distances.h"
#include "picture/MapPicture.h"

namespace report {

// The groups of a map from each variety's population (empty for none, in
// the order the populations first appear); none when no variety has one.
std::optional<picture::MapGroups> MapGroupsOf(const std::vector<std::string>& populations);

// The line under a picture's title that says which distance it shows.
std::string DistanceCaption(analysis::DistanceKind kind);

}  // namespace report
