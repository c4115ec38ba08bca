// The exchange commands as a user types them: import a table, look for the
// telling markers, export; data problems and bad files write nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/CliHarness.h"
#include "messages/CliTexts.h"
#include "store/Problems.h"

namespace {

using e2e::Cli;

std::string Line(msg::Cli id) { return std::string(msg::Text(id)) + "\n"; }

TEST(ExchangeCli, ImportedTableGivesItsTellingMarkersAndInseparableVarieties) {
  testsupport::TempDir dir;
  // V1 and V3 are alike everywhere; L2 alone tells every other pair apart.
  testsupport::WriteFileBytes(dir.File("beans.csv"),
                              "Name,L1,L2,L3\n"
                              "V1,180/180,95/95,\n"
                              "V2,180/180,95/101,\n"
                              "V3,180/180,95/95,\n"
                              "V4,180/192,101/101,\n");
  const auto imported = Cli({"import", dir.File("beans.csv"), "-o", dir.File("beans.xlsx")});
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(imported.out,
            msg::Format(msg::Cli::ImportWritten, dir.File("beans.xlsx"), 4, 3) + "\n");

  const auto markers = Cli({"markers", dir.File("beans.xlsx")});
  ASSERT_EQ(markers.exitCode, 0) << markers.err;
  EXPECT_EQ(markers.out, msg::Format(msg::Cli::MarkersExact, 3) + "\n" +
                             msg::Format(msg::Cli::MarkerLine, "L2", 0) + "\n" +
                             Line(msg::Cli::InseparableHead) +
                             msg::Format(msg::Cli::InseparableLine, "V1\tV3") + "\n");
}

TEST(ExchangeCli, ExportOfDataWithProblemsListsThemAndWritesNothing) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("t.csv"), "Name,L1\nA,180/192/200\nB,180/180\n");
  ASSERT_EQ(Cli({"import", dir.File("t.csv"), "-o", dir.File("t.xlsx")}).exitCode, 0);
  const auto r =
      Cli({"export", dir.File("t.xlsx"), "--format", "genepop", "-o", dir.File("t.gen")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.out, msg::Format(msg::Cli::ProblemLine,
                               store::ProblemText(store::Problem::NotDiploid), "A", "L1") +
                       "\n" + Line(msg::Cli::NothingWritten));
  EXPECT_FALSE(std::filesystem::exists(dir.File("t.gen")));
}

TEST(ExchangeCli, ImportRefusesBadFilesAndExistingWorkbooks) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("bad.gen"), "title\nL1\nPop\nA , 180192 095095\n");
  const auto bad = Cli({"import", dir.File("bad.gen"), "-o", dir.File("bad.xlsx")});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.err.find(msg::Format(msg::Cli::ImportProblem, dir.File("bad.gen"), 4,
                                     msg::Format(msg::Cli::ImportFieldCount, 1, 2))),
            std::string::npos)
      << bad.err;
  EXPECT_FALSE(std::filesystem::exists(dir.File("bad.xlsx")));

  testsupport::WriteFileBytes(dir.File("ok.csv"), "Name,L1\nA,180/192\n");
  testsupport::WriteFileBytes(dir.File("mine.xlsx"), "mine");
  const auto exists = Cli({"import", dir.File("ok.csv"), "-o", dir.File("mine.xlsx")});
  EXPECT_EQ(exists.exitCode, 1);
  EXPECT_NE(exists.err.find(msg::Format(msg::Cli::OutputExists, dir.File("mine.xlsx"))),
            std::string::npos);
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("mine.xlsx")), "mine");
}

}  // namespace
