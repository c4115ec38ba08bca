// Sheets of a workbook and the style table behind every format change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/Host.h"
#include "support/HostFailure.h"

namespace {

class HostBook : public ::testing::Test {
 protected:
  host::Application app;
  host::Workbook& book = app.AddWorkbook("/tmp/model-book.xlsx");

  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 1; i <= book.SheetCount(); ++i) names.push_back(book.Sheet(i).Name());
    return names;
  }
  const host::Xf& XfAt(host::Worksheet& sheet, int row, int column) {
    return book.Styles().xfs.at(sheet.Store().Find(row, column)->style);
  }
};

TEST_F(HostBook, SheetNamesFollowTheWorkbookRules) {
  host::Worksheet& sheet = book.Sheet(1);
  for (const std::string& bad :
       std::vector<std::string>{"", "a:b", "a\\b", "a/b", "a?b", "a*b", "a[b", "a]b", "'ab", "ab'",
                                "history", std::string(32, 'x')}) {
    EXPECT_FALSE(book.NameProblem(bad).empty()) << bad;
    EXPECT_THROW(sheet.SetName(bad), host::HostError) << bad;
  }
  EXPECT_EQ(book.NameProblem(std::string(31, 'x')), "");
  EXPECT_EQ(book.NameProblem("a'b"), "");
  // 31 Japanese characters are 31, not 93 bytes' worth.
  std::string japanese;
  for (int i = 0; i < 31; ++i) japanese += "品";
  EXPECT_EQ(book.NameProblem(japanese), "");
  EXPECT_NE(book.NameProblem("M\v1.zoo"), "");  // XML cannot hold it

  book.AddSheet().SetName("Apple.ssr");
  EXPECT_NE(book.NameProblem("APPLE.SSR"), "");  // taken, ignoring case
  EXPECT_EQ(book.NameProblem("APPLE.SSR", book.FindSheet("apple.ssr")), "");
  const host::HostError e = testsupport::HostFailure([&] { sheet.SetName("apple.ssr"); });
  EXPECT_NE(std::string(e.what()).find("apple.ssr"), std::string::npos);
  EXPECT_NE(e.Reason().find("already"), std::string::npos);
  EXPECT_EQ(sheet.Name(), "Sheet1");                  // unchanged after a refusal
  book.FindSheet("Apple.ssr")->SetName("APPLE.ssr");  // its own name, other case
  EXPECT_EQ(book.SheetByName("apple.SSR").Name(), "APPLE.ssr");
  EXPECT_TRUE(book.StructureChanged());
}

TEST_F(HostBook, AddSheetGoesBeforeTheActiveSheetAndMoveReorders) {
  EXPECT_EQ(Names(), (std::vector<std::string>{"Sheet1"}));
  host::Worksheet& s2 = book.AddSheet();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Sheet2", "Sheet1"}));
  EXPECT_EQ(&book.ActiveSheet(), &s2);
  book.Sheet(2).Activate();
  book.AddSheet();  // before Sheet1, which is active
  EXPECT_EQ(Names(), (std::vector<std::string>{"Sheet2", "Sheet3", "Sheet1"}));
  s2.SetName("Sheet5");
  EXPECT_EQ(book.AddSheet().Name(), "Sheet2");  // the first free number

  book.SheetByName("Sheet1").Move(book.Sheet(1));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Sheet1", "Sheet5", "Sheet2", "Sheet3"}));
  book.Sheet(1).Move(book.Sheet(4));  // before the last one
  EXPECT_EQ(Names(), (std::vector<std::string>{"Sheet5", "Sheet2", "Sheet1", "Sheet3"}));
  book.Sheet(2).Move(book.Sheet(2));  // onto itself: stays
  EXPECT_EQ(book.PositionOf(book.SheetByName("Sheet2")), 2);
  EXPECT_THROW(book.Sheet(5), host::HostError);
  EXPECT_THROW(book.SheetByName("nope"), host::HostError);
}

