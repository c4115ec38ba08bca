// Style sheets as other programs leave them: lists missing or empty, formats
// pointing past their lists. New formats must still land on the right cells
// and every untouched cell must keep looking as it did.
#include <gtest/gtest.h>
#include <zip.h>

#include <string>

#include "host/Host.h"
#include "support/Interop.h"

namespace {

using testsupport::TempDir;

constexpr char kHead[] =
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";
constexpr char kFonts[] = R"(<fonts count="1"><font><sz val="11"/></font></fonts>)";
constexpr char kFills[] = R"(<fills count="2"><fill><patternFill patternType="none"/></fill>)"
                          R"(<fill><patternFill patternType="gray125"/></fill></fills>)";
constexpr char kBorders[] = R"(<borders count="1"><border/></borders>)";
constexpr char kXfs[] = R"(<cellXfs count="1"><xf fontId="0" fillId="0" borderId="0"/></cellXfs>)";

void ReplaceStyles(const std::string& path, const std::string& xml) {
  int err = 0;
  zip_t* z = zip_open(path.c_str(), 0, &err);
  ASSERT_NE(z, nullptr);
  zip_source_t* s = zip_source_buffer(z, xml.data(), xml.size(), 0);
  ASSERT_GE(zip_file_add(z, "xl/styles.xml", s, ZIP_FL_OVERWRITE), 0);
  ASSERT_EQ(zip_close(z), 0);
}

TEST(XlsxStyles, DamagedStyleSheetsTakeNewFormatsOnTheRightCells) {
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
    const std::string path = dir.File("book.xlsx");
    {
      host::Application app;
      host::Workbook& book = app.AddWorkbook(path);
      book.Sheet(1).GetRange("A1").SetValue("plain");
      book.Save();
    }
    ReplaceStyles(path, kHead + body + "</styleSheet>");
    {
      host::Application app;
      host::Worksheet& sheet = app.Open(path).Sheet(1);
      sheet.GetRange("B3").SetInteriorColorIndex(3);
      sheet.GetRange("C4").SetBorderLineStyle(host::xlEdgeLeft, host::xlContinuous);
      sheet.Parent().Save();
    }
    host::Application app;
    host::Worksheet& sheet = app.Open(path).Sheet(1);
    EXPECT_EQ(sheet.GetRange("A1").InteriorColorIndex(), host::xlNone);
    EXPECT_EQ(sheet.GetRange("B3").InteriorColorIndex(), 3);
    EXPECT_EQ(sheet.GetRange("C4").InteriorColorIndex(), host::xlNone);
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

}  // namespace
