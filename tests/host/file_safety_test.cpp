// Saving next to other programs and other runs: a file changed on disk while
// we worked, two runs at once, links, permissions and what a killed save
// leaves behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <tuple>

#include "host/AtomicFile.h"
#include "host/Host.h"
#include "host/RunLock.h"
#include "host/SaveObserver.h"
#include "host/SaveTarget.h"
#include "support/HostFailure.h"
#include "support/Interop.h"

namespace {

const auto Names = testsupport::FileNames;
using testsupport::ReadFileBytes;
using testsupport::TempDir;
using testsupport::WriteFileBytes;
namespace fs = std::filesystem;
using std::chrono::milliseconds;

void MakeBook(const std::string& path, const std::string& a1) {
  host::Application app;
  host::Workbook& book = app.AddWorkbook(path);
  book.Sheet(1).GetRange("A1").SetValue(a1);
  book.Save();
}

std::string A1(const std::string& path) {
  host::Application app;
  return host::ValueText(app.Open(path).Sheet(1).GetRange("A1").Value());
}

// Runs `action` at the last moment of the next save, when the new file is
// complete and only the replace is left.
class AtReplace : public host::SaveObserver {
 public:
  explicit AtReplace(std::function<void()> action) : action_(std::move(action)) {}
  void BeforeReplace(const std::string&) override { action_(); }

 private:
  std::function<void()> action_;
};

// Saves `path` after setting A1 (and running `meanwhile` just before the
// replace); returns the save's failure reason, empty when it saved.
std::string SaveWith(
    const std::string& path, std::function<void()> meanwhile = [] {}) {
  host::Application app;
  AtReplace observer(std::move(meanwhile));
  app.SetSaveObserver(&observer);
  host::Workbook& book = app.Open(path);
  book.Sheet(1).GetRange("A1").SetValue("ours");
  try {
    book.Save();
  } catch (const host::HostError& e) {
    EXPECT_EQ(e.File(), path);
    return e.Reason();
  }
  return {};
}

TEST(SaveConcurrency, AnotherProgramsSaveDuringOursIsKept) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  MakeBook(path, "original");
  MakeBook(dir.File("theirs.xlsx"), "theirs");
  const std::string theirs = ReadFileBytes(dir.File("theirs.xlsx"));

  // Their atomic save: a new file renamed over ours.
  EXPECT_NE(SaveWith(path, [&] { fs::rename(dir.File("theirs.xlsx"), path); }), "");
  EXPECT_TRUE(ReadFileBytes(path) == theirs);

  // Their save in place: same file, new bytes.
  std::string reason = SaveWith(path, [&] { WriteFileBytes(path, theirs + std::string(1, '\0')); });
  EXPECT_NE(reason.find("another program"), std::string::npos) << reason;
  EXPECT_TRUE(ReadFileBytes(path) == theirs + std::string(1, '\0'));

  // Unchanged on disk: the save goes through, and a second save of the same
  // workbook knows the file it wrote itself.
  MakeBook(path, "original");
  host::Application app;
  host::Workbook& book = app.Open(path);
  book.Sheet(1).GetRange("A1").SetValue("first");
  book.Save();
  book.Sheet(1).GetRange("A1").SetValue("second");
  EXPECT_NO_THROW(book.Save());
  EXPECT_EQ(A1(path), "second");
}

// A workbook saved as a new file (a legacy workbook's results, an import)
// never goes over a file that took the name while it was written.
TEST(SaveConcurrency, ANewFileNeverReplacesOneThatAppearedMeanwhile) {
  TempDir dir;
  const std::string path = dir.File("new.xlsx");
  host::Application app;
  AtReplace observer([&] { WriteFileBytes(path, "theirs"); });
  app.SetSaveObserver(&observer);
  host::Workbook& book = app.AddWorkbook(path);
  book.SetNewFile([&] { return path; });
  const std::string reason = testsupport::HostFailure([&] { book.Save(); }).Reason();
  EXPECT_NE(reason.find("appeared"), std::string::npos) << reason;
  EXPECT_EQ(ReadFileBytes(path), "theirs");
  EXPECT_EQ(Names(dir.Path()), std::vector<std::string>{"new.xlsx"});
}

