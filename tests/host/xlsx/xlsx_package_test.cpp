// The package backend on its own: new packages, failing saves, damaged and
// foreign files, lazy loading and a sheet parser fed hostile XML.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>

#include "host/Host.h"
#include "host/SaveObserver.h"
#include "support/HostFailure.h"
#include "support/Interop.h"
#include "support/PackageEdit.h"

namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Not;
using testsupport::HostFailure;
using testsupport::PartText;
using testsupport::ReadFileBytes;
using testsupport::ReplacePart;
using testsupport::TempDir;
using testsupport::WriteFileBytes;
namespace fs = std::filesystem;

std::string Text(host::Worksheet& sheet, const char* address) {
  return host::ValueText(sheet.GetRange(address).Value());
}

// A three-sheet workbook written by our own new-package path.
void MakeBook(const std::string& path) {
  host::Application app;
  host::Workbook& book = app.AddWorkbook(path);
  host::Worksheet& first = book.Sheet(1);
  first.GetRange("A1").SetValue("name");
  first.GetRange("B2").SetValue(180.5);
  first.GetRange("C3").SetValue(host::CellValue(true));
  first.GetRange("B2").SetInteriorColorIndex(host::PaletteIndex(6));
  book.AddSheet().SetName("Second");
  book.AddSheet().SetName("Third");
  book.SheetByName("Third").GetRange("A1").SetValue("third");
  book.Save();
}

// Gives Sheet1 (sheet3.xml) one cell, A1, from the shared texts `sst`, stored
// as xl/sharedStrings.xml and named `target` by the workbook's relationships.
void UseSharedStrings(const std::string& path, const std::string& target, const std::string& sst) {
  std::string rels = PartText(path, "xl/_rels/workbook.xml.rels");
  rels.insert(rels.rfind("</Relationships>"),
              R"(<Relationship Id="rIdS" Type="http://schemas.openxmlformats.org/)"
              R"(officeDocument/2006/relationships/sharedStrings" Target=")" +
                  target + "\"/>");
  ReplacePart(path, "xl/_rels/workbook.xml.rels", rels);
  ReplacePart(path, "xl/sharedStrings.xml", sst);
  ReplacePart(
      path, "xl/worksheets/sheet3.xml",
      R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
      R"(<sheetData><row r="1"><c r="A1" t="s"><v>0</v></c></row></sheetData></worksheet>)");
}

// Fails the next save once its new file is complete, the way a full disk or a
// lost device would at the last moment.
class FailNextSave : public host::SaveObserver {
 public:
  explicit FailNextSave(std::string reason) : reason_(std::move(reason)) {}
  void BeforeReplace(const std::string&) override {
    if (reason_.empty()) return;
    std::string reason = std::move(reason_);
    reason_.clear();
    throw std::runtime_error(reason);
  }

 private:
  std::string reason_;
};

host::HostError ExpectOpenError(const std::string& path) {
  host::Application app;
  const host::HostError e = HostFailure([&] { app.Open(path); });
  EXPECT_EQ(e.Operation(), "Open") << path;
  EXPECT_EQ(e.File(), path);
  return e;
}

TEST(XlsxPackage, NewWorkbookIsCompleteAndReadsBack) {
  TempDir dir;
  std::string path = dir.File("new.xlsx");
  MakeBook(path);
  host::Application app;
  host::Workbook& book = app.Open(path);
  ASSERT_EQ(book.SheetCount(), 3);
  // Sheets.Add puts each new sheet before the active one.
  EXPECT_EQ(book.Sheet(1).Name() + book.ActiveSheet().Name(), "ThirdThird");
  host::Worksheet& sheet1 = book.SheetByName("Sheet1");
  EXPECT_EQ(Text(sheet1, "A1") + Text(sheet1, "B2") + Text(sheet1, "C3"), "name180.5TRUE");
  EXPECT_EQ(sheet1.GetRange("B2").InteriorColorIndex(), host::PaletteIndex(6));

  if (!testsupport::HaveOpenpyxl()) return;
  auto r = testsupport::RunPython(R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1])
