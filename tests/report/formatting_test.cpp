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
