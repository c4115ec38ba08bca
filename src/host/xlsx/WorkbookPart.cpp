#include "host/xlsx/WorkbookPart.h"

#include <algorithm>
#include <stdexcept>

#include "host/xlsx/Xml.h"
#include "host/xlsx/XmlDoc.h"

namespace host::xlsx {

namespace {

constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

bool IsHidden(pugi::xml_node sheet) {
  std::string_view state = sheet.attribute("state").value();
  return state == "hidden" || state == "veryHidden";
}

// Sets an attribute, adding it where it is missing.
pugi::xml_attribute Attribute(pugi::xml_node node, const char* name) {
  pugi::xml_attribute a = node.attribute(name);
  return a ? a : node.append_attribute(name);
}

}  // namespace

pugi::xml_attribute RelIdAttribute(pugi::xml_node sheet) {
  for (pugi::xml_attribute a : sheet.attributes())
    if (EndsWith(a.name(), ":id")) return a;
  return {};
}

bool WorkbookEditor::Load(const std::string& xml) {
  if (!LoadDoc(doc_, xml)) return false;
  root_ = doc_.document_element();
  return true;
}

void WorkbookEditor::ReadSheets() {
  sheets_ = ChildLocal(root_, "sheets");
  if (!sheets_) throw std::runtime_error("the workbook lists no sheets");
  for (pugi::xml_node n : sheets_.children()) {
    if (n.type() != pugi::node_element || LocalName(n.name()) != "sheet") continue;
    listed_.push_back(n);
    sheetIds_.insert(n.attribute("sheetId").as_int());
  }
  // New sheets need the relationships namespace bound.
  if (!FindPrefix(root_, kRelNs, relPrefix_) || relPrefix_.empty()) {
    if (!root_.attribute("xmlns:r")) root_.append_attribute("xmlns:r").set_value(kRelNs);
    relPrefix_ = "r:";
  }
}

std::vector<std::string> WorkbookEditor::WorksheetNames(const RelationshipsEditor& rels) const {
  std::vector<std::string> names;
  for (pugi::xml_node n : listed_)
    if (EndsWith(rels.TypeOf(RelIdAttribute(n).value()), "/worksheet"))
      names.push_back(n.attribute("name").value());
  return names;
}

void WorkbookEditor::PlaceSheets(const std::vector<SheetPlan>& plan,
                                 const RelationshipsEditor& rels,
                                 const std::function<void(SheetPlanResult&)>& newSheet,
                                 std::vector<SheetPlanResult>& results) {
  oldToNew_.assign(listed_.size(), -1);
  for (size_t i = 0; i < plan.size(); ++i) {
    pugi::xml_node node = PlaceListed(plan[i].position, i, rels, results[i]);
    if (!node) {
      newSheet(results[i]);
      node = AppendSheet(results[i]);
      results[i].sheetId = node.attribute("sheetId").as_int();
    }
    SetNameAndState(node, plan[i]);
  }
  // Sheets the model no longer has (it cannot delete any today) leave the list.
  for (size_t k = 0; k < listed_.size(); ++k)
    if (oldToNew_[k] < 0) {
      sheets_.remove_child(listed_[k]);
      changed_ = true;
    }
}

pugi::xml_node WorkbookEditor::PlaceListed(int position, size_t index,
                                           const RelationshipsEditor& rels,
                                           SheetPlanResult& result) {
  if (position < 0 || static_cast<size_t>(position) >= listed_.size() ||
      oldToNew_[static_cast<size_t>(position)] >= 0)
    return {};
  pugi::xml_node node = listed_[static_cast<size_t>(position)];
  oldToNew_[static_cast<size_t>(position)] = static_cast<int>(index);
  if (position != static_cast<int>(index)) changed_ = true;
  result.relId = RelIdAttribute(node).value();
  result.sheetId = node.attribute("sheetId").as_int();
  result.part = rels.TargetOf(result.relId);
  sheets_.append_move(node);
  return node;
}

pugi::xml_node WorkbookEditor::AppendSheet(const SheetPlanResult& result) {
  int id = sheetIds_.empty() ? 1 : *sheetIds_.rbegin() + 1;
  if (id > 65534)
    for (id = 1; sheetIds_.count(id); ++id) {
    }
  sheetIds_.insert(id);
  pugi::xml_node node = sheets_.append_child((Prefix(root_) + "sheet").c_str());
  node.append_attribute("name");
  node.append_attribute("sheetId").set_value(id);
  node.append_attribute((relPrefix_ + "id").c_str()).set_value(result.relId.c_str());
  changed_ = true;
  return node;
}

void WorkbookEditor::SetNameAndState(pugi::xml_node node, const SheetPlan& sheet) {
  if (sheet.name != node.attribute("name").value()) {
    node.attribute("name").set_value(sheet.name.c_str());
    changed_ = true;
  }
  if (IsHidden(node) != sheet.hidden) {
    if (sheet.hidden)
      Attribute(node, "state").set_value("hidden");
    else
      node.remove_attribute("state");
    changed_ = true;
  }
}

int WorkbookEditor::NewPosition(int oldPosition, int otherwise) const {
  return oldPosition >= 0 && static_cast<size_t>(oldPosition) < oldToNew_.size()
             ? oldToNew_[static_cast<size_t>(oldPosition)]
             : otherwise;
}

void WorkbookEditor::RenumberDefinedNames() {
  for (pugi::xml_node dn = ChildLocal(ChildLocal(root_, "definedNames"), "definedName"); dn;) {
    pugi::xml_node next = dn.next_sibling();
    if (pugi::xml_attribute local = dn.attribute("localSheetId")) {
      int old = local.as_int(-1);
      int now = NewPosition(old, -1);
      if (now < 0) {
        dn.parent().remove_child(dn);
        changed_ = true;
      } else if (now != old) {
        local.set_value(now);
        changed_ = true;
      }
    }
    dn = next;
  }
}

int WorkbookEditor::ActiveSheet(const std::vector<SheetPlan>& plan, int modelActive) const {
  auto firstVisible = [&](int from) {
    for (size_t i = 0; i < plan.size(); ++i) {
      size_t k = (static_cast<size_t>(from) + i) % plan.size();
      if (!plan[k].hidden) return static_cast<int>(k);
    }
    return 0;
  };
  if (listed_.empty())
    return firstVisible(std::clamp(modelActive, 0, static_cast<int>(plan.size()) - 1));
  pugi::xml_node view = ChildLocal(ChildLocal(root_, "bookViews"), "workbookView");
  int active = NewPosition(view ? view.attribute("activeTab").as_int() : 0, -1);
  if (active < 0 || plan[static_cast<size_t>(active)].hidden)
    active = firstVisible(std::max(active, 0));
  return active;
}

void WorkbookEditor::SetActiveTab(int active) {
  pugi::xml_node view = ChildLocal(ChildLocal(root_, "bookViews"), "workbookView");
  if (!view) return;
  int oldActive = view.attribute("activeTab").as_int();
  if (oldActive != active || (active != 0 && !view.attribute("activeTab"))) {
    Attribute(view, "activeTab").set_value(active);
    changed_ = true;
  }
  if (pugi::xml_attribute first = view.attribute("firstSheet")) {
    int old = first.as_int();
    int now = std::clamp(NewPosition(old, 0), 0, active);
    if (now != old) {
      first.set_value(now);
      changed_ = true;
    }
  }
}

std::string WorkbookEditor::Xml() const { return SaveDoc(doc_); }

}  // namespace host::xlsx
