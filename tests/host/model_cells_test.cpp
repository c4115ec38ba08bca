// Addresses, navigation, values and the clipboard of the in-memory host.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "host/Host.h"

namespace {

class HostCells : public ::testing::Test {
 protected:
  host::Application app;
  host::Workbook& book = app.AddWorkbook("/tmp/model-cells.xlsx");
  host::Worksheet& sheet = book.Sheet(1);

  host::Range At(const char* address) { return sheet.GetRange(address); }
  void Fill(const char* address, const char* text) { At(address).SetValue(text); }
};

// Reading addresses is Address.*'s; these are the ranges built from ranges.
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
  for (const char* a : {"B4", "C4", "D4", "F4"}) Fill(a, "x");  // gap at E4
  EXPECT_EQ(At("B4").End(host::Direction::Right).Address(), "D4");
  EXPECT_EQ(At("D4").End(host::Direction::Right).Address(), "D4");  // neighbour empty
  EXPECT_EQ(At("E4").End(host::Direction::Right).Address(), "E4");  // start empty: no jump to F4
  EXPECT_EQ(At("D4").End(host::Direction::Left).Address(), "B4");
  EXPECT_EQ(At("B4:C9").End(host::Direction::Right).Address(), "D4");  // from the top-left cell

  Fill("B5", "v1");
  Fill("B6", "v2");
  EXPECT_EQ(At("B4").End(host::Direction::Down).Address(), "B6");
  EXPECT_EQ(At("B6").End(host::Direction::Up).Address(), "B4");

  // A run that reaches the sheet's edge stops there.
  Fill("XFC2", "a");
  Fill("XFD2", "b");
  EXPECT_EQ(At("XFC2").End(host::Direction::Right).Address(), "XFD2");
  Fill("A1048575", "a");
  Fill("A1048576", "b");
  EXPECT_EQ(At("A1048575").End(host::Direction::Down).Address(), "A1048576");
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
  EXPECT_EQ(At("A2").Text(), "180.5");
  EXPECT_EQ(At("A5").Text(), "FALSE");
  EXPECT_EQ(At("A6").Text(), "#N/A");

  // The apostrophe marks the cell as text through its format; any other put clears it.
  auto quoted = [&](const char* a) {
    return book.Styles()
        .xfs[sheet.Store()
                 .Find(host::ParseCellAddress(a).first, host::ParseCellAddress(a).second)
                 ->style]
        .quotePrefix;
  };
  EXPECT_TRUE(quoted("A4"));
  EXPECT_FALSE(quoted("A3"));
  At("A4").SetValue("plain");
  EXPECT_FALSE(quoted("A4"));

  // Putting "" empties the cell; the run of filled cells ends there.
  At("A2").SetValue("");
  EXPECT_TRUE(host::IsEmpty(At("A2").Value()));
  EXPECT_EQ(At("A1").End(host::Direction::Down).Address(), "A1");
  EXPECT_TRUE(sheet.Modified());
}

