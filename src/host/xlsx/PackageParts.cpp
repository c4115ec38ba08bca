#include "host/xlsx/PackageParts.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "host/xlsx/StylesPart.h"
#include "host/xlsx/Xml.h"
#include "host/xlsx/XmlDoc.h"

namespace host::xlsx {

namespace {

constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr const char* kWorksheetRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
constexpr const char* kWorksheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
constexpr const char* kStrictReason =
    "the workbook is saved in the Strict form of the file format, which this program cannot "
    "edit; save it again as an ordinary .xlsx workbook";

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

struct Rel {
  std::string id, type, target;  // target resolved to a part name
  bool external = false;
};

std::vector<Rel> ParseRels(const std::string& xml, const std::string& sourcePart) {
  std::vector<Rel> rels;
  pugi::xml_document doc;
  if (!LoadDoc(doc, xml)) throw std::runtime_error("a relationship part is damaged");
  for (pugi::xml_node r : doc.document_element().children()) {
    if (LocalName(r.name()) != "Relationship") continue;
    Rel rel{r.attribute("Id").value(), r.attribute("Type").value(), "", false};
    rel.external = std::string_view(r.attribute("TargetMode").value()) == "External";
    rel.target = rel.external ? r.attribute("Target").value()
                              : ResolveTarget(sourcePart, r.attribute("Target").value());
    rels.push_back(rel);
  }
  return rels;
}

bool IsStrict(pugi::xml_node root) {
  for (pugi::xml_attribute a : root.attributes())
    if (std::string_view(a.name()).substr(0, 5) == "xmlns" &&
        std::string_view(a.value()).find("purl.oclc.org") != std::string_view::npos)
      return true;
  return false;
}

// The r:id of a <sheet>, whatever prefix the file binds to the namespace.
pugi::xml_attribute RelIdAttribute(pugi::xml_node sheet) {
  for (pugi::xml_attribute a : sheet.attributes())
    if (EndsWith(a.name(), ":id")) return a;
  return {};
}

}  // namespace

PackageStructure ReadPackageStructure(const PartReader& read) {
  std::string xml;
  if (!read("[Content_Types].xml", xml))
    throw std::runtime_error("the file is a zip archive but not a workbook");
  if (!read("_rels/.rels", xml))
    throw std::runtime_error("the file is a zip archive but not a workbook (no relationships)");
  PackageStructure s;
  for (const Rel& rel : ParseRels(xml, "")) {
    if (rel.type.find("purl.oclc.org") != std::string::npos)
      throw std::runtime_error(kStrictReason);
    if (EndsWith(rel.type, "/officeDocument") && s.workbookPart.empty())
      s.workbookPart = rel.target;
  }
  if (s.workbookPart.empty() || !read(s.workbookPart, xml))
    throw std::runtime_error("the package holds no workbook");
  pugi::xml_document doc;
  if (!LoadDoc(doc, xml)) throw std::runtime_error("the workbook part is damaged");
  pugi::xml_node root = doc.document_element();
  if (IsStrict(root)) throw std::runtime_error(kStrictReason);
  if (LocalName(root.name()) != "workbook")
    throw std::runtime_error("the package is a document of another kind, not a workbook");

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

std::string UpdateAppProperties(const std::string& xml, const std::vector<std::string>& oldNames,
                                const std::vector<std::string>& newNames) {
  pugi::xml_document doc;
  if (!LoadDoc(doc, xml)) return xml;  // not ours to repair; it was copied before too
  pugi::xml_node root = doc.document_element();
  pugi::xml_node pairs = ChildLocal(root, "HeadingPairs");
  pugi::xml_node titles = ChildLocal(root, "TitlesOfParts");
  if (!pairs && !titles) return xml;
  pugi::xml_node pairVector = ChildLocal(pairs, "vector");
  pugi::xml_node titleVector = ChildLocal(titles, "vector");
  std::vector<pugi::xml_node> titleNodes;
  for (pugi::xml_node t : titleVector.children())
    if (t.type() == pugi::node_element) titleNodes.push_back(t);

  bool done = false;
  size_t offset = 0;
  std::vector<pugi::xml_node> variants;
  for (pugi::xml_node v : pairVector.children())
    if (v.type() == pugi::node_element) variants.push_back(v);
  for (size_t i = 0; i + 1 < variants.size() && !done; i += 2) {
    pugi::xml_node countNode = variants[i + 1].first_child();
    size_t count = static_cast<size_t>(std::max(0, countNode.text().as_int()));
    if (offset + count > titleNodes.size()) break;
    bool match = count == oldNames.size();
    for (size_t k = 0; match && k < count; ++k)
      match = oldNames[k] == titleNodes[offset + k].text().get();
    if (match) {
      std::string itemName = titleNodes.empty() ? Prefix(titleVector) + "lpstr"
                                                : std::string(titleNodes.front().name());
      pugi::xml_node next =
          offset + count < titleNodes.size() ? titleNodes[offset + count] : pugi::xml_node();
      for (size_t k = 0; k < count; ++k) titleVector.remove_child(titleNodes[offset + k]);
      for (const std::string& name : newNames) {
        pugi::xml_node n = next ? titleVector.insert_child_before(itemName.c_str(), next)
                                : titleVector.append_child(itemName.c_str());
        n.text().set(name.c_str());
      }
      countNode.text().set(static_cast<int>(newNames.size()));
      size_t total = titleNodes.size() - count + newNames.size();
      titleVector.attribute("size").set_value(static_cast<unsigned>(total));
      done = true;
    }
    offset += count;
  }
  if (!done) {
    root.remove_child(pairs);
    root.remove_child(titles);
  }
  return SaveDoc(doc);
}

StructureEdit EditStructure(const PartReader& read, const std::string& workbookPart,
                            const std::vector<std::string>& entryNames,
                            const std::vector<SheetPlan>& plan, int modelActive,
                            const StyleTable& styles, bool newPackage) {
  StructureEdit edit;
  edit.workbookPart = workbookPart;
  edit.sheets.resize(plan.size());
  std::string wbXml, relsXml, ctXml;
  const std::string relsPart = RelsPartOf(workbookPart);
  if (!read(workbookPart, wbXml)) throw std::runtime_error("the workbook part is missing");
  if (!read("[Content_Types].xml", ctXml))
    throw std::runtime_error("the content types are missing");
  if (!read(relsPart, relsXml))
    relsXml =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>";
  pugi::xml_document wb, rels, ct;
  if (!LoadDoc(wb, wbXml) || !LoadDoc(rels, relsXml) || !LoadDoc(ct, ctXml))
    throw std::runtime_error("the workbook structure is damaged");
  pugi::xml_node wbRoot = wb.document_element();
  pugi::xml_node relsRoot = rels.document_element();
  pugi::xml_node ctRoot = ct.document_element();
  std::string p = Prefix(wbRoot);
  bool wbChanged = false, relsChanged = false, ctChanged = false;

  std::set<std::string> taken;  // part names compare ignoring case
  for (const std::string& n : entryNames) taken.insert(Lower(n));
  std::set<std::string> relIds;
  for (pugi::xml_node r : relsRoot.children()) relIds.insert(r.attribute("Id").value());

  pugi::xml_node sheetsNode = ChildLocal(wbRoot, "sheets");
  if (!sheetsNode) throw std::runtime_error("the workbook lists no sheets");
  std::vector<pugi::xml_node> original;
  std::set<int> sheetIds;
  for (pugi::xml_node n : sheetsNode.children()) {
    if (n.type() != pugi::node_element || LocalName(n.name()) != "sheet") continue;
    original.push_back(n);
    sheetIds.insert(n.attribute("sheetId").as_int());
  }
  std::string relPrefix;
  if (!FindPrefix(wbRoot, kRelNs, relPrefix) || relPrefix.empty()) {
    if (!wbRoot.attribute("xmlns:r")) wbRoot.append_attribute("xmlns:r").set_value(kRelNs);
    relPrefix = "r:";
  }
  std::map<std::string, std::string> relTargets, relTypes;  // by id: resolved part, type
  for (const Rel& r : ParseRels(relsXml, workbookPart)) {
    relTargets[r.id] = r.target;
    relTypes[r.id] = r.type;
  }

  // <sheets> in model order.
  std::vector<int> oldToNew(original.size(), -1);
  std::vector<std::string> oldNames, newNames;
  for (pugi::xml_node n : original)
    if (EndsWith(relTypes[RelIdAttribute(n).value()], "/worksheet"))
      oldNames.push_back(n.attribute("name").value());
  for (size_t i = 0; i < plan.size(); ++i) {
    const SheetPlan& sp = plan[i];
    SheetPlanResult& res = edit.sheets[i];
    pugi::xml_node node;
    if (sp.position >= 0 && static_cast<size_t>(sp.position) < original.size() &&
        oldToNew[static_cast<size_t>(sp.position)] < 0) {
      node = original[static_cast<size_t>(sp.position)];
      oldToNew[static_cast<size_t>(sp.position)] = static_cast<int>(i);
      if (sp.position != static_cast<int>(i)) wbChanged = true;
      res.relId = RelIdAttribute(node).value();
      res.sheetId = node.attribute("sheetId").as_int();
      res.part = relTargets[res.relId];
      sheetsNode.append_move(node);
    } else {
      for (int k = 1;; ++k) {
        std::string part = "xl/worksheets/sheet" + std::to_string(k) + ".xml";
        if (taken.insert(Lower(part)).second) {
          res.part = part;
          break;
        }
      }
      for (size_t k = relIds.size() + 1;; ++k) {
        std::string id = "rId" + std::to_string(k);
        if (relIds.insert(id).second) {
          res.relId = id;
          break;
        }
      }
      int id = sheetIds.empty() ? 1 : *sheetIds.rbegin() + 1;
      if (id > 65534)
        for (id = 1; sheetIds.count(id); ++id) {
        }
      sheetIds.insert(id);
      res.sheetId = id;
      node = sheetsNode.append_child((p + "sheet").c_str());
      node.append_attribute("name");
      node.append_attribute("sheetId").set_value(id);
      node.append_attribute((relPrefix + "id").c_str()).set_value(res.relId.c_str());
      pugi::xml_node rel = relsRoot.append_child((Prefix(relsRoot) + "Relationship").c_str());
      rel.append_attribute("Id").set_value(res.relId.c_str());
      rel.append_attribute("Type").set_value(kWorksheetRel);
      rel.append_attribute("Target").set_value(RelativeTarget(workbookPart, res.part).c_str());
      pugi::xml_node ov = ctRoot.append_child((Prefix(ctRoot) + "Override").c_str());
      ov.append_attribute("PartName").set_value(("/" + res.part).c_str());
      ov.append_attribute("ContentType").set_value(kWorksheetType);
      edit.added.push_back(res.part);
      wbChanged = relsChanged = ctChanged = true;
    }
    if (sp.name != node.attribute("name").value()) {
      node.attribute("name").set_value(sp.name.c_str());
      wbChanged = true;
    }
    std::string_view state = node.attribute("state").value();
    bool hidden = state == "hidden" || state == "veryHidden";
    if (hidden != sp.hidden) {
      if (sp.hidden) {
        (node.attribute("state") ? node.attribute("state") : node.append_attribute("state"))
            .set_value("hidden");
      } else {
        node.remove_attribute("state");
      }
      wbChanged = true;
    }
    if (sp.worksheet) newNames.push_back(sp.name);
  }
  // Sheets the model no longer has (it cannot delete any today) leave the list.
  for (size_t k = 0; k < original.size(); ++k)
    if (oldToNew[k] < 0) {
      sheetsNode.remove_child(original[k]);
      wbChanged = true;
    }

  // Positions that name sheets follow the new order.
  for (pugi::xml_node dn = ChildLocal(ChildLocal(wbRoot, "definedNames"), "definedName"); dn;) {
    pugi::xml_node next = dn.next_sibling();
    if (pugi::xml_attribute local = dn.attribute("localSheetId")) {
      int old = local.as_int(-1);
      int now = old >= 0 && static_cast<size_t>(old) < oldToNew.size()
                    ? oldToNew[static_cast<size_t>(old)]
                    : -1;
      if (now < 0) {
        dn.parent().remove_child(dn);
        wbChanged = true;
      } else if (now != old) {
        local.set_value(now);
        wbChanged = true;
      }
    }
    dn = next;
  }
  auto firstVisible = [&](int from) {
    for (size_t i = 0; i < plan.size(); ++i) {
      size_t k = (static_cast<size_t>(from) + i) % plan.size();
      if (!plan[k].hidden) return static_cast<int>(k);
    }
    return 0;
  };
  pugi::xml_node view = ChildLocal(ChildLocal(wbRoot, "bookViews"), "workbookView");
  int active;
  if (original.empty()) {
    active = firstVisible(std::clamp(modelActive, 0, static_cast<int>(plan.size()) - 1));
    edit.sheets[static_cast<size_t>(active)].tabSelected = true;
  } else {
    int old = view ? view.attribute("activeTab").as_int() : 0;
    active = old >= 0 && static_cast<size_t>(old) < oldToNew.size()
                 ? oldToNew[static_cast<size_t>(old)]
                 : -1;
    if (active < 0 || plan[static_cast<size_t>(active)].hidden)
      active = firstVisible(std::max(active, 0));
  }
  edit.sheets[static_cast<size_t>(active)].tabActive = true;
  if (view) {
    int oldActive = view.attribute("activeTab").as_int();
    if (oldActive != active || (active != 0 && !view.attribute("activeTab"))) {
      (view.attribute("activeTab") ? view.attribute("activeTab")
                                   : view.append_attribute("activeTab"))
          .set_value(active);
      wbChanged = true;
    }
    if (pugi::xml_attribute first = view.attribute("firstSheet")) {
      int old = first.as_int();
      int now = old >= 0 && static_cast<size_t>(old) < oldToNew.size()
                    ? oldToNew[static_cast<size_t>(old)]
                    : 0;
      now = std::clamp(now, 0, active);
      if (now != old) {
        first.set_value(now);
        wbChanged = true;
      }
    }
  }

  // A rewritten sheet with formulas makes the calculation chain stale.
  bool dropChain = std::any_of(plan.begin(), plan.end(),
                               [](const SheetPlan& s) { return s.rewrite && s.hasFormulas; });
  std::string stylesPart;
  for (pugi::xml_node r = relsRoot.first_child(); r;) {
    pugi::xml_node next = r.next_sibling();
    std::string type = r.attribute("Type").value();
    std::string target = ResolveTarget(workbookPart, r.attribute("Target").value());
    if (EndsWith(type, "/styles") && stylesPart.empty()) stylesPart = target;
    if (dropChain && EndsWith(type, "/calcChain")) {
      edit.dropped.insert(target);
      relsRoot.remove_child(r);
      relsChanged = true;
    }
    r = next;
  }
  if (!edit.dropped.empty()) {
    for (pugi::xml_node o = ctRoot.first_child(); o;) {
      pugi::xml_node next = o.next_sibling();
      std::string name = o.attribute("PartName").value();
      if (!name.empty() && edit.dropped.count(name.substr(1))) {
        ctRoot.remove_child(o);
        ctChanged = true;
      }
      o = next;
    }
  }

  // Styles: appended to, or written whole for a new package.
  if (newPackage) {
    edit.parts[stylesPart.empty() ? "xl/styles.xml" : stylesPart] = NewStylesXml(styles);
  } else if (styles.Changed()) {
    std::string xml;
    if (stylesPart.empty() || !read(stylesPart, xml)) {
      // A package without a style sheet gets one.
      stylesPart = "xl/styles.xml";
      for (int k = 1; !taken.insert(Lower(stylesPart)).second; ++k)
        stylesPart = "xl/styles" + std::to_string(k) + ".xml";
      std::string id;
      for (size_t k = relIds.size() + 1; !relIds.insert(id = "rId" + std::to_string(k)).second;
           ++k) {
      }
      pugi::xml_node rel = relsRoot.append_child((Prefix(relsRoot) + "Relationship").c_str());
      rel.append_attribute("Id").set_value(id.c_str());
      rel.append_attribute("Type").set_value(
          "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles");
      rel.append_attribute("Target").set_value(RelativeTarget(workbookPart, stylesPart).c_str());
      pugi::xml_node ov = ctRoot.append_child((Prefix(ctRoot) + "Override").c_str());
      ov.append_attribute("PartName").set_value(("/" + stylesPart).c_str());
      ov.append_attribute("ContentType")
          .set_value("application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml");
      edit.parts[stylesPart] = NewStylesXml(styles);
      edit.added.insert(edit.added.begin(), stylesPart);
      relsChanged = ctChanged = true;
    } else {
      edit.parts[stylesPart] = AppendStyles(xml, styles);
    }
  }

  if (wbChanged || newPackage) edit.parts[workbookPart] = SaveDoc(wb);
  if (relsChanged || newPackage) {
    edit.parts[relsPart] = SaveDoc(rels);
    if (!std::count(entryNames.begin(), entryNames.end(), relsPart))
      edit.added.insert(edit.added.begin(), relsPart);
  }
  if (ctChanged || newPackage) edit.parts["[Content_Types].xml"] = SaveDoc(ct);

  std::string appXml;
  if ((oldNames != newNames || newPackage) && read("docProps/app.xml", appXml))
    edit.parts["docProps/app.xml"] = UpdateAppProperties(appXml, oldNames, newNames);
  if (newPackage) {
    std::string rootRels;
    if (read("_rels/.rels", rootRels)) edit.parts["_rels/.rels"] = rootRels;
  }
  return edit;
}

}  // namespace host::xlsx
