// The XML each package part is written as, compared with the text a reader
// expects: values from a user's workbook (sheet names, number formats, kept
// style attributes, cell texts) come out escaped in every part they reach.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/xlsx/PackageParts.h"
#include "host/xlsx/RelationshipsPart.h"
#include "host/xlsx/SheetWriter.h"
#include "host/xlsx/StylesPart.h"
#include "host/xlsx/XmlWriter.h"

namespace {

using host::xlsx::XmlWriter;

constexpr char kDecl[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
// A part edited as a document keeps its own declaration, with nothing after it.
const std::string kDeclKept = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>";
// Every character XML reserves, a tab, a line break and one it cannot carry.
constexpr char kMarkup[] = "R&D <\"1'>\t\n\x01";

TEST(XmlWriterEscaping, TextsAndAttributesCarryEveryCharacterTheyCan) {
  struct Case {
    const char* what;
    void (*write)(XmlWriter&, std::string_view);
    std::string expected;
  };
  const Case cases[] = {
      {"attribute", [](XmlWriter& x, std::string_view v) { x.Start("e").Attr("a", v).End("e"); },
       R"(<e a="R&amp;D &lt;&quot;1'&gt;&#9;&#10;"/>)"},
      {"kept attribute",
       [](XmlWriter& x, std::string_view v) {
         std::string kept;
         XmlWriter::KeepAttribute(kept, "a", v);
         XmlWriter::KeepAttribute(kept, "b", "&");
         x.Start("e").Kept(kept).End("e");
       },
       R"(<e a="R&amp;D &lt;&quot;1'&gt;&#9;&#10;" b="&amp;"/>)"},
      {"text", [](XmlWriter& x, std::string_view v) { x.Start("e").Text(v).End("e"); },
       "<e>R&amp;D &lt;\"1'&gt;\t\n</e>"},
      {"cell text", [](XmlWriter& x, std::string_view v) { x.Start("t").CellText(v).End("t"); },
       "<t>R&amp;D &lt;\"1'&gt;\t\n_x0001_</t>"},
  };
  for (const Case& c : cases) {
    std::string out;
    XmlWriter xml(out, "x:");
    c.write(xml, kMarkup);
    std::string expected = c.expected;
    for (size_t at = 0; (at = expected.find('<', at)) != std::string::npos; ++at)
      expected.insert(expected[at + 1] == '/' ? at + 2 : at + 1, "x:");
    EXPECT_EQ(out, expected) << c.what;
  }
}

// A style table with a number format, a fill and a cell format whose kept
// attributes and alignment came from a user's file.
host::StyleTable UserStyles() {
  host::StyleTable table = host::StyleTable::Default();
  host::Xf xf;
  xf.numFmtId = table.NumFmtId(R"(0.0" R&D"<>)");
  xf.fillId = table.AddFill(host::Fill{"solid", {R"(rgb="FF&0000")"}, {R"(indexed="64")"}, {}});
  XmlWriter::KeepAttribute(xf.otherAttributes, "pivotButton", "a&b");
  xf.hasAlignment = true;
  xf.alignment.horizontal = "le\"ft";
  table.AddXf(xf);
  return table;
}

TEST(PartXml, StylesOfANewWorkbook) {
  EXPECT_EQ(
      host::xlsx::NewStylesXml(UserStyles()),
      std::string(kDecl) +
          R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
          R"(<numFmts count="1"><numFmt numFmtId="164" formatCode="0.0&quot; R&amp;D&quot;&lt;&gt;"/></numFmts>)"
          R"(<fonts count="1"><font><sz val="11"/><color theme="1"/><name val="Calibri"/>)"
          R"(<family val="2"/><scheme val="minor"/></font></fonts>)"
          R"(<fills count="3"><fill><patternFill patternType="none"/></fill>)"
          R"(<fill><patternFill patternType="gray125"/></fill><fill><patternFill patternType="solid">)"
          R"(<fgColor rgb="FF&0000"/><bgColor indexed="64"/></patternFill></fill></fills>)"
          R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
          R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
          R"(<cellXfs count="2"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
          R"(<xf numFmtId="164" fontId="0" fillId="2" borderId="0" xfId="0" pivotButton="a&amp;b">)"
          R"(<alignment horizontal="le&quot;ft"/></xf></cellXfs>)"
          R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
          R"(<dxfs count="0"/><tableStyles count="0"/></styleSheet>)");
}

TEST(PartXml, StylesAppendedToAUsersFileKeepItsEscapes) {
  const std::string original =
      std::string(kDecl) +
      R"(<x:styleSheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
      R"(<x:numFmts count="1"><x:numFmt numFmtId="164" formatCode="&quot;&amp;&quot;0"/></x:numFmts>)"
      R"(<x:fonts count="1"><x:font/></x:fonts><x:fills count="2"><x:fill/><x:fill/></x:fills>)"
      R"(<x:borders count="1"><x:border/></x:borders><x:cellXfs count="1">)"
      R"(<x:xf numFmtId="164" fontId="0" fillId="0" borderId="0"/></x:cellXfs></x:styleSheet>)";
  host::StyleTable table = host::xlsx::ReadStyles(original);
  host::Xf derived = table.xfs[0];
  derived.quotePrefix = true;
  table.AddXf(derived);
  table.NumFmtId("0 & <0>");
  EXPECT_EQ(
      host::xlsx::AppendStyles(original, table),
      kDeclKept +
          R"(<x:styleSheet xmlns:x="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
          R"(<x:numFmts count="2"><x:numFmt numFmtId="164" formatCode="&quot;&amp;&quot;0"/>)"
          R"(<x:numFmt numFmtId="165" formatCode="0 &amp; &lt;0>"/></x:numFmts>)"
          R"(<x:fonts count="1"><x:font/></x:fonts><x:fills count="2"><x:fill/><x:fill/></x:fills>)"
          R"(<x:borders count="1"><x:border/></x:borders><x:cellXfs count="2">)"
          R"(<x:xf numFmtId="164" fontId="0" fillId="0" borderId="0"/>)"
          R"(<x:xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" quotePrefix="1"/>)"
          R"(</x:cellXfs></x:styleSheet>)");
}

// The structure parts of a new package that gets one sheet, named with
// every character XML reserves.
std::map<std::string, std::string> StructureWithOneSheet() {
  const auto seed = host::xlsx::NewPackageParts();
  const host::xlsx::PartReader read = [&seed](const std::string& name, std::string& out) {
    auto found = seed.find(name);
    if (found == seed.end()) return false;
    out = found->second;
    return true;
  };
  host::xlsx::SheetPlan sheet;
  sheet.name = "R&D <\"1'>";
  sheet.rewrite = true;
  return host::xlsx::EditStructure(read, "xl/workbook.xml", host::xlsx::NewPackageOrder(), {sheet},
                                   0, host::StyleTable::Default(), true)
      .parts;
}

TEST(PartXml, StructurePartsOfANewWorkbook) {
  const std::map<std::string, std::string> expected = {
      {"xl/workbook.xml",
       R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
       R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
       R"(<workbookPr/><bookViews><workbookView/></bookViews><sheets><sheet name="R&amp;D )"
       R"(&lt;&quot;1'>" sheetId="1" r:id="rId2"/></sheets><calcPr calcId="191029"/></workbook>)"},
      {"xl/_rels/workbook.xml.rels",
       R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
       R"(<Relationship Id="rId1" )"
       R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" )"
       R"(Target="styles.xml"/><Relationship Id="rId2" )"
       R"(Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" )"
       R"(Target="worksheets/sheet1.xml"/></Relationships>)"},
      {"[Content_Types].xml",
       R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default )"
       R"(Extension="rels" )"
       R"(ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default )"
       R"(Extension="xml" ContentType="application/xml"/><Override PartName="/xl/workbook.xml" )"
       R"(ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
       R"(<Override PartName="/xl/styles.xml" )"
       R"(ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
       R"(<Override PartName="/docProps/app.xml" )"
       R"(ContentType="application/vnd.openxmlformats-officedocument.extended-properties+xml"/>)"
       R"(<Override PartName="/xl/worksheets/sheet1.xml" )"
       R"(ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
       R"(</Types>)"}};
  const auto parts = StructureWithOneSheet();
  for (const auto& [name, xml] : expected) {
    ASSERT_TRUE(parts.count(name)) << name;
    EXPECT_EQ(parts.at(name), kDeclKept + xml) << name;
  }
}

