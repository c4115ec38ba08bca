// Addresses, navigation, values and the clipboard of the in-memory host.
#include <gtest/gtest.h>

#include <tuple>

#include "host/Host.h"

namespace {

class HostCells : public ::testing::Test {
 protected:
  host::Application app;
  host::Workbook& book = app.AddWorkbook("/tmp/model-cells.xlsx");
  host::Worksheet& sheet = book.Sheet(1);

  host::Range At(const char* address) { return sheet.GetRange(address); }
};

TEST_F(HostCells, RangesFromCornersAndOffsetsNeverLeaveTheSheet) {
  EXPECT_EQ(sheet.GetRange(At("C5"), At("A2")).Address(), "A2:C5");
  EXPECT_EQ(sheet.Cells().Address(), "A1:XFD1048576");
  EXPECT_EQ(At("B4").Offset(-3, -1).Address(), "A1");
  EXPECT_EQ(At("B4:C5").Offset(302, 250).Address(), "IR306:IS307");
  EXPECT_THROW(At("B4").Offset(-4, 0), host::HostError);
  EXPECT_THROW(At("B4:C4").Offset(0, -2), host::HostError);
  EXPECT_THROW(At("XFD1").Offset(0, 1), host::HostError);
}

TEST_F(HostCells, EndFollowsOnlyARunOfFilledCells) {
  for (const char* a : {"B4", "C4", "D4", "F4", "B5", "B6", "XFC2", "XFD2", "A1048575", "A1048576"})
    At(a).SetValue("x");  // a gap at E4; runs that reach the sheet's edges
  using D = host::Direction;
  const std::tuple<const char*, D, const char*> cases[] = {
      {"B4", D::Right, "D4"}, {"D4", D::Right, "D4"},     {"E4", D::Right, "E4"},
      {"D4", D::Left, "B4"},  {"B4:C9", D::Right, "D4"},  {"B4", D::Down, "B6"},
      {"B6", D::Up, "B4"},    {"XFC2", D::Right, "XFD2"}, {"A1048575", D::Down, "A1048576"}};
  for (const auto& [start, direction, end] : cases)
    EXPECT_EQ(At(start).End(direction).Address(), end) << start;
}

TEST_F(HostCells, ValuesKeepTheirKindAndTextIsStoredAsGiven) {
  At("A1").SetValue(180);
  At("A2").SetValue(180.5);
  At("A3").SetValue("180");  // text stays text, no guessing
  At("A4").SetValue("'180/192");
  At("A5").SetValue(host::CellValue(false));
  At("A6").SetValue(host::CellValue(host::ErrorValue{"#N/A"}));
  EXPECT_EQ(At("A1").Value(), host::CellValue(180.0));
  EXPECT_EQ(At("A3").Value(), host::CellValue(std::string("180")));
  EXPECT_EQ(At("A4").Value(), host::CellValue(std::string("180/192")));
  EXPECT_EQ(At("A2").Text() + At("A5").Text() + At("A6").Text(), "180.5FALSE#N/A");
  // The apostrophe marks the cell as text through its format; any other put clears it.
  auto quoted = [&](int row) {
    return book.Styles().xfs[sheet.Store().Find(row, 1)->style].quotePrefix;
  };
  EXPECT_TRUE(quoted(4));
  EXPECT_FALSE(quoted(3));
  At("A4").SetValue("plain");
  EXPECT_FALSE(quoted(4));
  // Putting "" empties the cell; the run of filled cells ends there.
  At("A2").SetValue("");
  EXPECT_TRUE(host::IsEmpty(At("A2").Value()));
  EXPECT_EQ(At("A1").End(host::Direction::Down).Address(), "A1");
  EXPECT_TRUE(sheet.Modified());
}

TEST_F(HostCells, NumbersReadAsTextTheWayTheGeneralFormatShowsThem) {
  const std::pair<double, const char*> cases[] = {{0.1 + 0.2, "0.3"},
                                                  {1.0 / 3, "0.333333333333333"},
                                                  {1e15, "1E+15"},
                                                  {1234567890123456.0, "1.23456789012346E+15"},
                                                  {1e-5, "1E-05"},
                                                  {-0.0, "0"},
                                                  {123456789012345.0, "123456789012345"}};
  for (const auto& [number, text] : cases) EXPECT_EQ(host::GeneralNumberText(number), text);
}

TEST_F(HostCells, ClearContentsDropsValuesFormulasAndStringIndexButKeepsFormats) {
  At("B2").SetValue(5);
  At("B2").SetNumberFormatLocal("0.00");
  At("C2").SetValue("kept");
  sheet.Store().Get(2, 2).sharedString = 7;
  sheet.Store().Formulas()[{2, 2}] = "<f>1+4</f>";
  At("A1:B9").ClearContents();
  EXPECT_TRUE(host::IsEmpty(At("B2").Value()));
  EXPECT_EQ(sheet.Store().Find(2, 2)->sharedString, -1);
  EXPECT_TRUE(sheet.Store().Formulas().empty());
  EXPECT_EQ(At("B2").NumberFormat(), "0.00");
  EXPECT_EQ(At("C2").Text(), "kept");  // outside the range
  // The whole sheet: only the cells it has, quickly.
  sheet.Cells().ClearContents();
  EXPECT_TRUE(host::IsEmpty(At("C2").Value()));
  EXPECT_LE(sheet.Store().CellCount(), 2u);
}

TEST_F(HostCells, ClipboardPastesValuesAndFormatsAtTheSelectionCorner) {
  At("A1").SetValue("title");
  At("A1").SetInteriorColorIndex(host::PaletteIndex(6));
  At("B1").SetValue(42);
  At("A1:C1").Copy();  // C1 is empty
  At("G5").SetValue("overwritten by the empty source");
  At("E5:Z30").Select();  // a larger selection: the clipboard's size counts
  sheet.Paste();
  EXPECT_EQ(At("E5").Text(), "title");
  EXPECT_EQ(At("F5").Value(), host::CellValue(42.0));
  EXPECT_TRUE(host::IsEmpty(At("G5").Value()));
  EXPECT_EQ(At("E5").InteriorColorIndex(), host::PaletteIndex(6));
  EXPECT_TRUE(host::IsEmpty(At("E6").Value()));
  EXPECT_EQ(sheet.Selection().Address(), "E5:G5");
  At("A3").PasteSpecial(host::PasteKind::Values);
  EXPECT_EQ(At("A3").Text(), "title");
  EXPECT_EQ(At("A3").InteriorColorIndex(), host::ColorIndex::None);
  // Across workbooks formats do not travel: their style tables differ.
  host::Worksheet& other = app.AddWorkbook("/tmp/model-cells-2.xlsx").Sheet(1);
  other.Activate();
  other.Paste();
  EXPECT_EQ(other.GetRange("A1").Text(), "title");
  EXPECT_EQ(other.GetRange("A1").InteriorColorIndex(), host::ColorIndex::None);
  app.SetCutCopyMode(false);
  EXPECT_FALSE(app.Clipboard().has_value());
  EXPECT_THROW(other.Paste(), host::HostError);
}

TEST_F(HostCells, SelectionAndActiveCellBelongToEachSheet) {
  At("B4:E9").Select();
  EXPECT_EQ(app.ActiveCell().Address(), "B4");
  At("C5").Activate();  // inside the selection: only the active cell moves
  EXPECT_EQ(app.Selection().Address(), "B4:E9");
  EXPECT_EQ(app.ActiveCell().Address(), "C5");
  At("H1").Activate();
  EXPECT_EQ(app.Selection().Address(), "H1");
  host::Worksheet& second = book.AddSheet();
  EXPECT_EQ(&app.ActiveSheet(), &second);
  EXPECT_EQ(app.Selection().Address(), "A1");
  EXPECT_THROW(At("A1").Select(), host::HostError);  // not the active sheet
  sheet.Activate();
  EXPECT_EQ(app.Selection().Address(), "H1");
}

}  // namespace
