#include "report/ReadGenotypes.h"

#include "analysis/Conversion.h"
#include "report/Groups.h"
#include "report/SheetAccess.h"

namespace report {

GenotypeRead ReadGenotypes(host::Worksheet& source, SourceKind kind) {
  RunContext ctx;
  ctx.book = &source.Parent();
  ctx.app = &ctx.book->Parent();
  ctx.kind = kind == SourceKind::Ssr ? store::DataKind::Ssr : store::DataKind::Character;
  ReadSourceTable(ctx, source);
  GenotypeRead out;
  // The limits are logged by the reader itself; they come first, as in a run.
  for (store::Problem p : {store::Problem::TooManyVarieties, store::Problem::TooManyMarkers})
    if (ctx.errors.problems.Has(p)) out.findings.push_back({p});
  store::GenotypeStore& s = *ctx.store;
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    const store::Findings found = kind == SourceKind::Ssr
                                      ? analysis::ConvertSsrMarker(s, m).findings
                                      : analysis::TallyCharacterMarker(s, m);
    out.findings.insert(out.findings.end(), found.begin(), found.end());
  }
  out.store = std::move(ctx.store);
  out.title = source.Cell(2, 2).Text();
  if (const auto groups = ReadGroups(source.Parent()))
    out.populations = PopulationsOf(*out.store, *groups);
  return out;
}

}  // namespace report
