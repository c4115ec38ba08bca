// The identification sheet: layout, notes, f0 and P1.
#include <cmath>
#include <string>
#include <vector>

#include "options_fixture.h"

namespace options_test {
namespace {

class UkaiTest : public OptionsTest {
 protected:
  host::Worksheet& Run() {
    host::Worksheet& ukai = NewSheet("Apple.ukai" + std::to_string(++sheets_));
    ctx.sheets.UkaiSheet = &ukai;
    analysis::UKaiSheetFormat(ctx, *src, ukai);
    analysis::UKaiCal(ctx);
    return ukai;
  }
  static double Number(host::Worksheet& sheet, const char* address) {
    const host::CellValue value = sheet.GetRange(address).Value();
    EXPECT_TRUE(std::holds_alternative<double>(value)) << address;
    return std::holds_alternative<double>(value) ? std::get<double>(value) : NAN;
  }
  static bool Empty(host::Worksheet& sheet, const char* address) {
    return host::IsEmpty(sheet.GetRange(address).Value());
  }
  int sheets_ = 0;
};

TEST_F(UkaiTest, LayoutNotesAndNumberFormat) {
  Load({"m1"}, {{"P1", {"AA"}}, {"P2", {"AB"}}, {"P3", {"AA"}}});
  src->GetRange("B2").SetNumberFormatLocal("0.00");
  host::Worksheet& ukai = Run();

  EXPECT_EQ(Text(*src, "B4"), "*");  // the empty source corner gets the mark
  EXPECT_EQ(Text(ukai, "B1"), "ukai");
  EXPECT_EQ(Text(ukai, "C1"), "Probability based on the variety identification theory of Ukai");
  EXPECT_EQ(Text(ukai, "B2"), "Apple trial");
  EXPECT_EQ(ukai.GetRange("B2").NumberFormat(), "0.00");
  EXPECT_EQ(Text(ukai, "B4"), "*");
  EXPECT_EQ(Text(ukai, "C4"), "f0");
  EXPECT_EQ(Text(ukai, "D4"), "p1");
  EXPECT_EQ(Text(ukai, "B7"), "P3");
  EXPECT_EQ(ukai.GetRange("B4").NumberFormat(), "0.0000000000_ ");
  EXPECT_EQ(ukai.GetRange("D7").NumberFormat(), "0.0000000000_ ");
  EXPECT_NE(ukai.GetRange("E5").NumberFormat(), "0.0000000000_ ");
  EXPECT_NE(ukai.GetRange("B8").NumberFormat(), "0.0000000000_ ");
  EXPECT_TRUE(Empty(ukai, "B8"));
  EXPECT_EQ(Text(ukai, "B9"), "f0");
  EXPECT_EQ(Text(ukai, "C9"), "f0=exp[∑log(fi)/k]");
  EXPECT_EQ(Text(ukai, "B10"), "p1");
  EXPECT_EQ(Text(ukai, "C10"),
            "Probability that one or more varieties which completely have the same marker type "
            "with variety V in tester varieties exist by chance.");
  EXPECT_EQ(Text(ukai, "C11"), "P1=1-(1-f0^k)^n");
  EXPECT_EQ(Text(ukai, "B12"), "Literature");
  EXPECT_EQ(Text(ukai, "C12"), analysis::kUkaiReference);
  EXPECT_NEAR(Number(ukai, "C6"), 1.0 / 3, 1e-15);

  // A rerun clears the old values; a heading in the source corner is kept there.
  src->GetRange("B4").SetValue("Name");
  ctx.sheets.UkaiSheet = &ukai;
  analysis::UKaiSheetFormat(ctx, *src, ukai);
  EXPECT_EQ(Text(*src, "B4"), "Name");
  EXPECT_EQ(Text(ukai, "B4"), "*");
  EXPECT_TRUE(Empty(ukai, "C6"));
}

TEST_F(UkaiTest, WorkedExampleAndSharedGenotypes) {
  // V (P1) shares its marker-1 genotype with one other variety and is unique at marker 2.
  Load({"m1", "m2", "m3"}, {{"P1", {"AA", "AA", "CC"}},
                            {"P2", {"AA", "AB", "CC"}},
                            {"P3", {"AB", "BB", "CC"}},
                            {"P4", {"BB", "CC", "CC"}}});
  store->MarkerCount = 2;
  host::Worksheet& ukai = Run();
  EXPECT_NEAR(Number(ukai, "C5"), 0.3535533906, 5e-11);
  EXPECT_NEAR(Number(ukai, "D5"), 0.4138183594, 5e-11);
  EXPECT_DOUBLE_EQ(Number(ukai, "C6"), Number(ukai, "C5"));  // same frequencies, same values
  EXPECT_DOUBLE_EQ(Number(ukai, "D6"), Number(ukai, "D5"));

  // At a marker everybody shares, f0 and P1 are 1.
  store->MarkerCount = 3;
  for (int v = 1; v <= 4; ++v) {
    store->SourceData(v, 1).clear();
    store->SourceData(v, 2).clear();
  }
  host::Worksheet& shared = Run();
  EXPECT_DOUBLE_EQ(Number(shared, "C5"), 1.0);
  EXPECT_DOUBLE_EQ(Number(shared, "D8"), 1.0);
}

TEST_F(UkaiTest, UndefinedVarietiesStayEmptyAndOthersGoOn) {
  Load({"m1", "m2", "m3"}, {{"P1", {"AA", "AA", ""}},
                            {"P2", {"AA", "AA", ""}},
                            {"P3", {"AA", "", ""}},
                            {"P4", {"", "", ""}},
                            {"P5", {"BB", "", ""}}});
  // A genotype missing from its marker's table, as after a table overflow.
  store->SourceData(5, 2) = u"ZZ";
  host::Worksheet& ukai = Run();
  // m1: AA 3 of 4; m2: AA 2 of 2; m3 (nobody typed) takes no part; n = 5.
  EXPECT_NEAR(Number(ukai, "C5"), std::sqrt(0.75), 1e-15);
  EXPECT_NEAR(Number(ukai, "D5"), 1 - std::pow(0.25, 5), 1e-15);
  EXPECT_NEAR(Number(ukai, "C7"), 0.75, 1e-15);  // typed at one marker: its frequency
  EXPECT_NEAR(Number(ukai, "D7"), 1 - std::pow(0.25, 5), 1e-15);
  for (const char* a : {"C8", "D8", "C9", "D9"}) EXPECT_TRUE(Empty(ukai, a)) << a;
  EXPECT_EQ(Text(ukai, "B9"), "P5");
}

TEST_F(UkaiTest, TinyProbabilityKeepsItsValue) {
  std::vector<std::string> markers;
  for (int m = 1; m <= 30; ++m) markers.push_back("m" + std::to_string(m));
  std::vector<Variety> rows;
  for (int v = 1; v <= 50; ++v) {
    rows.push_back(
        {"P" + std::to_string(v), std::vector<std::string>(30, "G" + std::to_string(v))});
  }
  Load(markers, rows);
  host::Worksheet& ukai = Run();
  const double x = std::pow(1.0 / 50, 30);  // about 1e-51
  EXPECT_NEAR(Number(ukai, "C5"), 0.02, 1e-15);
  const double p1 = Number(ukai, "D5");
  EXPECT_GT(p1, 0);
  EXPECT_NEAR(p1 / (50 * x), 1.0, 1e-12);
}

}  // namespace
}  // namespace options_test
