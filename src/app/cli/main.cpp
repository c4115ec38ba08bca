// The `allelescope` command line: a thin front end over the session.
#include <CLI/CLI.hpp>
#include <iostream>

#include "app/cli/Command.h"
#include "messages/CliTexts.h"
#include "messages/Language.h"

int main(int argc, char** argv) {
  msg::UseEnvironmentLanguage();
  CLI::App app{std::string(msg::Text(msg::Cli::ProgramDescription)), "allelescope"};
  app.set_version_flag("--version", ALLELESCOPE_VERSION);
  app.require_subcommand(1);
  app.footer(std::string(msg::Text(msg::Cli::ProgramFooter)));

  std::vector<std::unique_ptr<cli::Command>> commands;
  commands.push_back(cli::MakeSheetsCommand(app));
  commands.push_back(cli::MakeRunCommand(app));
  commands.push_back(cli::MakeDemoCommand(app));
  commands.push_back(cli::MakeExportCommand(app));
  commands.push_back(cli::MakeMarkersCommand(app));
  commands.push_back(cli::MakeImportCommand(app));

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? cli::kFinished : cli::kUsage;
  }
  for (auto& command : commands)
    if (command->Chosen()) return command->Execute(std::cout, std::cerr);
  return cli::kUsage;
}