s = wb["Sheet1"]
print(wb.sheetnames, wb.active.title, s["B2"].value, s["C3"].value, s["B2"].fill.fgColor.indexed)
print(sum(1 for w in wb.worksheets if w.sheet_view.tabSelected))
)",
                                  {path});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "['Third', 'Second', 'Sheet1'] Third 180.5 True 13\n1\n");
}

TEST(XlsxPackage, FailedSaveLeavesTheOriginalByteIdentical) {
  TempDir dir;
  std::string path = dir.File("book.xlsx");
  MakeBook(path);
  const std::string original = ReadFileBytes(path);
  host::Application app;
  FailNextSave diskFull("No space left on device");
  app.SetSaveObserver(&diskFull);
  host::Workbook& book = app.Open(path);
  book.SheetByName("Sheet1").GetRange("A1").SetValue("changed");

  const host::HostError e = HostFailure([&] { book.Save(); });
  EXPECT_EQ(e.Operation(), "Save");
  EXPECT_EQ(e.File(), path);
  EXPECT_EQ(e.Reason(), "No space left on device");
  EXPECT_TRUE(ReadFileBytes(path) == original);
  EXPECT_EQ(testsupport::FileNames(dir.Path()), std::vector<std::string>{"book.xlsx"});
  // A folder that does not exist: nothing is created anywhere.
  EXPECT_THROW(book.SaveAs(dir.File("missing/book.xlsx")), host::HostError);
  EXPECT_FALSE(fs::exists(dir.File("missing")));
  // After the failures a normal save still works.
  book.Save();
  host::Application check;
  EXPECT_EQ(Text(check.Open(path).SheetByName("Sheet1"), "A1"), "changed");
}

TEST(XlsxPackage, SheetsAreParsedOnlyWhenUsed) {
  TempDir dir;
  std::string path = dir.File("book.xlsx");
  MakeBook(path);
  // Parts are numbered in sheet order: Second is sheet2.xml.
  const std::string broken = "<worksheet><sheetData><row";
  ReplacePart(path, "xl/worksheets/sheet2.xml", broken);
  host::Application app;
  host::Workbook& book = app.Open(path);
  EXPECT_EQ(book.SheetCount(), 3);
  auto loaded = [&] {
    std::string names;
    for (const host::Worksheet* sheet : book.SheetList())
      if (sheet->Loaded()) names += sheet->Name() + ";";
    return names;
  };
  EXPECT_EQ(loaded(), "");
  EXPECT_EQ(Text(book.SheetByName("Sheet1"), "A1"), "name");
  EXPECT_EQ(loaded(), "Sheet1;");
  EXPECT_THAT(HostFailure([&] { book.SheetByName("Second").GetRange("A1").Value(); }).Reason(),
              HasSubstr("Second"));
  // The damaged part is not ours to repair: an untouched sheet is copied as it was.
  book.SheetByName("Sheet1").GetRange("A2").SetValue(2);
  book.Save();
  EXPECT_EQ(PartText(path, "xl/worksheets/sheet2.xml"), broken);
}

