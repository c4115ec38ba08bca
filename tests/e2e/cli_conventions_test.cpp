// The command line's conventions as a user meets them: help for every command
// in 80 columns, usage faults that name the culprit, the version, and a quiet
// run that still reports what matters.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "e2e/CliHarness.h"
#include "messages/CliTexts.h"
#include "messages/InterfaceTexts.h"
#include "support/SourceBook.h"

using e2e::Cli;
using testsupport::TempDir;

namespace {

std::string Says(msg::Cli id) { return std::string(msg::Text(id)); }

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

void ExpectUsageFault(const e2e::CommandResult& got, const std::string& message) {
  EXPECT_EQ(got.exitCode, 2) << got.err;
  EXPECT_TRUE(got.out.empty()) << got.out;
  EXPECT_EQ(got.err.rfind(msg::Format(msg::Cli::ErrorLine, message) + "\n", 0), 0u) << got.err;
}

TEST(CliConventions, EveryCommandHasHelpInEightyColumnsThatHelpCommandShowsToo) {
  const std::vector<std::string> commands = ListedCommands();
  ASSERT_GE(commands.size(), 7u);
  for (const std::string& command : commands) {
    const e2e::CommandResult asked = Cli({"help", command});
    EXPECT_EQ(asked.exitCode, 0) << command << ": " << asked.err;
    EXPECT_EQ(asked.out, Cli({command, "--help"}).out) << command;
    // The exit statuses are told once, in the program's help.
    EXPECT_EQ(asked.out.find(Says(msg::Cli::ProgramFooter).substr(0, 20)), std::string::npos);
  }
  std::vector<std::string> asked{{}};
  for (const std::string& command : commands) asked.push_back(command);
  for (const std::string& command : asked) {
    std::istringstream help(command.empty() ? Cli({"help"}).out : Cli({command, "--help"}).out);
    int lines = 0;
    for (std::string line; std::getline(help, line); ++lines)
      EXPECT_LE(Characters(line), 80u) << command << ": " << line;
    EXPECT_GT(lines, 5) << command;
  }
  const std::string program = Cli({"help"}).out;
  EXPECT_EQ(program, Cli({"--help"}).out);
  EXPECT_NE(program.find(Says(msg::Cli::ProgramFooter).substr(0, 20)), std::string::npos);
}

TEST(CliConventions, UsageFaultsNameWhatWasWrongAndChangeNothing) {
  TempDir dir;
  const std::string path = dir.File("apple.xlsx");
  testsupport::WriteWorkbook(path, {testsupport::CleanSsr("Apple.org")});
  const std::string before = testsupport::ReadFileBytes(path);

  const e2e::CommandResult unknown = Cli({"frobnicate"});
  ExpectUsageFault(unknown, msg::Format(msg::Cli::UnknownCommand, "frobnicate"));
  EXPECT_NE(unknown.err.find(Says(msg::Cli::HelpHint)), std::string::npos);
  ExpectUsageFault(Cli({"help", "frobnicate"}),
                   msg::Format(msg::Cli::UnknownCommand, "frobnicate"));
  ExpectUsageFault(Cli({}), Says(msg::Cli::NoCommand));

  const e2e::CommandResult option = Cli({"run", path, "--frobnicate=yes", "--zoo"});
  ExpectUsageFault(option, msg::Format(msg::Cli::UnknownOption, "--frobnicate"));
  EXPECT_NE(option.err.find(msg::Format(msg::Cli::CommandHelpHint, "run")), std::string::npos);
  ExpectUsageFault(Cli({"run", path, "-s"}), msg::Format(msg::Cli::MissingValue, "--sheet"));
  ExpectUsageFault(Cli({"run", path, "other.xlsx"}),
                   msg::Format(msg::Cli::UnexpectedArgument, "other.xlsx"));
  ExpectUsageFault(Cli({"run"}), msg::Format(msg::Cli::Required, "WORKBOOK"));
  ExpectUsageFault(Cli({"export", path, "-o", dir.File("out.gen")}),
                   msg::Format(msg::Cli::Required, "--format"));
  ExpectUsageFault(Cli({"export", path, "--format", "fasta", "-o", dir.File("out.gen")}),
                   msg::Format(msg::Cli::InvalidValue, "--format"));
  EXPECT_EQ(testsupport::ReadFileBytes(path), before);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out.gen")));
}

// "--" ends the options as in every GNU program: a workbook named like an
// option can follow it, and what follows it is never taken for an option.
TEST(CliConventions, DoubleDashEndsTheOptions) {
  TempDir dir;
  const std::string path = dir.File("-apple.xlsx");
  testsupport::WriteWorkbook(path, {testsupport::CleanSsr("Apple.org")});
  const e2e::CommandResult sheets =
      testsupport::RunCommand("cd " + testsupport::Quote(dir.Path()) + " && env LC_ALL=C " +
                              testsupport::Quote(ALLELESCOPE_CLI) + " sheets -- -apple.xlsx");
  EXPECT_EQ(sheets.exitCode, 0) << sheets.err;
  EXPECT_EQ(sheets.out.rfind("Apple.org\t", 0), 0u) << sheets.out;
  const e2e::CommandResult run = Cli({"run", "-q", "--", path});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  ExpectUsageFault(Cli({"run", "--", path, "--zoo"}),
                   msg::Format(msg::Cli::UnexpectedArgument, "--zoo"));
  ExpectUsageFault(Cli({"sheets", "--"}), msg::Format(msg::Cli::Required, "WORKBOOK"));
}

TEST(CliConventions, VersionNamesTheProgram) {
  const e2e::CommandResult version = Cli({"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, msg::Format(msg::Cli::VersionLine, ALLELESCOPE_VERSION) + "\n");
}

// Quiet leaves standard error to errors, and to the name of a file the user
// did not give; the closing message stays on standard output.
TEST(CliConventions, QuietRunPrintsOnlyWhatMatters) {
  TempDir dir;
  const std::string path = dir.File("apple.xlsx");
  testsupport::WriteWorkbook(path, {testsupport::Blank("Notes"), testsupport::CleanSsr("Apple.org"),
                                    testsupport::CleanSsr("Pear.org")});
  const std::string before = testsupport::ReadFileBytes(path);
  const std::string copy = dir.File("pear.xlsx");
  const e2e::CommandResult quiet = Cli({"run", path, "-q", "-s", "pear.org", "-o", copy});
  EXPECT_EQ(quiet.exitCode, 0) << quiet.err;
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(quiet.out, std::string(msg::Text(msg::Ui::FinishedNormally)) + "\n");
  EXPECT_EQ(testsupport::ReadFileBytes(path), before);
  const e2e::CommandResult sheets = Cli({"sheets", copy});
  EXPECT_NE(sheets.out.find("Pear.ssr\t"), std::string::npos) << sheets.out;
  EXPECT_EQ(sheets.out.find("Apple.ssr\t"), std::string::npos) << sheets.out;

  const e2e::CommandResult failed = Cli({"run", "-q", dir.File("missing.xlsx")});
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_EQ(failed.err.rfind(msg::Format(msg::Cli::ErrorLine, ""), 0), 0u) << failed.err;

  const std::string legacy = dir.File("legacy.xls");
  testsupport::WriteFileBytes(legacy,
                              testsupport::ReadFileBytes(std::string(ALLELESCOPE_SOURCE_DIR) +
                                                         "/tests/golden/inputs/legacy.xls"));
  const e2e::CommandResult converted = Cli({"run", "--quiet", legacy});
  EXPECT_EQ(converted.err, msg::Format(msg::Cli::ResultsSaved, dir.File("legacy.xlsx")) + "\n");
}

}  // namespace
