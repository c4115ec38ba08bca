#pragma once
// The English texts drawn on the pictures of trees and principal
// coordinates; like the result sheets, they read the same in every locale.
#include <string_view>

namespace msg::picture {

inline constexpr std::string_view kUpgmaTitle = "UPGMA dendrogram";
inline constexpr std::string_view kNeighbourJoiningTitle =
    "Neighbour-joining tree, rooted at the midpoint of its longest path";
inline constexpr std::string_view kJoinHeightAxis = "Distance at which the clusters join";
inline constexpr std::string_view kBranchLengthAxis = "Distance along the branches";
// {0}: how many replicates.
inline constexpr std::string_view kSupportNote =
    "Numbers at the joins: bootstrap support in % of {0} replicates";
inline constexpr std::string_view kPcoaTitle = "Principal coordinates";
// {0}: the axis (1 or 2), {1}: the share of the variation it shows, in %.
inline constexpr std::string_view kPcoaAxis = "Axis {0} ({1:.1f} %)";
inline constexpr std::string_view kWithoutGroup = "No group";
// Under the title: the distance the picture is drawn from.
inline constexpr std::string_view kAllelesCaption =
    "Allele-sharing distance: 1 - shared alleles / 2, averaged over the markers typed in both";
inline constexpr std::string_view kMarkersCaption =
    "Share of the markers typed in both whose genotypes differ";

}  // namespace msg::picture