// Relationships kept from a user's file: a target with an & stays escaped
// next to the one the save adds (a > needs no escape in an attribute).
TEST(PartXml, RelationshipsKeepEscapedTargets) {
  host::xlsx::RelationshipsEditor rels("xl/worksheets/sheet1.xml");
  ASSERT_TRUE(rels.Load(
      R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
      R"(<Relationship Id="rId1" Type="t/hyperlink" Target="http://a.example/?x=1&amp;y=&lt;2&gt;" )"
      R"(TargetMode="External"/></Relationships>)"));
  EXPECT_EQ(rels.TargetOf("rId1"), "http://a.example/?x=1&y=<2>");
  rels.Add("t/drawing", "xl/drawings/drawing1.xml");
  EXPECT_EQ(rels.Xml(),
            std::string(kDecl) +
                R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/)"
                R"(relationships"><Relationship Id="rId1" Type="t/hyperlink" )"
                R"(Target="http://a.example/?x=1&amp;y=&lt;2>" TargetMode="External"/>)"
                R"(<Relationship Id="rId2" Type="t/drawing" Target="/xl/drawings/drawing1.xml"/>)"
                R"(</Relationships>)");
}

TEST(PartXml, SheetOfANewWorkbook) {
  host::Application app;
  host::Workbook& book = app.AddWorkbook("new.xlsx");
  host::Worksheet& sheet = book.Sheet(1);
  sheet.GetRange("A1").SetValue(kMarkup);
  sheet.GetRange("B1").SetValue(2.5);
  sheet.GetRange("A2").SetValue(" _x0041_ ");
  sheet.GetRange("B2").SetValue(host::CellValue(true));
  sheet.GetRange("A3:B3").SetMergeCells(true);
  EXPECT_EQ(
      host::xlsx::WriteSheetXml(sheet, nullptr, {}),
      std::string(kDecl) +
          R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
          R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
          R"(<dimension ref="A1:B2"/><sheetViews><sheetView workbookViewId="0"/></sheetViews>)"
          R"(<sheetFormatPr defaultRowHeight="15"/><sheetData><row r="1">)"
          "<c r=\"A1\" t=\"inlineStr\"><is><t xml:space=\"preserve\">"
          "R&amp;D &lt;\"1'&gt;\t\n_x0001_</t></is></c>"
          R"(<c r="B1"><v>2.5</v></c></row><row r="2"><c r="A2" t="inlineStr"><is>)"
          R"(<t xml:space="preserve"> _x005F_x0041_ </t></is></c><c r="B2" t="b"><v>1</v></c>)"
          R"(</row></sheetData><mergeCells count="1"><mergeCell ref="A3:B3"/></mergeCells>)"
          R"(<pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" )"
          R"(footer="0.3"/></worksheet>)");
}

}  // namespace
