// Packages as other programs leave them: style sheets with lists missing or
// empty and formats pointing past their lists, parts stored uncompressed.
// Saving must still put new formats on the right cells and keep every
// untouched part as it came.
#include <gtest/gtest.h>
#include <zip.h>

#include <string>

#include "host/Host.h"
#include "support/Interop.h"
#include "support/PackageEdit.h"

namespace {

using testsupport::TempDir;

constexpr char kHead[] =
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";
constexpr char kFonts[] = R"(<fonts count="1"><font><sz val="11"/></font></fonts>)";
constexpr char kFills[] = R"(<fills count="2"><fill><patternFill patternType="none"/></fill>)"
                          R"(<fill><patternFill patternType="gray125"/></fill></fills>)";
constexpr char kBorders[] = R"(<borders count="1"><border/></borders>)";
constexpr char kXfs[] = R"(<cellXfs count="1"><xf fontId="0" fillId="0" borderId="0"/></cellXfs>)";

// A saved workbook with "plain" in A1, its style sheet ours to replace.
std::string PlainBook(const TempDir& dir) {
  const std::string path = dir.File("book.xlsx");
  host::Application app;
  host::Workbook& book = app.AddWorkbook(path);
  book.Sheet(1).GetRange("A1").SetValue("plain");
  book.Save();
  return path;
}

TEST(XlsxForeign, DamagedStyleSheetsTakeNewFormatsOnTheRightCells) {
  // The last file is beyond openpyxl already as it comes: only our reader checks it.
  const std::pair<const char*, std::string> cases[] = {
      {"no borders", std::string(kFonts) + kFills + kXfs},
      {"no fills", std::string(kFonts) + kBorders + kXfs},
      {"empty style sheet", ""},
      {"no cell formats", std::string(kFonts) + kFills + kBorders + R"(<cellXfs count="0"/>)"},
      {"border and fill past their lists",
       std::string(kFonts) + kFills + kBorders +
           R"(<cellXfs count="1"><xf fontId="0" fillId="9" borderId="7"/></cellXfs>)"},
  };
  for (const auto& [name, body] : cases) {
    SCOPED_TRACE(name);
    TempDir dir;
    const std::string path = PlainBook(dir);
    testsupport::ReplacePart(path, "xl/styles.xml", kHead + body + "</styleSheet>");
    {
      host::Application app;
      host::Worksheet& sheet = app.Open(path).Sheet(1);
      sheet.GetRange("B3").SetInteriorColorIndex(host::PaletteIndex(3));
      sheet.GetRange("C4").SetBorderLineStyle(host::Edge::Left, host::LineStyle::Continuous);
      sheet.Parent().Save();
    }
    host::Application app;
    host::Worksheet& sheet = app.Open(path).Sheet(1);
    EXPECT_EQ(sheet.GetRange("A1").InteriorColorIndex(), host::ColorIndex::None);
    EXPECT_EQ(sheet.GetRange("B3").InteriorColorIndex(), host::PaletteIndex(3));
    EXPECT_EQ(sheet.GetRange("C4").InteriorColorIndex(), host::ColorIndex::None);
    if (!testsupport::HaveOpenpyxl() || &body == &cases[4].second) continue;
    auto read = testsupport::RunPython(R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print(ws["A1"].value, ws["A1"].fill.fill_type, ws["B3"].fill.fill_type, ws["C4"].border.left.style,
      ws["C4"].fill.fill_type)
)",
                                       {path});
    EXPECT_EQ(read.out, "plain None solid thin None\n") << read.err;
  }
}

