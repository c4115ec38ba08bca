// Reading the source table into the store, and getting output sheets by name.
#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "messages/InterfaceTexts.h"
#include "messages/SheetTexts.h"
#include "report/ErrorLog.h"
#include "report/SheetAccess.h"
#include "report/TablePlacement.h"
#include "support/MemoryBook.h"

namespace {

using SourceReading = testsupport::MemoryBook;
using OpeningOutputSheets = testsupport::MemoryBook;

TEST_F(SourceReading, ReadsNamesAndCellTextsAsTheSheetShowsThem) {
  Source({{"M1", "マーカー2"}, {"品種1"}, {"V2"}, {""}, {"V4 after a gap", "x"}});
  src->GetRange("C5").SetValue(180);
  src->GetRange("D5").SetValue(180.5);
  src->GetRange("C6").SetValue(host::CellValue(true));
  src->GetRange("D6").SetValue(host::CellValue(host::ErrorValue{"#N/A"}));
  const report::SourceTable table = report::ReadSourceTable(*src, store::DataKind::Ssr, progress);
  const store::GenotypeStore& s = table.store;
  EXPECT_EQ(s.VarietyCount(), 2);
  EXPECT_EQ(s.MarkerCount(), 2);
  EXPECT_EQ(s.VarietyName(1), "品種1");
  EXPECT_EQ(s.MarkerName(2), "マーカー2");
  EXPECT_EQ(s.Cell(1, 1) + u"," + s.Cell(1, 2) + u"," + s.Cell(2, 1) + u"," + s.Cell(2, 2),
            u"180,180.5,TRUE,#N/A");
  EXPECT_TRUE(table.limits.empty());
  for (const std::string& text :
       {msg::VarietyComment(2), msg::MarkerComment(1), msg::CellComment(2, 1)})
    EXPECT_EQ(std::count(progress.comments.begin(), progress.comments.end(), text), 1) << text;
}

TEST_F(OpeningOutputSheets, IllegalAndDuplicateNamesMapToTheSameSheetsOnEveryRun) {
  const std::vector<std::string> wanted{
      "a:b.zoo",      "a/b.zoo",  "a:b.zoo",
      "M[1]?*\\.zoo", "'quoted'", "A marker name far longer than thirty-one characters.zoo",
      "History",      "M\v1.zoo"};
  auto openAll = [&] {
    report::OutputSheets outputs = Outputs();
    std::vector<host::Worksheet*> sheets;
    for (const std::string& name : wanted) sheets.push_back(&outputs.Open(name));
    return sheets;
  };
  const auto first = openAll();
  first[5]->GetRange("B1").SetValue(msg::sheet::kZeroOne.kind);  // as the 0/1 layout marks it
  std::vector<std::string> names;
  for (auto* sheet : first) names.push_back(sheet->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"a_b.zoo", "a_b.zoo (2)", "a_b.zoo (3)", "M_1____.zoo",
                                             "_quoted_", "A marker name far longer than t",
                                             "History_", "M_1.zoo"}));
  // The next run, on the reopened workbook, gets the same sheets back.
  const int count = book->SheetCount();
  EXPECT_EQ(openAll(), first);
  EXPECT_EQ(book->SheetCount(), count);
  // A legal free name is never changed; a taken one is numbered within 31.
  EXPECT_EQ(report::LegalSheetName(*book, "Apple.ukai"), "Apple.ukai");
  EXPECT_EQ(report::LegalSheetName(*book, "M\uFFFE2.zoo"), "M_2.zoo");
  EXPECT_EQ(report::LegalSheetName(*book, "a_b.zoo"), "a_b.zoo (4)");
  EXPECT_EQ(report::LegalSheetName(*book, wanted[5]), "A marker name far longer th (2)");
}

