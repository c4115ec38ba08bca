#include "app/cli/SourceProblems.h"

#include <ostream>

#include "messages/CliTexts.h"

namespace cli {

bool ListProblems(const std::vector<app::DataProblem>& problems, std::ostream& out) {
  if (problems.empty()) return false;
  for (const app::DataProblem& p : problems)
    out << msg::Format(msg::Cli::ProblemLine, p.text, p.variety, p.marker) << '\n';
  out << msg::Text(msg::Cli::NothingWritten) << '\n';
  return true;
}

}  // namespace cli