TEST(XlsxPackage, HostileSheetXmlIsRepairedNotTrusted) {
  TempDir dir;
  std::string path = dir.File("book.xlsx");
  MakeBook(path);
  // Parts are numbered in sheet order: Sheet1 is the third.
  ReplacePart(path, "xl/worksheets/sheet3.xml", R"(<?xml version="1.0"?>
<x:worksheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
<x:sheetData>
<x:row r="5"><x:c r="B5"><x:v>1</x:v></x:c><x:c r="B5"><x:v>2</x:v></x:c><x:c><x:v>3</x:v></x:c>
<x:c r="XFE5"><x:v>4</x:v></x:c><x:c r="ZZZZ5"><x:v>5</x:v></x:c><x:c r="A6"><x:v>6</x:v></x:c>
<x:c r="A5" s="99999" t="weird"><x:v>7</x:v></x:c><x:c r="D5" t="s"><x:v>12345</x:v></x:c>
<x:c r="E5" t="n"><x:v>abc</x:v></x:c><x:c r="F5" t="e"><x:v>#N/A</x:v></x:c></x:row>
<x:row r="2"><x:c r="A2" t="inlineStr"><x:is><x:r><x:t>a_x000D__xD83D__xDE00__xD83D_</x:t></x:r><x:r><x:t>b</x:t></x:r>
<x:rPh><x:t>phonetic</x:t></x:rPh></x:is></x:c></x:row>
<x:row r="9999999"><x:c r="A9999999"><x:v>8</x:v></x:c></x:row>
<x:row><x:c r="A3"><x:v>9</x:v></x:c></x:row>
</x:sheetData></x:worksheet>)");
  host::Application app;
  host::Workbook& book = app.Open(path);
  host::Worksheet& s = book.SheetByName("Sheet1");
  // B5 duplicated: the last wins; no reference: the next column; A5 out of order with a bad
  // style and type; A6 names another row; D5 no such shared string; A3 follows the row before.
  const std::pair<const char*, const char*> expected[] = {
      {"B5", "2"}, {"C5", "3"}, {"A5", "7"},    {"A6", ""},
      {"D5", ""},  {"E5", ""},  {"F5", "#N/A"}, {"A2", "a\r\U0001F600b"},
      {"A3", "9"}};
  for (const auto& [address, text] : expected) EXPECT_EQ(Text(s, address), text) << address;
  EXPECT_EQ(s.Store().Find(5, 1)->style, 0);
  size_t cells = 0;
  for (const auto& [r, row] : s.Store().Rows()) {
    for (size_t i = 1; i < row.cells.size(); ++i)
      EXPECT_LT(row.cells[i - 1].column, row.cells[i].column);
    cells += row.cells.size();
  }
  EXPECT_EQ(cells, 6u);  // out-of-range cells are dropped
  s.GetRange("G5").SetValue("new");
  book.Save();
  if (!testsupport::HaveOpenpyxl()) return;
  auto r = testsupport::RunPython(
      "import sys, openpyxl\ns = openpyxl.load_workbook(sys.argv[1])['Sheet1']\n"
      "print([c.coordinate for row in s.iter_rows() for c in row if c.value is not None])",
      {path});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "['A2', 'A3', 'A5', 'B5', 'C5', 'F5', 'G5']\n");
}

