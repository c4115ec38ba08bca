// Round trips through independent software: a workbook written by openpyxl
// (and the same one re-saved by LibreOffice) is edited and saved by us, then
// checked part by part and read back by both programs.
#include <gtest/gtest.h>
#include <zip.h>

#include <map>
#include <set>
#include <string>

#include "host/Host.h"
#include "support/Interop.h"
#include "support/PackageEdit.h"

namespace {

using testsupport::RunPython;
using testsupport::TempDir;

const std::string kDataDir = std::string(ALLELESCOPE_SOURCE_DIR) + "/tests/host/data";

struct Entry {
  zip_uint32_t crc = 0;
  zip_uint64_t compSize = 0;
  zip_uint16_t method = 0;
  std::string raw;  // compressed bytes
};

std::map<std::string, Entry> Entries(const std::string& path) {
  std::map<std::string, Entry> out;
  int err = 0;
  zip_t* z = zip_open(path.c_str(), ZIP_RDONLY, &err);
  if (!z) return out;
  for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
    zip_stat_t st;
    zip_stat_index(z, static_cast<zip_uint64_t>(i), 0, &st);
    Entry e{st.crc, st.comp_size, st.comp_method, {}};
    if (zip_file_t* f = zip_fopen_index(z, static_cast<zip_uint64_t>(i), ZIP_FL_COMPRESSED)) {
      e.raw.resize(st.comp_size);
      zip_fread(f, e.raw.data(), e.raw.size());
      zip_fclose(f);
    }
    out[st.name] = e;
  }
  zip_discard(z);
  return out;
}

// What openpyxl sees in the saved workbook, one fact per line.
const char* kReadBack = R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
print("sheets", ",".join(wb.sheetnames))
d = wb["Data"]
print("B3", d["B3"].value, "A2", d["A2"].value, "E20", d["E20"].value)
print("text", repr(d["D2"].value), repr(d["E21"].value))
f = d["E20"].fill
print("fill", f.fill_type, f.fgColor.type, f.fgColor.indexed if f.fgColor.type == "indexed" else f.fgColor.rgb[-6:])
print("border", d["E20"].border.left.style, d["E20"].border.bottom.style)
print("rotation", d["E20"].alignment.textRotation)
print("numfmt", d["E20"].number_format)
print("formula", d["C1"].value)
print("merged", ",".join(str(r) for r in d.merged_cells.ranges))
print("comment", d["A1"].comment.text if d["A1"].comment else None)
print("charts", len(d._charts), len(wb["Notes"]._charts))
for name in wb.defined_names.definedName:
    print("name", name.name, name.localSheetId, wb.sheetnames[name.localSheetId], name.attr_text)
new = wb["Added2"]
print("added", new["B2"].value, new["B2"].fill.fgColor.indexed, new["B2"].border.top.style)
)";

// Opens the workbook, edits one sheet, adds two formatted sheets and moves them
// in front of the sheet the defined name belongs to, then saves in place.
void EditAndSave(const std::string& path) {
  host::Application app;
  host::Workbook& book = app.Open(path);
  host::Worksheet& data = book.SheetByName("Data");
  data.GetRange("B3").SetValue(99.25);
  data.GetRange("D2").SetValue("  padded  ");
  host::Range cell = data.GetRange("E20");
  cell.SetValue(0.123456789012);
  cell.SetInteriorColorIndex(host::PaletteIndex(3));
  cell.SetInteriorPattern(host::FillPattern::Solid);
  for (host::Edge edge :
       {host::Edge::Left, host::Edge::Top, host::Edge::Bottom, host::Edge::Right}) {
    cell.SetBorderLineStyle(edge, host::LineStyle::Continuous);
    cell.SetBorderWeight(edge, host::BorderWeight::Thin);
  }
  cell.SetOrientation(-90);
  cell.SetNumberFormatLocal("0.0000000000_ ");
  data.GetRange("E21").SetValue("tab\there & <there> _x0041_\r\n");

  host::Worksheet& first = book.AddSheet();
  first.SetName("Added1");
  first.GetRange("A1").SetValue("one");
  host::Worksheet& second = book.AddSheet();
  second.SetName("Added2");
  host::Range b2 = second.GetRange("B2");
  b2.SetValue(7);
  b2.SetInteriorColorIndex(host::PaletteIndex(4));
  b2.SetBorderLineStyle(host::Edge::Top, host::LineStyle::Continuous);
  first.Move(book.SheetByName("Notes"));
  second.Move(book.SheetByName("Notes"));
  book.Save();
}

