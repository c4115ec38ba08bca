#include "app/cli/RunWorkbook.h"

#include <unistd.h>

#include <iostream>
#include <ostream>
#include <vector>

#include "app/cli/Command.h"
#include "app/cli/TerminalProgress.h"
#include "messages/CliTexts.h"
#include "messages/InterfaceTexts.h"

namespace cli {
namespace {

std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : ", ") + ("\"" + name + "\"");
  return text.empty() ? std::string(msg::Text(msg::Cli::NoSheets)) : text;
}

// The sheet to run, or empty after telling the user why there is none.
std::string ChooseSheet(const app::Session& session, const RunRequest& request, std::ostream& err) {
  const std::vector<std::string>& names = session.SheetNames();
  if (!request.sheet.empty()) {
    std::string sheet = session.FindSheet(request.sheet);
    if (sheet.empty())
      Complain(err, msg::Format(msg::Cli::NoSheetNamed, request.workbook, request.sheet,
                                JoinNames(names)));
    return sheet;
  }
  std::vector<std::string> sources;
  for (const auto& name : names)
    if (app::IsSourceName(name)) sources.push_back(name);
  if (sources.size() == 1) return sources.front();
  Complain(err, msg::Format(sources.empty() ? msg::Cli::NoSourceSheet : msg::Cli::SeveralSources,
                            request.workbook, JoinNames(sources), JoinNames(names)));
  return {};
}

// The closing lines of a saved run, and its exit status.
int Tell(const app::RunReport& report, const app::SavedFile& saved, const RunRequest& request,
         std::ostream& out, std::ostream& err) {
  if (saved.splitHardLink) Complain(err, msg::Format(msg::Cli::HardLinkSplit, saved.path));
  if (report.HasProblems()) {
    for (const auto& problem : report.problems) out << problem.text << '\n';
  } else {
    out << msg::Text(msg::Ui::FinishedNormally) << '\n';
    if (report.identicalGroups > 0) out << report.IdenticalLine() << '\n';
  }
  out.flush();
  // Even quiet, a user must learn of a file they did not name (a legacy .xls
  // has its results saved to a new .xlsx).
  const bool named = saved.path == request.workbook || saved.path == request.output;
  if (!request.quiet || !named) err << msg::Format(msg::Cli::ResultsSaved, saved.path) << '\n';
  return report.HasProblems() ? kDataProblems : kFinished;
}

bool IsSource(app::SheetKind kind) {
  return kind == app::SheetKind::Ssr || kind == app::SheetKind::Character;
}

}  // namespace

std::string OpenSource(app::Session& session, const RunRequest& request, std::ostream& err) {
  session.Open(request.workbook);
  const std::string sheet = ChooseSheet(session, request, err);
  if (sheet.empty()) return {};
  const app::SheetKind kind = session.Classify(sheet);
  if (!IsSource(kind)) {
    Complain(err,
             msg::Format(msg::Cli::NotASourceSheet, sheet, app::ChoiceText(kind), Gloss(kind)));
    return {};
  }
  if (!request.quiet)
    err << msg::Format(msg::Cli::ChosenLine, sheet, app::ChoiceText(kind), Gloss(kind)) << '\n';
  return sheet;
}

int RunWorkbook(const RunRequest& request, std::ostream& out, std::ostream& err) {
  app::Session session;
  const std::string sheet = OpenSource(session, request, err);
  if (sheet.empty()) return kUsage;

  std::ostream silent(nullptr);  // swallows what quiet leaves out
  TerminalProgress progress(request.quiet ? silent : err,
                            !request.quiet && ::isatty(STDERR_FILENO) == 1 && &err == &std::cerr);
  session.SetSaveOverLockFile(request.ignoreLock);
  session.SetReopenAfterSave(false);  // the command ends with the run
  app::RunReport report;
  app::SavedFile saved;
  try {
    session.CheckSaveTarget(request.output);
    report = session.Run(sheet, request.options, progress);
    saved = session.Save(request.output);
  } catch (const app::WorkbookInUse& inUse) {
    progress.ClearProgress();
    Complain(err, msg::Format(msg::Cli::LockFileFound, inUse.Workbook(), inUse.LockFile()));
    return kUnreadable;
  }
  progress.ClearProgress();
  return Tell(report, saved, request, out, err);
}

}  // namespace cli
