// The `allelescope` program end to end: workbooks written by another writer,
// run through the command line, read back by openpyxl and LibreOffice.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "e2e/CliHarness.h"
#include "messages/CliTexts.h"
#include "messages/InterfaceTexts.h"

using e2e::Cli;
using e2e::Python;
using testsupport::TempDir;
const auto ReadFile = testsupport::ReadFileBytes;

namespace {

std::string Says(msg::Ui id) { return std::string(msg::Text(id)); }
// A line of `sheets`: the name, what choosing it says, the gloss.
std::string Listed(const std::string& sheet, msg::Ui message, msg::Cli gloss) {
  return sheet + "\t" + Says(message) + "\t" + std::string(msg::Text(gloss)) + "\n";
}

std::string MakeInput(const TempDir& dir, const std::string& kind) {
  const std::string path = dir.File(kind + ".xlsx");
  const e2e::CommandResult made = Python("make_input.py", {kind, path});
  EXPECT_EQ(made.exitCode, 0) << made.err;
  return path;
}

void ExpectReadersAgree(const std::string& kind, const std::string& path, bool zoo, size_t sheets,
                        const std::string& chrSheet, const std::string& chrText) {
  std::vector<std::string> args{kind, path};
  if (zoo) args.push_back("--zoo");
  const e2e::CommandResult checked = Python("check_output.py", args);
  EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;

  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "LibreOffice is not installed";
  TempDir csvDir;
  const auto load = testsupport::ConvertWithLibreOffice(path, csvDir.Path(), "csv");
  EXPECT_TRUE(load.ok) << load.log;
  EXPECT_EQ(load.files.size(), sheets);
  const auto chr = std::find_if(load.files.begin(), load.files.end(), [&](const auto& p) {
    return p.find("-" + chrSheet + ".csv") != std::string::npos;
  });
  ASSERT_NE(chr, load.files.end());
  EXPECT_NE(ReadFile(*chr).find(chrText), std::string::npos);
}

TEST(CliEndToEnd, SsrRunWritesEverySheetAsOtherReadersSeeIt) {
  TempDir dir;
  const std::string path = MakeInput(dir, "ssr");
  const e2e::CommandResult run = Cli({"run", path, "--zoo"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, Says(msg::Ui::FinishedNormally) + "\n");
  EXPECT_NE(run.err.find(Says(msg::Ui::ConvertingSsr)), std::string::npos);
  EXPECT_NE(run.err.find(path), std::string::npos);
  // Notes, the source, nine output sheets and three 0/1 sheets.
  ExpectReadersAgree("ssr", path, true, 14, "Apple.chr", "V1,AB,AA,AC");
}

TEST(CliEndToEnd, CharacterRunWritesOnlyCharacterSheets) {
  TempDir dir;
  const std::string path = MakeInput(dir, "chr");
  const e2e::CommandResult run = Cli({"run", path, "--sheet", "rice.ORG"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, Says(msg::Ui::FinishedNormally) + "\n");
  EXPECT_NE(run.err.find(Says(msg::Ui::CountingChr)), std::string::npos);
  ExpectReadersAgree("chr", path, false, 8, "Rice.chr", "V1,AB,AA,BC");
}

TEST(CliEndToEnd, ExitStatusTellsHowTheRunEnded) {
  TempDir dir;
  // Data problems: finished, flagged, options skipped.
  const std::string flagged = MakeInput(dir, "flagged");
  const e2e::CommandResult problems = Cli({"run", flagged, "--zoo"});
  EXPECT_EQ(problems.exitCode, 3) << problems.err;
  EXPECT_EQ(problems.out, Says(msg::Ui::NotDiploid) + "\n");
  const e2e::CommandResult checked = Python("check_output.py", {"flagged", flagged});
  EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;

  // Wrong usage and sheets that are not sources change nothing.
  const std::string two = MakeInput(dir, "two-sources");
  const std::string before = ReadFile(two);
  const e2e::CommandResult several = Cli({"run", two});
  EXPECT_EQ(several.exitCode, 2);
  EXPECT_NE(several.err.find("\"Apple.org\", \"Pear.org\""), std::string::npos) << several.err;
  EXPECT_EQ(Cli({"run", two, "--sheet", "Notes"}).exitCode, 2);
  EXPECT_EQ(Cli({"run", two, "--sheet", "Plum.org"}).exitCode, 2);
  EXPECT_EQ(Cli({"run", two, "--output", dir.File("out.xls")}).exitCode, 2);
  EXPECT_EQ(Cli({"run"}).exitCode, 2);
  EXPECT_EQ(Cli({"run", two, "--no-such-option"}).exitCode, 2);
  EXPECT_EQ(Cli({}).exitCode, 2);
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
  EXPECT_EQ(Cli({"run", dir.File("missing.xlsx")}).exitCode, 1);

  EXPECT_EQ(Cli({"--help"}).exitCode, 0);
  EXPECT_EQ(Cli({"run", "--help"}).exitCode, 0);
}

// Too little memory for the run: whatever stage runs out, the program ends
// with its own message and an untouched file, never by an abort.
TEST(CliEndToEnd, RunningOutOfMemoryEndsInAMessageAndAnUntouchedFile) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer needs more address space than the limits allow";
#endif
  TempDir dir;
  const std::string input = std::string(ALLELESCOPE_SOURCE_DIR) + "/tests/golden/inputs/many.xlsx";
  const std::string path = dir.File("many.xlsx");
  const std::string before = ReadFile(input);
  const std::string prefix = msg::Format(msg::Cli::ErrorLine, "");
  int stopped = 0;
  for (int limitKb : {30000, 40000, 50000, 60000}) {
    { std::ofstream(path, std::ios::binary) << before; }
    const e2e::CommandResult run = testsupport::RunCommand(
        "ulimit -v " + std::to_string(limitKb) + "; exec " + testsupport::Quote(ALLELESCOPE_CLI) +
        " run " + testsupport::Quote(path) + " --zoo");
    // 3: enough memory after all (the workbook is beyond the limits).
    ASSERT_TRUE(run.exitCode == 1 || run.exitCode == 3) << limitKb << ": " << run.exitCode;
    if (run.exitCode == 3) continue;
    ++stopped;
    EXPECT_NE(run.err.find("\n" + prefix), std::string::npos) << limitKb << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << limitKb;
    EXPECT_EQ(ReadFile(path), before) << limitKb;
  }
  EXPECT_GT(stopped, 0);
}

TEST(CliEndToEnd, OutputCopyLeavesTheOriginalUntouched) {
  TempDir dir;
  const std::string path = MakeInput(dir, "ssr");
  const std::string before = ReadFile(path);
  const std::string copy = dir.File("results.xlsx");
  const e2e::CommandResult run = Cli({"run", path, "--output", copy, "--zoo"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(path), before);
  const e2e::CommandResult checked = Python("check_output.py", {"ssr", copy, "--zoo"});
  EXPECT_EQ(checked.exitCode, 0) << checked.out << checked.err;
}

TEST(CliEndToEnd, SheetsListsEveryChoiceAndDemoRunsTheExamples) {
  TempDir dir;
  const std::string path = MakeInput(dir, "two-sources");
  const std::string before = ReadFile(path);
  const e2e::CommandResult listed = Cli({"sheets", path});
  EXPECT_EQ(listed.exitCode, 0);
  EXPECT_EQ(listed.out, Listed("Notes", msg::Ui::NoType, msg::Cli::GlossNoType) +
                            Listed("Apple.org", msg::Ui::SsrChosen, msg::Cli::GlossSsr) +
                            Listed("Pear.org", msg::Ui::SsrChosen, msg::Cli::GlossSsr));
  EXPECT_EQ(ReadFile(path), before);  // listing saves nothing

  const std::string demoDir = dir.File("demo");
  const e2e::CommandResult demo = Cli({"demo", demoDir});
  EXPECT_EQ(demo.exitCode, 0) << demo.err;
  EXPECT_NE(demo.out.find(msg::Format(msg::Cli::DemoResults, demoDir)), std::string::npos)
      << demo.out;
  const e2e::CommandResult ssr = Cli({"sheets", demoDir + "/ssr_example.xlsx"});
  EXPECT_NE(ssr.out.find(Listed("Apple.ukai", msg::Ui::NotSource, msg::Cli::GlossNotSource)),
            std::string::npos)
      << ssr.out;
  const e2e::CommandResult chr = Cli({"sheets", demoDir + "/chr_example.xlsx"});
  EXPECT_NE(chr.out.find(Listed("Rice.org", msg::Ui::ChrChosen, msg::Cli::GlossCharacter)),
            std::string::npos)
      << chr.out;
}

}  // namespace
