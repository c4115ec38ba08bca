#pragma once
// The pictures of how the varieties relate, as the relation commands write
// them and as the .tree sheet shows them.
#include <optional>
#include <string>
#include <vector>

#include "analysis/Distances.h"
#include "analysis/Pcoa.h"
#include "host/Host.h"
#include "picture/MapPicture.h"

namespace report {

// The groups of a map from each variety's population (empty for none, in
// the order the populations first appear); none when no variety has one.
std::optional<picture::MapGroups> MapGroupsOf(const std::vector<std::string>& populations);

// The line under a picture's title that says which distance it shows.
std::string DistanceCaption(analysis::DistanceKind kind);

// The .tree sheet's pictures, side by side from B4: the UPGMA dendrogram,
// the neighbour-joining tree and the map of `done` (coloured by
// `populations`), each a PNG shown at its own size; none without a distance
// for every pair.
std::vector<host::SheetImage> TreeSheetPictures(const analysis::DistanceMatrix& d,
                                                const analysis::PcoaOutcome& done,
                                                const std::vector<std::string>& populations);

// The first row clear of every picture at the sheet's default row height,
// and never above `lowest`.
int RowBelowPictures(const std::vector<host::SheetImage>& images, int lowest);

}  // namespace report
