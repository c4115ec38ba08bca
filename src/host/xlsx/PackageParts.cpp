#include "host/xlsx/PackageParts.h"

#include <algorithm>
#include <stdexcept>

#include "host/xlsx/RelationshipsPart.h"
#include "host/xlsx/WorkbookPart.h"
#include "host/xlsx/Xml.h"
#include "host/xlsx/XmlDoc.h"

namespace host::xlsx {

namespace {

constexpr const char* kStrictReason =
    "the workbook is saved in the Strict form of the file format, which this program cannot "
    "edit; save it again as an ordinary .xlsx workbook";

bool IsStrict(pugi::xml_node root) {
  for (pugi::xml_attribute a : root.attributes())
    if (std::string_view(a.name()).substr(0, 5) == "xmlns" &&
        std::string_view(a.value()).find("purl.oclc.org") != std::string_view::npos)
      return true;
  return false;
}

}  // namespace

PackageStructure ReadPackageStructure(const PartReader& read) {
  std::string xml;
  if (!read("[Content_Types].xml", xml))
    throw PackageRefusal(FailureCode::ArchiveNotWorkbook,
                         "the file is a zip archive but not a workbook");
  if (!read("_rels/.rels", xml))
    throw PackageRefusal(FailureCode::ArchiveNotWorkbook,
                         "the file is a zip archive but not a workbook (no relationships)");
  PackageStructure s;
  for (const Rel& rel : ParseRels(xml, "")) {
    if (rel.type.find("purl.oclc.org") != std::string::npos)
      throw PackageRefusal(FailureCode::StrictForm, kStrictReason);
    if (EndsWith(rel.type, "/officeDocument") && s.workbookPart.empty())
      s.workbookPart = rel.target;
  }
  if (s.workbookPart.empty() || !read(s.workbookPart, xml))
    throw PackageRefusal(FailureCode::ArchiveNotWorkbook, "the package holds no workbook");
  pugi::xml_document doc;
  if (!LoadDoc(doc, xml)) throw std::runtime_error("the workbook part is damaged");
  pugi::xml_node root = doc.document_element();
  if (IsStrict(root)) throw PackageRefusal(FailureCode::StrictForm, kStrictReason);
  if (LocalName(root.name()) != "workbook")
    throw PackageRefusal(FailureCode::OtherDocument,
                         "the package is a document of another kind, not a workbook");

  std::vector<Rel> rels;
  std::string relsXml;
  if (read(RelsPartOf(s.workbookPart), relsXml)) rels = ParseRels(relsXml, s.workbookPart);
  for (const Rel& rel : rels) {
    if (EndsWith(rel.type, "/styles") && s.stylesPart.empty()) s.stylesPart = rel.target;
    if (EndsWith(rel.type, "/sharedStrings") && s.sharedStringsPart.empty())
      s.sharedStringsPart = rel.target;
  }
  for (pugi::xml_node node : ChildLocal(root, "sheets").children()) {
    if (LocalName(node.name()) != "sheet") continue;
    SheetEntry e;
    e.name = node.attribute("name").value();
    e.sheetId = node.attribute("sheetId").as_int();
    std::string_view state = node.attribute("state").value();
    e.hidden = state == "hidden" || state == "veryHidden";
    e.relId = RelIdAttribute(node).value();
    auto rel =
        std::find_if(rels.begin(), rels.end(), [&](const Rel& r) { return r.id == e.relId; });
    if (rel == rels.end() || rel->external)
      throw std::runtime_error("the workbook is damaged: sheet '" + e.name + "' has no part");
    e.part = rel->target;
    e.worksheet = EndsWith(rel->type, "/worksheet");
    s.sheets.push_back(e);
  }
  if (pugi::xml_node view = ChildLocal(ChildLocal(root, "bookViews"), "workbookView"))
    s.activeTab = view.attribute("activeTab").as_int();
  return s;
}

std::map<std::string, std::string> NewPackageParts() {
  std::map<std::string, std::string> parts;
  const std::string decl = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
  parts["[Content_Types].xml"] =
      decl +
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
      "<Override PartName=\"/xl/styles.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
      "<Override PartName=\"/docProps/app.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
      "</Types>";
  parts["_rels/.rels"] =
      decl +
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
      "Target=\"xl/workbook.xml\"/>"
      "<Relationship Id=\"rId2\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
      "extended-properties\" Target=\"docProps/app.xml\"/></Relationships>";
  parts["docProps/app.xml"] =
      decl +
      "<Properties "
      "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
      "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
      "<Application>AlleleScope</Application><HeadingPairs><vt:vector size=\"2\" "
      "baseType=\"variant\"><vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant><vt:variant>"
      "<vt:i4>0</vt:i4></vt:variant></vt:vector></HeadingPairs><TitlesOfParts><vt:vector "
      "size=\"0\" baseType=\"lpstr\"></vt:vector></TitlesOfParts></Properties>";
  parts["xl/workbook.xml"] =
      decl +
      "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
      "<workbookPr/><bookViews><workbookView/></bookViews><sheets></sheets><calcPr "
      "calcId=\"191029\"/></workbook>";
  parts["xl/_rels/workbook.xml.rels"] =
      decl +
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" "
      "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
      "Target=\"styles.xml\"/></Relationships>";
  return parts;
}

std::vector<std::string> NewPackageOrder() {
  return {"[Content_Types].xml",        "_rels/.rels",  "docProps/app.xml", "xl/workbook.xml",
          "xl/_rels/workbook.xml.rels", "xl/styles.xml"};
}

}  // namespace host::xlsx
