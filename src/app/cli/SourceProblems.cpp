#include "app/cli/SourceProblems.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
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

bool WriteFile(const std::string& path, const std::string& text, std::ostream& err) {
  const std::string partial = path + ".part";
  {
    std::ofstream file(partial, std::ios::binary | std::ios::trunc);
    file << text;
    file.flush();
    if (file) {
      file.close();
      std::error_code ec;
      std::filesystem::rename(partial, path, ec);
      if (!ec) return true;
      const std::string reason = ec.message();
      std::filesystem::remove(partial, ec);
      Complain(err, msg::Format(msg::Cli::CannotWrite, path, reason));
      return false;
    }
  }
  const std::string reason = std::strerror(errno);
  std::error_code ignored;
  std::filesystem::remove(partial, ignored);
  Complain(err, msg::Format(msg::Cli::CannotWrite, path, reason));
  return false;
}

}  // namespace cli