void CheckRoundTrip(const std::string& original, const std::string& saved,
                    const std::set<std::string>& mayChange) {
  // Every part the edit did not touch is the same compressed bytes.
  auto before = Entries(original), after = Entries(saved);
  ASSERT_FALSE(after.empty());
  for (const auto& [name, e] : before) {
    if (mayChange.count(name)) continue;
    auto it = after.find(name);
    ASSERT_NE(it, after.end()) << name;
    EXPECT_EQ(it->second.crc, e.crc) << name;
    EXPECT_EQ(it->second.method, e.method) << name;
    EXPECT_TRUE(it->second.raw == e.raw) << name;
  }

  auto r = RunPython(kReadBack, {saved});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // openpyxl leaves _xHHHH_ escapes undecoded; the exact text is checked on reopen.
  // The name was scoped to Notes at position 1; Notes is now at position 3.
  for (const char* fact :
       {"sheets Data,Added1,Added2,Notes,Last", "B3 99.25 A2 V1 E20 0.123456789012",
        "text '  padded  ' 'tab\\there & <there> _x", "fill solid indexed 10", "border thin thin",
        "rotation 180", "numfmt 0.0000000000_ ", "formula =B2*2", "merged A10:B11",
        "comment marker table", "charts 1 1", "name NotesCorner 3 Notes", "added 7 11 thin"})
    EXPECT_NE(r.out.find(fact), std::string::npos) << fact << "\n" << r.out;

  if (testsupport::HaveLibreOffice()) {
    TempDir csv;
    auto conv = testsupport::ConvertWithLibreOffice(saved, csv.Path(), "csv");
    ASSERT_TRUE(conv.ok) << conv.log;
    ASSERT_EQ(conv.files.size(), 5u) << conv.log;
    std::string dataCsv;
    for (const auto& f : conv.files)
      if (f.find("-Data.csv") != std::string::npos) dataCsv = f;
    const std::string text = testsupport::ReadFileBytes(dataCsv);
    EXPECT_EQ(text.rfind("Variety,", 0), 0u) << text;
    for (const char* line : {"\nV2,99.25,", "\nmerged,", ",0.1234567890"})
      EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
}

class XlsxInterop : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testsupport::HaveOpenpyxl()) GTEST_SKIP() << "openpyxl is not installed";
  }
  TempDir dir_;
};

TEST_F(XlsxInterop, OpenpyxlWorkbookEditedKeepsEverythingElse) {
  std::string path = dir_.File("book.xlsx");
  auto gen = RunPython(testsupport::ReadFileBytes(kDataDir + "/make_interop_book.py"),
                       {path, "--calc-chain"});
  ASSERT_EQ(gen.exitCode, 0) << gen.err;
  const std::string original = dir_.File("original.xlsx");
  testsupport::WriteFileBytes(original, testsupport::ReadFileBytes(path));
  EditAndSave(path);
  CheckRoundTrip(
      original, path,
      {"[Content_Types].xml", "xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/styles.xml",
       "xl/worksheets/sheet1.xml", "docProps/app.xml", "xl/calcChain.xml"});
  // Data holds a formula and was rewritten: the chain goes, with its references.
  EXPECT_EQ(Entries(path).count("xl/calcChain.xml"), 0u);
  for (const char* part : {"xl/_rels/workbook.xml.rels", "[Content_Types].xml"})
    EXPECT_EQ(testsupport::PartText(path, part).find("calcChain"), std::string::npos) << part;
  // The saved file opens again with the exact texts.
  host::Application again;
  host::Workbook& reopened = again.Open(path);
  EXPECT_EQ(reopened.SheetCount(), 5);
  EXPECT_EQ(reopened.ActiveSheet().Name(), "Data");
  EXPECT_EQ(host::ValueText(reopened.SheetByName("Data").GetRange("E21").Value()),
            "tab\there & <there> _x0041_\r\n");
}

TEST_F(XlsxInterop, LibreOfficeWorkbookEditedKeepsEverythingElse) {
  if (!testsupport::HaveLibreOffice()) GTEST_SKIP() << "LibreOffice is not installed";
  std::string made = dir_.File("made.xlsx");
  auto gen = RunPython(testsupport::ReadFileBytes(kDataDir + "/make_interop_book.py"), {made});
  ASSERT_EQ(gen.exitCode, 0) << gen.err;
  TempDir converted;
  auto conv = testsupport::ConvertWithLibreOffice(made, converted.Path(), "xlsx");
  ASSERT_TRUE(conv.ok) << conv.log;
  const std::string path = dir_.File("lo.xlsx"), original = conv.files.front();
  testsupport::WriteFileBytes(path, testsupport::ReadFileBytes(original));
  EditAndSave(path);
  CheckRoundTrip(original, path,
                 {"[Content_Types].xml", "xl/workbook.xml", "xl/_rels/workbook.xml.rels",
                  "xl/styles.xml", "xl/worksheets/sheet1.xml", "docProps/app.xml"});
  // LibreOffice stores text in the shared-string table; it is never rewritten.
  auto before = Entries(original), after = Entries(path);
  ASSERT_TRUE(before.count("xl/sharedStrings.xml"));
  EXPECT_TRUE(after["xl/sharedStrings.xml"].raw == before["xl/sharedStrings.xml"].raw);
}

}  // namespace
