#include "app/core/Export.h"

#include <utility>

namespace app {
namespace {

// Each variety's population: its group on the Groups sheet, else the
// source's name, the one population of a workbook without that sheet.
std::vector<std::string> Populations(const report::GenotypeRead& read, const std::string& stem,
                                     std::size_t& ungrouped) {
  if (read.populations.empty()) return std::vector<std::string>(read.store->VarietyCount(), stem);
  std::vector<std::string> populations = read.populations;
  for (std::string& population : populations)
    if (population.empty()) {
      population = stem;
      ++ungrouped;
    }
  return populations;
}

}  // namespace

ExportResult ExportSource(Session& session, const std::string& sheet, ExportFormat format) {
  CheckedSource source = ReadCheckedSource(session, sheet);
  ExportResult result;
  result.problems = std::move(source.problems);
  if (!result.problems.empty()) return result;
  const report::GenotypeRead& read = source.read;
  result.sourcePopulation = sheet.substr(0, sheet.find('.'));
  exchange::Exported done = exchange::Export(
      *read.store, format, read.title.empty() ? result.sourcePopulation : read.title,
      Populations(read, result.sourcePopulation, result.ungrouped));
  result.text = std::move(done.text);
  result.varieties = std::move(done.varieties);
  result.markers = std::move(done.markers);
  for (exchange::Renumbered& r : done.alleles)
    result.alleles.push_back({read.store->MarkerName(r.marker), std::move(r.alleles)});
  return result;
}

}  // namespace app
