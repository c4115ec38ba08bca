// The conversion sheets' frame, and what a second run leaves of the first.
#include "ConvertFixture.h"

namespace report_test {
namespace {

using ConversionLayout = ConvertFixture;

TEST_F(ConversionLayout, FrameLabelsAndLegendForThreeVarieties) {
  Source(
      {{"M1", "M2"}, {"V1", "150/152", "150/150"}, {"V2", "150/150", ""}, {"V3", "", "152/150"}});
  Run("ssr");
  auto& h = ctx.sheets;
  EXPECT_EQ(Text(src, "B4"), "*");  // an empty corner is marked on the source
  for (auto* sheet : {h.SsrSheet, h.TssrSheet, h.PekSheet, h.ChrSheet}) {
    ExpectTexts(sheet,
                {{"B2", "Apple trial"}, {"B4", "*"}, {"C4", "M1"}, {"D4", "M2"}, {"B7", "V3"}});
    EXPECT_EQ(Format(sheet, "D4").alignment.textRotation, 180);  // reads downwards
    EXPECT_EQ(Format(sheet, "B4").alignment.textRotation, 0);
    EXPECT_EQ(Ruled(sheet, "C5"), sheet == h.PekSheet);
  }
  ExpectTexts(h.SsrSheet, {{"C1", "Numerical notation of SSR markers."}});
  ExpectTexts(h.PekSheet, {{"C1", "The distance between two peakes of SSR markers in diploid."},
                           {"A9", ""},
                           {"B9", "Gray"},
                           {"C10", "1 ～ 2"},
                           {"C11", "3 ～ 4"}});
  ExpectTexts(h.TssrSheet, {{"A9", "Number of"}, {"B12", "Caltiver"}});
  EXPECT_EQ(Value(h.PekSheet, "C9"), host::CellValue(std::string("0")));
  EXPECT_TRUE(Ruled(h.PekSheet, "B4"));
  EXPECT_TRUE(Ruled(h.PekSheet, "D7"));
  EXPECT_FALSE(Ruled(h.PekSheet, "B9"));  // the legend stays outside the grid
}

TEST_F(ConversionLayout, SecondRunReusesSheetsAndLeavesNothingOfTheFirst) {
  Source({{"M1"}, {"V1", "150/151"}, {"V2", "150"}, {"V3", "150/154"}});
  Run("ssr");
  const int sheetCount = book->SheetCount();
  EXPECT_EQ(ctx.errors.ErrorRow, 1);
  // A smaller, clean table in the same place.
  src->GetRange("B7:C7").ClearContents();
  src->GetRange("C6").SetValue("152/152");
  Reopen();
  Run("ssr");
  auto& h = ctx.sheets;
  EXPECT_EQ(book->SheetCount(), sheetCount);
  EXPECT_EQ(ctx.errors.ErrorRow, 0);
  ExpectTexts(h.ErrSheet, {{"B3", "Error Code"}, {"B4", ""}});
  ExpectTexts(h.SsrSheet, {{"B8", "Allele"}, {"C7", ""}, {"B12", ""}, {"C12", ""}});
  EXPECT_EQ(Fill(h.PekSheet, "C6"), 15);
  EXPECT_EQ(Fill(h.PekSheet, "C7"), host::xlNone);  // yellow in the first run
  EXPECT_FALSE(Ruled(h.PekSheet, "B7"));
}

TEST_F(ConversionLayout, MoreThan500VarietiesKeepTotalsUnderTheConvertedRows) {
  std::vector<std::vector<std::string>> rows{{"M1"}};
  for (int v = 1; v <= 501; ++v) rows.push_back({"V" + std::to_string(v), "150/152"});
  Source(rows);
  Run("ssr");
  EXPECT_EQ(ErrorRows(), std::vector<std::string>{"Too Many Caltivars||"});
  ExpectTexts(ctx.sheets.SsrSheet,
              {{"B504", "V500"}, {"B505", ""}, {"B506", "Allele"}, {"C506", "2"}, {"C509", "500"}});
  ExpectTexts(ctx.sheets.PekSheet, {{"B505", ""}, {"B506", "Gray"}});
}

}  // namespace
}  // namespace report_test
