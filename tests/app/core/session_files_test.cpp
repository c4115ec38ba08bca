// The session and the workbook file it shares: lock files of other programs,
// a second run on the same file, a file changed on disk before the run, what
// a killed save left behind, and a file with other names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/core/Session.h"
#include "host/Host.h"
#include "host/RunLock.h"
#include "messages/InterfaceTexts.h"
#include "support/Interop.h"
#include "support/RecordingStatus.h"
#include "support/SourceBook.h"

namespace {

using testsupport::ReadFileBytes;
using testsupport::RecordingStatus;
using testsupport::TempDir;
using testsupport::WriteFileBytes;
namespace fs = std::filesystem;
using std::chrono::milliseconds;

const app::RunOptions kOptions{.zoo = false, .combination = false, .ukai = false};

int Varieties(const std::string& path) {
  host::Application reader;
  int n = 0;
  host::Worksheet& sheet = reader.Open(path).SheetByName("Apple.ssr");
  while (!sheet.Cell(5 + n, 2).Text().empty()) ++n;
  return n;
}

class SessionFiles : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::WriteWorkbook(path_, {testsupport::CleanSsr("Apple.org")}); }
  // Every run of these tests goes through here: the run, then its save.
  app::SavedFile Run(app::Session& session, RecordingStatus& progress, const std::string& as = "") {
    session.Run("Apple.org", kOptions, progress);
    return session.Save(as);
  }
  TempDir dir_;
  std::string path_ = dir_.File("book.xlsx");
  RecordingStatus progress_;
};

TEST_F(SessionFiles, LockFileOfAnotherProgramStopsTheRunUnlessAllowed) {
  const std::string lock = dir_.File(".~lock.book.xlsx#");
  WriteFileBytes(lock, "someone,host,06.12.2026 10:00;");
  const std::string before = ReadFileBytes(path_);
  app::Session session;
  session.Open(path_);
  EXPECT_THROW(session.CheckSaveTarget(), app::WorkbookInUse);
  try {
    Run(session, progress_);
    ADD_FAILURE() << "saved over a workbook open elsewhere";
  } catch (const app::WorkbookInUse& e) {
    EXPECT_EQ(e.Workbook(), path_);
    EXPECT_EQ(e.LockFile(), lock);
  }
  EXPECT_TRUE(ReadFileBytes(path_) == before);
  EXPECT_TRUE(session.HasUnsavedRun()) << "the results wait for the user's answer";

  session.SetSaveOverLockFile(true);
  EXPECT_EQ(session.Save().path, path_);
  EXPECT_EQ(Varieties(path_), 6);
}

TEST_F(SessionFiles, SecondRunWaitsForTheFirstAndWorksOnItsResult) {
  app::Session session;
  session.Open(path_);
  auto other = std::make_unique<host::RunLock>(path_, milliseconds(0));
  session.SetLockWait(milliseconds(100));
  EXPECT_THROW(Run(session, progress_), host::HostError);

  // The other run saves a larger table while we wait, then ends.
  std::thread first([&] {
    std::this_thread::sleep_for(milliseconds(200));
    testsupport::WriteWorkbook(dir_.File("new.xlsx"), {testsupport::CleanSsr("Apple.org", 9)});
    fs::rename(dir_.File("new.xlsx"), path_);
    other.reset();
  });
  session.SetLockWait(milliseconds(10000));
  RecordingStatus progress;
  Run(session, progress);
  first.join();
  EXPECT_EQ(progress.stages.front(), msg::Text(msg::Ui::WaitingForRun));
  EXPECT_EQ(Varieties(path_), 9);
}

TEST_F(SessionFiles, StaleTemporaryIsRemovedAndHardLinkIsReported) {
  WriteFileBytes(dir_.File(".~book.xlsx.k1LLed"), "half a workbook");
  fs::create_hard_link(path_, dir_.File("backup.xlsx"));
  app::Session session;
  session.Open(path_);
  EXPECT_TRUE(Run(session, progress_).splitHardLink);
  EXPECT_FALSE(fs::exists(dir_.File(".~book.xlsx.k1LLed")));
  EXPECT_FALSE(Run(session, progress_).splitHardLink);
}

TEST_F(SessionFiles, ReadOnlyWorkbookIsRefusedAndLeftAsItWas) {
  fs::permissions(path_, fs::perms(0444));
  const std::string before = ReadFileBytes(path_);
  app::Session session;
  session.Open(path_);
  EXPECT_THROW(session.CheckSaveTarget(), host::HostError);
  EXPECT_THROW(Run(session, progress_), host::HostError);
  EXPECT_TRUE(ReadFileBytes(path_) == before);
  EXPECT_FALSE(session.HasUnsavedRun());
  // Saved elsewhere, it runs.
  EXPECT_NO_THROW(Run(session, progress_, dir_.File("copy.xlsx")));
}

}  // namespace
