#include "app/cli/SourceProblems.h"

#include <ostream>

#include "app/cli/Command.h"
#include "messages/CliTexts.h"

namespace cli {
namespace {

bool ReportProblems(const store::GenotypeStore& s, const store::Findings& findings,
                    std::ostream& out) {
  if (findings.empty()) return false;
  for (const store::Finding& f : findings)
    out << msg::Format(msg::Cli::ProblemLine, store::ProblemText(f.problem),
                       s.VarietyName(f.variety), s.MarkerName(f.marker))
        << '\n';
  out << msg::Text(msg::Cli::NothingWritten) << '\n';
  return true;
}

}  // namespace

CheckedSource ReadCheckedSource(const RunRequest& request, std::ostream& out, std::ostream& err) {
  CheckedSource source;
  app::Session session;
  session.Open(request.workbook);
  source.sheet = ChooseSource(session, request, err);
  if (source.sheet.empty()) {
    source.exitCode = kUsage;
    return source;
  }
  source.read = session.ReadGenotypes(source.sheet);
  if (ReportProblems(*source.read.store, source.read.findings, out))
    source.exitCode = kDataProblems;
  return source;
}

}  // namespace cli
