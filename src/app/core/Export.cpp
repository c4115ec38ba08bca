#include "app/core/Export.h"

#include <fmt/format.h>
#include <fmt/ranges.h>

#include <utility>

#include "messages/CliTexts.h"

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

std::string DescribeChanges(const ExportResult& done, ExportFormat format) {
  std::string text;
  auto line = [&text](const std::string& part) { (text += part) += '\n'; };
  for (const auto& r : done.varieties) line(msg::Format(msg::Cli::RenamedVariety, r.from, r.to));
  for (const auto& r : done.markers) line(msg::Format(msg::Cli::RenamedMarker, r.from, r.to));
  for (const auto& r : done.alleles) {
    std::vector<std::string> pairs;
    for (const auto& [number, allele] : r.alleles)
      pairs.push_back(msg::Format(msg::Cli::AlleleNumber, number, allele));
    line(msg::Format(msg::Cli::RenumberedAlleles, r.marker, fmt::join(pairs, " ")));
  }
  // STRUCTURE files are written without a population column, as before.
  if (done.ungrouped > 0 && format != ExportFormat::Structure)
    line(msg::Format(msg::Cli::UngroupedVarieties, done.ungrouped, done.sourcePopulation));
  return text;
}

}  // namespace app
