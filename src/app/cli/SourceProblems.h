#pragma once
// What `export` and `markers` share: the data problems that stop them, listed
// on standard output as the error log has them.
#include <iosfwd>
#include <vector>

#include "app/core/SourceCheck.h"

namespace cli {

// Lists `problems` and that nothing was written; false when there are none.
bool ListProblems(const std::vector<app::DataProblem>& problems, std::ostream& out);

}  // namespace cli
