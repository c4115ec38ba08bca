// The distance sheet laid out like the pair sheet, and the coordinates table
// of the .tree sheet below the room kept for pictures.
#include <string>

#include "analysis/Distances.h"
#include "messages/SheetTexts.h"
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
    report::WriteCoordinateSheet(*src, sheet, *d_);
    return sheet;
  }
  std::unique_ptr<analysis::DistanceMatrix> d_;
  int sheets_ = 0;
};

TEST_F(RelateSheets, DistancesStandLikeThePairCountsWithThreeDecimals) {
  LoadPeas(true);
  host::Worksheet& dst = Distances();
  ExpectTexts(dst, {{"B1", "dst"},
                    {"B2", "Apple trial"},
                    {"B4", "*"},
                    {"C4", "P1"},
                    {"F4", "P4"},
                    {"B8", "P4"},
                    {"C5", "0"},
                    {"D5", "0.25"},
                    {"E5", "1"},
                    {"C7", "1"},
                    {"D6", "0"},
                    // No marker typed in both: no distance, never a 0.
                    {"F5", ""},
                    {"C8", ""},
                    {"F8", "0"},
                    {"G4", ""},
                    {"B9", ""}});
  EXPECT_EQ(dst.GetRange("D5").NumberFormat(), "0.000");
  EXPECT_EQ(dst.GetRange("F8").NumberFormat(), "0.000");
  EXPECT_EQ(dst.FrozenAt(), std::make_pair(5, 3));
  const host::Cell* head = dst.Store().Find(4, 4);
  ASSERT_NE(head, nullptr);
  EXPECT_EQ(book->Styles().xfs.at(head->style).alignment.textRotation, 180);  // turned
}

TEST_F(RelateSheets, CoordinatesStandBelowThePictureRoomOrNameThePairWithoutADistance) {
  LoadPeas(false);
  host::Worksheet& tree = Coordinates();
  ExpectTexts(tree, {{"B1", "tree"},
                     {"B4", ""},
                     {"B44", "*"},
                     {"C44", std::string(texts::kAxisHeads[0])},
                     {"D44", std::string(texts::kAxisHeads[1])},
                     {"B45", std::string(texts::kShareOfVariation)},
                     {"B46", "P1"},
                     {"B48", "P3"},
                     {"B49", ""}});
  EXPECT_EQ(tree.GetRange("C45").NumberFormat(), "0.0%");
  EXPECT_EQ(tree.GetRange("D48").NumberFormat(), "0.0000");
  // Three points span a plane: the two axes show all of the variation.
  EXPECT_NEAR(std::get<double>(Value(&tree, "C45")) + std::get<double>(Value(&tree, "D45")), 1,
              1e-12);

  LoadPeas(true);
  ExpectTexts(
      Coordinates(),
      {{"B44", std::string(texts::kNoCoordinates)}, {"B45", "P1"}, {"B46", "P4"}, {"C44", ""}});
}

}  // namespace
}  // namespace report_test
