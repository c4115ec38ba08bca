// The SSR conversion, every cell checked on the four conversion sheets.
#include <algorithm>

#include "ConvertFixture.h"
#include "messages/InterfaceTexts.h"

namespace report_test {
namespace {

using SsrConversion = ConvertFixture;

TEST_F(SsrConversion, WritesFourNotationsCountsAndColours) {
  Source({{"M1", "M2"},
          {"V1", "150/154", "150/151"},
          {"V2", "154/154", "155/150"},
          {"V3", "154/150", ""}});
  Run("ssr");
  auto& h = ctx.sheets;
  // Symbols by rank, always sorted; sizes relative to variety 1's smaller allele.
  ExpectTexts(h.ChrSheet, {{"C5", "AB"}, {"C6", "BB"}, {"C7", "AB"}, {"D6", "AC"}, {"D7", ""}});
  ExpectTexts(h.SsrSheet, {{"C5", "150/154"}, {"C7", "150/154"}, {"D6", "150/155"}, {"D7", ""}});
  ExpectTexts(h.TssrSheet, {{"C5", "0/+4"}, {"C6", "+4/+4"}, {"D6", "0/+5"}, {"D7", ""}});
  EXPECT_EQ(Value(h.SsrSheet, "C5"), host::CellValue(std::string("150/154")));
  EXPECT_TRUE(Format(h.SsrSheet, "C5").quotePrefix);
  EXPECT_TRUE(Format(h.TssrSheet, "C6").quotePrefix);
  // Peak distances as numbers: 0 grey, 1-2 red, 3-4 yellow, 5 and more and empty plain.
  EXPECT_EQ(Value(h.PekSheet, "C5"), host::CellValue(4.0));
  EXPECT_EQ(Value(h.PekSheet, "D6"), host::CellValue(5.0));
  EXPECT_TRUE(host::IsEmpty(Value(h.PekSheet, "D7")));
  std::vector<int> fills;
  for (auto* a : {"C5", "C6", "D5", "D6", "D7"}) fills.push_back(Fill(h.PekSheet, a));
  EXPECT_EQ(fills, (std::vector<int>{6, 15, 3, host::xlNone, host::xlNone}));
  // Totals for N = 3: allele and genotype counts per marker, markers, varieties.
  for (auto* sheet : {h.SsrSheet, h.ChrSheet, h.TssrSheet})
    ExpectTexts(sheet,
                {{"C9", "2"}, {"D9", "3"}, {"C10", "2"}, {"D10", "2"}, {"C11", "2"}, {"C12", "3"}});
  EXPECT_EQ(Value(h.SsrSheet, "D9"), host::CellValue(3.0));
  EXPECT_EQ(Text(h.PekSheet, "D9"), "");
  // The store keeps the character genotypes for the later stages.
  EXPECT_EQ(S().Cell(2, 1), u"BB");
  EXPECT_EQ(S().Marker(1).GenoTally(1), 2);
  EXPECT_EQ(ctx.errors.ErrorRow, 0);
  EXPECT_FALSE(ctx.errors.problems.Any());
  EXPECT_EQ(std::count(progress.comments.begin(), progress.comments.end(),
                       msg::MarkerNameComment(2, "M2")),
            1);
}

TEST_F(SsrConversion, BadCellsAreLoggedFlaggedAndStillConverted) {
  Source({{"M1"},
          {"V1", ""},
          {"V2", "abc/150"},
          {"V3", "/150"},
          {"V4", "150//152"},
          {"V5", "150"},
          {"V6", "150/152/154"},
          {"V7", "70000/150"},
          {"V8", "0/150"},
          {"V9", "150.5/152"}});
  Run("ssr");
  auto& h = ctx.sheets;
  // M1: sizes 0, 150, 152, 154 and the non-numeric mark 10000 are A to E; the
  // zero point is V2's, the first variety typed.
  EXPECT_EQ(S().Marker(1).AlleleNum(), 5);
  EXPECT_EQ(S().Marker(1).AlleleTally(5), 4);
  ExpectTexts(h.ChrSheet,
              {{"C5", ""}, {"C6", "BE"}, {"C8", "BCE"}, {"C9", "B"}, {"C11", "BE"}, {"C12", "AB"}});
  ExpectTexts(h.SsrSheet,
              {{"C6", "150/10000"}, {"C9", "150"}, {"C10", "150/152/154"}, {"C13", "150/152"}});
  ExpectTexts(h.TssrSheet, {{"C6", "0/+9850"}, {"C12", "-150/0"}});
  ExpectTexts(h.PekSheet, {{"C6", "9850"}, {"C9", "150"}, {"C10", "152"}, {"C13", "2"}});
  const std::string nn = "Not Numeric SSR Data Found|", nd = "Data is not Duplex|";
  EXPECT_EQ(ErrorRows(),
            (std::vector<std::string>{nn + "V2|M1", nn + "V3|M1", nn + "V4|M1", nn + "V7|M1",
                                      nd + "V4|M1", nd + "V5|M1", nd + "V6|M1"}));
  EXPECT_TRUE(Found(store::Problem::NonNumeric));
  EXPECT_TRUE(Found(store::Problem::NotDiploid));
}

TEST_F(SsrConversion, ZeroPointOfAnUntypedOrSingleFirstVarietyRaisesNoFlag) {
  Source({{"M1", "M2"},
          {"V1", "", "150"},
          {"V2", "150/154", "150/152"},
          {"V3", "152/152", "152/156"}});
  Run("ssr");
  ExpectTexts(ctx.sheets.TssrSheet, {{"C7", "+2/+2"}, {"D5", "0"}, {"D7", "+2/+6"}});
  EXPECT_FALSE(Found(store::Problem::NonNumeric));
  EXPECT_EQ(ErrorRows(), std::vector<std::string>{"Data is not Duplex|V1|M2"});
}

TEST_F(SsrConversion, FullAlleleAndGenotypeTablesAreLoggedPerMarker) {
  // M1: 251 distinct genotypes of 22 sizes; M2: 104 distinct sizes.
  std::vector<std::vector<std::string>> rows{{"M1", "M2"}};
  for (int a = 0; a < 22; ++a) {
    for (int b = a; b < 22 && rows.size() <= 251; ++b) {
      const std::string m2 = rows.size() <= 104 ? std::to_string(100 + rows.size()) : "";
      rows.push_back({"V", std::to_string(100 + a) + "/" + std::to_string(100 + b),
                      m2.empty() ? "" : m2 + "/" + m2});
    }
  }
  Source(rows);
  Run("ssr");
  EXPECT_EQ(S().Marker(1).GenoNum(), 250);
  EXPECT_EQ(S().Marker(2).AlleleNum(), 103);
  EXPECT_EQ(ErrorRows(), (std::vector<std::string>{"Too Many Genotypes||M1", "Too Many Alleles||M2",
                                                   "Too Many Alleles||M2"}));
  EXPECT_TRUE(Found(store::Problem::TooManyGenotypes) && Found(store::Problem::TooManyAlleles));
  // The rejected genotype is still written; the 104th size has no symbol.
  ExpectTexts(ctx.sheets.ChrSheet, {{"C255", "UU"}, {"D107", "ﾝﾝ"}, {"D108", "**"}});
  ExpectTexts(ctx.sheets.SsrSheet, {{"D108", "/"}});
  ExpectTexts(ctx.sheets.TssrSheet, {{"D108", "-101/-101"}});
}

}  // namespace
}  // namespace report_test
