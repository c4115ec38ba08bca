// The sheet-part reader on parts shaped unlike the usual: elements split
// across the reader's chunks, cells out of column order, document types and
// encodings other than UTF-8.
#include <gtest/gtest.h>

#include <string>

#include "host/Host.h"
#include "host/xlsx/SheetExtra.h"
#include "support/HostFailure.h"
#include "support/Interop.h"
#include "support/PackageEdit.h"
#include "support/SheetText.h"

namespace {

const std::string kPart = "xl/worksheets/sheet1.xml";

// A sheet whose kept elements and shared formula may be cut anywhere by the
// source: what is kept is the same bytes however small the pieces.
TEST(SheetReader, KeptBytesDoNotDependOnHowTheSourceCutsThePart) {
  const std::string formula = R"(<f t="shared" ref="B2:B3" si="0">SUM(A1:A1)*2</f>)";
  const std::string kept[] = {R"(<headerFooter differentOddEven="1"><oddHeader>&amp;Lleft)"
                              R"(&amp;Rright</oddHeader></headerFooter>)",
                              "<x/>", "<y a='1'>t</y>"};
  const std::string xml =
      R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?><worksheet )"
      R"(xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)"
      R"(<row r="2"><c r="B2">)" +
      formula + "<v>2</v></c></row></sheetData>" + kept[0] + kept[1] + kept[2] + "</worksheet>";
  for (size_t step : {1, 2, 3, 5, 7, 64, 1000}) {
    host::Application app;
    host::Worksheet& sheet = app.AddWorkbook("/nonexistent/steps.xlsx").Sheet(1);
    host::xlsx::XlsxSheetExtra extra;
    host::ReadBudget budget;
    testsupport::ReadSheetText(xml, sheet, extra, budget, step);
    ASSERT_EQ(extra.elements.size(), 3u) << step;
    for (size_t k = 0; k < 3; ++k) EXPECT_EQ(extra.elements[k].xml, kept[k]) << step;
    ASSERT_EQ(sheet.Store().Formulas().size(), 1u) << step;
    EXPECT_EQ(sheet.Store().Formulas().begin()->second, formula) << step;
  }
}

// Cells out of column order are put in order once their row ends (inserting
// each in place took minutes for a crafted sheet); of cells with one column
// the last read wins (every tenth comes twice, first with the wrong value),
// however many the row holds.
TEST(SheetReader, CellsOutOfColumnOrderAreReadInOrderAndTheLastOfAColumnWins) {
  for (const bool descending : {false, true}) {
    std::string xml =
        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
        "<sheetData>";
    for (int r = 1; r <= 2; ++r) {
      xml += "<row r=\"" + std::to_string(r) + "\">";
      for (int i = 1; i <= host::kMaxColumns; ++i) {
        const int c = descending ? host::kMaxColumns + 1 - i : i;
        const std::string open = "<c r=\"" + host::ColumnLetters(c) + std::to_string(r) + "\"><v>";
        if (c % 10 == 0) xml += open + std::to_string(c + 1) + "</v></c>";
        xml += open + std::to_string(c) + "</v></c>";
      }
      xml += "</row>";
    }
    host::Application app;
    host::Worksheet& sheet = app.AddWorkbook("/nonexistent/order.xlsx").Sheet(1);
    host::xlsx::XlsxSheetExtra extra;
    host::ReadBudget budget;
    testsupport::ReadSheetText(xml + "</sheetData></worksheet>", sheet, extra, budget);
    for (const auto& [r, row] : sheet.Store().Rows()) {
      ASSERT_EQ(row.cells.size(), size_t(host::kMaxColumns)) << r;
      int wrong = 0;
      for (size_t i = 0; i < row.cells.size(); ++i)
        wrong += row.cells[i].column != int(i) + 1 ||
                 std::get<double>(row.cells[i].value) != row.cells[i].column;
      EXPECT_EQ(wrong, 0) << "row " << r << (descending ? " descending" : " ascending");
    }
  }
}

TEST(SheetReader, DocumentTypesAndOtherEncodingsAreRefusedNamingThePart) {
  testsupport::TempDir dir;
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
  const std::string declared16 = R"(<?xml version="1.0" encoding="UTF-16"?>)" + body;
  const std::pair<std::string, const char*> refused[] = {
      // a part, a word of the reason
      {withEntity, "DOCTYPE"},
      {R"(<?xml version="1.0"?><!DOCTYPE worksheet SYSTEM "sheet.dtd">)" + body, "DOCTYPE"},
      {utf16(declared16, false), "UTF-8"},
      {utf16(body, true), "UTF-8"},
      {utf16(declared16, false).substr(2), "UTF-8"},  // no byte-order mark
      {R"(<?xml version="1.0" encoding="ISO-8859-1"?>)" + body, "UTF-8"}};
  host::Application maker;
  maker.AddWorkbook(dir.File("base.xlsx")).Save();
  const std::string base = testsupport::ReadFileBytes(dir.File("base.xlsx"));
  const auto open = [&](const std::string& part) {
    testsupport::WriteFileBytes(path, base);
    testsupport::ReplacePart(path, kPart, part);
    host::Application app;
    return host::ValueText(app.Open(path).Sheet(1).GetRange("A1").Value());
  };
  for (const auto& [part, word] : refused) {
    const host::HostError e = testsupport::HostFailure([&] { open(part); });
    EXPECT_EQ(e.File(), path);
    EXPECT_NE(e.Reason().find(kPart), std::string::npos) << e.Reason();
    EXPECT_NE(e.Reason().find(word), std::string::npos) << e.Reason();
    EXPECT_EQ(e.Reason().find("too large"), std::string::npos) << e.Reason();
  }
  // UTF-8 declared in any letter case, or not at all, is read.
  for (const std::string decl :
       {R"(<?xml version="1.0" encoding="utf-8"?>)", R"(<?xml version="1.0"?>)", "\xEF\xBB\xBF"})
    EXPECT_EQ(open(decl + body), "x") << decl;
}

}  // namespace
