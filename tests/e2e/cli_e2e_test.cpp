// The `allelescope` program end to end: what the golden runs leave out, namely
// exit statuses, usage errors, damaged files, copies, listings and another reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <utility>

#include "e2e/CliHarness.h"
#include "host/Host.h"
#include "messages/CliTexts.h"
#include "messages/InterfaceTexts.h"
#include "support/SourceBook.h"

using e2e::Cli;
using e2e::Python;
using testsupport::TempDir;
const auto ReadFile = testsupport::ReadFileBytes;

namespace {

std::string Says(msg::Ui id) { return std::string(msg::Text(id)); }
std::string Says(msg::Cli id) { return std::string(msg::Text(id)); }
// A line of `sheets`: the name, what choosing it says, the gloss.
template <typename Message>
std::string Listed(const std::string& sheet, Message message, msg::Cli gloss) {
  return sheet + "\t" + Says(message) + "\t" + Says(gloss) + "\n";
}

const std::string kSource = ALLELESCOPE_SOURCE_DIR;

// A copy of a workbook of the source tree in `dir`.
std::string CopyOf(const TempDir& dir, const std::string& relative) {
  const std::string path = dir.File(relative.substr(relative.rfind('/') + 1));
  testsupport::WriteFileBytes(path, ReadFile(kSource + "/" + relative));
  return path;
}

// Notes, then two SSR sources: more than one choice for a run.
std::string TwoSources(const TempDir& dir) {
  const std::string path = dir.File("two-sources.xlsx");
  testsupport::WriteWorkbook(path, {testsupport::Blank("Notes"), testsupport::CleanSsr("Apple.org"),
                                    testsupport::CleanSsr("Pear.org")});
  return path;
}

TEST(CliEndToEnd, ProgressGoesToStandardErrorAndAnotherReaderLoadsEverySheet) {
  TempDir dir;
  const std::string path = CopyOf(dir, "examples/ssr_example.xlsx");
  const e2e::CommandResult run = Cli({"run", path, "--zoo"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.err.find(Says(msg::Ui::ConvertingSsr)), std::string::npos);
  EXPECT_NE(run.err.find(path), std::string::npos);

  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "LibreOffice is not installed";
  TempDir csvDir;
  const auto load = testsupport::ConvertWithLibreOffice(path, csvDir.Path(), "csv");
  EXPECT_TRUE(load.ok) << load.log;
  EXPECT_EQ(load.files.size(), 22u);  // the source, ten results, ten 0/1 sheets, Notes
}

// The copy is the result a run in place gives (the saved one of the golden
// check), and the sheet is found whatever the case of its name.
TEST(CliEndToEnd, OutputCopyIsTheFullResultAndLeavesTheOriginalUntouched) {
  TempDir dir;
  const std::string path = CopyOf(dir, "examples/chr_example.xlsx");
  const std::string before = ReadFile(path);
  const std::string copy = dir.File("results.xlsx");
  const e2e::CommandResult run =
      Cli({"run", path, "--sheet", "rice.ORG", "--output", copy, "--zoo"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, Says(msg::Ui::FinishedNormally) + "\n");
  EXPECT_EQ(ReadFile(path), before);
  const e2e::CommandResult got = Python("golden/dump_workbook.py", {copy});
  const e2e::CommandResult want =
      Python("golden/dump_workbook.py", {kSource + "/tests/golden/expected/chr_every_option.xlsx"});
  ASSERT_EQ(got.exitCode, 0) << got.err;
  EXPECT_TRUE(got.out == want.out);
}

TEST(CliEndToEnd, ExitStatusTellsHowTheRunEnded) {
  TempDir dir;
  // Wrong usage and sheets that are not sources change nothing.
  const std::string two = TwoSources(dir);
  const std::string before = ReadFile(two);
  const e2e::CommandResult several = Cli({"run", two});
  EXPECT_EQ(several.exitCode, 2);
  EXPECT_NE(several.err.find("\"Apple.org\", \"Pear.org\""), std::string::npos) << several.err;
  EXPECT_EQ(Cli({"run", two, "--sheet", "Notes"}).exitCode, 2);
  EXPECT_EQ(Cli({"run", two, "--sheet", "Plum.org"}).exitCode, 2);
  EXPECT_EQ(Cli({"run", two, "--output", dir.File("out.xls")}).exitCode, 2);
  EXPECT_EQ(ReadFile(two), before);

  // Unreadable workbooks: a message naming the file, and the file stays as it was.
  const std::string damaged = dir.File("damaged.xlsx");
  std::string bytes = ReadFile(two);
  bytes.resize(bytes.size() / 2);
  { std::ofstream(damaged, std::ios::binary) << bytes; }
  const e2e::CommandResult broken = Cli({"run", damaged});
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_NE(broken.err.find(damaged), std::string::npos) << broken.err;
  EXPECT_EQ(ReadFile(damaged), bytes);
  EXPECT_EQ(Cli({"sheets", damaged}).exitCode, 1);

  EXPECT_EQ(Cli({"--help"}).exitCode, 0);
  EXPECT_EQ(Cli({"run", "--help"}).exitCode, 0);
}

// Too little memory for the run: whatever stage runs out, the program ends
// with its own message, saying so, and an untouched file, never by an abort.
TEST(CliEndToEnd, RunningOutOfMemoryEndsInAMessageAndAnUntouchedFile) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limits allow";
#endif
  TempDir dir;
  const std::string input = kSource + "/tests/golden/inputs/many.xlsx";
  const std::string path = dir.File("many.xlsx");
  const std::string before = ReadFile(input);
  const std::string prefix = msg::Format(msg::Cli::ErrorLine, "");
  int stopped = 0;
  for (int limitKb : {30000, 40000, 50000, 60000}) {
    { std::ofstream(path, std::ios::binary) << before; }
    const e2e::CommandResult run = testsupport::RunCommand(
        "ulimit -v " + std::to_string(limitKb) + "; exec env LC_ALL=C " +
        testsupport::Quote(ALLELESCOPE_CLI) + " run " + testsupport::Quote(path) + " --zoo");
    // 3: enough memory after all (the workbook is beyond the limits).
    ASSERT_TRUE(run.exitCode == 1 || run.exitCode == 3) << limitKb << ": " << run.exitCode;
    if (run.exitCode == 3) continue;
    ++stopped;
    // In the user's words, whichever allocation or thread failed, on a line of its
    // own (the first, when the program could not even start its run).
    EXPECT_NE(
        ("\n" + run.err).find("\n" + prefix + std::string(msg::Text(msg::Cli::OutOfMemory)) + "\n"),
        std::string::npos)
        << limitKb << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << limitKb;
    EXPECT_EQ(ReadFile(path), before) << limitKb;
  }
  EXPECT_GT(stopped, 0);
}

// A file-size limit below the result: the save fails with the reason and
// the workbook stays as it was (the signal the limit sends would end the
// program without a word).
TEST(CliEndToEnd, AFileSizeLimitEndsInAMessageAndAnUntouchedFile) {
  TempDir dir;
  const std::string path = CopyOf(dir, "examples/ssr_example.xlsx");  // 8 KB, result 30 KB
  const std::string before = ReadFile(path);
  const e2e::CommandResult run =
      testsupport::RunCommand("ulimit -f 16; exec " + testsupport::Quote(ALLELESCOPE_CLI) +
                              " run " + testsupport::Quote(path));
  EXPECT_EQ(run.exitCode, 1) << run.err;
  EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(std::strerror(EFBIG)), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(testsupport::FileNames(dir.Path()), std::vector<std::string>{"ssr_example.xlsx"});
}

// The newcomer's table, heads in row 1 and names in column A, is no table to
// run: every command that reads the source says where the table must stand
// and where this one stands, ends as a data problem and writes nothing.
TEST(CliEndToEnd, ATableInTheWrongPlaceIsADataProblemThatWritesNothing) {
  TempDir dir;
  const std::string path = dir.File("moved.xlsx");
  {
    host::Application app;
    host::Workbook& book = app.AddWorkbook(path);
    book.Sheet(1).SetName("Apple.org");
    for (const auto& [address, text] : {std::pair{"B1", "M1"},
                                        {"C1", "M2"},
                                        {"A2", "V1"},
                                        {"B2", "150/152"},
                                        {"A3", "V2"},
                                        {"C3", "160/160"}})
      book.Sheet(1).GetRange(address).SetValue(std::string_view(text));
    book.Save();
    book.Close();
  }
  const std::string before = ReadFile(path);
  const std::string output = dir.File("apple.gen");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"run", path, "--zoo"},
        {"markers", path},
        {"summary", path, "-o", dir.File("apple.tsv")},
        {"export", path, "--format", "genepop", "-o", output}}) {
    const e2e::CommandResult run = Cli(args);
    EXPECT_EQ(run.exitCode, 3) << args[0] << ": " << run.err;
    for (const std::string& line : {msg::Format(msg::Cli::TableNoNames, "Apple.org", "C4", "B5"),
                                    msg::Format(msg::Cli::TableMustStart, "B4", "C4", "B5"),
                                    msg::Format(msg::Cli::TableSeemsAt, "A1", "B4")})
      EXPECT_NE(run.err.find(msg::Format(msg::Cli::ErrorLine, line) + "\n"), std::string::npos)
          << args[0] << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << args[0] << ": " << run.out;
  }
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(testsupport::FileNames(dir.Path()), std::vector<std::string>{"moved.xlsx"});
}

