// The identification sheet: layout, notes, number format and the cells of
// varieties without values.
#include <cmath>
#include <string>
#include <vector>

#include "messages/SheetTexts.h"
#include "options_fixture.h"

namespace options_test {
namespace {

class UkaiTest : public OptionsTest {
 protected:
  host::Worksheet& Run() {
    host::Worksheet& ukai = NewSheet("Apple.ukai" + std::to_string(++sheets_));
    ctx.sheets.UkaiSheet = &ukai;
    report::UKaiSheetFormat(ctx, *src, ukai);
    report::UKaiCal(ctx);
    return ukai;
  }
  static double Number(host::Worksheet& sheet, const char* address) {
    const host::CellValue value = sheet.GetRange(address).Value();
    return std::holds_alternative<double>(value) ? std::get<double>(value) : NAN;
  }
  int sheets_ = 0;
};

TEST_F(UkaiTest, LayoutNotesAndNumberFormat) {
  Load({"m1"}, {{"P1", {"AA"}}, {"P2", {"AB"}}, {"P3", {"AA"}}});
  src->GetRange("B2").SetNumberFormatLocal("0.00");
  host::Worksheet& ukai = Run();
  EXPECT_EQ(Text(*src, "B4"), "*");  // the empty source corner gets the mark
  ExpectTexts(ukai, {{"C1", "Probability based on the variety identification theory of Ukai"},
                     {"B2", "Apple trial"},
                     {"D4", "p1"},
                     {"B7", "P3"},
                     {"B8", ""},
                     {"C9", "f0=exp[∑log(fi)/k]"},
                     {"C11", "P1=1-(1-f0^k)^n"},
                     {"C12", std::string(msg::sheet::kUkaiReference)}});
  EXPECT_EQ(ukai.GetRange("B2").NumberFormat(), "0.00");
  EXPECT_EQ(ukai.GetRange("B4").NumberFormat(), "0.0000000000_ ");
  EXPECT_EQ(ukai.GetRange("D7").NumberFormat(), "0.0000000000_ ");
  EXPECT_NE(ukai.GetRange("E5").NumberFormat(), "0.0000000000_ ");
  EXPECT_NE(ukai.GetRange("B8").NumberFormat(), "0.0000000000_ ");
  EXPECT_NEAR(Number(ukai, "C6"), 1.0 / 3, 1e-15);

  // A rerun clears the old values; a heading in the source corner stays there.
  src->GetRange("B4").SetValue("Name");
  report::UKaiSheetFormat(ctx, *src, ukai);
  EXPECT_EQ(Text(*src, "B4"), "Name");
  ExpectTexts(ukai, {{"B4", "*"}, {"C6", ""}});
}

TEST_F(UkaiTest, UndefinedVarietiesStayEmptyAndOthersGoOn) {
  Load({"m1", "m2", "m3"}, {{"P1", {"AA", "AA", ""}},
                            {"P2", {"AA", "AA", ""}},
                            {"P3", {"AA", "", ""}},
                            {"P4", {"", "", ""}},
                            {"P5", {"BB", "", ""}}});
  S().SetCell(5, 2, u"ZZ");  // missing from its table, as after an overflow
  host::Worksheet& ukai = Run();
  // m1: AA 3 of 4; m2: AA 2 of 2; m3 (nobody typed) takes no part; n = 5.
  EXPECT_NEAR(Number(ukai, "C5"), std::sqrt(0.75), 1e-15);
  EXPECT_NEAR(Number(ukai, "D5"), 1 - std::pow(0.25, 5), 1e-15);
  EXPECT_NEAR(Number(ukai, "C7"), 0.75, 1e-15);  // typed at one marker: its frequency
  ExpectTexts(ukai, {{"C8", ""}, {"D8", ""}, {"B9", "P5"}, {"C9", ""}, {"D9", ""}});
}

}  // namespace
}  // namespace options_test
