#pragma once
// A source's genotypes as the text files other population genetics programs read.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "app/core/Session.h"
#include "app/core/SourceCheck.h"
#include "exchange/ExportFormat.h"

namespace app {

using ExportFormat = exchange::Format;
using Renamed = exchange::Renamed;

// A marker whose alleles are written by number: each number with the size or
// symbol it stands for.
struct RenumberedMarker {
  std::string marker;
  std::vector<std::pair<int, std::string>> alleles;
};

struct ExportResult {
  std::vector<DataProblem> problems;  // any: nothing else is filled in
  std::string text;
  std::vector<Renamed> varieties;  // names the format cannot hold, and what they became
  std::vector<Renamed> markers;
  std::vector<RenumberedMarker> alleles;
  // The population named after the source: all varieties when the workbook
  // has no Groups sheet, else the `ungrouped` ones that sheet leaves out.
  std::string sourcePopulation;
  std::size_t ungrouped = 0;
};

// The source `sheet` of the session's workbook in `format`. Throws as
// Session::ReadGenotypes does.
ExportResult ExportSource(Session& session, const std::string& sheet, ExportFormat format);

// What the user must be told of an export in `format`, a line each (every
// line ends in '\n'): the names changed, the alleles numbered, the varieties
// put in the source's population. Empty when nothing was changed.
std::string DescribeChanges(const ExportResult& done, ExportFormat format);

}  // namespace app
