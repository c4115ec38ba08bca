#pragma once
// The sheet "Groups" that an import writes beside its source (a head row,
// then each variety's name and population), read back so that an export
// writes the populations again.
#include <optional>
#include <string>
#include <vector>

#include "host/Host.h"
#include "store/GenotypeStore.h"

namespace report {

struct VarietyGroup {
  std::string variety;
  std::string population;
};

// The rows of the workbook's sheet "Groups" down to the first without a
// name; none when it has no such sheet or one whose heads are not an
// import's (a sheet of the user's that happens to be called so).
std::optional<std::vector<VarietyGroup>> ReadGroups(host::Workbook& book);

// Each variety's population: the k-th variety of a name takes the k-th row
// of that name, so that repeated names and a reordered source still match;
// empty for a variety the rows do not list.
std::vector<std::string> PopulationsOf(const store::GenotypeStore& s,
                                       const std::vector<VarietyGroup>& groups);

}  // namespace report
