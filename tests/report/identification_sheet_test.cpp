// The identification sheet where the fixed runs never go: an empty source
// corner, varieties without values, and a rerun over old values.
#include <cmath>
#include <variant>

#include "report/IdentificationSheet.h"
#include "report/Layout.h"
#include "support/MemoryBook.h"

namespace report_test {
namespace {

using IdentificationSheetTest = testsupport::MemoryBook;

TEST_F(IdentificationSheetTest, UndefinedVarietiesStayEmptyAndARerunClearsOldValues) {
  Load({"m1", "m2", "m3"}, {{"P1", {"AA", "AA", ""}},
                            {"P2", {"AA", "AA", ""}},
                            {"P3", {"AA", "", ""}},
                            {"P4", {"", "", ""}},
                            {"P5", {"BB", "", ""}}});
  S().SetCell(5, 2, u"ZZ");  // missing from its table, as after an overflow
  host::Worksheet& identification = NewSheet("Apple.ukai");
  report::MarkEmptyCorner(*src);
  EXPECT_EQ(Text(*src, "B4"), "*");  // the empty source corner gets the mark
  report::LayOutIdentificationSheet(*src, identification, S().VarietyCount());
  report::WriteIdentification(identification, S());
  // m1: AA 3 of 4; m2: AA 2 of 2; m3 (nobody typed) takes no part; n = 5.
  EXPECT_NEAR(std::get<double>(Value(&identification, "C5")), std::sqrt(0.75), 1e-15);
  EXPECT_NEAR(std::get<double>(Value(&identification, "C7")), 0.75, 1e-15);  // typed at one marker
  ExpectTexts(identification, {{"C8", ""}, {"D8", ""}, {"B9", "P5"}, {"C9", ""}, {"D9", ""}});

  // A heading in the source corner stays there; the old values go.
  src->GetRange("B4").SetValue("Name");
  report::MarkEmptyCorner(*src);
  report::LayOutIdentificationSheet(*src, identification, S().VarietyCount());
  EXPECT_EQ(Text(*src, "B4"), "Name");
  ExpectTexts(identification, {{"B4", "*"}, {"C5", ""}, {"D7", ""}});
}

}  // namespace
}  // namespace report_test
