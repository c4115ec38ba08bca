// The command line's conventions as a user meets them: help for every command
// in 80 columns, the version, usage faults that name the culprit and change
// nothing, and a quiet run that still reports what matters.
#include <filesystem>
#include <sstream>

#include "e2e/CliHarness.h"
#include "support/SourceBook.h"

namespace {

using namespace e2e;

// The commands the program's help lists.
std::vector<std::string> ListedCommands() {
  std::istringstream help(Cli({"--help"}).out);
  std::vector<std::string> commands;
  bool inside = false;
  for (std::string line; std::getline(help, line);) {
    if (!line.empty() && line.back() == ':' && line.front() != ' ')
      inside = line == "Subcommands:";
    else if (inside && line.rfind("  ", 0) == 0 && line[2] != ' ')
      commands.push_back(line.substr(2, line.find(' ', 2) - 2));
  }
  return commands;
}

// Characters, not bytes: a translated help may hold multibyte text.
size_t Characters(const std::string& line) {
  size_t n = 0;
  for (const unsigned char c : line) n += (c & 0xC0) != 0x80;
  return n;
}

TEST(CliConventions, EveryCommandHasHelpInEightyColumnsThatHelpCommandShowsToo) {
  const std::vector<std::string> commands = ListedCommands();
  ASSERT_GE(commands.size(), 7u);
  // The exit statuses are told once, in the program's help.
  const std::string footer = Says(msg::Cli::ProgramFooter).substr(0, 20);
  for (const std::string& command : commands) {
    const CommandResult asked = Cli({"help", command});
    EXPECT_EQ(asked.exitCode, 0) << command << ": " << asked.err;
    EXPECT_EQ(asked.out, Cli({command, "--help"}).out) << command;
    EXPECT_FALSE(Has(asked.out, footer)) << command;
  }
  const CommandResult program = Cli({"--help"});
  EXPECT_EQ(program.exitCode, 0);
  EXPECT_EQ(Cli({"help"}).out, program.out);
  EXPECT_TRUE(Has(program.out, footer));
  std::vector<std::vector<std::string>> asks{{"--help"}};
  for (const std::string& command : commands) asks.push_back({command, "--help"});
  for (const auto& args : asks) {
    const CommandResult asked = Cli(args);
    EXPECT_EQ(asked.exitCode, 0) << args[0];
    std::istringstream help(asked.out);
    int lines = 0;
    for (std::string line; std::getline(help, line); ++lines)
      EXPECT_LE(Characters(line), 80u) << args[0] << ": " << line;
    EXPECT_GT(lines, 5) << args[0];
  }
  const CommandResult version = Cli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, msg::Format(msg::Cli::VersionLine, ALLELESCOPE_VERSION) + "\n");
}

