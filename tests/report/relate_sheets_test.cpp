// The distance sheet laid out like the pair sheet, and the coordinates table
// of the .tree sheet below the room kept for pictures.
#include <algorithm>
#include <string>
#include <vector>

#include "analysis/Distances.h"
#include "messages/SheetTexts.h"
#include "report/RelatePictures.h"
#include "report/RelateSheets.h"
#include "support/MemoryBook.h"

namespace report_test {
namespace {

namespace texts = msg::sheet;

class RelateSheets : public testsupport::MemoryBook {
 protected:
  // P1 and P2 share one allele at a and are alike at b; P3 is typed at b
  // only, where it shares nothing; P4 at nothing, when `untyped`.
  void LoadPeas(bool untyped) {
    std::vector<Variety> rows{{"P1", {"AA", "AB"}}, {"P2", {"AB", "AB"}}, {"P3", {"", "CC"}}};
    if (untyped) rows.push_back({"P4", {"", ""}});
    Load({"a", "b"}, rows);
    d_ = std::make_unique<analysis::DistanceMatrix>(
        analysis::VarietyDistances(S(), analysis::DistanceKind::Alleles));
  }
  host::Worksheet& Distances() {
    host::Worksheet& sheet = NewSheet("Apple.dst" + std::to_string(++sheets_));
    report::WriteDistanceSheet(*src, sheet, *d_);
    return sheet;
  }
  host::Worksheet& Coordinates() {
    host::Worksheet& sheet = NewSheet("Apple.tree" + std::to_string(++sheets_));
    report::WriteCoordinateSheet(*src, sheet, *d_, populations_);
    return sheet;
  }
  std::unique_ptr<analysis::DistanceMatrix> d_;
  std::vector<std::string> populations_;
  int sheets_ = 0;
};

// The layout is the golden workbooks'; a pair without a marker typed in both
// is not.
TEST_F(RelateSheets, APairWithoutDistanceIsLeftEmptyNeverZero) {
  LoadPeas(true);
  host::Worksheet& dst = Distances();
  ExpectTexts(dst, {{"D5", "0.25"}, {"C7", "1"}, {"F5", ""}, {"C8", ""}, {"F8", "0"}, {"B9", ""}});
}

// The table under the pictures is the golden workbooks'; without a distance
// for every pair it names the pair instead.
TEST_F(RelateSheets, CoordinatesNameThePairWithoutADistance) {
  LoadPeas(true);
  ExpectTexts(
      Coordinates(),
      {{"B44", std::string(texts::kNoCoordinates)}, {"B45", "P1"}, {"B46", "P4"}, {"C44", ""}});
}

TEST_F(RelateSheets, PicturesStandSideBySideAboveTheTableWhichMovesBelowTallOnes) {
  struct Case {
    int varieties;
    bool belowPictures;  // the table moved down from row 44
  };
  const std::string alleles = "ABCDEFGH";
  for (const Case c : {Case{3, false}, Case{80, true}}) {
    SCOPED_TRACE(c.varieties);
    std::vector<Variety> rows;
    for (int v = 0; v < c.varieties; ++v)
      rows.push_back({"V" + std::to_string(v + 1),
                      {std::string{alleles[v % 8], alleles[v / 8 % 8]},
                       std::string{alleles[v / 3 % 8], alleles[v / 5 % 8]}}});
    Load({"a", "b"}, rows);
    d_ = std::make_unique<analysis::DistanceMatrix>(
        analysis::VarietyDistances(S(), analysis::DistanceKind::Alleles));
    populations_.assign(c.varieties, "");
    populations_[0] = "wild";
    host::Worksheet& tree = Coordinates();
    const std::vector<host::SheetImage>& images = tree.Images();
    ASSERT_EQ(images.size(), 3U);
    int lowest = 0;
    for (size_t i = 0; i < images.size(); ++i) {
      EXPECT_EQ(images[i].row, 4);
      EXPECT_EQ(images[i].png.substr(1, 3), "PNG");
      EXPECT_GT(images[i].widthPixels, 200);
      // Each starts right of the one before at the default column width.
      if (i > 0) {
        EXPECT_GE((images[i].column - images[i - 1].column) * 64, images[i - 1].widthPixels);
      }
      lowest = std::max(lowest, 3 * 20 + images[i].heightPixels);  // rows 1-3 above
    }
    EXPECT_EQ(images[0].column, 2);
    // The table: at row 44, or its top a clear row or two below the tallest
    // picture's bottom (rows of 20 pixels).
    if (!c.belowPictures) {
      EXPECT_LE(lowest, 43 * 20);
      EXPECT_EQ(tree.Cell(44, 2).Text(), "*");
      continue;
    }
    int row = 45;
    while (row < 1000 && tree.Cell(row, 2).Text() != "*") ++row;
    EXPECT_GE((row - 1) * 20, lowest + 20);
    EXPECT_LE((row - 1) * 20, lowest + 40);
  }
  // Without a distance for every pair there is nothing to draw, and the
  // pictures of the sheet's earlier writing go.
  LoadPeas(true);
  populations_.clear();
  host::Worksheet& tree = NewSheet("Apple.tree");
  tree.SetImages({{"x", 4, 2, 10, 10, ""}});
  report::WriteCoordinateSheet(*src, tree, *d_, populations_);
  EXPECT_TRUE(tree.Images().empty());
}

TEST(MapGroups, FollowThePopulationsInTheOrderTheyFirstAppear) {
  struct Case {
    std::vector<std::string> populations;
    std::vector<std::string> names;  // none: no groups at all
    std::vector<int> groupOf;
  };
  const Case cases[] = {{{"", "north", "south", "north"}, {"north", "south"}, {-1, 0, 1, 0}},
                        {{"b", "a", "b"}, {"b", "a"}, {0, 1, 0}},
                        {{"", ""}, {}, {}},
                        {{}, {}, {}}};
  for (const Case& c : cases) {
    const auto groups = report::MapGroupsOf(c.populations);
    ASSERT_EQ(groups.has_value(), !c.names.empty());
    if (!groups) continue;
    EXPECT_EQ(groups->names, c.names);
    EXPECT_EQ(groups->groupOf, c.groupOf);
  }
}

}  // namespace
}  // namespace report_test