TEST_F(HostBook, FormatChangesDeriveNewStylesThatKeepEverythingElse) {
  host::Worksheet& sheet = book.Sheet(1);
  host::StyleTable& styles = book.Styles();
  // A user's cell with its own font and number format, as loaded from a file.
  host::Xf user;
  user.fontId = 3;
  user.numFmtId = styles.NumFmtId("0.0000000000_ ");
  user.applyFont = true;
  const int userXf = styles.AddXf(user);
  sheet.Store().Get(5, 3).style = userXf;

  host::Range cell = sheet.GetRange("C5");
  cell.SetInteriorColorIndex(host::PaletteIndex(3));
  cell.SetHorizontalAlignment(host::HorizontalAlignment::Center);
  cell.SetOrientation(-90);
  const host::Xf& xf = XfAt(sheet, 5, 3);
  EXPECT_EQ(xf.fontId, 3);
  EXPECT_EQ(xf.numFmtId, 164);
  EXPECT_EQ(styles.fills[xf.fillId].patternType, "solid");
  EXPECT_EQ(styles.fills[xf.fillId].fg.attributes, "indexed=\"10\"");
  EXPECT_TRUE(xf.applyFill && xf.applyAlignment);
  EXPECT_EQ(xf.alignment.horizontal, "center");
  EXPECT_EQ(xf.alignment.textRotation, 180);
  EXPECT_EQ(styles.xfs[userXf], user);  // the loaded entry is never changed

  // The same change on another cell with the same old style reuses the entries.
  sheet.Store().Get(6, 3).style = userXf;
  const size_t xfs = styles.xfs.size(), fills = styles.fills.size();
  host::Range other = sheet.GetRange("C6");
  other.SetInteriorColorIndex(host::PaletteIndex(3));
  other.SetHorizontalAlignment(host::HorizontalAlignment::Center);
  other.SetOrientation(-90);
  EXPECT_EQ(sheet.Store().Find(6, 3)->style, sheet.Store().Find(5, 3)->style);
  EXPECT_EQ(styles.xfs.size(), xfs);
  EXPECT_EQ(styles.fills.size(), fills);

  // Clearing the fill goes back to fill 0, other attributes stay.
  cell.SetInteriorColorIndex(host::ColorIndex::None);
  EXPECT_EQ(XfAt(sheet, 5, 3).fillId, 0);
  EXPECT_EQ(XfAt(sheet, 5, 3).alignment.textRotation, 180);
  EXPECT_EQ(cell.InteriorColorIndex(), host::ColorIndex::None);
  sheet.GetRange("A1").SetOrientation(45);
  EXPECT_EQ(XfAt(sheet, 1, 1).alignment.textRotation, 45);
  EXPECT_THROW(cell.SetInteriorColorIndex(host::PaletteIndex(57)), host::HostError);
  EXPECT_TRUE(styles.Changed());

  // Number formats: built-ins by id, custom ones deduplicated from 164.
  EXPECT_EQ(styles.NumFmtId("0.00%"), 10);
  EXPECT_EQ(styles.NumFmtId("0.0000000000_ "), 164);
  EXPECT_EQ(styles.NumFmtId("0.000"), 165);
}

TEST_F(HostBook, BordersGoOnTheRightSidesAndCreateCellsOfAnEmptyBlock) {
  host::Worksheet& sheet = book.Sheet(1);
  host::Range block = sheet.GetRange("B4:D6");  // no cells exist yet
  for (host::Edge index : {host::Edge::Left, host::Edge::Top, host::Edge::Bottom, host::Edge::Right,
                           host::Edge::InsideVertical, host::Edge::InsideHorizontal}) {
    block.SetBorderLineStyle(index, host::LineStyle::Continuous);
    block.SetBorderWeight(index, host::BorderWeight::Thin);
    block.SetBorderColorIndex(index, host::ColorIndex::Automatic);
  }
  EXPECT_EQ(sheet.Store().CellCount(), 9u);
  const auto& borders = book.Styles().borders;
  for (int row = 4; row <= 6; ++row) {
    for (int column = 2; column <= 4; ++column) {
      const host::Border& b = borders[XfAt(sheet, row, column).borderId];
      for (const host::BorderSide* side : {&b.left, &b.right, &b.top, &b.bottom}) {
        EXPECT_EQ(side->style, "thin") << row << "," << column;
        EXPECT_EQ(side->color.attributes, "indexed=\"64\"");
      }
      EXPECT_EQ(b.diagonal.style, "");
    }
  }
  // Only the outer edge: the middle cell keeps its inside lines, a corner loses its left.
  block.SetBorderLineStyle(host::Edge::Left, host::LineStyle::None);
  EXPECT_EQ(borders[XfAt(sheet, 5, 2).borderId].left.style, "");
  EXPECT_EQ(borders[XfAt(sheet, 5, 3).borderId].left.style, "thin");
  EXPECT_EQ(borders[XfAt(sheet, 5, 2).borderId].right.style, "thin");

  // Diagonals share one line element; removing one keeps the other's line.
  host::Range cell = sheet.GetRange("F2");
  cell.SetBorderLineStyle(host::Edge::DiagonalDown, host::LineStyle::Continuous);
  cell.SetBorderLineStyle(host::Edge::DiagonalUp, host::LineStyle::Continuous);
  cell.SetBorderLineStyle(host::Edge::DiagonalUp, host::LineStyle::None);
  const host::Border& d = borders[XfAt(sheet, 2, 6).borderId];
  EXPECT_TRUE(d.diagonalDown);
  EXPECT_FALSE(d.diagonalUp);
  EXPECT_EQ(d.diagonal.style, "thin");

  // Removing what is not there creates nothing.
  sheet.GetRange("H1:K100").SetBorderLineStyle(host::Edge::Top, host::LineStyle::None);
  EXPECT_EQ(sheet.Store().CellCount(), 10u);
}

