// Sizing result sheets to what they hold: numbers and blocked labels widen
// their columns, free text runs over, and the identification sheet shows
// tiny probabilities instead of zeros.
#include <gtest/gtest.h>

#include <string>

#include "messages/SheetTexts.h"
#include "report/IdentificationSheet.h"
#include "report/Layout.h"
#include "report/SheetFit.h"
#include "support/MemoryBook.h"

namespace report_test {
namespace {

using SheetFitTest = testsupport::MemoryBook;

double Width(const host::Worksheet& sheet, int column) {
  auto it = sheet.ColumnWidths().find(column);
  return it == sheet.ColumnWidths().end() ? 0 : it->second;
}

TEST_F(SheetFitTest, NumbersAndBlockedLabelsWidenTheirColumnsAndFreeTextRunsOver) {
  host::Worksheet& sheet = NewSheet("Apple.all");
  const std::string he(msg::sheet::kAlleleLabels[3]);
  sheet.GetRange("B5").SetValue(std::string_view(he));  // its neighbour holds a value
  sheet.GetRange("C5").SetValue(0.123);
  sheet.GetRange("D2").SetValue("A title long enough to run over the empty cells beside it");
  sheet.GetRange("F5").SetValue(1234567890123.0);  // general: at most 11 characters
  sheet.GetRange("G5").SetValue(12345.5);
  sheet.GetRange("G5").SetNumberFormatLocal("0.0000000000_ ");
  sheet.GetRange("H5").SetValue(3.0);
  sheet.SetColumnWidth(9, 40);  // left from an earlier run
  report::FitSheet(sheet);

  EXPECT_GE(Width(sheet, 2), report::TextExtent(he) + 1);
  EXPECT_EQ(Width(sheet, 3), 0);  // fits the default width
  EXPECT_EQ(Width(sheet, 4), 0);
  EXPECT_GE(Width(sheet, 6), 12);
  EXPECT_GE(Width(sheet, 7), 17);  // five integer digits, ten decimals, the blank
  EXPECT_EQ(Width(sheet, 9), 0);
  // Wider letters need more room: the estimate must not undercount capitals and CJK.
  EXPECT_GT(report::TextExtent("WWWW"), report::TextExtent("iiii"));
  EXPECT_GE(report::TextExtent("品種"), 2 * report::TextExtent("ab"));
}

TEST_F(SheetFitTest, IdentificationShowsValuesBelowTenDecimalsInScientificFormat) {
  // Ten varieties, each with its own genotype at 12 markers: f0 = 0.1 and
  // P1 = 1 - (1 - 1e-12)^10, about 1e-11, which ten decimals show as zero.
  std::vector<std::string> markers;
  for (int m = 1; m <= 12; ++m) markers.push_back("m" + std::to_string(m));
  std::vector<Variety> rows;
  for (int v = 0; v < 10; ++v) {
    const std::string code(2, static_cast<char>('A' + v));
    rows.push_back({"V" + std::to_string(v + 1), std::vector<std::string>(12, code)});
  }
  Load(markers, rows);
  host::Worksheet& identification = NewSheet("Apple.ukai");
  report::MarkEmptyCorner(*src);
  report::LayOutIdentificationSheet(*src, identification, S().VarietyCount());
  report::WriteIdentification(identification, S());

  EXPECT_EQ(identification.GetRange("C5").NumberFormat(), "0.0000000000_ ");
  EXPECT_EQ(identification.GetRange("D5").NumberFormat(), "0.000E+00_ ");
  EXPECT_NEAR(std::get<double>(Value(&identification, "D5")), 1e-11, 1e-14);
  EXPECT_EQ(identification.FrozenAt(), std::make_pair(5, 3));

  // A rerun whose values show at ten decimals goes back to the fixed format.
  Load(markers,
       {{"V1", std::vector<std::string>(12, "AA")}, {"V2", std::vector<std::string>(12, "AA")}});
  report::LayOutIdentificationSheet(*src, identification, S().VarietyCount());
  report::WriteIdentification(identification, S());
  EXPECT_EQ(identification.GetRange("D5").NumberFormat(), "0.0000000000_ ");
}

}  // namespace
}  // namespace report_test
