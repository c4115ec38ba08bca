// The 0/1 sheets of markers whose names a sheet cannot take, share a name or
// were never typed, and their reuse by the next run.
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "report/ZeroOneSheets.h"
#include "support/MemoryBook.h"

namespace report_test {
namespace {

using ZeroOneSheetsTest = testsupport::MemoryBook;

// The numbers of three cells of a row from column C.
std::vector<double> Row(host::Worksheet& sheet, int row) {
  std::vector<double> out;
  for (int c = 0; c < 3; ++c) {
    const host::CellValue value = sheet.Cell(row, 3 + c).Value();
    out.push_back(std::holds_alternative<double>(value) ? std::get<double>(value) : -1);
  }
  return out;
}

TEST_F(ZeroOneSheetsTest, AwkwardMarkerNamesGetASheetEachThatTheNextRunReuses) {
  Load({"A/B", "M", "M", "E"}, {{"P1", {"Ab", "AA", "AA", ""}},
                                {"P2", {"AA", "AB", "AA", ""}},
                                {"P3", {"aa", "", "BB", ""}}});
  report::OutputSheets outputs = Outputs();
  report::WriteZeroOneSheets(S(), outputs, *src, progress);
  std::set<std::string> names;
  host::Worksheet* slash = nullptr;
  host::Worksheet* untyped = nullptr;
  for (int i = 1; i <= book->SheetCount(); ++i) {
    host::Worksheet& sheet = book->Sheet(i);
    if (Text(sheet, "B1") != "zoo") continue;
    names.insert(sheet.Name());
    if (Text(sheet, "C2") == "A/B") slash = &sheet;
    if (Text(sheet, "C2") == "E") untyped = &sheet;
  }
  EXPECT_EQ(names.size(), 4u);
  EXPECT_EQ(book->SheetCount(), 5);
  ASSERT_NE(slash, nullptr);
  ASSERT_NE(untyped, nullptr);
  // Letter case tells alleles apart.
  ExpectTexts(*slash, {{"C4", "AA"}, {"E4", "aa"}, {"D10", "a"}, {"E10", "b"}});
  EXPECT_EQ(Row(*slash, 13), (std::vector<double>{0, 1, 0}));
  ExpectTexts(*untyped,
              {{"B4", "*"}, {"C4", ""}, {"B7", "P3"}, {"B10", "*"}, {"C10", ""}, {"C11", ""}});

  report::OutputSheets rerun = Outputs();  // a new run on the reopened workbook
  S().SetCell(3, 1, u"AA");
  report::WriteZeroOneSheets(S(), rerun, *src, progress);
  EXPECT_EQ(book->SheetCount(), 5);
  EXPECT_EQ(Row(*slash, 13), (std::vector<double>{1, 0, 0}));
  EXPECT_EQ(Row(*slash, 7), (std::vector<double>{1, 0, 0}));
}

}  // namespace
}  // namespace report_test
