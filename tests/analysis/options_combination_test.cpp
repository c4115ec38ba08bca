// The combination sheet: pair counts, colours, band layout and legend.
#include <string>
#include <vector>

#include "options_fixture.h"

namespace options_test {
namespace {

class CombinationTest : public OptionsTest {
 protected:
  host::Worksheet& Run(bool make = true) {
    host::Worksheet& cmb = NewSheet("Apple.cmb" + std::to_string(++sheets_));
    ctx.sheets.CmbSheet = &cmb;
    analysis::CombinationSheetFormat(ctx, *src, cmb);
    if (make) analysis::CombinationMake(ctx);
    return cmb;
  }
  int sheets_ = 0;
  static std::vector<Variety> Named(int n, int markers) {
    std::vector<Variety> rows;
    for (int v = 1; v <= n; ++v) {
      // Every variety unique at every marker: no pair is coloured.
      std::vector<std::string> cells(markers, "V" + std::to_string(v));
      rows.push_back({"var" + std::to_string(v), cells});
    }
    return rows;
  }
};

TEST_F(CombinationTest, WorkedExampleFillsFrameCountsColoursAndProgress) {
  Load({"m1", "m2"}, {{"P1", {"AB", "AA"}}, {"P2", {"AB", "AB"}}, {"P3", {"CC", ""}}});
  host::Worksheet& cmb = Run();

  EXPECT_EQ(Text(cmb, "B1"), "cmb");
  EXPECT_EQ(Text(cmb, "B2"), "Apple trial");
  EXPECT_EQ(Text(cmb, "B4"), "*");
  EXPECT_EQ(Text(cmb, "E4"), "P3");
  EXPECT_EQ(Text(cmb, "B7"), "P3");
  EXPECT_EQ(cmb.GetRange("D5").Value(), host::CellValue(1.0));
  EXPECT_EQ(Text(cmb, "C6"), "1");
  EXPECT_EQ(Fill(cmb, "D5"), 6);
  EXPECT_EQ(Fill(cmb, "C6"), 6);
  for (const char* a : {"E5", "C7", "E6", "D7"}) {
    EXPECT_EQ(Text(cmb, a), "2") << a;
    EXPECT_EQ(Fill(cmb, a), 4) << a;
  }
  for (const char* a : {"C5", "D6", "E7"}) {
    EXPECT_TRUE(host::IsEmpty(cmb.GetRange(a).Value())) << a;
    EXPECT_EQ(Fill(cmb, a), 15) << a;
  }
  EXPECT_EQ(Text(cmb, "B8"), "");
  EXPECT_EQ(Text(cmb, "B9"), "Red");
  EXPECT_EQ(cmb.GetRange("C9").Value(), host::CellValue(std::string("0")));
  EXPECT_EQ(Text(cmb, "B12"), "Blue");
  EXPECT_EQ(Text(cmb, "C12"), "3");
  EXPECT_EQ(Fill(cmb, "B12"), host::xlNone);
  EXPECT_EQ(status.comments,
            (std::vector<std::string>{"品種 [ 1: 1]", "品種 [ 1: 2]", "品種 [ 1: 3]",
                                      "品種 [ 2: 2]", "品種 [ 2: 3]", "品種 [ 3: 3]"}));
}

TEST_F(CombinationTest, ColourClassesFollowTheCountAndTextsCompareExactly) {
  // Against P1: P2 identical, P3 differs in 3 (one of them by letter case only),
  // P4 in 4; P5 is untyped where P1 is untyped (not counted) and typed elsewhere.
  Load({"a", "b", "c", "d", "e"}, {{"P1", {"AA", "AB", "BB", "AC", ""}},
                                   {"P2", {"AA", "AB", "BB", "AC", ""}},
                                   {"P3", {"Aa", "AA", "BC", "AC", ""}},
                                   {"P4", {"BB", "AA", "CC", "CC", ""}},
                                   {"P5", {"AA", "", "BB", "AC", ""}}});
  host::Worksheet& cmb = Run();
  EXPECT_EQ(Text(cmb, "D5"), "0");
  EXPECT_EQ(Fill(cmb, "D5"), 3);
  EXPECT_EQ(Fill(cmb, "C6"), 3);
  EXPECT_EQ(Text(cmb, "E5"), "3");
  EXPECT_EQ(Fill(cmb, "E5"), 8);
  EXPECT_EQ(Fill(cmb, "C7"), 8);
  EXPECT_EQ(Text(cmb, "F5"), "4");
  EXPECT_EQ(Fill(cmb, "F5"), host::xlNone);
  EXPECT_EQ(Fill(cmb, "C8"), host::xlNone);
  EXPECT_EQ(Text(cmb, "G5"), "1");  // only marker b: typed against untyped
  EXPECT_EQ(Fill(cmb, "G5"), 6);
}

TEST_F(CombinationTest, DegenerateTables) {
  // One variety: the grey diagonal cell and no number.
  Load({"a"}, {{"P1", {"AA"}}});
  host::Worksheet& one = Run();
  EXPECT_EQ(Fill(one, "C5"), 15);
  EXPECT_TRUE(host::IsEmpty(one.GetRange("C5").Value()));
  EXPECT_EQ(Text(one, "B7"), "Red");

  // No marker: every pair is indistinguishable.
  store->MarkerCount = 0;
  store->VarietyCount = 2;
  store->VarietyName[2] = "P2";
  host::Worksheet& none = Run();
  EXPECT_EQ(Text(none, "D5"), "0");
  EXPECT_EQ(Fill(none, "D5"), 3);
  EXPECT_EQ(Fill(none, "C6"), 3);

  // No variety: only the legend, at B4.
  store->VarietyCount = 0;
  host::Worksheet& empty = Run();
  EXPECT_EQ(Text(empty, "B4"), "Red");
  EXPECT_EQ(Text(empty, "C7"), "3");
  EXPECT_EQ(Text(empty, "B8"), "");
}

TEST_F(CombinationTest, BandsStackVarietyCountPlusTwoRowsApart) {
  Load({}, Named(250, 0));
  host::Worksheet& b250 = Run(false);
  EXPECT_EQ(Text(b250, "IR4"), "var250");
  EXPECT_EQ(Text(b250, "IS4"), "");
  EXPECT_EQ(Text(b250, "B255"), "");
  EXPECT_EQ(Text(b250, "B256"), "Red");

  Load({}, Named(251, 0));
  host::Worksheet& b251 = Run(false);
  EXPECT_EQ(Text(b251, "IR4"), "var250");
  EXPECT_EQ(Text(b251, "B255"), "var251");  // band 1 lists every row variety
  EXPECT_EQ(Text(b251, "B257"), "*");
  EXPECT_EQ(Text(b251, "C257"), "var251");
  EXPECT_EQ(Text(b251, "D257"), "");
  EXPECT_EQ(Text(b251, "B258"), "var1");
  EXPECT_EQ(Text(b251, "B508"), "var251");
  EXPECT_EQ(Text(b251, "B510"), "Red");
  EXPECT_EQ(Text(b251, "B513"), "Blue");

  Load({}, Named(500, 0));
  host::Worksheet& b500 = Run(false);
  EXPECT_EQ(Text(b500, "B506"), "*");
  EXPECT_EQ(Text(b500, "C506"), "var251");
  EXPECT_EQ(Text(b500, "IR506"), "var500");
  EXPECT_EQ(Text(b500, "B1006"), "var500");
  EXPECT_EQ(Text(b500, "B1008"), "Red");
}

TEST_F(CombinationTest, PairAcrossBandsLandsInBothBands) {
  std::vector<Variety> rows = Named(300, 4);
  rows[259].cells = rows[9].cells;  // varieties 10 and 260 identical
  Load({"a", "b", "c", "d"}, rows);
  host::Worksheet& cmb = Run();
  // (10, 260) in band 2 at row 4 + 302 + 10, column 3 + 9; (260, 10) in band 1.
  EXPECT_EQ(Text(cmb, "L316"), "0");
  EXPECT_EQ(Fill(cmb, "L316"), 3);
  EXPECT_EQ(Text(cmb, "L264"), "0");
  EXPECT_EQ(Fill(cmb, "L264"), 3);
  EXPECT_EQ(Text(cmb, "K316"), "4");  // (10, 259)
  EXPECT_EQ(Fill(cmb, "K316"), host::xlNone);
  // Diagonal of variety 260 in band 2; the last pair (300, 299) in band 2 too.
  EXPECT_EQ(Fill(cmb, "L566"), 15);
  EXPECT_EQ(Text(cmb, "AY606"), "4");
  EXPECT_EQ(status.comments.back(), "品種 [ 300: 300]");
}

}  // namespace
}  // namespace options_test
