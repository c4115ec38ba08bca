// The combination sheet: pair counts, colours, band layout and legend.
#include <string>
#include <vector>

#include "messages/InterfaceTexts.h"
#include "messages/SheetTexts.h"
#include "report/PairSheet.h"
#include "support/MemoryBook.h"

namespace report_test {
namespace {

const std::string kRed(msg::sheet::kCmbLegend[0].colour);
const std::string kBlue(msg::sheet::kCmbLegend[3].colour);

class PairSheetTest : public testsupport::MemoryBook {
 protected:
  host::Worksheet& Run(bool make = true) {
    host::Worksheet& cmb = NewSheet("Apple.cmb" + std::to_string(++sheets_));
    report::LayOutPairSheet(*src, cmb, S());
    if (make) report::WritePairCounts(cmb, S(), progress);
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

// The counts and their colours are the golden workbooks' and PairMatrix's;
// tables too small for any pair are here.
TEST_F(PairSheetTest, OneVarietyHasOnlyItsDiagonalAndNoneOnlyTheLegend) {
  Load({"a"}, {{"P1", {"AA"}}});
  host::Worksheet& one = Run();
  EXPECT_EQ(Fill(one, "C5"), 15);
  ExpectTexts(one, {{"C5", ""}, {"D5", ""}, {"B7", kRed}});
  Load({}, {});
  ExpectTexts(Run(), {{"B4", kRed}, {"C7", "3"}, {"B8", ""}});
}

TEST_F(PairSheetTest, BandsStackVarietyCountPlusTwoRowsApart) {
  Load({}, Named(250, 0));
  ExpectTexts(Run(false), {{"IR4", "var250"}, {"IS4", ""}, {"B255", ""}, {"B256", kRed}});

  Load({}, Named(251, 0));
  ExpectTexts(Run(false), {{"IR4", "var250"},
                           {"B255", "var251"},
                           {"B257", "*"},
                           {"C257", "var251"},
                           {"D257", ""},
                           {"B258", "var1"},
                           {"B508", "var251"},
                           {"B510", kRed},
                           {"B513", kBlue}});

  Load({}, Named(500, 0));
  ExpectTexts(Run(false), {{"B506", "*"},
                           {"C506", "var251"},
                           {"IR506", "var500"},
                           {"B1006", "var500"},
                           {"B1008", kRed}});
}

TEST_F(PairSheetTest, PairAcrossBandsLandsInBothBands) {
  std::vector<Variety> rows = Named(300, 4);
  rows[259].cells = rows[9].cells;  // varieties 10 and 260 identical
  Load({"a", "b", "c", "d"}, rows);
  host::Worksheet& cmb = Run();
  // (10, 260): band 2, row 4 + 302 + 10, column 3 + 9; (260, 10): band 1, row 264.
  ExpectTexts(cmb, {{"L316", "0"}, {"L264", "0"}, {"K316", "4"}, {"AY606", "4"}});
  // L566: the diagonal of variety 260.
  for (const auto& [address, colour] : {std::pair{"L316", 3},
                                        {"L264", 3},
                                        {"K316", static_cast<int>(host::ColorIndex::None)},
                                        {"L566", 15}})
    EXPECT_EQ(Fill(cmb, address), colour) << address;
  EXPECT_EQ(progress.comments.back(), msg::PairComment(300, 300));
}

}  // namespace
}  // namespace report_test