// Waiting for the first run and going on is SessionFiles.SecondRunWaits*.
TEST(SaveConcurrency, RunLockRefusesASecondRunWhenTheWaitEnds) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  MakeBook(path, "original");
  host::RunLock first(path, milliseconds(0));
  ASSERT_TRUE(first.Held());
  const host::HostError e =
      testsupport::HostFailure([&] { host::RunLock second(path, milliseconds(150)); });
  EXPECT_EQ(e.Operation(), "Lock");
  EXPECT_EQ(e.File(), path);
}

TEST(SaveConcurrency, RunLockFollowsTheFileASaveReplaced) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  MakeBook(path, "original");
  auto first = std::make_unique<host::RunLock>(path, milliseconds(0));
  // The first run saves (a new inode at the path) and only then lets go; the
  // waiting run must end up holding the new file, not the replaced one.
  std::thread save([&] {
    std::this_thread::sleep_for(milliseconds(200));
    EXPECT_EQ(SaveWith(path), "");
    first.reset();
  });
  host::RunLock second(path, milliseconds(10000));
  save.join();
  EXPECT_THROW(host::RunLock third(path, milliseconds(0)), host::HostError);
}

TEST(SaveConcurrency, LockFilesOfOtherProgramsAreFound) {
  TempDir dir, other;
  const std::string path = dir.File("book.xlsx");
  MakeBook(path, "original");
  // Opened through a link elsewhere, the lock beside the target counts too;
  // another workbook's lock file is not ours to heed.
  fs::create_symlink(path, other.File("link.xlsx"));
  const std::tuple<const char*, std::string, std::string> cases[] = {
      {".~lock.book.xlsx#", path, dir.File(".~lock.book.xlsx#")},
      {"~$book.xlsx", path, dir.File("~$book.xlsx")},
      {".~lock.book.xlsx#", other.File("link.xlsx"), dir.File(".~lock.book.xlsx#")},
      {".~lock.other.xlsx#", path, ""}};
  EXPECT_EQ(host::ForeignLockFile(path), "");
  for (const auto& [lock, opened, found] : cases) {
    WriteFileBytes(dir.File(lock), "someone,host,01.01.2026 10:00;");
    EXPECT_EQ(host::ForeignLockFile(opened), found) << lock;
    fs::remove(dir.File(lock));
  }
}

TEST(SaveLinks, SymlinkedWorkbookIsSavedThroughToItsTarget) {
  TempDir data, desk;
  const std::string target = data.File("book.xlsx");
  MakeBook(target, "original");
  // A link to a link, relative, from another folder.
  fs::create_symlink("../" + fs::path(data.Path()).filename().string() + "/book.xlsx",
                     desk.File("inner.xlsx"));
  fs::create_symlink("inner.xlsx", desk.File("outer.xlsx"));
  EXPECT_EQ(SaveWith(desk.File("outer.xlsx")), "");
  EXPECT_TRUE(fs::is_symlink(desk.File("outer.xlsx")));
  EXPECT_TRUE(fs::is_symlink(desk.File("inner.xlsx")));
  EXPECT_EQ(A1(target), "ours");
  EXPECT_EQ(Names(desk.Path()), (std::vector<std::string>{"inner.xlsx", "outer.xlsx"}));
  EXPECT_EQ(Names(data.Path()), (std::vector<std::string>{"book.xlsx"}));

  fs::create_symlink("loop-b.xlsx", desk.File("loop-a.xlsx"));
  fs::create_symlink("loop-a.xlsx", desk.File("loop-b.xlsx"));
  EXPECT_THROW(host::ResolveLinks(desk.File("loop-a.xlsx")), host::HostError);
}

