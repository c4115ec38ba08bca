// The `allelescope` program end to end: what the golden runs leave out, namely
// progress, copies, another reader, damaged files, limits and misplaced tables.
#include <cerrno>
#include <cstring>
#include <string_view>
#include <utility>

#include "e2e/CliHarness.h"
#include "host/Host.h"
#include "support/SourceBook.h"

namespace {

using namespace e2e;
const auto ReadFile = testsupport::ReadFileBytes;

// A line of `sheets`: the name, what choosing it says, the gloss.
template <typename Message>
std::string Listed(const std::string& sheet, Message message, msg::Cli gloss) {
  return sheet + "\t" + Says(message) + "\t" + Says(gloss) + "\n";
}

// The program under `ulimit LIMIT` in English.
CommandResult Limited(const std::string& limit, const std::vector<std::string>& args) {
  std::string command =
      "ulimit " + limit + "; exec env LC_ALL=C " + testsupport::Quote(ALLELESCOPE_CLI);
  for (const auto& arg : args) command += " " + testsupport::Quote(arg);
  return testsupport::RunCommand(command);
}

// The copy is the result a run in place gives (the saved one of the golden
// check), the sheet is found whatever the case of its name, progress goes to
// standard error, and another reader loads every sheet.
TEST(CliEndToEnd, ProgressGoesToStandardErrorAndAnotherReaderLoadsEverySheet) {
  TempDir dir;
  const std::string path = CopyOf(dir, "examples/chr_example.xlsx");
  const std::string before = ReadFile(path), copy = dir.File("results.xlsx");
  const CommandResult run = Cli({"run", path, "--sheet", "rice.ORG", "--output", copy, "--zoo"});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, Says(msg::Ui::FinishedNormally) + "\n");
  EXPECT_TRUE(Has(run.err, Says(msg::Ui::CountingChr))) << run.err;
  EXPECT_TRUE(Has(run.err, copy)) << run.err;
  EXPECT_EQ(ReadFile(path), before);
  const CommandResult got = Python("golden/dump_workbook.py", {copy});
  ASSERT_EQ(got.exitCode, 0) << got.err;
  EXPECT_TRUE(got.out ==
              Python("golden/dump_workbook.py", {std::string(ALLELESCOPE_SOURCE_DIR) +
                                                 "/tests/golden/expected/chr_every_option.xlsx"})
                  .out);

  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "LibreOffice is not installed";
  TempDir csvDir;
  const auto load = testsupport::ConvertWithLibreOffice(copy, csvDir.Path(), "csv");
  EXPECT_TRUE(load.ok) << load.log;
  host::Application app;
  EXPECT_EQ(load.files.size(), size_t(app.Open(copy).SheetCount()));
}

// Too little memory, or a file-size limit below the result: whatever stage
// fails, the program ends with its own message, never by an abort or the
// signal the limit sends, and the workbook stays as it was. A damaged
// workbook is named and left alone too.
TEST(CliEndToEnd, RunningOutOfMemoryEndsInAMessageAndAnUntouchedFile) {
  TempDir dir;
  const std::string path = dir.File("many.xlsx");
  const std::string before =
      ReadFile(std::string(ALLELESCOPE_SOURCE_DIR) + "/tests/golden/inputs/many.xlsx");
  const std::string outOfMemory =
      "\n" + msg::Format(msg::Cli::ErrorLine, Says(msg::Cli::OutOfMemory)) + "\n";
  int stopped = 0;
  testsupport::WriteFileBytes(path, before);  // in the folder also where the loop is left out
#if !defined(__SANITIZE_ADDRESS__)            // the sanitizer needs more address space than this
  for (int limitKb : {30000, 40000, 50000, 60000}) {
    testsupport::WriteFileBytes(path, before);
    const CommandResult run = Limited("-v " + std::to_string(limitKb), {"run", path, "--zoo"});
    // 3: enough memory after all (the workbook is beyond the limits).
    ASSERT_TRUE(run.exitCode == 1 || run.exitCode == 3) << limitKb << ": " << run.exitCode;
    if (run.exitCode == 3) continue;
    ++stopped;
    // On a line of its own (the first, when the program could not start its run).
    EXPECT_TRUE(Has("\n" + run.err, outOfMemory)) << limitKb << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << limitKb;
    EXPECT_EQ(ReadFile(path), before) << limitKb;
  }
  EXPECT_GT(stopped, 0);
#endif
  const std::string small = CopyOf(dir, "examples/ssr_example.xlsx");  // 8 KB, result 30 KB
  const std::string smallBytes = ReadFile(small);
  const CommandResult full = Limited("-f 16", {"run", small});
  EXPECT_EQ(full.exitCode, 1) << full.err;
  EXPECT_TRUE(Has(full.err, small) && Has(full.err, std::strerror(EFBIG))) << full.err;
  EXPECT_EQ(ReadFile(small), smallBytes);

  const std::string damaged = dir.File("damaged.xlsx");
  testsupport::WriteFileBytes(damaged, smallBytes.substr(0, smallBytes.size() / 2));
  const CommandResult broken = Cli({"run", damaged});
  EXPECT_EQ(broken.exitCode, 1);
  EXPECT_TRUE(Has(broken.err, damaged)) << broken.err;
  EXPECT_EQ(ReadFile(damaged), smallBytes.substr(0, smallBytes.size() / 2));
  EXPECT_EQ(Cli({"sheets", damaged}).exitCode, 1);
  EXPECT_EQ(testsupport::FileNames(dir.Path()),
            (std::vector<std::string>{"damaged.xlsx", "many.xlsx", "ssr_example.xlsx"}));
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
  }
  const std::string before = ReadFile(path);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"run", path, "--zoo"},
        {"markers", path},
        {"summary", path, "-o", dir.File("apple.tsv")},
        {"export", path, "--format", "genepop", "-o", dir.File("apple.gen")}}) {
    const CommandResult run = Cli(args);
    EXPECT_EQ(run.exitCode, 3) << args[0] << ": " << run.err;
    for (const std::string& line : {msg::Format(msg::Cli::TableNoNames, "Apple.org", "C4", "B5"),
                                    msg::Format(msg::Cli::TableMustStart, "B4", "C4", "B5"),
                                    msg::Format(msg::Cli::TableSeemsAt, "A1", "B4")})
      EXPECT_TRUE(Has(run.err, msg::Format(msg::Cli::ErrorLine, line) + "\n"))
          << args[0] << ": " << run.err;
    EXPECT_TRUE(run.out.empty()) << args[0] << ": " << run.out;
  }
  EXPECT_EQ(ReadFile(path), before);
  EXPECT_EQ(testsupport::FileNames(dir.Path()), std::vector<std::string>{"moved.xlsx"});
}

}  // namespace
