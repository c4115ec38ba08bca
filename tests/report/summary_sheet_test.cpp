// The summary sheet's layout: the locus table with its means set apart, the
// legend's sources, and the identity and group sections found by their titles.
#include <string>
#include <variant>

#include "analysis/LocusSummary.h"
#include "messages/SummarySheetTexts.h"
#include "report/Layout.h"
#include "report/SummarySheet.h"
#include "support/MemoryBook.h"

namespace report_test {
namespace {

namespace texts = msg::sheet;

class SummarySheetTest : public testsupport::MemoryBook {
 protected:
  // P1 and P2 alike; P3 told from both by m1 alone; P4 by every marker.
  void LoadTable() {
    Load({"m1", "m2", "m3"}, {{"P1", {"AA", "AB", "BB"}},
                              {"P2", {"AA", "AB", "BB"}},
                              {"P3", {"AB", "AB", "BB"}},
                              {"P4", {"BB", "AA", ""}}});
  }
  // The first row from `after` whose column B reads `text`; 0 when none.
  static int RowOf(host::Worksheet& sheet, std::string_view text, int after = 1) {
    for (int row = after; row < 200; ++row)
      if (sheet.Cell(row, 2).Text() == text) return row;
    return 0;
  }
};

TEST_F(SummarySheetTest, TableMeansAndLegendStandWhereAReaderLooks) {
  LoadTable();
  host::Worksheet& sum = NewSheet("Apple.sum");
  EXPECT_EQ(report::WriteSummarySheet(*src, sum, S(), {}), 1);
  ExpectTexts(sum, {{"B1", "sum"},
                    {"B2", "Apple trial"},
                    {"B4", "Marker"},
                    {"R4", "PIsib cum"},
                    {"B5", "m1"},
                    {"B7", "m3"},
                    {"N5", "exact"},
                    {"B8", "Mean"}});
  const analysis::LocusTable table = analysis::SummarizeLoci(S());
  EXPECT_EQ(std::get<double>(Value(&sum, "H5")), *table.rows[0].he);  // unrounded
  EXPECT_EQ(std::get<double>(Value(&sum, "D7")), 25.0);               // m3: 1 of 4 untyped
  EXPECT_EQ(Text(sum, "M7"), "");                                     // one allele: nothing to test
  EXPECT_EQ(std::get<double>(Value(&sum, "J8")), *table.means.pic);
  for (const char* cell : {"B8", "R8"}) EXPECT_EQ(Fill(sum, cell), 15) << cell;
  EXPECT_EQ(Fill(sum, "B7"), 0);

  // A legend line per head, the sources of the formulas among them.
  const int legend = RowOf(sum, texts::kSummaryLegend);
  ASSERT_GT(legend, 8);
  std::string meanings;
  for (const texts::SummaryColumn& column : texts::kSummaryColumns) {
    const int row = RowOf(sum, column.head, legend);
    ASSERT_GT(row, legend) << column.head;
    meanings += sum.Cell(row, 3).Text();
  }
  for (const char* source : {"Botstein et al. 1980", "Nei 1978", "Brookfield 1996",
                             "Guo and Thompson 1992", "Waits et al. 2001"})
    EXPECT_NE(meanings.find(source), std::string::npos) << source;
  EXPECT_EQ(RowOf(sum, texts::kGroupsTitle), 0);  // no groups, no section
}

TEST_F(SummarySheetTest, IdentityAndGroupsListTheVarietiesMarkersAndGenotypes) {
  LoadTable();
  host::Worksheet& sum = NewSheet("Apple.sum");
  report::WriteSummarySheet(*src, sum, S(), {"g1", "g1", "g2", "g2"});
  const int identical = RowOf(sum, texts::kIdenticalTitle);
  ASSERT_GT(identical, 0);
  EXPECT_EQ(sum.Cell(identical + 1, 2).Text(), "P1, P2");
  const int near = RowOf(sum, texts::kNearTitle);
  ASSERT_GT(near, identical);
  // Heads, then P1-P3 and P2-P3, each told apart by m1 alone.
  for (int k = 0; k < 2; ++k) {
    const int row = near + 2 + k;
    EXPECT_EQ(sum.Cell(row, 2).Text() + sum.Cell(row, 3).Text(), k == 0 ? "P1P3" : "P2P3");
    EXPECT_EQ(sum.Cell(row, 4).Text() + sum.Cell(row, 5).Text() + sum.Cell(row, 6).Text(),
              "m1AAAB");
  }
  EXPECT_EQ(sum.Cell(near + 4, 2).Text(), "");  // P4 differs at three markers
  const int smallest = RowOf(sum, texts::kSmallestSetExact);
  ASSERT_GT(smallest, near);
  EXPECT_EQ(sum.Cell(smallest + 1, 2).Text(), "m1");

  // Per group a row a marker, then its means set apart.
  const int groups = RowOf(sum, texts::kGroupsTitle);
  ASSERT_GT(groups, smallest);
  const int g1Mean = groups + 5;
  EXPECT_EQ(sum.Cell(g1Mean, 2).Text() + sum.Cell(g1Mean, 3).Text(), "g1Mean");
  EXPECT_EQ(Fill(sum, ("B" + std::to_string(g1Mean)).c_str()), 15);
  EXPECT_EQ(sum.Cell(groups + 2, 8).Text(), "0");  // m1 in g1: A, also in g2
  EXPECT_EQ(sum.Cell(groups + 6, 8).Text(), "1");  // m1 in g2: B, found nowhere else
}

}  // namespace
}  // namespace report_test