// Values of a style sheet that hold XML's own characters (an escaped quote in
// an alignment, an & in a number format) go back escaped in every format
// derived from them, and in the ones the program adds.
TEST(XlsxForeign, StyleValuesWithMarkupCharactersAreWrittenBackEscaped) {
  constexpr char kFormat[] = R"(<numFmts count="1"><numFmt numFmtId="164" )"
                             R"(formatCode="0.0&quot; R&amp;D&quot;"/></numFmts>)";
  // openpyxl knows the alignments by name: it reads only the second file.
  for (const std::string horizontal : {"le&quot;ft", "left"}) {
    SCOPED_TRACE(horizontal);
    TempDir dir;
    const std::string path = PlainBook(dir);
    testsupport::ReplacePart(
        path, "xl/styles.xml",
        kHead + std::string(kFormat) + kFonts + kFills + kBorders +
            R"(<cellXfs count="2"><xf fontId="0" fillId="0" borderId="0"/><xf numFmtId="164" )"
            R"(fontId="0" fillId="0" borderId="0"><alignment horizontal=")" +
            horizontal + R"("/></xf></cellXfs></styleSheet>)");
    std::string sheetXml = testsupport::PartText(path, "xl/worksheets/sheet1.xml");
    sheetXml.replace(sheetXml.find(R"(<c r="A1")"), 9, R"(<c r="A1" s="1")");
    testsupport::ReplacePart(path, "xl/worksheets/sheet1.xml", sheetXml);
    {
      host::Application app;
      host::Worksheet& sheet = app.Open(path).Sheet(1);
      sheet.GetRange("A1").SetInteriorColorIndex(
          host::PaletteIndex(3));  // a new format from the one with le"ft
      sheet.GetRange("B2").SetNumberFormatLocal(R"(0.00" <R&D>")");
      sheet.Parent().Save();
    }
    host::Application app;
    host::Worksheet& sheet = app.Open(path).Sheet(1);
    EXPECT_EQ(sheet.GetRange("A1").InteriorColorIndex(), host::PaletteIndex(3));
    EXPECT_EQ(sheet.GetRange("A1").NumberFormat(), R"(0.0" R&D")");
    EXPECT_EQ(sheet.GetRange("B2").NumberFormat(), R"(0.00" <R&D>")");
    // Another XML reader sees the alignment of both formats as the file had it.
    const auto alignments = testsupport::RunPython(R"(
import sys, zipfile, xml.etree.ElementTree as ET
ns = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
root = ET.fromstring(zipfile.ZipFile(sys.argv[1]).read("xl/styles.xml"))
print([a.get("horizontal") for a in root.iter(ns + "alignment")])
)",
                                                   {path});
    const std::string read = horizontal == "left" ? "left" : "le\"ft";
    EXPECT_EQ(alignments.out, "['" + read + "', '" + read + "']\n") << alignments.err;
    if (horizontal != "left" || !testsupport::HaveOpenpyxl()) continue;
    const auto opened = testsupport::RunPython(R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
print(ws["A1"].number_format, ws["A1"].alignment.horizontal, ws["B2"].number_format)
)",
                                               {path});
    EXPECT_EQ(opened.out, "0.0\" R&D\" left 0.00\" <R&D>\"\n") << opened.err;
  }
}

// zip -0 of a workbook: every part stored as it is.
TEST(XlsxForeign, UncompressedPartsAreSavedAndStayUncompressed) {
  TempDir dir;
  const std::string path = dir.File("stored.xlsx");
  {
    host::Application app;
    host::Workbook& book = app.AddWorkbook(path);
    book.Sheet(1).GetRange("A1").SetValue("kept");
    book.AddSheet().GetRange("A1").SetValue("edited");
    book.Save();
  }
  int err = 0;
  zip_t* z = zip_open(path.c_str(), 0, &err);
  ASSERT_NE(z, nullptr);
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i)
    ASSERT_EQ(zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_STORE, 0), 0);
  ASSERT_EQ(zip_close(z), 0);
  {
    host::Application app;
    host::Workbook& book = app.Open(path);
    book.Sheet(1).GetRange("B2").SetValue(2.5);
    book.Save();
  }
  z = zip_open(path.c_str(), ZIP_RDONLY, &err);
  ASSERT_NE(z, nullptr);
  zip_stat_t st;
  ASSERT_EQ(zip_stat(z, "_rels/.rels", 0, &st), 0);
  EXPECT_EQ(st.comp_method, ZIP_CM_STORE);
  zip_close(z);
  host::Application app;
  host::Workbook& book = app.Open(path);
  EXPECT_EQ(book.Sheet(1).GetRange("B2").Text(), "2.5");
  EXPECT_EQ(book.Sheet(2).GetRange("A1").Text(), "kept");
}

}  // namespace
