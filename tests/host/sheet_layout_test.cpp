// Column widths, row heights and frozen panes: saved where the spreadsheet
// looks for them, read back by another reader, and replaced rather than
// doubled when a saved sheet is laid out again.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host/Host.h"
#include "support/Interop.h"
#include "support/PackageEdit.h"

namespace {

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

void Edit(const std::string& path, const std::function<void(host::Worksheet&)>& edit) {
  host::Application app;
  host::Workbook& book = app.Open(path);
  edit(book.Sheet(1));
  book.Save();
}

TEST(SheetLayout, SavedLayoutReadsBackAndIsReplacedWhenLaidOutAgain) {
  testsupport::TempDir dir;
  const std::string path = dir.File("laid-out.xlsx"), part = "xl/worksheets/sheet1.xml";
  {
    host::Application app;
    host::Workbook& book = app.AddWorkbook(path);
    host::Worksheet& sheet = book.Sheet(1);
    sheet.GetRange("B4").SetValue("corner");
    sheet.GetRange("B4:C4").SetColumnWidth(12.5);  // one width for both
    sheet.GetRange("E1").SetColumnWidth(20);
    sheet.GetRange("B4").SetRowHeight(48);
    sheet.FreezePanes(5, 3);
    book.Save();
  }
  std::string xml = testsupport::PartText(path, part);
  EXPECT_NE(xml.find(R"(<col min="2" max="3" width="12.5" customWidth="1"/>)"), std::string::npos);
  // Schema order: views, format, columns, then the cells.
  EXPECT_LT(xml.find("<sheetViews>"), xml.find("<cols>"));
  EXPECT_LT(xml.find("<cols>"), xml.find("<sheetData>"));
  {
    host::Application app;
    host::Worksheet& sheet = app.Open(path).Sheet(1);
    EXPECT_EQ(sheet.RowHeight(4), 48.0);
    EXPECT_FALSE(sheet.RowHeight(5).has_value());
  }
  if (testsupport::HaveOpenpyxl()) {
    const auto r = testsupport::RunPython(
        "import sys, openpyxl\nws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
        "d = ws.column_dimensions\n"
        "print(ws.freeze_panes, d['B'].width, d['E'].width, ws.row_dimensions[4].height)\n",
        {path});
    EXPECT_EQ(r.out, "C5 12.5 20.0 48.0\n") << r.err;
  }
  Edit(path, [](host::Worksheet& sheet) {
    sheet.ClearColumnWidths();
    sheet.SetColumnWidth(4, 30);
    sheet.GetRange("B4").SetRowHeight(60);
    sheet.FreezePanes(2, 1);  // rows only this time
  });
  xml = testsupport::PartText(path, part);
  for (const char* once :
       {"<cols>", "<col ", "<sheetViews>", "<pane ", " ht=\"", R"(ht="60")", R"(ySplit="1")"})
    EXPECT_EQ(Count(xml, once), 1) << once;
  EXPECT_EQ(xml.find("xSplit"), std::string::npos);
  // Untouched on reopen, the layout travels as it was saved.
  Edit(path, [](host::Worksheet& sheet) { sheet.GetRange("A1").SetValue("edited"); });
  EXPECT_EQ(Count(testsupport::PartText(path, part), "<pane "), 1);
  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "LibreOffice is not installed";
  testsupport::TempDir out;
  const auto load = testsupport::ConvertWithLibreOffice(path, out.Path(), "csv");
  EXPECT_TRUE(load.ok) << load.log;
}

TEST(SheetLayout, SizesOutsideTheFileFormatsLimitsAreRefused) {
  host::Application app;
  host::Worksheet& sheet = app.AddWorkbook("/tmp/unsaved.xlsx").Sheet(1);
  EXPECT_THROW(sheet.SetColumnWidth(2, 256), host::HostError);
  EXPECT_THROW(sheet.SetColumnWidth(2, -1), host::HostError);
  EXPECT_THROW(sheet.SetRowHeight(4, 410), host::HostError);
  EXPECT_THROW(sheet.FreezePanes(0, 2), host::HostError);
  // A whole column would store a million rows.
  EXPECT_THROW(sheet.GetRange("B1:B1048576").SetRowHeight(20), host::HostError);
  EXPECT_FALSE(sheet.ColumnWidthsSet());
}

}  // namespace
