#include "app/core/MarkerSearch.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <utility>

#include "analysis/MarkerSet.h"
#include "messages/CliTexts.h"

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

std::string DescribeChoice(const MarkerSearch& search) {
  std::string text =
      msg::Format(search.exact ? msg::Cli::MarkersExact : msg::Cli::MarkersGreedy, search.markers) +
      '\n';
  auto line = [&text](std::string_view part) { (text += part) += '\n'; };
  // With one variety there is no pair: neither "no marker tells" nor "every pair is told" holds.
  if (search.varieties < 2) {
    line(msg::Text(msg::Cli::MarkersOneVariety));
    return text;
  }
  if (search.chosen.empty()) line(msg::Text(msg::Cli::NoPairToTell));
  for (const TellingMarker& c : search.chosen)
    line(msg::Format(msg::Cli::MarkerLine, c.name, c.pairsLeft));
  line(msg::Text(msg::Cli::InseparableHead));
  if (search.inseparable.empty()) line(msg::Text(msg::Cli::InseparableNone));
  for (const std::vector<std::string>& names : search.inseparable)
    line(msg::Format(msg::Cli::InseparableLine, fmt::join(names, "\t")));
  return text;
}

}  // namespace app
