// Sheets of a workbook and the style table behind every format change.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "host/Host.h"
#include "support/HostFailure.h"

namespace {

class HostBook : public ::testing::Test {
 protected:
  host::Application app;
  host::Workbook& book = app.AddWorkbook("/tmp/model-book.xlsx");
  host::Worksheet& sheet = book.Sheet(1);

  std::string Names() {
    std::string names;
    for (int i = 1; i <= book.SheetCount(); ++i) names += book.Sheet(i).Name() + ";";
    return names;
  }
  const host::Xf& XfAt(int row, int column) {
    return book.Styles().xfs.at(sheet.Store().Find(row, column)->style);
  }
};

TEST_F(HostBook, SheetNamesFollowTheWorkbookRules) {
  for (const std::string& bad :
       std::vector<std::string>{"", "a:b", "a\\b", "a/b", "a?b", "a*b", "a[b", "a]b", "'ab", "ab'",
                                "history", "M\v1.zoo", std::string(32, 'x')}) {
    EXPECT_FALSE(book.NameProblem(bad).empty()) << bad;
    EXPECT_THROW(sheet.SetName(bad), host::HostError) << bad;
  }
  std::string japanese;  // 31 characters, not 93 bytes' worth
  for (int i = 0; i < 31; ++i) japanese += "品";
  for (const std::string& good : {std::string(31, 'x'), std::string("a'b"), japanese})
    EXPECT_EQ(book.NameProblem(good), "") << good;
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
  host::Worksheet& s2 = book.AddSheet();
  EXPECT_EQ(&book.ActiveSheet(), &s2);
  book.Sheet(2).Activate();
  book.AddSheet();  // before Sheet1, which is active
  EXPECT_EQ(Names(), "Sheet2;Sheet3;Sheet1;");
  s2.SetName("Sheet5");
  EXPECT_EQ(book.AddSheet().Name(), "Sheet2");  // the first free number
  book.SheetByName("Sheet1").Move(book.Sheet(1));
  EXPECT_EQ(Names(), "Sheet1;Sheet5;Sheet2;Sheet3;");
  book.Sheet(1).Move(book.Sheet(4));  // before the last one
  EXPECT_EQ(Names(), "Sheet5;Sheet2;Sheet1;Sheet3;");
  book.Sheet(2).Move(book.Sheet(2));  // onto itself: stays
  EXPECT_EQ(book.PositionOf(book.SheetByName("Sheet2")), 2);
  EXPECT_THROW(book.Sheet(5), host::HostError);
  EXPECT_THROW(book.SheetByName("nope"), host::HostError);
}

TEST_F(HostBook, FormatChangesDeriveNewStylesThatKeepEverythingElse) {
  host::StyleTable& styles = book.Styles();
  // A user's cell with its own font and number format, as loaded from a file.
  host::Xf user;
  user.fontId = 3;
  user.numFmtId = styles.NumFmtId("0.0000000000_ ");
  user.applyFont = true;
  const int userXf = styles.AddXf(user);
  const auto format = [&](int row) {
    sheet.Store().Get(row, 3).style = userXf;
    host::Range cell = sheet.Cell(row, 3);
    cell.SetInteriorColorIndex(host::PaletteIndex(3));
    cell.SetHorizontalAlignment(host::HorizontalAlignment::Center);
    cell.SetOrientation(-90);
    return cell;
  };
  host::Range cell = format(5);
  const host::Xf& xf = XfAt(5, 3);
  EXPECT_EQ(xf.fontId, 3);
  EXPECT_EQ(xf.numFmtId, 164);
  EXPECT_EQ(styles.fills[xf.fillId].patternType, "solid");
  EXPECT_EQ(styles.fills[xf.fillId].fg.attributes, "indexed=\"10\"");
  EXPECT_TRUE(xf.applyFill && xf.applyAlignment);
  EXPECT_EQ(xf.alignment.horizontal, "center");
  EXPECT_EQ(xf.alignment.textRotation, 180);
  EXPECT_EQ(styles.xfs[userXf], user);  // the loaded entry is never changed
  // The same change on another cell with the same old style reuses the entries.
  const size_t xfs = styles.xfs.size(), fills = styles.fills.size();
  format(6);
  EXPECT_EQ(sheet.Store().Find(6, 3)->style, sheet.Store().Find(5, 3)->style);
  EXPECT_EQ(styles.xfs.size() + styles.fills.size(), xfs + fills);
  // Clearing the fill goes back to fill 0, other attributes stay.
  cell.SetInteriorColorIndex(host::ColorIndex::None);
  EXPECT_EQ(XfAt(5, 3).fillId, 0);
  EXPECT_EQ(XfAt(5, 3).alignment.textRotation, 180);
  EXPECT_EQ(cell.InteriorColorIndex(), host::ColorIndex::None);
  sheet.GetRange("A1").SetOrientation(45);
  EXPECT_EQ(XfAt(1, 1).alignment.textRotation, 45);
  EXPECT_THROW(cell.SetInteriorColorIndex(host::PaletteIndex(57)), host::HostError);
  EXPECT_TRUE(styles.Changed());
  // Number formats: built-ins by id, custom ones deduplicated from 164.
  EXPECT_EQ(styles.NumFmtId("0.00%"), 10);
  EXPECT_EQ(styles.NumFmtId("0.0000000000_ "), 164);
  EXPECT_EQ(styles.NumFmtId("0.000"), 165);
}

// Each edge of a block, drawn on cells that did not exist yet, reaches only
// the sides on it: per cell its left, right, top and bottom line (x or .).
TEST_F(HostBook, EachEdgeReachesOnlyTheSidesOnIt) {
  using E = host::Edge;
  const std::tuple<const char*, std::vector<E>, const char*> cases[] = {
      {"B4:D6",
       {E::Left, E::Top, E::InsideHorizontal},
       "x.xx ..xx ..xx x.xx ..xx ..xx x.x. ..x. ..x. "},
      {"F4:H6",
       {E::Right, E::Bottom, E::InsideVertical},
       ".x.. xx.. xx.. .x.. xx.. xx.. .x.x xx.x xx.x "}};
  for (const auto& [address, edges, expected] : cases) {
    const host::Range block = sheet.GetRange(address);
    for (E edge : edges) block.SetBorderLineStyle(edge, host::LineStyle::Continuous);
    std::string sides;
    for (int row = block.Row(); row <= block.LastRow(); ++row)
      for (int column = block.Column(); column <= block.LastColumn(); ++column) {
        const host::Border& b = book.Styles().borders[XfAt(row, column).borderId];
        for (const host::BorderSide* side : {&b.left, &b.right, &b.top, &b.bottom})
          sides += side->style.empty() ? '.' : 'x';
        sides += ' ';
      }
    EXPECT_EQ(sides, expected) << address;
  }
  EXPECT_EQ(sheet.Store().CellCount(), 18u);
}

TEST_F(HostBook, MergesAndPaletteAndDefaults) {
  sheet.GetRange("B2:D2").SetMergeCells(true);
  sheet.GetRange("F2:G3").SetMergeCells(true);
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
  // Diagonals share one line element: removing one keeps the other's line.
  host::Range cell = sheet.GetRange("F2");
  for (host::Edge diagonal : {host::Edge::DiagonalDown, host::Edge::DiagonalUp})
    cell.SetBorderLineStyle(diagonal, host::LineStyle::Continuous);
  cell.SetBorderLineStyle(host::Edge::DiagonalUp, host::LineStyle::None);
  const host::Border& d = book.Styles().borders[XfAt(2, 6).borderId];
  EXPECT_TRUE(d.diagonalDown && !d.diagonalUp);
  EXPECT_EQ(d.diagonal.style, "thin");
  // Removing a border that is not there creates no cells.
  sheet.GetRange("H1:K100").SetBorderLineStyle(host::Edge::Top, host::LineStyle::None);
  EXPECT_EQ(sheet.Store().CellCount(), 1u);  // F2
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