TEST(CliEndToEnd, SheetsListsEveryChoiceAndDemoRunsTheExamples) {
  TempDir dir;
  const std::string path = TwoSources(dir);
  const std::string before = ReadFile(path);
  const e2e::CommandResult listed = Cli({"sheets", path});
  EXPECT_EQ(listed.exitCode, 0);
  // A sheet that is not a source is told how a sheet becomes one.
  EXPECT_EQ(listed.out, Listed("Notes", msg::Cli::NotSourceMessage, msg::Cli::GlossNoType) +
                            Listed("Apple.org", msg::Ui::SsrChosen, msg::Cli::GlossSsr) +
                            Listed("Pear.org", msg::Ui::SsrChosen, msg::Cli::GlossSsr));
  EXPECT_EQ(ReadFile(path), before);  // listing saves nothing

  const std::string demoDir = dir.File("demo");
  const e2e::CommandResult demo = Cli({"demo", demoDir});
  EXPECT_EQ(demo.exitCode, 0) << demo.err;
  EXPECT_NE(demo.out.find(msg::Format(msg::Cli::DemoResults, demoDir)), std::string::npos)
      << demo.out;
  // A folder that takes no copy (4 KiB a file, the examples are larger)
  // holds no results, and is not said to; the reason is the true one.
  const e2e::CommandResult unwritable = testsupport::RunCommand(
      "ulimit -f 4; exec env LC_ALL=C " + testsupport::Quote(ALLELESCOPE_CLI) + " demo " +
      testsupport::Quote(dir.File("full")));
  EXPECT_EQ(unwritable.exitCode, 1);
  EXPECT_NE(unwritable.err.find(std::strerror(EFBIG)), std::string::npos) << unwritable.err;
  EXPECT_EQ(unwritable.out.find(msg::Format(msg::Cli::DemoResults, "")), std::string::npos)
      << unwritable.out;
  const e2e::CommandResult ssr = Cli({"sheets", demoDir + "/ssr_example.xlsx"});
  EXPECT_NE(
      ssr.out.find(Listed("Apple.ukai", msg::Cli::NotSourceMessage, msg::Cli::GlossNotSource)),
      std::string::npos)
      << ssr.out;
  const e2e::CommandResult chr = Cli({"sheets", demoDir + "/chr_example.xlsx"});
  EXPECT_NE(chr.out.find(Listed("Rice.org", msg::Ui::ChrChosen, msg::Cli::GlossCharacter)),
            std::string::npos)
      << chr.out;
}

}  // namespace