TEST(XlsxPackage, ForeignAndDamagedFilesAreRefusedClearly) {
  TempDir dir;
  // A named pipe would block the open until a writer came.
  ASSERT_EQ(mkfifo(dir.File("pipe.xlsx").c_str(), 0600), 0);
  const std::string compound("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  std::string encrypted = compound + std::string(504, '\0');
  for (char c : std::string("EncryptionInfo")) encrypted += std::string{c, '\0'};
  WriteFileBytes(dir.File("empty.xlsx"), "");
  WriteFileBytes(dir.File("text.xlsx"), "variety,marker\n");
  WriteFileBytes(dir.File("locked.xlsx"), encrypted);
  WriteFileBytes(dir.File("junk.xls"), compound + std::string(600, 'x'));

  std::filesystem::create_directory(dir.File("folder.xlsx"));
  MakeBook(dir.File("zip.xlsx"));
  const std::string book = ReadFileBytes(dir.File("zip.xlsx"));
  WriteFileBytes(dir.File("cut.xlsx"), book.substr(0, book.size() / 2));
  {
    int error = 0;
    zip_t* zip = zip_open(dir.File("zip.xlsx").c_str(), 0, &error);
    ASSERT_NE(zip, nullptr);
    ASSERT_EQ(zip_delete(zip, zip_name_locate(zip, "[Content_Types].xml", 0)), 0);
    ASSERT_EQ(zip_close(zip), 0);
  }
  MakeBook(dir.File("letter.xlsx"));
  ReplacePart(
      dir.File("letter.xlsx"), "_rels/.rels",
      R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
      R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/)"
      R"(2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)");
  ReplacePart(dir.File("letter.xlsx"), "word/document.xml", "<w:document xmlns:w=\"urn:w\"/>");
  MakeBook(dir.File("strict.xlsx"));
  ReplacePart(
      dir.File("strict.xlsx"), "xl/workbook.xml",
      R"(<workbook xmlns="http://purl.oclc.org/ooxml/spreadsheetml/main"><sheets/></workbook>)");

  using host::FailureCode;
  const std::pair<const char*, FailureCode> files[] = {
      {"absent.xlsx", FailureCode::FileMissing},     {"empty.xlsx", FailureCode::FileEmpty},
      {"pipe.xlsx", FailureCode::NotRegularFile},    {"text.xlsx", FailureCode::NotWorkbook},
      {"locked.xlsx", FailureCode::Encrypted},       {"letter.xlsx", FailureCode::OtherDocument},
      {"strict.xlsx", FailureCode::StrictForm},      {"folder.xlsx", FailureCode::IsFolder},
      {"zip.xlsx", FailureCode::ArchiveNotWorkbook}, {"cut.xlsx", FailureCode::Damaged}};
  for (const auto& [name, code] : files) {
    const host::Failure cause = ExpectOpenError(dir.File(name)).Cause();
    EXPECT_EQ(cause.operation, host::Operation::Open) << name;
    EXPECT_EQ(cause.code, code) << name;
  }
  ExpectOpenError(dir.File("junk.xls"));
}

// What a lenient reader would take but the XML rules refuse: a reference that
// stops the strict reader at once, so nothing after it was counted, and an
// entity of a document type, which the tree would keep as literal text.
TEST(XlsxPackage, DocumentPartsBreakingTheXmlRulesAreRefused) {
  TempDir dir;
  const std::string base = dir.File("base.xlsx"), path = dir.File("book.xlsx");
  MakeBook(base);
  std::string styles = PartText(base, "xl/styles.xml"), wb = PartText(base, "xl/workbook.xml");
  styles.insert(styles.find('>', styles.find("<styleSheet")) + 1, "&#1;");
  wb.insert(wb.find("?>") + 2, R"(<!DOCTYPE workbook [<!ENTITY n "Apple.org">]>)");
  wb.replace(wb.find("\"Second\""), 8, "\"&n;\"");
  const std::tuple<const char*, std::string, const char*> cases[] = {
      {"xl/styles.xml", styles, "malformed"}, {"xl/workbook.xml", wb, "document type"}};
  for (const auto& [part, xml, reason] : cases) {
    WriteFileBytes(path, ReadFileBytes(base));
    ReplacePart(path, part, xml);
    const std::string got = ExpectOpenError(path).Reason();
    EXPECT_THAT(got,
                AllOf(HasSubstr(std::string("part ") + part + " is damaged"), HasSubstr(reason)));
  }
}

// Every read that needs a damaged shared-text table fails, not only the first.
TEST(XlsxPackage, DamagedSharedTextsFailEveryRead) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  MakeBook(path);
  UseSharedStrings(path, "sharedStrings.xml", "<sst><si><t>a</t></si><si><t>&#1;</t></si></sst>");
  host::Application app;
  host::Workbook& book = app.Open(path);
  for (const char* name : {"Sheet1", "Sheet1", "Third"})
    EXPECT_THAT(HostFailure([&] { book.SheetByName(name).GetRange("A1").Value(); }).Reason(),
                HasSubstr("shared text table (part xl/sharedStrings.xml) is damaged"))
        << name;
}

