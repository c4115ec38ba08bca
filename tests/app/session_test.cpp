// The session on real workbook files: sheet choice, the run pipeline and its
// reports, reruns and failures.
#include "app/core/Session.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "host/HostError.h"
#include "support/Interop.h"
#include "support/RecordingStatus.h"
#include "support/SourceBook.h"

using app::SheetOutcome;
using testsupport::RecordingStatus;
using testsupport::SheetLayout;
using testsupport::TempDir;

namespace {

const std::string kChooseSheet = "変換元のデータシートを選択してください";

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

struct SessionFixture : ::testing::Test {
  TempDir dir;
  RecordingStatus status;
  app::Session session{status};
  void SetUp() override { session.Form_Load(); }
  std::string Open(const std::vector<SheetLayout>& sheets, const std::string& name = "book.xlsx") {
    const std::string path = dir.File(name);
    testsupport::WriteWorkbook(path, sheets);
    session.filBook_Click(path);
    return path;
  }
};

// Messages and control states per outcome are checked through the window.
TEST_F(SessionFixture, SheetChoiceFollowsTheOutcomeTable) {
  Open({Source("Apple.org", "180/192"), Source("Pear.ORG", "180/192"),
        Source("Apple.org.x", "180/192"), Source("Apple", "180/192"),
        Source("Apple.ssr", "180/192"), Source("Chr.org", "A"), Source("Mix.org", "1/2", "AB")});
  EXPECT_EQ(session.lstSheet_Click("Apple.org"), SheetOutcome::Ssr);
  EXPECT_EQ(session.DataType(), "ssr");
  EXPECT_EQ(session.lstSheet_Click("Pear.ORG"), SheetOutcome::Ssr);
  EXPECT_EQ(session.SheetBaseName(), "Pear");
  // No "." at all: the base name of the earlier choice stays.
  EXPECT_EQ(session.lstSheet_Click("Apple"), SheetOutcome::NoType);
  EXPECT_EQ(session.SheetBaseName(), "Pear");
  EXPECT_EQ(session.lstSheet_Click("Apple.org.x"), SheetOutcome::NotSource);
  EXPECT_EQ(session.DataType(), "");
  EXPECT_EQ(session.lstSheet_Click("Apple.ssr"), SheetOutcome::NotSource);
  EXPECT_EQ(session.lstSheet_Click("Chr.org"), SheetOutcome::Character);
  EXPECT_EQ(session.DataType(), "chr");
  EXPECT_EQ(session.lstSheet_Click("Mix.org"), SheetOutcome::Ssr);
}

TEST_F(SessionFixture, EmptyFirstCellIsClassedByTheFirstTypedCellOfTheTable) {
  SheetLayout beyondMarkers = Source("Beyond.org", "", "", "");
  beyondMarkers.cells[0].push_back("150/152");  // right of the last marker name: not data
  SheetLayout belowVarieties = Source("Below.org", "");
  belowVarieties.cells.push_back({"150/152"});  // below the last variety name: not data
  Open({Source("Gap.org", "", "", "150/152"), Source("Row.org", "", "AB", "150/152"),
        Source("Empty.org", ""), beyondMarkers, belowVarieties});

  EXPECT_EQ(session.lstSheet_Click("Gap.org"), SheetOutcome::Ssr);
  EXPECT_TRUE(session.StartEnabled());
  // Row by row: D5 comes before C6.
  EXPECT_EQ(session.lstSheet_Click("Row.org"), SheetOutcome::Character);
  EXPECT_EQ(session.lstSheet_Click("Empty.org"), SheetOutcome::Character);
  EXPECT_EQ(session.lstSheet_Click("Beyond.org"), SheetOutcome::Character);
  EXPECT_EQ(session.lstSheet_Click("Below.org"), SheetOutcome::Character);
}

// The window tests check the listing and a damaged file; here a missing one too.
TEST_F(SessionFixture, AnUnreadableFileChangesNothing) {
  Open({Source("B.org", "1/2"), testsupport::Blank("Notes"), Source("A.org", "A")});
  EXPECT_EQ(status.messages.back(), kChooseSheet);
  session.lstSheet_Click("B.org");
  host::Workbook* book = session.ExcelBook();
  EXPECT_THROW(session.filBook_Click(dir.File("missing.xlsx")), host::HostError);
  EXPECT_EQ(session.ExcelBook(), book);
  EXPECT_EQ(session.SheetList(), (std::vector<std::string>{"B.org", "Notes", "A.org"}));
  EXPECT_TRUE(session.StartEnabled());
  EXPECT_EQ(session.SelectedSheet(), "B.org");
}

TEST_F(SessionFixture, ADisabledStartDoesNothingAndOptionsSurviveARun) {
  const std::string path = Open({testsupport::CleanSsr("Apple.org")});
  const std::string before = testsupport::ReadFileBytes(path);
  session.cmdExec_Click();
  EXPECT_EQ(testsupport::ReadFileBytes(path), before);
  EXPECT_TRUE(status.closing.empty());

  session.lstSheet_Click("Apple.org");
  session.chkZoo = true;
  session.chkUKai = false;
  session.cmdExec_Click();
  EXPECT_FALSE(session.StartEnabled());
  EXPECT_EQ(session.SelectedSheet(), "");
  EXPECT_TRUE(session.chkZoo);
  EXPECT_FALSE(session.chkUKai);
  EXPECT_EQ(session.SheetBaseName(), "Apple");
}

TEST_F(SessionFixture, CleanSsrRunAnnouncesEveryStageSortsSavesAndReopens) {
  const SheetLayout notes = testsupport::Blank("Notes");
  const std::string path = Open({notes, testsupport::CleanSsr("Apple.org", 6, 2)});
  session.lstSheet_Click("Apple.org");
  session.chkZoo = true;
  status.messages.clear();
  session.cmdExec_Click();

  EXPECT_EQ(status.messages, (std::vector<std::string>{
                                 "変換元データ読み込み中", "ＳＳＲデータ変換中", "０/１変換 実行中",
                                 "コンビネーションチェック 集計中", "ＵＫａｉ理論値 計算中",
                                 "変換・集計 完了しました", kChooseSheet}));
  EXPECT_EQ(status.closing, (std::vector<std::string>{"正常に終了しました"}));
  EXPECT_FALSE(session.DataProblems());
  EXPECT_EQ(session.SavedPath(), path);
  // The full order is checked on the sorted book and end to end.
  EXPECT_EQ(session.SheetList().front(), "Apple.org");
  EXPECT_TRUE(Lists(session.SheetList(), "M1.zoo"));
  EXPECT_TRUE(Lists(session.SheetList(), "M2.zoo"));
  EXPECT_EQ(session.SheetList().back(), "Notes");
  // The reopened workbook is the saved file.
  EXPECT_EQ(session.ExcelBook()->SheetCount(), static_cast<int>(session.SheetList().size()));
  EXPECT_EQ(SavedCell(path, "Apple.chr", 1, 2), "chr");
}

TEST_F(SessionFixture, ClosingMessageListsEveryRaisedFlagInOrderAndOptionsAreSkipped) {
  // 501 varieties (over the limit), a non-numeric part and a cell of three alleles.
  SheetLayout layout = testsupport::CleanSsr("Apple.org", 501, 2);
  layout.cells[2][1] = "150/152/154";
  layout.cells[3][0] = "abc/150";
  const std::string path = Open({layout});
  session.lstSheet_Click("Apple.org");
  session.chkZoo = true;
  session.cmdExec_Click();

  ASSERT_EQ(status.closing.size(), 1u);
  EXPECT_EQ(status.closing[0],
            "品種数が許容範囲を超えました\rSSRに数値でないデータがあります\r２倍体でないデータが"
            "あります\r");
  EXPECT_TRUE(session.DataProblems());
  EXPECT_FALSE(Lists(session.SheetList(), "Apple.cmb"));
  EXPECT_FALSE(Lists(session.SheetList(), "Apple.ukai"));
  EXPECT_FALSE(Lists(session.SheetList(), "M1.zoo"));
  EXPECT_EQ(SavedCell(path, "Apple.err", 4, 2), "Too Many Caltivars");
}

TEST_F(SessionFixture, RerunsReuseEveryOutputSheetAndKeepOnlyTheirOwnErrorRows) {
  SheetLayout layout = testsupport::CleanSsr("Apple.org", 5, 2);
  for (int i : {1, 2, 3}) layout.cells[i][1] = "150/152/154";
  const std::string path = Open({layout});
  auto run = [&] {
    ASSERT_EQ(session.lstSheet_Click("Apple.org"), SheetOutcome::Ssr);
    session.chkZoo = true;
    session.cmdExec_Click();
  };
  auto fix = [&](int variety) {
    session.ExcelBook()->SheetByName("Apple.org").Cell(4 + variety, 4).SetValue("150/152");
  };

  run();
  EXPECT_EQ(SavedCell(path, "Apple.err", 6, 2), "Data is not Duplex");
  const auto afterFirst = session.SheetList();
  fix(2);
  fix(3);
  run();
  EXPECT_EQ(session.SheetList(), afterFirst);
  EXPECT_EQ(SavedCell(path, "Apple.err", 4, 2), "Data is not Duplex");
  EXPECT_EQ(SavedCell(path, "Apple.err", 4, 3), "V4");
  EXPECT_EQ(SavedCell(path, "Apple.err", 5, 2), "");
  EXPECT_EQ(status.closing.back(), "２倍体でないデータがあります\r");

  fix(4);
  run();
  EXPECT_EQ(status.closing.back(), "正常に終了しました");
  EXPECT_EQ(SavedCell(path, "Apple.err", 4, 2), "");
  const auto withOptions = session.SheetList();
  EXPECT_TRUE(Lists(withOptions, "Apple.ukai"));
  run();
  EXPECT_EQ(session.SheetList(), withOptions);
}

TEST_F(SessionFixture, AFailedSaveStopsTheRunAndLeavesTheFileAsItWas) {
  const std::string path = Open({testsupport::CleanSsr("Apple.org")});
  const std::string original = testsupport::ReadFileBytes(path);

  session.lstSheet_Click("Apple.org");
  session.SetSaveTarget(dir.File("no-such-folder/results.xlsx"));
  try {
    session.cmdExec_Click();
    FAIL() << "a save into a missing folder must fail";
  } catch (const host::HostError& e) {
    EXPECT_FALSE(e.Operation().empty());
  }
  EXPECT_EQ(testsupport::ReadFileBytes(path), original);
  // The session holds the workbook as the file has it, not the half-run copy.
  EXPECT_EQ(session.SheetList(), (std::vector<std::string>{"Apple.org"}));
  EXPECT_EQ(session.ExcelBook()->SheetCount(), 1);
  EXPECT_FALSE(session.StartEnabled());
}

}  // namespace