// A marker name cut to 31 characters can come out as the name of a sheet of
// the user's, or of the source: neither is ever written over, and the sheet
// that takes the results instead is the one every later run reuses.
TEST_F(OpeningOutputSheets, CutNamesNeverTakeTheUsersSheets) {
  const std::string mine = "A marker name far longer than t";
  book->AddSheet().SetName(mine);
  book->SheetByName(mine).GetRange("B1").SetValue("keep me");
  src->SetName("Apple and pear trial 2026 a.org");  // 31 characters
  const std::string wanted = mine + "hirty-one characters.zoo";
  report::OutputSheets outputs = Outputs();
  host::Worksheet* zeroOne = &outputs.Open(wanted);
  host::Worksheet* clash = &outputs.Open("Apple and pear trial 2026 a.org and more.zoo");
  EXPECT_EQ(zeroOne->Name(), "A marker name far longer th (2)");
  EXPECT_NE(clash, src);
  zeroOne->GetRange("B1").SetValue(msg::sheet::kZeroOne.kind);
  clash->GetRange("B1").SetValue(msg::sheet::kZeroOne.kind);

  report::OutputSheets rerun = Outputs();
  EXPECT_EQ(&rerun.Open(wanted), zeroOne);
  EXPECT_EQ(Text(book->SheetByName(mine), "B1"), "keep me");
}

// New sheets go in front of the sheet opened before them, the first in front
// of the sheet given, whichever sheet the workbook shows meanwhile.
TEST_F(OpeningOutputSheets, NewSheetsArePlacedInFrontOfTheOneOpenedBefore) {
  host::Worksheet& notes = NewSheet("Notes");
  host::Worksheet& err = NewSheet("Apple.err");  // a sheet of an earlier run
  notes.Move(err);
  src->Move(err);
  ASSERT_EQ(Listed(), (std::vector<std::string>{"Notes", "Apple.org", "Apple.err"}));
  const std::vector<std::string> listed = Listed();
  notes.Activate();
  report::OutputSheets outputs(*src, listed, *src);
  outputs.Open("Apple.ssr");
  notes.Activate();
  EXPECT_EQ(&outputs.Open("Apple.err"), &err);
  outputs.Open("M1.zoo");
  outputs.Open("M2.zoo");
  EXPECT_EQ(Listed(), (std::vector<std::string>{"Notes", "Apple.ssr", "Apple.org", "M2.zoo",
                                                "M1.zoo", "Apple.err"}));
}

// Where a source's table must stand, and where one misplaced seems to stand.
TEST_F(SourceReading, ATableOutOfPlaceIsFoundWhereTheUserPutIt) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> cells;  // address, text
    bool markers, varieties;
    std::optional<std::string> seemsAt;
  };
  const std::vector<Case> cases = {
      // Heads in row 1, names in column A: the newcomer's table.
      {{{"B1", "M1"}, {"C1", "M2"}, {"A2", "V1"}, {"B2", "150/152"}}, false, false, "A1"},
      // A title above the table, the corner labelled.
      {{{"A1", "My apples"}, {"A3", "Name"}, {"B3", "M1"}, {"A4", "V1"}}, false, false, "A3"},
      // Below and right of the expected place.
      {{{"E7", "M1"}, {"D8", "V1"}, {"E8", "150/152"}}, false, false, "D7"},
      // Half a table where it belongs: no other corner is made up from it.
      {{{"C4", "M1"}, {"D4", "M2"}, {"C5", "150/152"}}, true, false, std::nullopt},
      {{{"B5", "V1"}, {"B6", "V2"}, {"C5", "150/152"}}, false, true, std::nullopt},
      {{}, false, false, std::nullopt},
      {{{"C4", "M1"}, {"B5", "V1"}}, true, true, std::nullopt},
  };
  for (const Case& c : cases) {
    src->Cells().ClearContents();
    for (const auto& [address, text] : c.cells) Put(src->GetRange(address), text);
    const report::TablePlacement placement = report::CheckTablePlacement(*src);
    const std::string where = c.cells.empty() ? "empty" : c.cells.front().first;
    EXPECT_EQ(placement.hasMarkers, c.markers) << where;
    EXPECT_EQ(placement.hasVarieties, c.varieties) << where;
    EXPECT_EQ(placement.seemsAt, c.seemsAt) << where;
  }
}

}  // namespace
