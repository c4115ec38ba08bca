// The formatting procedures on the in-memory host.
#include "report/Formatting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Host.h"
#include "report/Bands.h"

namespace {

class Formatting : public ::testing::Test {
 protected:
  host::Application app;
  host::Workbook& book = app.AddWorkbook("/tmp/format-test.xlsx");
  host::Worksheet& sheet = book.Sheet(1);

  host::Range At(const char* address) { return sheet.GetRange(address); }
  const host::Xf& XfOf(const char* address) {
    auto [row, column] = host::ParseCellAddress(address);
    const host::Cell* cell = sheet.Store().Find(row, column);
    return book.Styles().xfs.at(cell ? cell->style : 0);
  }
  const host::Border& BorderOf(const char* address) {
    return book.Styles().borders.at(XfOf(address).borderId);
  }
  bool Ruled(const char* address) {
    const host::Border& b = BorderOf(address);
    return b.left.style == "thin" && b.right.style == "thin" && b.top.style == "thin" &&
           b.bottom.style == "thin";
  }
  bool Bare(const char* address) { return BorderOf(address) == host::Border{}; }
  // Marker row C4.. and variety column B5.. of a table anchored at B4.
  void Table(int markers, int varieties) {
    At("B4").SetValue("*");
    for (int j = 1; j <= markers; ++j) At("B4").Offset(0, j).SetValue("M" + std::to_string(j));
    for (int i = 1; i <= varieties; ++i) At("B4").Offset(i, 0).SetValue("V" + std::to_string(i));
  }
};

TEST_F(Formatting, BandedCellsOfWideTablesStack250ColumnsABand) {
  using report::Palette;
  host::Worksheet& other = book.AddSheet();  // FillBandedCell addresses its sheet, active or not
  report::FillBandedCell(sheet, 1, 1, Palette::Grey, 300);
  EXPECT_EQ(&app.ActiveSheet(), &other);
  EXPECT_EQ(At("C5").InteriorColorIndex(), host::PaletteIndex(15));

  report::FillBandedCell(sheet, 1, 250, Palette::Red, 300);
  EXPECT_EQ(At("IR5").InteriorColorIndex(), host::PaletteIndex(3));  // last column of band 0
  report::FillBandedCell(sheet, 1, 251, Palette::Yellow, 300);
  EXPECT_EQ(At("C307").InteriorColorIndex(),
            host::PaletteIndex(6));  // band 1 starts 302 rows lower
  report::FillBandedCell(sheet, 10, 251, Palette::BrightGreen, 300);
  EXPECT_EQ(At("C316").InteriorColorIndex(), host::PaletteIndex(4));
  report::FillBandedCell(sheet, 500, 500, Palette::Turquoise, 500);
  EXPECT_EQ(At("IR1006").InteriorColorIndex(), host::PaletteIndex(8));
  EXPECT_EQ(book.Styles().fills[XfOf("C316").fillId].fg.attributes, "indexed=\"11\"");
  EXPECT_EQ(sheet.Store().CellCount(), 5u);
}

TEST_F(Formatting, ClearSheetRemovesValuesFillsAndBordersButKeepsNumberFormats) {
  Table(3, 3);
  At("C5:E7").SetNumberFormatLocal("0.0000000000_ ");
  At("C5").SetValue(0.25);
  At("C5").SetOrientation(-90);
  report::FillBandedCell(sheet, 1, 1, report::Palette::Red, 3);
  report::DrawThinGrid(At("B4"));
  At("G9").SetBorderLineStyle(host::Edge::DiagonalDown, host::LineStyle::Continuous);
  ASSERT_TRUE(Ruled("C5"));

  book.AddSheet();  // the sheet shown is not the one cleared
  report::ClearResultSheet(sheet);
  for (const char* a : {"B4", "C4", "B5", "C5", "E7", "G9"}) {
    EXPECT_TRUE(host::IsEmpty(At(a).Value())) << a;
    EXPECT_TRUE(Bare(a)) << a;
    EXPECT_EQ(At(a).InteriorColorIndex(), host::ColorIndex::None) << a;
  }
  EXPECT_EQ(At("C5").NumberFormat(), "0.0000000000_ ");
  EXPECT_EQ(XfOf("C5").alignment.textRotation, 180);
}

class Ordering : public ::testing::Test {
 protected:
  host::Application app;
  host::Workbook& book = app.AddWorkbook("/tmp/format-order.xlsx");

  host::Worksheet* Add(const std::string& name) {
    book.Sheet(book.SheetCount()).Activate();
    host::Worksheet& sheet = book.AddSheet();  // goes before the last sheet
    sheet.SetName(name);
    return &sheet;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 1; i <= book.SheetCount(); ++i) names.push_back(book.Sheet(i).Name());
    return names;
  }
};

TEST_F(Ordering, OutputSheetsAUserMovedGoBackWithoutGaps) {
  // Character data with only the 0/1 option: source, err, chr, all, gnt.
  book.Sheet(1).SetName("last");
  report::ResultSheets h;
  Add("front");
  h.chr = Add("B.chr");
  h.source = Add("B.org");
  Add("M1.zoo");
  h.alleles = Add("B.all");
  h.errorLog = Add("B.err");
  h.genotypes = Add("B.gnt");
  Add("M2.zoo");
  report::OrderResultSheets(book, h);
  EXPECT_EQ(Names(), (std::vector<std::string>{"B.org", "B.err", "B.gnt", "B.all", "B.chr", "front",
                                               "M1.zoo", "M2.zoo", "last"}));
  report::OrderResultSheets(book, h);  // already in order: nothing moves
  EXPECT_EQ(book.Sheet(6).Name(), "front");
}

}  // namespace
