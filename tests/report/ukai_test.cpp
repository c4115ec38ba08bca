// The identification sheet where the fixed runs never go: an empty source
// corner, varieties without values, and a rerun over old values.
#include "report/Ukai.h"

#include <cmath>
#include <variant>

#include "support/MemoryBook.h"

namespace report_test {
namespace {

using UkaiTest = testsupport::MemoryBook;

TEST_F(UkaiTest, UndefinedVarietiesStayEmptyAndARerunClearsOldValues) {
  Load({"m1", "m2", "m3"}, {{"P1", {"AA", "AA", ""}},
                            {"P2", {"AA", "AA", ""}},
                            {"P3", {"AA", "", ""}},
                            {"P4", {"", "", ""}},
                            {"P5", {"BB", "", ""}}});
  S().SetCell(5, 2, u"ZZ");  // missing from its table, as after an overflow
  host::Worksheet& ukai = NewSheet("Apple.ukai");
  ctx.sheets.UkaiSheet = &ukai;
  report::UKaiSheetFormat(ctx, *src, ukai);
  report::UKaiCal(ctx);
  EXPECT_EQ(Text(*src, "B4"), "*");  // the empty source corner gets the mark
  // m1: AA 3 of 4; m2: AA 2 of 2; m3 (nobody typed) takes no part; n = 5.
  EXPECT_NEAR(std::get<double>(Value(&ukai, "C5")), std::sqrt(0.75), 1e-15);
  EXPECT_NEAR(std::get<double>(Value(&ukai, "C7")), 0.75, 1e-15);  // typed at one marker
  ExpectTexts(ukai, {{"C8", ""}, {"D8", ""}, {"B9", "P5"}, {"C9", ""}, {"D9", ""}});

  // A heading in the source corner stays there; the old values go.
  src->GetRange("B4").SetValue("Name");
  report::UKaiSheetFormat(ctx, *src, ukai);
  EXPECT_EQ(Text(*src, "B4"), "Name");
  ExpectTexts(ukai, {{"B4", "*"}, {"C5", ""}, {"D7", ""}});
}

}  // namespace
}  // namespace report_test
