// The character data tally: sorting, counting, odd cells and the totals.
#include "ConvertFixture.h"

namespace report_test {
namespace {

using CharacterTally = ConvertFixture;

TEST_F(CharacterTally, SortsCountsAndLogsCellsThatAreNotTwoCharacters) {
  Source({{"M1", "M2", "M3"},
          {"V1", "BA", "aB", "A "},
          {"V2", "AB", "A", "''Q"},  // the source cell holds the text 'Q
          {"V3", "AA", "CBA", ""}});
  Run("chr");
  EXPECT_EQ(book->FindSheet("Apple.ssr"), nullptr);
  // Capitals sort before small letters, a blank before both; an apostrophe of
  // the data survives; odd cells are kept unsorted.
  ExpectTexts(ctx.sheets.ChrSheet, {{"C5", "AB"},
                                    {"C6", "AB"},
                                    {"C7", "AA"},
                                    {"D5", "Ba"},
                                    {"D6", "A"},
                                    {"D7", "CBA"},
                                    {"E5", " A"},
                                    {"E6", "'Q"},
                                    {"E7", ""}});
  EXPECT_EQ(S().Marker(1).AlleleText(), u"AB");
  EXPECT_EQ(S().Marker(1).AlleleTally(1), 4);
  EXPECT_EQ(S().Marker(1).GenoText(1), u"AA");
  EXPECT_EQ(S().Marker(1).GenoTally(2), 2);
  EXPECT_EQ(S().Cell(1, 2), u"Ba");
  EXPECT_EQ(ErrorRows(),
            (std::vector<std::string>{"Data is not Duplex|V2|M2", "Data is not Duplex|V3|M2"}));
  // Allele counts 2, 4, 4; genotype counts 2, 3, 2; 3 markers, 3 varieties.
  ExpectTexts(ctx.sheets.ChrSheet, {{"C9", "2"},
                                    {"D9", "4"},
                                    {"E9", "4"},
                                    {"C10", "2"},
                                    {"D10", "3"},
                                    {"E10", "2"},
                                    {"C11", "3"},
                                    {"C12", "3"}});
}

}  // namespace
}  // namespace report_test