TEST_F(HostCells, NumbersReadAsTextTheWayTheGeneralFormatShowsThem) {
  EXPECT_EQ(host::GeneralNumberText(0.1 + 0.2), "0.3");
  EXPECT_EQ(host::GeneralNumberText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(host::GeneralNumberText(1e15), "1E+15");
  EXPECT_EQ(host::GeneralNumberText(1234567890123456.0), "1.23456789012346E+15");
  EXPECT_EQ(host::GeneralNumberText(1e-5), "1E-05");
  EXPECT_EQ(host::GeneralNumberText(-0.0), "0");
  EXPECT_EQ(host::GeneralNumberText(123456789012345.0), "123456789012345");
}

// Tables are written column by column and framed row by row: the store's
// shortcuts (the last row, its neighbour, appending) must give the cells a
// plain lookup would, wherever the rows and gaps fall.
TEST_F(HostCells, CellsWrittenInAnyOrderAndFramedAcrossGapsStayInPlace) {
  for (int column = 2; column <= 6; column += 2)
    for (int row : {9, 3, 4, 5, 8, 1, 2})  // down, back up, and skipping rows
      sheet.Cell(row, column).SetValue(row * 100 + column);
  At("C7").SetValue("between");
  At("A1:G9").SetBorderLineStyle(host::Edge::Top, host::LineStyle::Continuous);
  At("A3:G5").SetInteriorColorIndex(host::PaletteIndex(6));
  for (int row = 1; row <= 9; ++row) {
    const auto& cells = sheet.Store().Rows().count(row) ? sheet.Store().Rows().at(row).cells
                                                        : std::vector<host::Cell>{};
    for (size_t k = 1; k < cells.size(); ++k)
      EXPECT_LT(cells[k - 1].column, cells[k].column) << "row " << row;
    for (int column = 2; column <= 6; column += 2) {
      if (row == 6 || row == 7) continue;
      EXPECT_EQ(sheet.Cell(row, column).Value(), host::CellValue(double(row * 100 + column)));
    }
  }
  EXPECT_EQ(At("C7").Text(), "between");
  // The edge lies on row 1 only, the fill on rows 3 to 5, gaps included.
  const auto top = [&](const char* address) {
    const host::Cell* cell = sheet.Store().Find(At(address).Row(), At(address).Column());
    const host::StyleTable& styles = book.Styles();
    return cell ? styles.borders[size_t(styles.xfs[cell->style].borderId)].top.style : "";
  };
  EXPECT_EQ(top("C1"), "thin");
  EXPECT_EQ(top("B2"), "");
  EXPECT_EQ(At("A4").InteriorColorIndex(), host::PaletteIndex(6));
  EXPECT_EQ(At("D4").InteriorColorIndex(), host::PaletteIndex(6));
  EXPECT_NE(At("D6").InteriorColorIndex(), host::PaletteIndex(6));
  EXPECT_FALSE(sheet.Store().Find(6, 4));  // an untouched gap stays empty

  // A framed block is written into its existing cells, in and out of order.
  At("H1:K2").SetInteriorColorIndex(host::PaletteIndex(3));
  for (const char* address : {"H1", "I1", "K1", "J1", "H2", "J2", "I2", "K2"})
    Fill(address, address);
  for (int row = 1; row <= 2; ++row) {
    const auto& cells = sheet.Store().Rows().at(row).cells;
    EXPECT_EQ(std::count_if(cells.begin(), cells.end(),
                            [](const host::Cell& c) { return c.column >= 8 && c.column <= 11; }),
              4);
  }
  for (const char* address : {"H1", "I1", "J1", "K1", "H2", "I2", "J2", "K2"}) {
    EXPECT_EQ(At(address).Text(), address);
    EXPECT_EQ(At(address).InteriorColorIndex(), host::PaletteIndex(3));
  }
}

// A frame set in one pass looks, cell by cell, as its settings made one
// after another leave it: edges, inside lines, gaps and cells styled before.
TEST_F(HostCells, BordersInOnePassMatchTheSettingsOneByOne) {
  const std::vector<host::Range::BorderSetting> frame{
      {host::Edge::DiagonalUp, host::LineStyle::None},
      {host::Edge::Left, host::BorderWeight::Medium},
      {host::Edge::InsideVertical, host::LineStyle::Continuous},
      {host::Edge::InsideHorizontal, host::PaletteIndex(3)},
      {host::Edge::Bottom, host::LineStyle::Continuous},
      {host::Edge::Top, host::LineStyle::None}};
  host::Worksheet& other = book.AddSheet();
  for (host::Worksheet* s : {&sheet, &other}) {
    s->GetRange("C3").SetValue("x");
    s->GetRange("D4:E4").SetBorderLineStyle(host::Edge::Top, host::LineStyle::Continuous);
  }
  sheet.GetRange("B2:E5").SetBorders(frame);
  const host::Range block = other.GetRange("B2:E5");
  for (const auto& b : frame) {
    if (auto* line = std::get_if<host::LineStyle>(&b.value)) {
      block.SetBorderLineStyle(b.edge, *line);
    } else if (auto* weight = std::get_if<host::BorderWeight>(&b.value)) {
      block.SetBorderWeight(b.edge, *weight);
    } else {
      block.SetBorderColorIndex(b.edge, std::get<host::ColorIndex>(b.value));
    }
  }
  const host::StyleTable& styles = book.Styles();
  const auto border = [&](host::Worksheet& s, int row, int column) {
    const host::Cell* cell = s.Store().Find(row, column);
    return cell ? styles.borders[size_t(styles.xfs[cell->style].borderId)] : host::Border{};
  };
  for (int row = 1; row <= 6; ++row)
    for (int column = 1; column <= 6; ++column)
      EXPECT_TRUE(border(sheet, row, column) == border(other, row, column))
          << host::ColumnLetters(column) << row;
  EXPECT_EQ(border(sheet, 5, 3).bottom.style, "thin");
  EXPECT_EQ(border(sheet, 3, 2).left.style, "medium");
}

TEST_F(HostCells, ClearContentsDropsValuesFormulasAndStringIndexButKeepsFormats) {
  At("B2").SetValue(5);
  At("B2").SetNumberFormatLocal("0.00");
  At("C2").SetValue("kept");
  host::Cell& fromFile = sheet.Store().Get(2, 2);
  fromFile.sharedString = 7;
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
  At("E5").SetValue("old");
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
  host::Workbook& other = app.AddWorkbook("/tmp/model-cells-2.xlsx");
  other.Sheet(1).Activate();
  other.Sheet(1).Paste();
  EXPECT_EQ(other.Sheet(1).GetRange("A1").Text(), "title");
  EXPECT_EQ(other.Sheet(1).GetRange("A1").InteriorColorIndex(), host::ColorIndex::None);

  app.SetCutCopyMode(false);
  EXPECT_FALSE(app.Clipboard().has_value());
  EXPECT_THROW(other.Sheet(1).Paste(), host::HostError);
}

TEST_F(HostCells, SelectionAndActiveCellBelongToEachSheet) {
  At("B4:E9").Select();
  EXPECT_EQ(app.Selection().Address(), "B4:E9");
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