// Each fault ends with status 2, nothing on standard output, its message on
// the first line of standard error, and no file written or changed. "--"
// ends the options as in every GNU program: what follows is never an option.
TEST(CliConventions, UsageFaultsNameWhatWasWrongAndChangeNothing) {
  TempDir dir;
  const std::string path = dir.File("apple.xlsx"), dashed = dir.File("-apple.xlsx");
  testsupport::WriteWorkbook(path, {testsupport::Blank("Notes"), testsupport::CleanSsr("Apple.org"),
                                    testsupport::CleanSsr("Pear.org")});
  const std::string before = testsupport::ReadFileBytes(path), out = dir.File("out.gen");
  testsupport::WriteFileBytes(dashed, before);
  using msg::Cli;
  const struct {
    std::vector<std::string> args;
    std::string message;
    bool line = true;  // the message is the whole first line
    std::string hint = "";
  } faults[] = {
      {{"frobnicate"}, msg::Format(Cli::UnknownCommand, "frobnicate"), true, Says(Cli::HelpHint)},
      {{"help", "frobnicate"}, msg::Format(Cli::UnknownCommand, "frobnicate")},
      {{}, Says(Cli::NoCommand)},
      {{"run", path, "--frobnicate=yes", "--zoo"},
       msg::Format(Cli::UnknownOption, "--frobnicate"),
       true,
       msg::Format(Cli::CommandHelpHint, "run")},
      {{"run", path, "-s"}, msg::Format(Cli::MissingValue, "--sheet")},
      {{"run", path, "other.xlsx"}, msg::Format(Cli::UnexpectedArgument, "other.xlsx")},
      {{"run", "--", dashed, "--zoo"}, msg::Format(Cli::UnexpectedArgument, "--zoo")},
      {{"run"}, msg::Format(Cli::Required, "WORKBOOK")},
      {{"sheets", "--"}, msg::Format(Cli::Required, "WORKBOOK")},
      {{"export", path, "-o", out}, msg::Format(Cli::Required, "--format")},
      {{"export", path, "--format", "fasta", "-o", out},
       msg::Format(Cli::InvalidValue, "--format")},
      // More than one source, or a sheet that is none, is for the user to choose.
      {{"run", path}, "\"Apple.org\", \"Pear.org\"", false},
      {{"run", path, "--sheet", "Notes"}, "", false},
      {{"run", path, "--sheet", "Plum.org"}, "", false},
      {{"run", path, "--sheet", "Pear.org", "--output", dir.File("out.xls")}, "", false},
  };
  for (const auto& fault : faults) {
    const CommandResult got = e2e::Cli(fault.args);
    SCOPED_TRACE(fault.message + "\n" + got.err);
    EXPECT_EQ(got.exitCode, 2);
    EXPECT_TRUE(got.out.empty());
    if (fault.line) {
      EXPECT_EQ(got.err.rfind(msg::Format(Cli::ErrorLine, fault.message) + "\n", 0), 0u);
    }
    EXPECT_TRUE(Has(got.err, fault.message));
    EXPECT_TRUE(Has(got.err, fault.hint));
  }
  // `sheets` lists every choice, a sheet that is not a source told how a sheet
  // becomes one; after "--", a name that looks like an option is the workbook.
  const std::string listing = Listed("Notes", Cli::NotSourceMessage, Cli::GlossNoType) +
                              Listed("Apple.org", msg::Ui::SsrChosen, Cli::GlossSsr) +
                              Listed("Pear.org", msg::Ui::SsrChosen, Cli::GlossSsr);
  EXPECT_EQ(e2e::Cli({"sheets", path}).out, listing);
  const CommandResult sheets = CliIn(dir.Path(), {"sheets", "--", "-apple.xlsx"});
  EXPECT_EQ(sheets.exitCode, 0) << sheets.err;
  EXPECT_EQ(sheets.out, listing);
  EXPECT_EQ(testsupport::ReadFileBytes(path), before);
  EXPECT_EQ(testsupport::FileNames(dir.Path()),
            (std::vector<std::string>{"-apple.xlsx", "apple.xlsx"}));
}

// Quiet leaves standard error to errors, and to the name of a file the user
// did not give; the closing message stays on standard output.
TEST(CliConventions, QuietRunPrintsOnlyWhatMatters) {
  TempDir dir;
  const std::string path = dir.File("-apple.xlsx");
  testsupport::WriteWorkbook(path, {testsupport::Blank("Notes"), testsupport::CleanSsr("Apple.org"),
                                    testsupport::CleanSsr("Pear.org")});
  const std::string before = testsupport::ReadFileBytes(path);
  const std::string copy = dir.File("pear.xlsx");
  const CommandResult quiet = Cli({"run", "-q", "-s", "pear.org", "-o", copy, "--", path});
  EXPECT_EQ(quiet.exitCode, 0) << quiet.err;
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(quiet.out, Says(msg::Ui::FinishedNormally) + "\n");
  EXPECT_EQ(testsupport::ReadFileBytes(path), before);
  const CommandResult sheets = Cli({"sheets", copy});
  EXPECT_TRUE(Has(sheets.out, "Pear.ssr\t")) << sheets.out;
  EXPECT_FALSE(Has(sheets.out, "Apple.ssr\t")) << sheets.out;

  const CommandResult failed = Cli({"run", "-q", dir.File("missing.xlsx")});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.err.rfind(msg::Format(msg::Cli::ErrorLine, ""), 0), 0u) << failed.err;

  const std::string legacy = CopyOf(dir, "tests/golden/inputs/legacy.xls");
  const CommandResult converted = Cli({"run", "--quiet", legacy});
  EXPECT_EQ(converted.err, msg::Format(msg::Cli::ResultsSaved, dir.File("legacy.xlsx")) + "\n");
}

}  // namespace
