#include "app/core/SourceCheck.h"

#include "host/HostAddress.h"
#include "report/Layout.h"
#include "store/GenotypeStore.h"
#include "store/Problems.h"

namespace app {

namespace {

// The address the error log gives a cell of the source table.
std::string CellOf(const std::optional<store::TablePlace>& at) {
  if (!at) return {};
  const auto [row, column] = host::ParseCellAddress(report::kTableAnchor);
  return host::ColumnLetters(column + at->column) + std::to_string(row + at->row);
}

}  // namespace

CheckedSource ReadCheckedSource(Session& session, const std::string& sheet) {
  CheckedSource source{session.ReadGenotypes(sheet), {}};
  const store::GenotypeStore& s = *source.read.store;
  for (const store::Finding& f : source.read.findings)
    source.problems.push_back({store::ProblemText(f.problem), s.VarietyName(f.variety),
                               s.MarkerName(f.marker), CellOf(f.at)});
  return source;
}

}  // namespace app
