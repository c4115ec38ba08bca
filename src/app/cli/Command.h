#pragma once
// One subcommand of the `allelescope` program. Each registers its options on
// the shared command line and runs over an app::Session.
#include <CLI/CLI.hpp>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "app/core/Failure.h"
#include "app/core/Session.h"
#include "messages/CliTexts.h"

namespace cli {

// Exit status of every subcommand; the program's help lists them.
enum ExitCode : int {
  kFinished = 0,      // finished normally
  kUnreadable = 1,    // a file could not be read or written, or the run stopped
  kUsage = 2,         // wrong usage, or a sheet that is not a source
  kDataProblems = 3,  // finished, but the data have problems
};

class Command {
 public:
  // `summary` is the command's line in the program's help; `details` follow
  // it in the command's own help.
  Command(CLI::App& parent, const std::string& name, msg::Cli summary, msg::Cli details);
  virtual ~Command() = default;
  Command(const Command&) = delete;
  Command& operator=(const Command&) = delete;

  bool Chosen() const { return sub_->parsed(); }
  // Runs the command; failures become a message and kUnreadable.
  int Execute(std::ostream& out, std::ostream& err);

 protected:
  virtual int Run(std::ostream& out, std::ostream& err) = 0;
  // The arguments several commands take, spelt alike in every one.
  void AddWorkbook(std::string& path);
  void AddSheet(std::string& sheet);
  void AddOutput(std::string& path, msg::Cli description);
  void AddQuiet(bool& quiet);
  CLI::App* sub_;
};

std::unique_ptr<Command> MakeSheetsCommand(CLI::App& parent);
std::unique_ptr<Command> MakeRunCommand(CLI::App& parent);
std::unique_ptr<Command> MakeDemoCommand(CLI::App& parent);
std::unique_ptr<Command> MakeExportCommand(CLI::App& parent);
std::unique_ptr<Command> MakeMarkersCommand(CLI::App& parent);
std::unique_ptr<Command> MakeSummaryCommand(CLI::App& parent);
std::unique_ptr<Command> MakeImportCommand(CLI::App& parent);
std::unique_ptr<Command> MakeTreeCommand(CLI::App& parent);
std::unique_ptr<Command> MakeDistancesCommand(CLI::App& parent);
std::unique_ptr<Command> MakePcoaCommand(CLI::App& parent);
std::unique_ptr<Command> MakeHelpCommand(CLI::App& root);

// A catalogue text as the parser takes it.
std::string HelpText(msg::Cli id);

// Runs `body`; a host failure or any other exception becomes a message on
// `err` and kUnreadable, so no failure ends the program without a word.
int Guarded(std::ostream& err, const std::function<int()>& body);
// "allelescope: TEXT" on a line of its own.
void Complain(std::ostream& err, std::string_view text);
// "FILE: Open failed: reason" for the user.
std::string Describe(const app::HostError& e);
// The short English gloss of what choosing a sheet means.
std::string_view Gloss(app::SheetKind kind);

}  // namespace cli
