#include "report/Groups.h"

#include <map>

#include "host/ReadLimits.h"
#include "messages/CliTexts.h"

namespace report {

std::optional<std::vector<VarietyGroup>> ReadGroups(host::Workbook& book) {
  host::Worksheet* sheet = book.FindSheet("Groups");
  if (!sheet || sheet->Cell(1, 1).Text() != msg::English(msg::Cli::GroupsVarietyHead) ||
      sheet->Cell(1, 2).Text() != msg::English(msg::Cli::GroupsPopulationHead))
    return std::nullopt;
  std::vector<VarietyGroup> rows;
  for (int row = 2; row <= host::kMaxRows; ++row) {
    std::string name = sheet->Cell(row, 1).Text();
    if (name.empty()) break;
    rows.push_back({std::move(name), sheet->Cell(row, 2).Text()});
  }
  return rows;
}

std::vector<std::string> PopulationsOf(const store::GenotypeStore& s,
                                       const std::vector<VarietyGroup>& groups) {
  std::map<std::string, std::vector<const std::string*>> byName;
  for (const VarietyGroup& g : groups) byName[g.variety].push_back(&g.population);
  std::map<std::string, size_t> taken;
  std::vector<std::string> populations;
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    const std::string& name = s.VarietyName(v);
    const auto rows = byName.find(name);
    size_t& k = taken[name];
    const bool listed = rows != byName.end() && k < rows->second.size();
    populations.push_back(listed ? *rows->second[k++] : std::string());
  }
  return populations;
}

}  // namespace report
