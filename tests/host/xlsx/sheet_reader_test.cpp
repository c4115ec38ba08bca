// The sheet-part reader on parts shaped unlike the usual: elements split
// across the reader's chunks, cells out of column order, document types and
// encodings other than UTF-8.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/Host.h"
#include "host/xlsx/SharedStrings.h"
#include "host/xlsx/SheetExtra.h"
#include "host/xlsx/SheetReader.h"
#include "support/HostFailure.h"
#include "support/Interop.h"
#include "support/PackageEdit.h"
#include "support/SheetText.h"

namespace {

using testsupport::PartText;
using testsupport::ReplacePart;
using testsupport::TempDir;

const std::string kHead =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";
const std::string kPart = "xl/worksheets/sheet1.xml";

// A one-sheet workbook of our own; its sheet is the part kPart.
void MakeBook(const std::string& path) {
  host::Application app;
  host::Workbook& book = app.AddWorkbook(path);
  book.Sheet(1).GetRange("A1").SetValue("x");
  book.Save();
}

// A sheet part with `formula` in cell B2 starting at byte `formulaAt` and
// `kept` (an element the model keeps as written) starting at byte `keptAt`.
std::string PartWith(const std::string& formula, size_t formulaAt, const std::string& kept,
                     size_t keptAt) {
  std::string xml = kHead + R"(<sheetData><row r="2"><c r="B2">)";
  xml.append(formulaAt - xml.size(), ' ');
  xml += formula + "<v>2</v></c></row></sheetData>";
  xml.append(keptAt - xml.size(), ' ');
  return xml + kept + "</worksheet>";
}

const std::string kFormula = R"(<f t="shared" ref="B2:B3" si="0">SUM(A1:A1)*2</f>)";
const std::string kKept =
    R"(<headerFooter differentOddEven="1"><oddHeader>&amp;Lleft&amp;Rright</oddHeader>)"
    R"(</headerFooter>)";

TEST(SheetReader, ElementsAcrossTheReadChunksAreKeptWhole) {
  constexpr size_t kChunk = 1 << 16;  // what the reader asks its source for at a time
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  // Each starts from 16 bytes before to 16 bytes past the end of a chunk: the
  // formula at the first and the element at the second, or the element at the first.
  for (int d = -16; d <= 16; ++d) {
    const std::pair<size_t, size_t> layouts[] = {{kChunk + d, 2 * kChunk + d}, {300, kChunk + d}};
    for (const auto& [formulaAt, keptAt] : layouts) {
      MakeBook(path);
      ReplacePart(path, kPart, PartWith(kFormula, formulaAt, kKept, keptAt));
      {
        host::Application app;
        host::Workbook& book = app.Open(path);
        host::Worksheet& sheet = book.Sheet(1);
        EXPECT_EQ(host::ValueText(sheet.GetRange("B2").Value()), "2") << d;
        sheet.GetRange("A1").SetValue("changed");  // the sheet is written again from what was read
        book.Save();
      }
      const std::string saved = PartText(path, kPart);
      EXPECT_NE(saved.find(kFormula), std::string::npos) << "formula at " << formulaAt;
      EXPECT_NE(saved.find(kKept), std::string::npos) << "element at " << keptAt;
    }
  }
}

// Reads `xml` into a fresh sheet, the source giving at most `step` bytes a call.
struct ReadBack {
  std::vector<host::xlsx::XlsxSheetExtra::Element> elements;
  std::map<std::pair<int32_t, int32_t>, std::string> formulas;
};
ReadBack ReadInSteps(const std::string& xml, size_t step) {
  host::Application app;
  host::Worksheet& sheet = app.AddWorkbook("/nonexistent/steps.xlsx").Sheet(1);
  host::xlsx::XlsxSheetExtra extra;
  host::ReadBudget budget;
  testsupport::ReadSheetText(xml, sheet, extra, budget, step);
  return {extra.elements, sheet.Store().Formulas()};
}

TEST(SheetReader, KeptBytesDoNotDependOnHowTheSourceCutsThePart) {
  const std::string xml = PartWith(kFormula, 300, kKept + "<x/><y a='1'>t</y>", 700);
  for (size_t step : {1, 2, 3, 5, 7, 64, 1000}) {
    const ReadBack read = ReadInSteps(xml, step);
    ASSERT_EQ(read.elements.size(), 3u) << step;
    EXPECT_EQ(read.elements[0].xml, kKept) << step;
    EXPECT_EQ(read.elements[1].xml, "<x/>") << step;
    EXPECT_EQ(read.elements[2].xml, "<y a='1'>t</y>") << step;
    ASSERT_EQ(read.formulas.size(), 1u) << step;
    EXPECT_EQ(read.formulas.begin()->second, kFormula) << step;
  }
}

// Opens a workbook whose sheet has `rows` full rows, each cell's value its
// column, the cells written in ascending or descending order, every tenth one
// twice (the later one with the value minus one), and checks what it reads.
void ReadFullRows(const std::string& path, int rows, bool descending) {
  std::string xml = kHead + "<sheetData>";
  for (int r = 1; r <= rows; ++r) {
    xml += "<row r=\"" + std::to_string(r) + "\">";
    for (int i = 1; i <= host::kMaxColumns; ++i) {
      const int c = descending ? host::kMaxColumns + 1 - i : i;
      const std::string open = "<c r=\"" + host::ColumnLetters(c) + std::to_string(r) + "\"><v>";
      if (c % 10 == 0) xml += open + std::to_string(c + 1) + "</v></c>";
      xml += open + std::to_string(c) + "</v></c>";
    }
    xml += "</row>";
  }
  xml += "</sheetData></worksheet>";
  MakeBook(path);
  ReplacePart(path, kPart, xml);
  host::Application app;
  host::Worksheet& sheet = app.Open(path).Sheet(1);
  sheet.GetRange("A1").Value();
  size_t cells = 0;
  for (const auto& [r, row] : sheet.Store().Rows()) {
    for (size_t i = 0; i < row.cells.size(); ++i) {
      const host::Cell& cell = row.cells[i];
      if (i > 0) {
        EXPECT_LT(row.cells[i - 1].column, cell.column);
      }
      // The last of a duplicated cell wins, as every other cell's value is its column.
      EXPECT_EQ(std::get<double>(cell.value), cell.column) << r << "," << cell.column;
    }
    cells += row.cells.size();
  }
  EXPECT_EQ(cells, static_cast<size_t>(rows) * host::kMaxColumns);
}

// Cells are put in column order once a row ends (inserting each in place took
// minutes for a crafted sheet); the last of a column still wins.
TEST(SheetReader, CellsOutOfColumnOrderAreReadInOrderAndTheLastOfAColumnWins) {
  TempDir dir;
  ReadFullRows(dir.File("ascending.xlsx"), 2, false);
  ReadFullRows(dir.File("descending.xlsx"), 2, true);
}

// Opens the workbook and reads its sheet; returns the refusal's reason.
std::string SheetRefusal(const std::string& path) {
  host::Application app;
  const host::HostError e =
      testsupport::HostFailure([&] { app.Open(path).Sheet(1).GetRange("A1").Value(); });
  EXPECT_EQ(e.File(), path);
  return e.Reason();
}

TEST(SheetReader, DocumentTypesAndOtherEncodingsAreRefusedNamingThePart) {
  TempDir dir;
  const std::string path = dir.File("book.xlsx");
  const std::string body =
      R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
      R"(<sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>x</t></is></c></row></sheetData>)"
      R"(<headerFooter><oddHeader>&amp;Lleft</oddHeader></headerFooter></worksheet>)";
  // An entity of the part's own document type inside an element kept as
  // written would be undefined once the part is written again without it.
  const std::string withEntity =
      R"(<?xml version="1.0" encoding="UTF-8"?><!DOCTYPE worksheet [<!ENTITY e "hello">]>)" +
      std::string(body).replace(body.find("&amp;Lleft"), 10, "&e;");
  auto utf16 = [](const std::string& ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
  };
  const std::string utf16Declared =
      R"(<?xml version="1.0" encoding="UTF-16" standalone="yes"?>)" + body;
  const struct {
    const char* what;
    std::string part;
    const char* reason;  // a word of the refusal's reason
  } cases[] = {
      {"internal document type", withEntity, "DOCTYPE"},
      {"external document type",
       R"(<?xml version="1.0"?><!DOCTYPE worksheet SYSTEM "sheet.dtd">)" + body, "DOCTYPE"},
      {"UTF-16 with a declaration", utf16(utf16Declared, false), "UTF-8"},
      {"UTF-16 big-endian, no declaration", utf16(body, true), "UTF-8"},
      {"UTF-16 without a byte-order mark",
       utf16(R"(<?xml version="1.0" encoding="UTF-16"?>)" + body, false).substr(2), "UTF-8"},
      {"Latin-1", R"(<?xml version="1.0" encoding="ISO-8859-1"?>)" + body, "UTF-8"},
  };
  for (const auto& c : cases) {
    MakeBook(path);
    ReplacePart(path, kPart, c.part);
    const std::string reason = SheetRefusal(path);
    EXPECT_NE(reason.find(kPart), std::string::npos) << c.what << ": " << reason;
    EXPECT_NE(reason.find(c.reason), std::string::npos) << c.what << ": " << reason;
    EXPECT_EQ(reason.find("too large"), std::string::npos) << c.what << ": " << reason;
  }
  // UTF-8 declared in any letter case, or not at all, is read.
  for (const std::string decl :
       {R"(<?xml version="1.0" encoding="utf-8"?>)", R"(<?xml version="1.0"?>)", "\xEF\xBB\xBF"}) {
    MakeBook(path);
    ReplacePart(path, kPart, decl + body);
    host::Application app;
    EXPECT_EQ(host::ValueText(app.Open(path).Sheet(1).GetRange("A1").Value()), "x") << decl;
  }
}

}  // namespace
