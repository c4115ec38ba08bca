#pragma once
// xl/workbook.xml, edited at save to follow the model: the <sheets> list in
// model order (new sheets, names, visibility), the defined names local to a
// sheet, and the workbook view's active and first tab.
#include <functional>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <vector>

#include "host/xlsx/PackageParts.h"
#include "host/xlsx/RelationshipsPart.h"

namespace host::xlsx {

// The r:id of a <sheet>, whatever prefix the file binds to the namespace.
pugi::xml_attribute RelIdAttribute(pugi::xml_node sheet);

class WorkbookEditor {
 public:
  // False when the part is not XML.
  bool Load(const std::string& xml);
  // Finds the sheets the part lists. Throws std::runtime_error without <sheets>.
  void ReadSheets();

  // The names of the listed sheets that are worksheets, as `rels` types them.
  std::vector<std::string> WorksheetNames(const RelationshipsEditor& rels) const;

  // Lists the model's sheets in model order: a sheet the package had keeps its
  // <sheet> (and part, ids); for any other `newSheet` picks part and relId and
  // a <sheet> is added. Sheets the model no longer has leave the list.
  void PlaceSheets(const std::vector<SheetPlan>& plan, const RelationshipsEditor& rels,
                   const std::function<void(SheetPlanResult&)>& newSheet,
                   std::vector<SheetPlanResult>& results);
  // Defined names local to a sheet follow it; those of a sheet that left go.
  void RenumberDefinedNames();
  // The sheet (0-based, new order) to be active: the package's active tab
  // where it had sheets, otherwise the model's; never a hidden one.
  int ActiveSheet(const std::vector<SheetPlan>& plan, int modelActive) const;
  bool HadSheets() const { return !listed_.empty(); }
  // Points the workbook view's activeTab (and firstSheet) at the new order.
  void SetActiveTab(int active);

  bool Changed() const { return changed_; }
  std::string Xml() const;

 private:
  pugi::xml_node PlaceListed(int position, size_t index, const RelationshipsEditor& rels,
                             SheetPlanResult& result);
  pugi::xml_node AppendSheet(const SheetPlanResult& result);
  void SetNameAndState(pugi::xml_node node, const SheetPlan& sheet);
  int NewPosition(int oldPosition, int otherwise) const;

  pugi::xml_document doc_;
  pugi::xml_node root_, sheets_;
  std::string relPrefix_;
  std::vector<pugi::xml_node> listed_;  // <sheet> elements as read
  std::set<int> sheetIds_;
  std::vector<int> oldToNew_;  // per listed sheet: its index in the new order, or -1
  bool changed_ = false;
};

}  // namespace host::xlsx
