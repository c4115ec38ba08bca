// The `allelescope` program and the files around a workbook: lock files of
// other programs, `demo` in a folder that is not its own, and runs killed at
// any moment.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <thread>

#include "e2e/CliHarness.h"
#include "host/Host.h"
#include "support/SourceBook.h"

extern char** environ;

namespace {

using namespace e2e;
const auto Names = testsupport::FileNames;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

TEST(CliFileSafety, LockFileStopsTheRunUntilIgnoreLock) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  testsupport::WriteWorkbook(path, {testsupport::CleanSsr("Apple.org")});
  const std::string before = ReadFileBytes(path);
  WriteFileBytes(dir.File("~$book.xlsx"), "owner");
  const CommandResult refused = Cli({"run", path});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_TRUE(Has(refused.err, msg::Format(msg::Cli::LockFileFound, path, dir.File("~$book.xlsx"))))
      << refused.err;
  EXPECT_TRUE(ReadFileBytes(path) == before);
  const CommandResult ahead = Cli({"run", "--ignore-lock", path});
  EXPECT_EQ(ahead.exitCode, 0) << ahead.err;
  EXPECT_FALSE(ReadFileBytes(path) == before);
}

TEST(CliFileSafety, DemoNeverWritesThroughLinksOrOverFilesNotItsOwn) {
  TempDir dir;
  WriteFileBytes(dir.File("victim"), "keep me");
  const std::string demo = dir.File("demo");
  fs::create_directory(demo);
  fs::create_symlink(dir.File("victim"), demo + "/ssr_example.xlsx");
  const CommandResult planted = Cli({"demo", demo});
  EXPECT_EQ(planted.exitCode, 1);
  EXPECT_TRUE(Has(planted.err, msg::Format(msg::Cli::DemoFolderHolds, demo, "ssr_example.xlsx")))
      << planted.err;
  EXPECT_EQ(ReadFileBytes(dir.File("victim")), "keep me");
  EXPECT_EQ(Names(demo), std::vector<std::string>{"ssr_example.xlsx"});

  // A second demo into the folder of the first: its results are not overwritten.
  const std::string again = dir.File("again");
  const CommandResult first = Cli({"demo", again});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_TRUE(Has(first.out, msg::Format(msg::Cli::DemoResults, again))) << first.out;
  const std::string results = ReadFileBytes(again + "/ssr_example.xlsx");
  EXPECT_EQ(Cli({"demo", again}).exitCode, 1);
  EXPECT_TRUE(ReadFileBytes(again + "/ssr_example.xlsx") == results);
  // The examples were run: the results are listed as what they are.
  EXPECT_TRUE(Has(Cli({"sheets", again + "/ssr_example.xlsx"}).out,
                  Listed("Apple.ukai", msg::Cli::NotSourceMessage, msg::Cli::GlossNotSource)));
  EXPECT_TRUE(Has(Cli({"sheets", again + "/chr_example.xlsx"}).out,
                  Listed("Rice.org", msg::Ui::ChrChosen, msg::Cli::GlossCharacter)));
  // A folder that takes no copy (4 KiB a file, the examples are larger)
  // holds no results, and is not said to; the reason is the true one.
  const CommandResult full = CliIn("", {"demo", dir.File("full")}, "", "ulimit -f 4; ");
  EXPECT_EQ(full.exitCode, 1);
  EXPECT_TRUE(Has(full.err, std::strerror(EFBIG))) << full.err;
  EXPECT_FALSE(Has(full.out, msg::Format(msg::Cli::DemoResults, ""))) << full.out;
}

pid_t Start(const std::string& workbook, const std::string& errFile) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<std::string> args = {ALLELESCOPE_CLI, "run", workbook};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  EXPECT_EQ(posix_spawn(&pid, ALLELESCOPE_CLI, &actions, nullptr, argv.data(), environ), 0);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Whether the run got past its start (lock, clean-up) into reading the source.
bool Started(const std::string& errFile) {
  return Has(ReadFileBytes(errFile), Says(msg::Ui::Reading));
}

// The sheet names of a workbook that opens with every sheet readable; empty
// when it does not.
std::vector<std::string> Readable(const std::string& path) {
  try {
    host::Application app;
    host::Workbook& book = app.Open(path);
    std::vector<std::string> names;
    for (int k = 1; k <= book.SheetCount(); ++k) {
      book.Sheet(k).GetRange("A1").Value();  // loads the sheet
      names.push_back(book.Sheet(k).Name());
    }
    return names;
  } catch (const std::exception&) {
    return {};
  }
}

TEST(CliFileSafety, KilledRunsLeaveTheOriginalOrACompleteResultAndNoTemporaryFile) {
  TempDir dir, reference;
  const std::string path = dir.File("book.xlsx");
  testsupport::WriteWorkbook(path, {testsupport::CleanSsr("Apple.org", 500, 40)});
  const std::string original = ReadFileBytes(path);
  const std::string errFile = reference.File("err.txt");

  // One whole run on a copy: how long a run takes and what it leaves.
  WriteFileBytes(reference.File("book.xlsx"), original);
  const auto begin = Clock::now();
  ASSERT_EQ(Cli({"run", reference.File("book.xlsx")}).exitCode, 0);
  const auto runTime = Clock::now() - begin;
  const std::vector<std::string> complete = Readable(reference.File("book.xlsx"));
  ASSERT_FALSE(complete.empty());

  std::mt19937 random(20261206);
  std::uniform_int_distribution<long> delay(
      0, std::chrono::duration_cast<std::chrono::microseconds>(runTime).count() * 6 / 5);
  int originals = 0, results = 0;
  for (int kill = 0; kill < 24; ++kill) {
    const pid_t pid = Start(path, errFile);
    const auto killAt = Clock::now() + std::chrono::microseconds(delay(random));
    // Once a run has started, nothing a killed one left is beside the workbook.
    while (Clock::now() < killAt && !Started(errFile))
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (Started(errFile)) {
      EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"book.xlsx"}) << "kill " << kill;
    }
    std::this_thread::sleep_until(killAt);
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (ReadFileBytes(path) == original) {
      ++originals;
    } else {
      EXPECT_EQ(Readable(path), complete) << "kill " << kill << ": a broken workbook";
      ++results;
    }
  }
  ASSERT_EQ(Cli({"run", path}).exitCode, 0);
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"book.xlsx"});
  std::cout << "killed runs: " << originals << " left the original, " << results
            << " a complete result\n";
}

}  // namespace