TEST_F(HostBook, MergesAndPaletteAndDefaults) {
  host::Worksheet& sheet = book.Sheet(1);
  sheet.GetRange("B2:D2").SetMergeCells(true);
  sheet.GetRange("F2:G3").SetMergeCells(true);
  ASSERT_EQ(sheet.Merges().size(), 2u);
  sheet.GetRange("C1:C5").SetMergeCells(false);  // intersects the first only
  ASSERT_EQ(sheet.Merges().size(), 1u);
  EXPECT_EQ(sheet.Merges()[0].Address(), "F2:G3");

  EXPECT_EQ(host::PaletteColor(15).attributes, "indexed=\"22\"");
  // A fill another program stored as RGB reads back as its palette index.
  host::Fill rgb{"solid", {}, {}, {}};
  rgb.fg.attributes = "rgb=\"FFFF0000\"";
  host::Xf rgbXf;
  rgbXf.fillId = book.Styles().AddFill(rgb);
  sheet.Store().Get(1, 1).style = book.Styles().AddXf(rgbXf);
  EXPECT_EQ(sheet.GetRange("A1").InteriorColorIndex(), host::PaletteIndex(3));

  host::StyleTable fresh = host::StyleTable::Default();
  EXPECT_FALSE(fresh.Changed());
  // Entries a loader appended straight to the vectors are found by Add too.
  host::Fill red{"solid", host::PaletteColor(3), {}, {}};
  fresh.fills.push_back(red);
  EXPECT_EQ(fresh.AddFill(red), 2);
  EXPECT_EQ(fresh.AddFill(red), 2);
}

TEST_F(HostBook, CellStoreStaysSortedAndSmall) {
  host::CellStore store;
  for (int column : {5, 2, 9, 2}) store.Get(1, column).value = double(column);
  ASSERT_EQ(store.Rows()[1].cells.size(), 3u);
  EXPECT_EQ(store.Rows()[1].cells[0].column, 2);
  EXPECT_EQ(store.Find(1, 3), nullptr);
  store.Rows()[7].attributes = R"(r="7" s="3" customFormat="1")";
  EXPECT_EQ(store.Get(7, 1).style, 3);  // a formatted row's new cells take its format
  store.Get(8, 1);                      // empty, unformatted
  store.Compact();
  EXPECT_EQ(store.CellCount(), 4u);
  EXPECT_EQ(store.Find(8, 1), nullptr);
}

}  // namespace

TEST(StyleTableLimit, FormatsStopAtTheSpreadsheetLimitInsteadOfWrapping) {
  // Cells keep their format index in 16 bits; one format more must be refused.
  host::StyleTable styles = host::StyleTable::Default();
  host::Xf xf;
  for (int id = 1; styles.xfs.size() < static_cast<size_t>(host::kMaxCellFormats); ++id) {
    xf.numFmtId = id;
    styles.AddXf(xf);
  }
  EXPECT_EQ(styles.AddXf(styles.xfs[7]), 7);  // an existing format is still found
  xf.numFmtId = host::kMaxCellFormats + 1;
  EXPECT_THROW(styles.AddXf(xf), host::HostError);
  EXPECT_EQ(styles.xfs.size(), static_cast<size_t>(host::kMaxCellFormats));
}
