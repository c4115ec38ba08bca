#include "host/xlsx/SheetLayoutXml.h"

#include "host/xlsx/Xml.h"
#include "host/xlsx/XmlDoc.h"
#include "host/xlsx/XmlWriter.h"

namespace host::xlsx {
namespace {

// The pane and its selection for panes frozen at `at` (the top-left cell of
// the scrolling part), element names carrying `prefix`. Empty when nothing
// is frozen.
std::string FrozenPaneXml(std::pair<int, int> at, const std::string& prefix) {
  const int xSplit = at.second - 1, ySplit = at.first - 1;
  if (xSplit <= 0 && ySplit <= 0) return {};
  const char* active = xSplit > 0 && ySplit > 0 ? "bottomRight"
                       : xSplit > 0             ? "topRight"
                                                : "bottomLeft";
  std::string out;
  XmlWriter xml(out, prefix);
  xml.Start("pane");
  if (xSplit > 0) xml.Attr("xSplit", xSplit);
  if (ySplit > 0) xml.Attr("ySplit", ySplit);
  xml.RefAttr("topLeftCell", at.first, at.second).Attr("activePane", active);
  xml.Attr("state", "frozen").End("pane");
  xml.Start("selection").Attr("pane", active).RefAttr("activeCell", at.first, at.second);
  xml.RefAttr("sqref", at.first, at.second).End("selection");
  return out;
}

// The file's sheetViews with the first view's panes and selections replaced.
std::string KeptViewsWithPane(const std::string& kept, std::pair<int, int> at) {
  pugi::xml_document doc;
  if (!LoadDoc(doc, kept)) return {};
  pugi::xml_node views = doc.document_element();
  pugi::xml_node view = ChildLocal(views, "sheetView");
  if (!view) return {};
  for (pugi::xml_node child = view.first_child(); child;) {
    pugi::xml_node next = child.next_sibling();
    std::string_view name = LocalName(child.name());
    if (name == "pane" || name == "selection") view.remove_child(child);
    child = next;
  }
  pugi::xml_document pane;
  const std::string prefix = Prefix(view);
  pane.load_string(("<p>" + FrozenPaneXml(at, prefix) + "</p>").c_str());
  pugi::xml_node parts = pane.document_element();
  for (pugi::xml_node part = parts.last_child(); part; part = part.previous_sibling())
    view.prepend_copy(part);
  return NodeXml(views);
}

}  // namespace

bool ModelOwns(const Worksheet& sheet, std::string_view localName) {
  if (localName == "cols") return sheet.ColumnWidthsSet();
  if (localName == "sheetViews") return sheet.FrozenAt().has_value();
  if (localName == "drawing") return sheet.ImagesSet();
  return false;
}

std::vector<XlsxSheetExtra::Element> ModelLayoutElements(const Worksheet& sheet,
                                                         const XlsxSheetExtra& extra) {
  std::vector<XlsxSheetExtra::Element> out;
  if (sheet.FrozenAt()) {
    std::string views;
    for (const auto& e : extra.elements)
      if (e.localName == "sheetViews") views = KeptViewsWithPane(e.xml, *sheet.FrozenAt());
    // No views of its own (or none we can read): a plain view with the pane.
    if (views.empty()) views = NewSheetViewsXml(sheet, extra.tabActive);
    out.push_back({"sheetViews", std::move(views)});
  }
  std::string cols = ColsXml(sheet);
  if (!cols.empty()) out.push_back({"cols", std::move(cols)});
  return out;
}

std::string NewSheetViewsXml(const Worksheet& sheet, bool tabSelected) {
  std::string out;
  XmlWriter xml(out);
  xml.Start("sheetViews").Start("sheetView");
  if (tabSelected) xml.Attr("tabSelected", 1);
  xml.Attr("workbookViewId", 0);
  if (sheet.FrozenAt()) xml.Raw(FrozenPaneXml(*sheet.FrozenAt(), ""));
  xml.End("sheetView").End("sheetViews");
  return out;
}

std::string ColsXml(const Worksheet& sheet) {
  const auto& widths = sheet.ColumnWidths();
  if (widths.empty()) return {};
  std::string out;
  XmlWriter xml(out);
  xml.Start("cols");
  // Neighbouring columns of one width share a <col> element.
  for (auto it = widths.begin(); it != widths.end();) {
    auto last = it;
    while (std::next(last) != widths.end() && std::next(last)->first == last->first + 1 &&
           std::next(last)->second == it->second)
      ++last;
    xml.Start("col").Attr("min", it->first).Attr("max", last->first);
    xml.NumberAttr("width", it->second).Attr("customWidth", 1).End("col");
    it = std::next(last);
  }
  xml.End("cols");
  return out;
}

}  // namespace host::xlsx
