#include "app/cli/Command.h"

#include <fmt/format.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <iostream>
#include <ostream>

#include "app/cli/TerminalStatus.h"

namespace cli {

Command::Command(CLI::App& parent, const std::string& name, const std::string& description)
    : sub_(parent.add_subcommand(name, description)) {}

int Command::Execute(std::ostream& out, std::ostream& err) {
  try {
    return Run(out, err);
  } catch (const host::HostError& e) {
    err << "allelescope: " << Describe(e) << '\n';
    return kUnreadable;
  }
}

bool IsSourceName(const std::string& name) {
  const auto dot = name.find('.');
  if (dot == std::string::npos) return false;
  std::string type = name.substr(dot + 1);
  std::transform(type.begin(), type.end(), type.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return type == "org";
}

const char* OutcomeGloss(app::SheetOutcome outcome) {
  switch (outcome) {
    case app::SheetOutcome::NoType:
      return "no type";
    case app::SheetOutcome::NotSource:
      return "not a source";
    case app::SheetOutcome::Ssr:
      return "SSR data";
    case app::SheetOutcome::Character:
      return "character data";
  }
  return "";
}

std::string Describe(const host::HostError& e) {
  std::string text = e.Operation().empty() ? std::string("failed") : e.Operation() + " failed";
  if (!e.File().empty()) text = fmt::format("{}: {}", e.File(), text);
  return e.Reason().empty() ? text : fmt::format("{}: {}", text, e.Reason());
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& name : names) text += (text.empty() ? "" : ", ") + ("\"" + name + "\"");
  return text.empty() ? "(none)" : text;
}

bool StderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

namespace {

// The sheet of the list a user meant: the exact name, else the one that
// matches ignoring case (the workbook's names are unique ignoring case).
std::string FindSheet(const std::vector<std::string>& names, const std::string& wanted) {
  for (const auto& name : names)
    if (name == wanted) return name;
  auto lower = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
  };
  for (const auto& name : names)
    if (lower(name) == lower(wanted)) return name;
  return {};
}

}  // namespace

int RunWorkbook(const RunRequest& request, std::ostream& out, std::ostream& err) {
  TerminalStatus status(err, StderrIsTerminal() && &err == &std::cerr);
  app::Session session(status);
  session.Form_Load();
  session.filBook_Click(request.workbook);

  std::string sheet;
  if (!request.sheet.empty()) {
    sheet = FindSheet(session.SheetList(), request.sheet);
    if (sheet.empty()) {
      err << fmt::format("allelescope: {} has no sheet named \"{}\"; its sheets: {}\n",
                         request.workbook, request.sheet, JoinNames(session.SheetList()));
      return kUsage;
    }
  } else {
    std::vector<std::string> sources;
    for (const auto& name : session.SheetList())
      if (IsSourceName(name)) sources.push_back(name);
    if (sources.size() != 1) {
      err << fmt::format(
          "allelescope: {} has {} source sheets (a source is named NAME.org); choose one with "
          "--sheet. Source sheets: {}; all sheets: {}\n",
          request.workbook, sources.empty() ? "no" : "several", JoinNames(sources),
          JoinNames(session.SheetList()));
      return kUsage;
    }
    sheet = sources.front();
  }

  const app::SheetOutcome outcome = session.lstSheet_Click(sheet);
  if (!session.StartEnabled()) {
    err << fmt::format("allelescope: sheet \"{}\": {} ({}); a source sheet is named NAME.org\n",
                       sheet, status.LastMessage(), OutcomeGloss(outcome));
    return kUsage;
  }
  err << fmt::format("{}: {} ({})\n", sheet, status.LastMessage(), OutcomeGloss(outcome));

  session.chkZoo = request.zoo;
  session.chkCombination = request.combination;
  session.chkUKai = request.ukai;
  session.SetSaveTarget(request.output);
  status.BeginRun();
  session.cmdExec_Click();
  status.ClearProgress();

  for (const auto& line : MessageLines(session.ClosingMessage())) out << line << '\n';
  out.flush();
  err << "Results saved in " << session.SavedPath() << '\n';
  return session.DataProblems() ? kDataProblems : kFinished;
}

}  // namespace cli
