// Sizing result sheets to what they hold: long numbers widen their columns,
// and the identification sheet shows tiny probabilities instead of zeros.
#include <gtest/gtest.h>

#include <string>

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

// Run-over text, labels beside values, the default width and widths left
// from an earlier run are the golden workbooks'; numbers no example holds are here.
TEST_F(SheetFitTest, NumbersTooLongForTheGoldenWorkbooksWidenTheirColumns) {
  host::Worksheet& sheet = NewSheet("Apple.all");
  sheet.GetRange("F5").SetValue(1234567890123.0);  // general: at most 11 characters
  sheet.GetRange("G5").SetValue(12345.5);
  sheet.GetRange("G5").SetNumberFormatLocal("0.0000000000_ ");
  report::FitSheet(sheet);

  EXPECT_GE(Width(sheet, 6), 12);
  EXPECT_LE(Width(sheet, 6), 13);
  EXPECT_GE(Width(sheet, 7), 17);  // five integer digits, ten decimals, the blank
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

  // The threshold and the layout are the golden workbooks' (ukai D5, D11).
  ASSERT_EQ(identification.GetRange("D5").NumberFormat(), "0.000E+00_ ");

  // A rerun whose values show at ten decimals goes back to the fixed format.
  Load(markers,
       {{"V1", std::vector<std::string>(12, "AA")}, {"V2", std::vector<std::string>(12, "AA")}});
  report::LayOutIdentificationSheet(*src, identification, S().VarietyCount());
  report::WriteIdentification(identification, S());
  EXPECT_EQ(identification.GetRange("D5").NumberFormat(), "0.0000000000_ ");
}

}  // namespace
}  // namespace report_test
