// EditStructure: what a save changes in the structure parts, each part edited
// by its own editor (workbook, relationships, content types, styles, document
// properties).
#include <algorithm>
#include <map>
#include <set>
#include <stdexcept>

#include "host/AsciiText.h"
#include "host/xlsx/AppPropertiesPart.h"
#include "host/xlsx/ContentTypesPart.h"
#include "host/xlsx/PackageParts.h"
#include "host/xlsx/PartNames.h"
#include "host/xlsx/PartTypes.h"
#include "host/xlsx/RelationshipsPart.h"
#include "host/xlsx/SheetDrawingEdit.h"
#include "host/xlsx/StylesPart.h"
#include "host/xlsx/WorkbookPart.h"
#include "host/xlsx/Xml.h"

namespace host::xlsx {

namespace {

// Relationships may spell a part otherwise than its entry does: each part is
// written under its entry's name, or the package would hold it twice.
void SpellAsEntries(const PartNames& names, StructureEdit& edit) {
  std::map<std::string, std::string> parts;
  for (auto& [name, xml] : edit.parts) parts[names.Spelled(name)] = std::move(xml);
  edit.parts = std::move(parts);
  std::set<std::string> dropped;
  for (const std::string& name : edit.dropped) dropped.insert(names.Spelled(name));
  edit.dropped = std::move(dropped);
  for (std::string& name : edit.added) name = names.Spelled(name);
  for (SheetPlanResult& sheet : edit.sheets) sheet.part = names.Spelled(sheet.part);
  edit.workbookPart = names.Spelled(edit.workbookPart);
}

// The three parts every structure edit starts from.
struct StructureDocs {
  WorkbookEditor workbook;
  RelationshipsEditor rels;
  ContentTypesEditor contentTypes;
};

void LoadDocs(const PartReader& read, const std::string& workbookPart, StructureDocs& docs) {
  std::string wbXml, relsXml, ctXml;
  if (!read(workbookPart, wbXml)) throw std::runtime_error("the workbook part is missing");
  if (!read("[Content_Types].xml", ctXml))
    throw std::runtime_error("the content types are missing");
  if (!read(RelsPartOf(workbookPart), relsXml)) relsXml = kEmptyRels;
  if (!docs.workbook.Load(wbXml) || !docs.rels.Load(relsXml) || !docs.contentTypes.Load(ctXml))
    throw std::runtime_error("the workbook structure is damaged");
  docs.workbook.ReadSheets();
}

// Styles are appended to, or written whole for a new package; a package
// without a style sheet gets one.
void EditStyles(const PartReader& read, const StyleTable& styles, bool newPackage, PartNames& names,
                StructureDocs& docs, StructureEdit& edit) {
  std::string stylesPart = docs.rels.FirstTargetOfType("/styles");
  if (newPackage) {
    edit.parts[stylesPart.empty() ? "xl/styles.xml" : stylesPart] = NewStylesXml(styles);
    return;
  }
  if (!styles.Changed()) return;
  std::string xml;
  if (!stylesPart.empty() && read(stylesPart, xml)) {
    edit.parts[stylesPart] = AppendStyles(xml, styles);
    return;
  }
  stylesPart = "xl/styles.xml";
  for (int k = 1; !names.Take(stylesPart); ++k)
    stylesPart = "xl/styles" + std::to_string(k) + ".xml";
  docs.rels.Add(kStylesRel, stylesPart);
  docs.contentTypes.AddOverride(stylesPart, kStylesType);
  edit.parts[stylesPart] = NewStylesXml(styles);
  edit.added.insert(edit.added.begin(), stylesPart);
}

// A rewritten sheet with formulas makes the calculation chain stale.
void DropStaleCalcChain(const std::vector<SheetPlan>& plan, StructureDocs& docs,
                        StructureEdit& edit) {
  bool stale = std::any_of(plan.begin(), plan.end(),
                           [](const SheetPlan& s) { return s.rewrite && s.hasFormulas; });
  if (stale) edit.dropped = docs.rels.RemoveOfType("/calcChain");
  docs.contentTypes.RemoveOverrides(edit.dropped);
}

}  // namespace

StructureEdit EditStructure(const PartReader& read, const std::string& workbookPart,
                            const std::vector<std::string>& entryNames,
                            const std::vector<SheetPlan>& plan, int modelActive,
                            const StyleTable& styles, bool newPackage) {
  StructureEdit edit;
  edit.workbookPart = workbookPart;
  edit.sheets.resize(plan.size());
  StructureDocs docs{WorkbookEditor(), RelationshipsEditor(workbookPart), ContentTypesEditor()};
  LoadDocs(read, workbookPart, docs);
  PartNames names(entryNames);

  std::vector<std::string> oldNames = docs.workbook.WorksheetNames(docs.rels), newNames;
  for (const SheetPlan& sheet : plan)
    if (sheet.worksheet) newNames.push_back(sheet.name);
  auto newSheet = [&](SheetPlanResult& result) {
    result.part = names.TakeNumbered("xl/worksheets/sheet", ".xml");
    result.relId = docs.rels.Add(kWorksheetRel, result.part);
    docs.contentTypes.AddOverride(result.part, kWorksheetType);
    edit.added.push_back(result.part);
  };
  docs.workbook.PlaceSheets(plan, docs.rels, newSheet, edit.sheets);
  docs.workbook.RenumberDefinedNames();
  int active = docs.workbook.ActiveSheet(plan, modelActive);
  if (!docs.workbook.HadSheets()) edit.sheets[static_cast<size_t>(active)].tabSelected = true;
  edit.sheets[static_cast<size_t>(active)].tabActive = true;
  docs.workbook.SetActiveTab(active);

  DropStaleCalcChain(plan, docs, edit);
  DrawingEdit drawings{read, entryNames, names, docs.contentTypes, edit};
  for (size_t i = 0; i < plan.size(); ++i)
    if (plan[i].images && plan[i].worksheet)
      edit.sheets[i].drawingRelId =
          ReplaceSheetDrawing(drawings, edit.sheets[i].part, *plan[i].images);
  EditStyles(read, styles, newPackage, names, docs, edit);

  const std::string relsPart = RelsPartOf(workbookPart);
  if (docs.workbook.Changed() || newPackage) edit.parts[workbookPart] = docs.workbook.Xml();
  if (docs.rels.Changed() || newPackage) {
    edit.parts[relsPart] = docs.rels.Xml();
    if (!std::count(entryNames.begin(), entryNames.end(), relsPart))
      edit.added.insert(edit.added.begin(), relsPart);
  }
  if (docs.contentTypes.Changed() || newPackage)
    edit.parts["[Content_Types].xml"] = docs.contentTypes.Xml();

  std::string appXml;
  if ((oldNames != newNames || newPackage) && read("docProps/app.xml", appXml))
    edit.parts["docProps/app.xml"] = UpdateAppProperties(appXml, oldNames, newNames);
  if (newPackage) {
    std::string rootRels;
    if (read("_rels/.rels", rootRels)) edit.parts["_rels/.rels"] = rootRels;
  }
  SpellAsEntries(names, edit);
  return edit;
}

}  // namespace host::xlsx
