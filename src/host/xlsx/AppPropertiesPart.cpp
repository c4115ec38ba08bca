#include "host/xlsx/AppPropertiesPart.h"

#include <algorithm>

#include "host/xlsx/XmlDoc.h"

namespace host::xlsx {

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

}  // namespace host::xlsx
