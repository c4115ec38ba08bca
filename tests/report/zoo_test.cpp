// The 0/1 sheets: one per marker, genotype and allele matrices.
#include <set>
#include <string>
#include <vector>

#include "messages/InterfaceTexts.h"
#include "options_fixture.h"
#include "report/SheetAccess.h"

namespace options_test {
namespace {

class ZooTest : public OptionsTest {
 protected:
  // The numbers of `count` cells of a row from column C.
  static std::vector<double> Row(host::Worksheet& sheet, int row, int count) {
    std::vector<double> out;
    for (int c = 0; c < count; ++c) {
      const host::CellValue value = sheet.Cell(row, 3 + c).Value();
      out.push_back(std::holds_alternative<double>(value) ? std::get<double>(value) : -1);
    }
    return out;
  }
  using V = std::vector<double>;
};

TEST_F(ZooTest, SsrMarkerGivesGenotypeAndAlleleMatrices) {
  Load({"X"}, {{"P1", {"AA"}}, {"P2", {"AB"}}, {"P3", {"BB"}}, {"P4", {""}}}, store::DataKind::Ssr);
  S().Marker(1).AlleleAdd(160);
  S().Marker(1).AlleleAdd(150);
  host::Worksheet& chr = NewSheet("Apple.chr");
  chr.GetRange("B2").SetValue("Apple trial");
  ctx.sheets.ChrSheet = &chr;

  report::ZooMake(ctx);
  host::Worksheet* zoo = book->FindSheet("X.zoo");
  ASSERT_NE(zoo, nullptr);
  EXPECT_EQ(&app.ActiveSheet(), zoo);
  ExpectTexts(*zoo, {{"C1", "0/1 notation for phylogeny software"},
                     {"B2", "Apple trial"},
                     {"C2", "X"},
                     {"E4", "160/160"},
                     {"F4", ""},
                     {"B9", ""},
                     {"B12", "P1"},
                     {"E12", ""}});
  EXPECT_EQ(zoo->GetRange("C4").Value(), host::CellValue(std::string("150/150")));
  EXPECT_EQ(Row(*zoo, 6, 3), (V{0, 1, 0}));
  EXPECT_EQ(Row(*zoo, 8, 3), (V{0, 0, 0}));  // untyped: all zero
  EXPECT_EQ(Row(*zoo, 11, 2), (V{150, 160}));
  EXPECT_EQ(Row(*zoo, 13, 2), (V{1, 1}));
  EXPECT_EQ(Row(*zoo, 15, 2), (V{0, 0}));
  EXPECT_EQ(progress.comments, (std::vector<std::string>{msg::MarkerNameComment(1, "X")}));
}

TEST_F(ZooTest, CharacterDataAwkwardNamesAndRerun) {
  // Markers: one whose name a sheet cannot take, two of the same name, one nobody typed.
  Load({"A/B", "M", "M", "E"}, {{"P1", {"Ab", "AA", "AA", ""}},
                                {"P2", {"AA", "AB", "AA", ""}},
                                {"P3", {"aa", "", "BB", ""}}});
  report::ZooMake(ctx);
  std::set<std::string> names;
  host::Worksheet* slash = nullptr;
  host::Worksheet* untyped = nullptr;
  for (int i = 1; i <= book->SheetCount(); ++i) {
    host::Worksheet& sheet = book->Sheet(i);
    if (Text(sheet, "B1") != "zoo") continue;
    names.insert(sheet.Name());
    if (Text(sheet, "C2") == "A/B") slash = &sheet;
    if (Text(sheet, "C2") == "E") untyped = &sheet;
  }
  EXPECT_EQ(names.size(), 4u);
  EXPECT_EQ(book->SheetCount(), 5);
  ASSERT_NE(slash, nullptr);
  ASSERT_NE(untyped, nullptr);

  // Alleles in code order, capitals first; letter case tells alleles apart.
  ExpectTexts(*slash, {{"C4", "AA"}, {"E4", "aa"}, {"D10", "a"}, {"E10", "b"}});
  EXPECT_EQ(slash->GetRange("C10").Value(), host::CellValue(std::string("A")));
  EXPECT_EQ(Row(*slash, 11, 3), (V{1, 0, 1}));
  EXPECT_EQ(Row(*slash, 12, 3), (V{1, 0, 0}));
  EXPECT_EQ(Row(*slash, 13, 3), (V{0, 1, 0}));

  ExpectTexts(*untyped,
              {{"B4", "*"}, {"C4", ""}, {"B7", "P3"}, {"B10", "*"}, {"C10", ""}, {"C11", ""}});

  // A rerun on the reopened workbook reuses every sheet and rewrites it.
  ctx.sheets.openedThisRun.clear();  // a new run
  ctx.lstSheet.clear();
  for (int i = 1; i <= book->SheetCount(); ++i) ctx.lstSheet.push_back(book->Sheet(i).Name());
  S().SetCell(3, 1, u"AA");
  report::ZooMake(ctx);
  EXPECT_EQ(book->SheetCount(), 5);
  EXPECT_EQ(Row(*slash, 13, 3), (V{1, 0, 0}));
  EXPECT_EQ(Row(*slash, 7, 3), (V{1, 0, 0}));
}

}  // namespace
}  // namespace options_test
