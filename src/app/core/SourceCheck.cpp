#include "app/core/SourceCheck.h"

#include "store/GenotypeStore.h"
#include "store/Problems.h"

namespace app {

CheckedSource ReadCheckedSource(Session& session, const std::string& sheet) {
  CheckedSource source{session.ReadGenotypes(sheet), {}};
  const store::GenotypeStore& s = *source.read.store;
  for (const store::Finding& f : source.read.findings)
    source.problems.push_back(
        {store::ProblemText(f.problem), s.VarietyName(f.variety), s.MarkerName(f.marker)});
  return source;
}

}  // namespace app
