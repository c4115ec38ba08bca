// Column widths, row heights and frozen panes: saved where the spreadsheet
// looks for them, read back by another reader, and replaced rather than
// doubled when a saved sheet is laid out again.
#include <gtest/gtest.h>
#include <zip.h>

#include <string>

#include "host/Host.h"
#include "support/Interop.h"

namespace {

using testsupport::TempDir;

// The text of one package part.
std::string PartText(const std::string& path, const std::string& part) {
  int err = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_RDONLY, &err);
  if (!z) return {};
  std::string out;
  if (zip_file_t* f = zip_fopen(z, part.c_str(), 0)) {
    char buffer[4096];
    zip_int64_t n;
    while ((n = zip_fread(f, buffer, sizeof buffer)) > 0)
      out.append(buffer, static_cast<size_t>(n));
    zip_fclose(f);
  }
  zip_close(z);
  return out;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// Widths on B, C (one width) and E, a tall row 4, panes frozen at C5.
void LayOut(host::Worksheet& sheet) {
  sheet.GetRange("B4:C4").SetColumnWidth(12.5);
  sheet.GetRange("E1").SetColumnWidth(20);
  sheet.GetRange("B4").SetRowHeight(48);
  sheet.FreezePanes(5, 3);
}

void MakeBook(const std::string& path) {
  host::Application app;
  host::Workbook& book = app.AddWorkbook(path);
  host::Worksheet& sheet = book.Sheet(1);
  sheet.GetRange("B4").SetValue("corner");
  sheet.GetRange("C5").SetValue(0.25);
  LayOut(sheet);
  book.Save();
}

TEST(SheetLayout, SavedLayoutReadsBackInOurHostAndInOpenpyxl) {
  TempDir dir;
  const std::string path = dir.File("laid-out.xlsx");
  MakeBook(path);
  const std::string xml = PartText(path, "xl/worksheets/sheet1.xml");
  EXPECT_NE(xml.find(R"(<col min="2" max="3" width="12.5" customWidth="1"/>)"), std::string::npos);
  // Schema order: views, format, columns, then the cells.
  EXPECT_LT(xml.find("<sheetViews>"), xml.find("<cols>"));
  EXPECT_LT(xml.find("<cols>"), xml.find("<sheetData>"));

  host::Application app;
  host::Workbook& book = app.Open(path);
  EXPECT_EQ(book.Sheet(1).RowHeight(4), 48.0);
  EXPECT_FALSE(book.Sheet(1).RowHeight(5).has_value());

  if (!testsupport::HaveOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
  const auto r = testsupport::RunPython(
      "import sys, openpyxl\n"
      "ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]\n"
      "d = ws.column_dimensions\n"
      "print(ws.freeze_panes, d['B'].width, d['E'].width, ws.row_dimensions[4].height)\n",
      {path});
  EXPECT_EQ(r.out, "C5 12.5 20.0 48.0\n") << r.err;
}

TEST(SheetLayout, LayingOutASavedSheetAgainReplacesItsLayout) {
  TempDir dir;
  const std::string path = dir.File("again.xlsx");
  MakeBook(path);
  {
    host::Application app;
    host::Workbook& book = app.Open(path);
    host::Worksheet& sheet = book.Sheet(1);
    sheet.ClearColumnWidths();
    sheet.SetColumnWidth(4, 30);
    sheet.GetRange("B4").SetRowHeight(60);
    sheet.FreezePanes(2, 1);  // rows only this time
    book.Save();
  }
  const std::string xml = PartText(path, "xl/worksheets/sheet1.xml");
  EXPECT_EQ(Count(xml, "<cols>"), 1);
  EXPECT_EQ(Count(xml, "<col "), 1);
  EXPECT_EQ(Count(xml, "<sheetViews>"), 1);
  EXPECT_EQ(Count(xml, "<pane "), 1);
  EXPECT_NE(xml.find(R"(ySplit="1")"), std::string::npos);
  EXPECT_EQ(xml.find("xSplit"), std::string::npos);
  EXPECT_EQ(Count(xml, " ht=\""), 1);
  EXPECT_NE(xml.find(R"(ht="60")"), std::string::npos);

  // Untouched on reopen, the layout travels as it was saved.
  {
    host::Application app;
    host::Workbook& book = app.Open(path);
    book.Sheet(1).GetRange("A1").SetValue("edited");
    book.Save();
  }
  EXPECT_EQ(Count(PartText(path, "xl/worksheets/sheet1.xml"), "<pane "), 1);
  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "LibreOffice is not installed";
  TempDir out;
  const auto load = testsupport::ConvertWithLibreOffice(path, out.Path(), "csv");
  EXPECT_TRUE(load.ok) << load.log;
}

TEST(SheetLayout, SizesOutsideTheFileFormatsLimitsAreRefused) {
  host::Application app;
  host::Workbook& book = app.AddWorkbook("/tmp/unsaved.xlsx");
  host::Worksheet& sheet = book.Sheet(1);
  EXPECT_THROW(sheet.SetColumnWidth(2, 256), host::HostError);
  EXPECT_THROW(sheet.SetColumnWidth(2, -1), host::HostError);
  EXPECT_THROW(sheet.SetRowHeight(4, 410), host::HostError);
  EXPECT_THROW(sheet.FreezePanes(0, 2), host::HostError);
  // A whole column would store a million rows.
  EXPECT_THROW(sheet.GetRange("B1:B1048576").SetRowHeight(20), host::HostError);
  EXPECT_FALSE(sheet.ColumnWidthsSet());
}

}  // namespace
