// The `allelescope` command line: a thin front end over the session.
#include <CLI/CLI.hpp>
#include <iostream>

#include "app/cli/Command.h"

int main(int argc, char** argv) {
  CLI::App app{
      "AlleleScope: describe, compare and identify varieties by their DNA markers.\n"
      "A workbook's source sheet (named NAME.org) holds marker names in row 4 from C4, variety "
      "names in column B from B5 and a genotype per cell: SSR data as two fragment sizes "
      "(180/192) or character data (AB). The results are written as sheets into the workbook.",
      "allelescope"};
  app.set_version_flag("--version", ALLELESCOPE_VERSION);
  app.require_subcommand(1);
  app.footer(
      "Exit status: 0 finished normally; 3 finished, but the data have problems (see the "
      "NAME.err sheet; the options were skipped); 2 wrong usage or a sheet that is not a "
      "source; 1 the workbook could not be read or saved.\n"
      "Run `allelescope COMMAND --help` for a command's options.");

  std::vector<std::unique_ptr<cli::Command>> commands;
  commands.push_back(cli::MakeSheetsCommand(app));
  commands.push_back(cli::MakeRunCommand(app));
  commands.push_back(cli::MakeDemoCommand(app));

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? cli::kFinished : cli::kUsage;
  }
  for (auto& command : commands)
    if (command->Chosen()) return command->Execute(std::cout, std::cerr);
  return cli::kUsage;
}
