#include "report/ReadGenotypes.h"

#include <memory>
#include <utility>

#include "analysis/Conversion.h"
#include "report/Groups.h"
#include "report/SheetAccess.h"

namespace report {

GenotypeRead ReadGenotypes(host::Worksheet& source, SourceKind kind) {
  NoProgress quiet;
  SourceTable table = ReadSourceTable(source, DataKindOf(kind), quiet);
  GenotypeRead out;
  // The limits come first, as in a run; they name no cell here.
  for (const store::Finding& limit : table.limits) out.findings.push_back({limit.problem});
  out.store = std::make_unique<store::GenotypeStore>(std::move(table.store));
  store::GenotypeStore& s = *out.store;
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    const store::Findings found = kind == SourceKind::Ssr
                                      ? analysis::ConvertSsrMarker(s, m).findings
                                      : analysis::TallyCharacterMarker(s, m);
    out.findings.insert(out.findings.end(), found.begin(), found.end());
  }
  out.title = source.Cell(2, 2).Text();
  if (const auto groups = ReadGroups(source.Parent()))
    out.populations = PopulationsOf(*out.store, *groups);
  return out;
}

}  // namespace report