// Part names compare ignoring letter case, so relationships may spell them
// otherwise than the entries do; a changed part keeps its entry's name. The
// tree holds a part in UTF-8 whatever it was written in (here the workbook
// part in UTF-16); a changed part is written in UTF-8 and must say so.
TEST(XlsxPackage, PartNamesInAnyLetterCaseAndPartsInUtf16AreRead) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  MakeBook(path);
  std::string xml = PartText(path, "xl/workbook.xml"), wide = "\xFF\xFE";
  xml.replace(xml.find("UTF-8"), 5, "UTF-16");
  for (char c : xml) wide += {c, '\0'};
  ReplacePart(path, "xl/workbook.xml", wide);
  UseSharedStrings(path, "SharedStrings.xml",
                   R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
                   "<si><t>shared</t></si></sst>");
  auto respell = [&](const std::string& part, const std::string& from, const std::string& to) {
    std::string xml = PartText(path, part);
    ASSERT_NE(xml.find(from), std::string::npos) << from;
    ReplacePart(path, part, xml.replace(xml.find(from), from.size(), to));
  };
  respell("_rels/.rels", "\"xl/workbook.xml\"", "\"XL/Workbook.xml\"");
  respell("xl/_rels/workbook.xml.rels", "\"worksheets/sheet3.xml\"", "\"Worksheets/Sheet3.xml\"");
  respell("xl/_rels/workbook.xml.rels", "\"styles.xml\"", "\"Styles.xml\"");
  auto entries = [&] {
    int err = 0;
    zip_t* z = zip_open(path.c_str(), ZIP_RDONLY, &err);
    const zip_int64_t n = z ? zip_get_num_entries(z, 0) : -1;
    if (z) zip_discard(z);
    return n;
  };
  const zip_int64_t before = entries();
  {
    host::Application app;
    host::Workbook& book = app.Open(path);
    host::Worksheet& sheet = book.SheetByName("Sheet1");
    EXPECT_EQ(Text(sheet, "A1"), "shared");
    sheet.GetRange("B2").SetValue("new");
    sheet.GetRange("B2").SetInteriorColorIndex(host::PaletteIndex(3));
    book.AddSheet().SetName("Added");
    book.Save();
  }
  EXPECT_EQ(entries(), before + 1);  // the new sheet; no part twice
  EXPECT_THAT(PartText(path, "xl/workbook.xml"),
              AllOf(Not(HasSubstr("UTF-16")), HasSubstr("\"Added\"")));
  host::Application app;
  host::Workbook& book = app.Open(path);
  EXPECT_EQ(book.SheetCount(), 4);
  host::Worksheet& sheet = book.SheetByName("Sheet1");
  EXPECT_EQ(Text(sheet, "A1") + Text(sheet, "B2"), "sharednew");
  EXPECT_EQ(sheet.GetRange("B2").InteriorColorIndex(), host::PaletteIndex(3));
}

TEST(XlsxPackage, TruncatedAndFlippedPackagesNeverCrash) {
  TempDir dir;
  const std::string path = dir.File("bad.xlsx");
  MakeBook(path);
  const std::string bytes = ReadFileBytes(path);
  std::mt19937 rng(7);
  int opened = 0, refused = 0;
  auto attempt = [&](const std::string& data) {
    WriteFileBytes(path, data);
    host::Application app;
    try {
      host::Workbook& book = app.Open(path);
      for (int i = 1; i <= book.SheetCount(); ++i) {
        try {
          book.Sheet(i).GetRange("A1").Value();  // a damaged sheet may refuse, not crash
        } catch (const host::HostError&) {
        }
      }
      ++opened;
    } catch (const host::HostError&) {
      ++refused;
    }
    EXPECT_TRUE(ReadFileBytes(path) == data) << "opening changed the file";
  };
  for (size_t len = 0; len < bytes.size(); len += 1 + bytes.size() / 80)
    attempt(bytes.substr(0, len));
  for (int k = 0; k < 300; ++k) {
    std::string data = bytes;
    for (int flips = 1 + k % 4; flips > 0; --flips)
      data[rng() % data.size()] ^= static_cast<char>(1 + rng() % 255);
    attempt(data);
  }
  EXPECT_GT(refused, 80);
  EXPECT_GT(opened, 0);
}

}  // namespace