TEST(SaveLinks, ReadOnlyWorkbookIsRefusedAndModeAndOwnerAreKept) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  MakeBook(path, "original");
  const std::string before = ReadFileBytes(path);
  fs::permissions(path, fs::perms(0444));
  EXPECT_NE(SaveWith(path).find("read-only"), std::string::npos);
  EXPECT_TRUE(ReadFileBytes(path) == before);
  EXPECT_EQ(Names(dir.Path()), (std::vector<std::string>{"book.xlsx"}));

  fs::permissions(path, fs::perms(0640));
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  }
  EXPECT_EQ(SaveWith(path), "");
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(st.st_uid + st.st_gid, 2 * 65534u);
  }
}

// At the last moment of the save, with the new file complete, the folder
// holds nothing a kill could leave behind.
TEST(SaveLinks, HardLinkKeepsItsVersionAndNoNamedTemporaryFileIsMade) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  MakeBook(path, "original");
  EXPECT_FALSE(host::HasOtherNames(path));
  fs::create_hard_link(path, dir.File("backup.xlsx"));
  EXPECT_TRUE(host::HasOtherNames(path));
  const std::vector<std::string> names{"backup.xlsx", "book.xlsx"};
  std::vector<std::string> during;
  EXPECT_EQ(SaveWith(path, [&] { during = Names(dir.Path()); }), "");
  EXPECT_EQ(during, names);
  EXPECT_EQ(Names(dir.Path()), names);
  EXPECT_EQ(A1(path), "ours");
  EXPECT_EQ(A1(dir.File("backup.xlsx")), "original");
}

// The temporary name fits beside whatever name the file has, up to the
// 255 bytes a file system allows, in any script.
TEST(SaveLinks, WorkbooksWithTheLongestNamesAreSaved) {
  TempDir dir;
  std::string kana = "b";
  for (int i = 0; i < 83; ++i) kana += "\u3042";
  const std::vector<std::string> names = {std::string(242, 'a') + ".xlsx",
                                          std::string(246, 'b') + ".xlsx",
                                          std::string(250, 'c') + ".xlsx", kana + ".xlsx"};
  for (const std::string& name : names) {
    const std::string path = dir.File(name);
    MakeBook(path, "original");
    EXPECT_EQ(SaveWith(path), "") << name.size() << " bytes";
    EXPECT_EQ(A1(path), "ours");
    host::AtomicFile::RemoveStale(path);
  }
  std::vector<std::string> expected = names;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(dir.Path()), expected);
}

TEST(SaveLinks, StaleTemporariesOfOursAloneAreRemoved) {
  TempDir dir, elsewhere;
  const std::string path = dir.File("book.xlsx");
  MakeBook(path, "original");
  for (const char* name : {".~book.xlsx.Ab12Cd", ".~book.xlsx.Ab12Cd.Xy34Zw"})
    WriteFileBytes(dir.File(name), "left by a killed save");
  const std::vector<std::string> kept = {".~book.xlsx.Ab12C",   // not our pattern
                                         ".~book.xlsx.Qw12Er",  // a link
                                         ".~book.xlsx.Zx98Cv",  // a file with another name
                                         ".~other.xlsx.Ab12Cd", ".~lock.book.xlsx#",
                                         "book.xlsx",           "precious"};
  WriteFileBytes(dir.File(".~book.xlsx.Ab12C"), "x");
  WriteFileBytes(dir.File(".~other.xlsx.Ab12Cd"), "x");
  WriteFileBytes(dir.File(".~lock.book.xlsx#"), "x");
  WriteFileBytes(elsewhere.File("precious"), "keep");
  fs::create_symlink(elsewhere.File("precious"), dir.File(".~book.xlsx.Qw12Er"));
  WriteFileBytes(dir.File("precious"), "x");
  fs::create_hard_link(dir.File("precious"), dir.File(".~book.xlsx.Zx98Cv"));

  host::AtomicFile::RemoveStale(path);
  std::vector<std::string> expected = kept;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Names(dir.Path()), expected);
  EXPECT_EQ(ReadFileBytes(elsewhere.File("precious")), "keep");
}

}  // namespace
