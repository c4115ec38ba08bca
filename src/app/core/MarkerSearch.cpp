#include "app/core/MarkerSearch.h"

#include <utility>

#include "analysis/MarkerSet.h"

namespace app {

MarkerSearch SearchMarkers(Session& session, const std::string& sheet) {
  CheckedSource source = ReadCheckedSource(session, sheet);
  MarkerSearch search;
  search.problems = std::move(source.problems);
  if (!search.problems.empty()) return search;
  const store::GenotypeStore& s = *source.read.store;
  const analysis::MarkerChoice choice = analysis::SmallestMarkerSet(analysis::TellingMarkers(s));
  search.exact = choice.method == analysis::SearchMethod::Exact;
  search.markers = s.MarkerCount();
  search.varieties = s.VarietyCount();
  for (const analysis::ChosenMarker& c : choice.chosen)
    search.chosen.push_back({s.MarkerName(c.marker), c.pairsLeft});
  for (const std::vector<int>& group : choice.inseparable) {
    std::vector<std::string>& names = search.inseparable.emplace_back();
    for (int v : group) names.push_back(s.VarietyName(v));
  }
  return search;
}

}  // namespace app
