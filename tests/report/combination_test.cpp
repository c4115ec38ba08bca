// The combination sheet: pair counts, colours, band layout and legend.
#include <string>
#include <vector>

#include "messages/InterfaceTexts.h"
#include "options_fixture.h"

namespace options_test {
namespace {

class CombinationTest : public OptionsTest {
 protected:
  host::Worksheet& Run(bool make = true) {
    host::Worksheet& cmb = NewSheet("Apple.cmb" + std::to_string(++sheets_));
    ctx.sheets.CmbSheet = &cmb;
    report::CombinationSheetFormat(ctx, *src, cmb);
    if (make) report::CombinationMake(ctx);
    return cmb;
  }
  // n varieties, each unique at every marker, so no pair is coloured.
  static std::vector<Variety> Named(int n, int markers) {
    std::vector<Variety> rows;
    for (int v = 1; v <= n; ++v) {
      rows.push_back(
          {"var" + std::to_string(v), std::vector<std::string>(markers, "V" + std::to_string(v))});
    }
    return rows;
  }
  int sheets_ = 0;
};

TEST_F(CombinationTest, WorkedExampleFillsFrameCountsColoursAndProgress) {
  Load({"m1", "m2"}, {{"P1", {"AB", "AA"}}, {"P2", {"AB", "AB"}}, {"P3", {"CC", ""}}});
  host::Worksheet& cmb = Run();
  ExpectTexts(cmb, {{"B1", "cmb"},
                    {"B2", "Apple trial"},
                    {"B4", "*"},
                    {"E4", "P3"},
                    {"B7", "P3"},
                    {"B8", ""},
                    {"B9", "Red"},
                    {"C9", "0"},
                    {"C12", "3"}});
  EXPECT_EQ(cmb.GetRange("D5").Value(), host::CellValue(1.0));
  EXPECT_EQ(cmb.GetRange("C12").Value(), host::CellValue(std::string("3")));  // legend is text
  EXPECT_EQ(Fill(cmb, "C12"), host::xlNone);
  for (const char* a : {"D5", "C6"}) EXPECT_EQ(Fill(cmb, a), 6) << a;
  for (const char* a : {"E5", "C7", "E6", "D7"}) {
    EXPECT_EQ(Text(cmb, a), "2") << a;
    EXPECT_EQ(Fill(cmb, a), 4) << a;
  }
  for (const char* a : {"C5", "D6", "E7"}) {
    EXPECT_EQ(Text(cmb, a), "") << a;
    EXPECT_EQ(Fill(cmb, a), 15) << a;
  }
  EXPECT_EQ(progress.comments,
            (std::vector<std::string>{msg::PairComment(1, 1), msg::PairComment(1, 2),
                                      msg::PairComment(1, 3), msg::PairComment(2, 2),
                                      msg::PairComment(2, 3), msg::PairComment(3, 3)}));
}

TEST_F(CombinationTest, ColourClassesFollowTheCountAndTextsCompareExactly) {
  // Against P1: P2 identical, P3 differs at 3 markers (one by letter case only),
  // P4 at 4; P5 is untyped at b only; nobody is typed at e, which never counts.
  Load({"a", "b", "c", "d", "e"}, {{"P1", {"AA", "AB", "BB", "AC", ""}},
                                   {"P2", {"AA", "AB", "BB", "AC", ""}},
                                   {"P3", {"Aa", "AA", "BC", "AC", ""}},
                                   {"P4", {"BB", "AA", "CC", "CC", ""}},
                                   {"P5", {"AA", "", "BB", "AC", ""}}});
  host::Worksheet& cmb = Run();
  ExpectTexts(cmb, {{"D5", "0"}, {"E5", "3"}, {"F5", "4"}, {"G5", "1"}, {"C8", "4"}});
  EXPECT_EQ(Fill(cmb, "D5"), 3);
  EXPECT_EQ(Fill(cmb, "C6"), 3);
  EXPECT_EQ(Fill(cmb, "E5"), 8);
  EXPECT_EQ(Fill(cmb, "C7"), 8);
  EXPECT_EQ(Fill(cmb, "F5"), host::xlNone);
  EXPECT_EQ(Fill(cmb, "G5"), 6);

  // One variety: only the grey diagonal cell. No variety: only the legend, at B4.
  Load({"a"}, {{"P1", {"AA"}}});
  host::Worksheet& one = Run();
  EXPECT_EQ(Fill(one, "C5"), 15);
  ExpectTexts(one, {{"C5", ""}, {"D5", ""}, {"B7", "Red"}});
  Load({}, {});
  ExpectTexts(Run(), {{"B4", "Red"}, {"C7", "3"}, {"B8", ""}});
}

TEST_F(CombinationTest, BandsStackVarietyCountPlusTwoRowsApart) {
  Load({}, Named(250, 0));
  ExpectTexts(Run(false), {{"IR4", "var250"}, {"IS4", ""}, {"B255", ""}, {"B256", "Red"}});

  Load({}, Named(251, 0));
  ExpectTexts(Run(false), {{"IR4", "var250"},
                           {"B255", "var251"},
                           {"B257", "*"},
                           {"C257", "var251"},
                           {"D257", ""},
                           {"B258", "var1"},
                           {"B508", "var251"},
                           {"B510", "Red"},
                           {"B513", "Blue"}});

  Load({}, Named(500, 0));
  ExpectTexts(Run(false), {{"B506", "*"},
                           {"C506", "var251"},
                           {"IR506", "var500"},
                           {"B1006", "var500"},
                           {"B1008", "Red"}});
}

TEST_F(CombinationTest, PairAcrossBandsLandsInBothBands) {
  std::vector<Variety> rows = Named(300, 4);
  rows[259].cells = rows[9].cells;  // varieties 10 and 260 identical
  Load({"a", "b", "c", "d"}, rows);
  host::Worksheet& cmb = Run();
  // (10, 260): band 2, row 4 + 302 + 10, column 3 + 9; (260, 10): band 1, row 264.
  ExpectTexts(cmb, {{"L316", "0"}, {"L264", "0"}, {"K316", "4"}, {"AY606", "4"}});
  EXPECT_EQ(Fill(cmb, "L316"), 3);
  EXPECT_EQ(Fill(cmb, "L264"), 3);
  EXPECT_EQ(Fill(cmb, "K316"), host::xlNone);
  EXPECT_EQ(Fill(cmb, "L566"), 15);  // diagonal of variety 260
  EXPECT_EQ(progress.comments.back(), msg::PairComment(300, 300));
}

}  // namespace
}  // namespace options_test
