#include "report/RelatePictures.h"

#include <algorithm>

#include "messages/PictureTexts.h"

namespace report {

std::optional<picture::MapGroups> MapGroupsOf(const std::vector<std::string>& populations) {
  picture::MapGroups groups;
  for (const std::string& population : populations) {
    if (population.empty()) {
      groups.groupOf.push_back(-1);
      continue;
    }
    auto at = std::find(groups.names.begin(), groups.names.end(), population);
    if (at == groups.names.end()) at = groups.names.insert(at, population);
    groups.groupOf.push_back(static_cast<int>(at - groups.names.begin()));
  }
  if (groups.names.empty()) return std::nullopt;
  return groups;
}

std::string DistanceCaption(analysis::DistanceKind kind) {
  return std::string(kind == analysis::DistanceKind::Markers ? msg::picture::kMarkersCaption
                                                             : msg::picture::kAllelesCaption);
}

}  // namespace report
