// The session on real workbook files: what each sheet means, runs and their
// reports, reruns, and failures that must leave the file as it was.
#include "app/core/Session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <stdexcept>

#include "host/Host.h"
#include "host/HostError.h"
#include "messages/InterfaceTexts.h"
#include "messages/SheetTexts.h"
#include "support/HostFailure.h"
#include "support/Interop.h"
#include "support/RecordingStatus.h"
#include "support/SourceBook.h"

using app::SheetKind;
using testsupport::RecordingStatus;
using testsupport::SheetLayout;
using testsupport::TempDir;

namespace {

std::string Says(msg::Ui id) { return std::string(msg::Text(id)); }

SheetLayout Source(const std::string& name, const std::string& c5, const std::string& d5 = "",
                   const std::string& c6 = "") {
  return SheetLayout{name, {"M1", "M2"}, {"V1", "V2"}, {{c5, d5}, {c6, ""}}};
}

bool Lists(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The text of a cell of the saved file, read by a host of its own.
std::string SavedCell(const std::string& path, const std::string& sheet, int row, int column) {
  host::Application reader;
  return reader.Open(path).SheetByName(sheet).Cell(row, column).Text();
}

// Progress that fails when the run reaches a given stage.
template <typename Failure>
class FailingProgress : public RecordingStatus {
 public:
  explicit FailingProgress(msg::Ui at) : at_(msg::Text(at)) {}
  void Stage(std::string_view text) override {
    RecordingStatus::Stage(text);
    if (text == at_) throw Failure();
  }

 private:
  std::string_view at_;
};

struct Overflow : std::overflow_error {
  Overflow() : std::overflow_error("allele count overflow") {}
};

struct SessionFixture : ::testing::Test {
  TempDir dir;
  RecordingStatus progress;
  app::Session session;
  app::RunOptions options;
  app::SavedFile saved;

  std::string Open(const std::vector<SheetLayout>& sheets, const std::string& name = "book.xlsx") {
    const std::string path = dir.File(name);
    testsupport::WriteWorkbook(path, sheets);
    session.Open(path);
    return path;
  }
  // Every run of these tests goes through here, with these options, and is saved.
  app::RunReport Run(const std::string& sheet, RecordingStatus& status,
                     const std::string& as = "") {
    app::RunReport report = session.Run(sheet, options, status);
    saved = session.Save(as);
    return report;
  }
  app::RunReport Run(const std::string& sheet) { return Run(sheet, progress); }
};

// Only a source runs: any other sheet is refused before the run starts.
TEST_F(SessionFixture, EverySheetIsClassifiedByItsNameAndItsTypedCellsAndOnlyASourceRuns) {
  const std::string path = Open({Source("Apple.org", "180/192"), Source("Pear.ORG", "180/192"),
                                 Source("Apple.org.x", "180/192"), Source("Apple", "180/192"),
                                 Source("Apple.ssr", "180/192"), Source("Chr.org", "A")});
  const std::vector<std::pair<std::string, SheetKind>> expected = {
      {"Apple.org", SheetKind::Ssr},         {"Pear.ORG", SheetKind::Ssr},
      {"Apple.org.x", SheetKind::NotSource}, {"Apple", SheetKind::UnknownType},
      {"Apple.ssr", SheetKind::NotSource},   {"Chr.org", SheetKind::Character}};
  const std::string before = testsupport::ReadFileBytes(path);
  const std::vector<app::SheetInfo> sheets = session.Sheets();
  ASSERT_EQ(sheets.size(), expected.size());
  for (std::size_t k = 0; k < sheets.size(); ++k) {
    EXPECT_EQ(sheets[k].name, expected[k].first);
    EXPECT_EQ(sheets[k].kind, expected[k].second) << sheets[k].name;
    const bool source =
        expected[k].second == SheetKind::Ssr || expected[k].second == SheetKind::Character;
    EXPECT_EQ(app::IsSourceName(sheets[k].name), source) << sheets[k].name;
    if (!source) {
      EXPECT_THROW(Run(sheets[k].name), std::invalid_argument) << sheets[k].name;
    }
  }
  EXPECT_EQ(testsupport::ReadFileBytes(path), before);
  EXPECT_TRUE(progress.stages.empty());
}

TEST_F(SessionFixture, AFileThatCannotBeOpenedChangesNothingAndTheSameFileReopens) {
  const std::string path = Open({Source("B.org", "1/2"), testsupport::Blank("Notes")});
  EXPECT_THROW(session.Open(dir.File("missing.xlsx")), host::HostError);
  EXPECT_EQ(session.Path(), path);
  EXPECT_EQ(session.SheetNames(), (std::vector<std::string>{"B.org", "Notes"}));
  EXPECT_EQ(session.Classify("B.org"), SheetKind::Ssr);

  // The same file again: one file, one open workbook, read afresh.
  testsupport::WriteWorkbook(path, {Source("C.org", "A")});
  session.Open(path);
  EXPECT_EQ(session.SheetNames(), (std::vector<std::string>{"C.org"}));
}

TEST_F(SessionFixture, CleanSsrRunAnnouncesEveryStageSavesAndReopens) {
  const std::string path =
      Open({testsupport::Blank("Notes"), testsupport::CleanSsr("Apple.org", 6, 2)});
  options.zoo = true;
  const app::RunReport report = Run("Apple.org");

  EXPECT_EQ(progress.stages,
            (std::vector<std::string>{
                Says(msg::Ui::Reading), Says(msg::Ui::ConvertingSsr), Says(msg::Ui::ZeroOneRunning),
                Says(msg::Ui::CombinationRunning), Says(msg::Ui::IdentificationRunning),
                Says(msg::Ui::SummaryRunning), Says(msg::Ui::Completed)}));
  EXPECT_FALSE(report.HasProblems());
  EXPECT_EQ(report.ClosingMessage(), Says(msg::Ui::FinishedNormally));
  EXPECT_EQ(saved.path, path);
  EXPECT_TRUE(Lists(report.sheetsWritten, "M1.zoo"));
  EXPECT_TRUE(Lists(report.sheetsWritten, "Apple.ukai"));
  EXPECT_FALSE(Lists(report.sheetsWritten, "Notes"));
  // The session holds the saved file, sorted: the source first, the user's sheet last.
  EXPECT_EQ(session.SheetNames().front(), "Apple.org");
  EXPECT_EQ(session.SheetNames().back(), "Notes");
  EXPECT_EQ(SavedCell(path, "Apple.chr", 1, 2), "chr");
}

TEST_F(SessionFixture, TheClosingMessageNamesTheVarietiesNoMarkerTellsApart) {
  testsupport::SheetLayout table{
      "Apple.org",
      {"M1", "M2"},
      {"V1", "V2", "V3", "V4", "V5"},
      {{"AB", "AA"}, {"AB", "AA"}, {"BB", "AB"}, {"BB", "AB"}, {"AA", "BB"}}};
  const std::string path = Open({table});
  app::RunReport report = Run("Apple.org");
  EXPECT_EQ(report.identicalGroups, 2);
  EXPECT_EQ(report.ClosingMessage(), Says(msg::Ui::FinishedNormally) + "\r" +
                                         msg::Format(msg::Ui::IdenticalGroups, 2, "Apple.sum"));
  // Without the summary nothing lists them, so nothing points there. A caller
  // that ends with the run (the command line) leaves the saved file unread.
  options.summary = false;
  session.SetReopenAfterSave(false);
  report = Run("Apple.org");
  EXPECT_EQ(report.ClosingMessage(), Says(msg::Ui::FinishedNormally));
  EXPECT_EQ(saved.path, path);
  EXPECT_FALSE(session.IsOpen());
  EXPECT_TRUE(session.SheetNames().empty());
  EXPECT_EQ(SavedCell(path, "Apple.chr", 1, 2), "chr");
}

TEST_F(SessionFixture, RerunsReuseEveryOutputSheetAndKeepOnlyTheirOwnErrorRows) {
  SheetLayout layout = testsupport::CleanSsr("Apple.org", 5, 2);
  for (int i : {1, 2, 3}) layout.cells[i][1] = "150/152/154";
  const std::string path = Open({layout});
  options.zoo = true;
  // A fix made in another program, saved while the session holds the workbook.
  auto fix = [&](std::initializer_list<int> varieties) {
    session.Close();
    {
      host::Application editor;
      host::Workbook& book = editor.Open(path);
      for (int v : varieties) book.SheetByName("Apple.org").Cell(4 + v, 4).SetValue("150/152");
      book.Save();
    }
    session.Open(path);
  };

  app::RunReport report = Run("Apple.org");
  EXPECT_EQ(SavedCell(path, "Apple.err", 6, 2), msg::sheet::kNotDiploid);
  const auto afterFirst = session.SheetNames();
  fix({2, 3});
  report = Run("Apple.org");
  EXPECT_EQ(session.SheetNames(), afterFirst);
  EXPECT_EQ(SavedCell(path, "Apple.err", 4, 3), "V4");
  EXPECT_EQ(SavedCell(path, "Apple.err", 5, 2), "");
  EXPECT_EQ(report.ClosingMessage(), Says(msg::Ui::NotDiploid) + "\r");

  fix({4});
  report = Run("Apple.org");
  EXPECT_EQ(report.ClosingMessage(), Says(msg::Ui::FinishedNormally));
  EXPECT_EQ(SavedCell(path, "Apple.err", 4, 2), "");
  const auto withOptions = session.SheetNames();
  EXPECT_TRUE(Lists(withOptions, "Apple.ukai"));
  Run("Apple.org");
  EXPECT_EQ(session.SheetNames(), withOptions);
}

// Any failure in a run: the exception reaches the caller, the file on disk is
// byte for byte as before, and the session holds the workbook as the file has it.
struct RollbackTest : SessionFixture {
  std::string path, original;
  void SetUp() override {
    path = Open({testsupport::CleanSsr("Apple.org")});
    original = testsupport::ReadFileBytes(path);
    options.zoo = true;  // 0/1 sheets exist in memory before every failure below
  }
  void ExpectRolledBack() {
    EXPECT_EQ(testsupport::ReadFileBytes(path), original);
    EXPECT_EQ(session.SheetNames(), (std::vector<std::string>{"Apple.org"}));
    // A later run without 0/1 sheets starts from the file, not from the
    // half-written workbook: none of the failed run's sheets reach the disk.
    options.zoo = false;
    EXPECT_FALSE(Lists(Run("Apple.org").sheetsWritten, "M1.zoo"));
    host::Application reader;
    host::Workbook& saved = reader.Open(path);
    EXPECT_EQ(saved.FindSheet("M1.zoo"), nullptr);
    EXPECT_EQ(saved.SheetByName("Apple.chr").Cell(1, 2).Text(), "chr");
  }
};

TEST_F(RollbackTest, AFailedSaveNamesTheOperation) {
  const host::HostError e = testsupport::HostFailure(
      [&] { Run("Apple.org", progress, dir.File("no-such-folder/results.xlsx")); });
  EXPECT_FALSE(e.Operation().empty());
  ExpectRolledBack();
}

TEST_F(RollbackTest, AnOverflowInTheMiddleOfTheRun) {
  FailingProgress<Overflow> failing(msg::Ui::CombinationRunning);
  EXPECT_THROW(Run("Apple.org", failing), std::overflow_error);
  ExpectRolledBack();
}

TEST_F(RollbackTest, RunningOutOfMemoryJustBeforeTheSave) {
  FailingProgress<std::bad_alloc> failing(msg::Ui::Completed);
  EXPECT_THROW(Run("Apple.org", failing), std::bad_alloc);
  ExpectRolledBack();
}

}  // namespace
