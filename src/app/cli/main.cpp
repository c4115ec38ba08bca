// The `allelescope` command line: a thin front end over the session.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>

#include "app/cli/Command.h"
#include "app/cli/CommandLine.h"
#include "messages/CliTexts.h"
#include "messages/Language.h"

namespace {

// What a command printed must have reached its file (`markers > list.txt` on
// a full disk): a lost output is a failure, not a finished command.
int Flushed(int status) {
  errno = 0;
  std::cout.flush();
  if (std::cout) return status;
  cli::Complain(std::cerr, msg::Format(msg::Cli::OutputFailed, std::strerror(errno)));
  return status == cli::kFinished ? cli::kUnreadable : status;
}

}  // namespace

int main(int argc, char** argv) {
  // Past a file-size limit (ulimit -f) a write then fails with a reason the
  // user is told, and the workbook stays as it was, instead of the signal
  // ending the program without a word.
  std::signal(SIGXFSZ, SIG_IGN);
  msg::UseEnvironmentLanguage();
  CLI::App app{std::string(msg::Text(msg::Cli::ProgramDescription)), "allelescope"};
  cli::SetUpProgram(app);

  std::vector<std::unique_ptr<cli::Command>> commands;
  commands.push_back(cli::MakeSheetsCommand(app));
  commands.push_back(cli::MakeRunCommand(app));
  commands.push_back(cli::MakeDemoCommand(app));
  commands.push_back(cli::MakeExportCommand(app));
  commands.push_back(cli::MakeMarkersCommand(app));
  commands.push_back(cli::MakeSummaryCommand(app));
  commands.push_back(cli::MakeImportCommand(app));
  commands.push_back(cli::MakeTreeCommand(app));
  commands.push_back(cli::MakeDistancesCommand(app));
  commands.push_back(cli::MakePcoaCommand(app));
  commands.push_back(cli::MakeHelpCommand(app));

  if (const auto status = cli::ParseCommandLine(app, argc, argv, std::cout, std::cerr))
    return Flushed(*status);
  for (auto& command : commands)
    if (command->Chosen()) return Flushed(command->Execute(std::cout, std::cerr));
  return cli::kUsage;
}
