#include "host/xlsx/ContentTypesPart.h"

#include "host/AsciiText.h"
#include "host/xlsx/Xml.h"
#include "host/xlsx/XmlDoc.h"

namespace host::xlsx {

bool ContentTypesEditor::Load(const std::string& xml) { return LoadDoc(doc_, xml); }

void ContentTypesEditor::AddOverride(const std::string& part, const char* contentType) {
  pugi::xml_node root = doc_.document_element();
  pugi::xml_node ov = root.append_child((Prefix(root) + "Override").c_str());
  ov.append_attribute("PartName").set_value(("/" + part).c_str());
  ov.append_attribute("ContentType").set_value(contentType);
  changed_ = true;
}

void ContentTypesEditor::AddDefault(const std::string& extension, const char* contentType) {
  pugi::xml_node root = doc_.document_element();
  pugi::xml_node last;  // Defaults stay together, ahead of the Overrides
  for (pugi::xml_node d : root.children()) {
    if (LocalName(d.name()) != "Default") continue;
    if (AsciiLower(d.attribute("Extension").value()) == AsciiLower(extension)) return;
    last = d;
  }
  const std::string name = Prefix(root) + "Default";
  pugi::xml_node d =
      last ? root.insert_child_after(name.c_str(), last) : root.prepend_child(name.c_str());
  d.append_attribute("Extension").set_value(extension.c_str());
  d.append_attribute("ContentType").set_value(contentType);
  changed_ = true;
}

void ContentTypesEditor::RemoveOverrides(const std::set<std::string>& parts) {
  if (parts.empty()) return;
  std::set<std::string> lower;  // part names compare ignoring case
  for (const std::string& part : parts) lower.insert(AsciiLower("/" + part));
  pugi::xml_node root = doc_.document_element();
  for (pugi::xml_node o = root.first_child(); o;) {
    pugi::xml_node next = o.next_sibling();
    if (lower.count(AsciiLower(o.attribute("PartName").value()))) {
      root.remove_child(o);
      changed_ = true;
    }
    o = next;
  }
}

std::string ContentTypesEditor::Xml() const { return SaveDoc(doc_); }

}  // namespace host::xlsx
