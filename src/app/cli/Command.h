#pragma once
// One subcommand of the `allelescope` program. Each registers its options on
// the shared command line and runs over an app::Session.
#include <CLI/CLI.hpp>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "app/core/Session.h"
#include "host/HostError.h"

namespace cli {

// Exit status of every subcommand.
enum ExitCode : int {
  kFinished = 0,      // finished normally
  kUnreadable = 1,    // the workbook could not be read or saved
  kUsage = 2,         // wrong usage, or a sheet that is not a source
  kDataProblems = 3,  // finished, but the closing message reports data problems
};

class Command {
 public:
  Command(CLI::App& parent, const std::string& name, const std::string& description);
  virtual ~Command() = default;
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  bool Chosen() const { return sub_->parsed(); }
  // Runs the command; host failures become a message and kUnreadable.
  int Execute(std::ostream& out, std::ostream& err);

 protected:
  virtual int Run(std::ostream& out, std::ostream& err) = 0;
  CLI::App* sub_;
};

std::unique_ptr<Command> MakeSheetsCommand(CLI::App& parent);
std::unique_ptr<Command> MakeRunCommand(CLI::App& parent);
std::unique_ptr<Command> MakeDemoCommand(CLI::App& parent);

// A sheet the session would take as a source: text after the first "." is "org".
bool IsSourceName(const std::string& name);
// The short English gloss of a sheet choice's outcome.
const char* OutcomeGloss(app::SheetOutcome outcome);
// "Open of FILE failed: reason" for the user.
std::string Describe(const host::HostError& e);
std::string JoinNames(const std::vector<std::string>& names);
bool StderrIsTerminal();

// One complete run as `run` and `demo` do it: open, choose the source, run
// with the given options, save, report.
struct RunRequest {
  std::string workbook;
  std::string sheet;   // empty: the only source sheet
  std::string output;  // empty: save in place
  bool zoo = false;
  bool combination = true;
  bool ukai = true;
};
int RunWorkbook(const RunRequest& request, std::ostream& out, std::ostream& err);

}  // namespace cli
