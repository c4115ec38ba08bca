#pragma once
// A source read as a run reads it, for the commands that use its genotypes
// without writing into the workbook (export, markers): they refuse a source
// with data problems, which a run would log on its error sheet.
#include <string>
#include <string_view>
#include <vector>

#include "app/core/Session.h"
#include "report/ReadGenotypes.h"

namespace app {

// A data problem as the error log words it, with the variety and marker it is
// logged under (empty where it concerns no single one) and the source cell it
// was met in ("F27"; empty when none).
struct DataProblem {
  std::string_view text;
  std::string variety;
  std::string marker;
  std::string cell;
};

struct CheckedSource {
  report::GenotypeRead read;
  std::vector<DataProblem> problems;  // in the error log's order; none: the read is usable
};

// Throws as Session::ReadGenotypes does.
CheckedSource ReadCheckedSource(Session& session, const std::string& sheet);

}  // namespace app
