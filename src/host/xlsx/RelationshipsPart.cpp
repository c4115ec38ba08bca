#include "host/xlsx/RelationshipsPart.h"

#include <algorithm>
#include <stdexcept>

#include "host/xlsx/Xml.h"
#include "host/xlsx/XmlDoc.h"

namespace host::xlsx {

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

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

bool RelationshipsEditor::Load(const std::string& xml) {
  if (!LoadDoc(doc_, xml)) return false;
  // Every child counts, as the ids the file already uses.
  for (pugi::xml_node r : doc_.document_element().children())
    ids_.insert(r.attribute("Id").value());
  read_ = ParseRels(xml, source_);
  return true;
}

std::string RelationshipsEditor::TargetOf(const std::string& id) const {
  // The last of equal ids wins, as when they were gathered by id.
  auto it = std::find_if(read_.rbegin(), read_.rend(), [&](const Rel& r) { return r.id == id; });
  return it == read_.rend() ? std::string() : it->target;
}

std::string RelationshipsEditor::TypeOf(const std::string& id) const {
  auto it = std::find_if(read_.rbegin(), read_.rend(), [&](const Rel& r) { return r.id == id; });
  return it == read_.rend() ? std::string() : it->type;
}

std::string RelationshipsEditor::FirstTargetOfType(std::string_view typeSuffix) const {
  for (pugi::xml_node r : doc_.document_element().children()) {
    if (EndsWith(r.attribute("Type").value(), typeSuffix))
      return ResolveTarget(source_, r.attribute("Target").value());
  }
  return {};
}

std::string RelationshipsEditor::NewId() {
  for (size_t k = ids_.size() + 1;; ++k) {
    std::string id = "rId" + std::to_string(k);
    if (ids_.insert(id).second) return id;
  }
}

std::string RelationshipsEditor::Add(const char* type, const std::string& part) {
  std::string id = NewId();
  pugi::xml_node root = doc_.document_element();
  pugi::xml_node rel = root.append_child((Prefix(root) + "Relationship").c_str());
  rel.append_attribute("Id").set_value(id.c_str());
  rel.append_attribute("Type").set_value(type);
  rel.append_attribute("Target").set_value(RelativeTarget(source_, part).c_str());
  changed_ = true;
  return id;
}

std::set<std::string> RelationshipsEditor::RemoveOfType(std::string_view typeSuffix) {
  std::set<std::string> removed;
  pugi::xml_node root = doc_.document_element();
  for (pugi::xml_node r = root.first_child(); r;) {
    pugi::xml_node next = r.next_sibling();
    if (EndsWith(r.attribute("Type").value(), typeSuffix)) {
      removed.insert(ResolveTarget(source_, r.attribute("Target").value()));
      root.remove_child(r);
      changed_ = true;
    }
    r = next;
  }
  return removed;
}

std::string RelationshipsEditor::Xml() const { return SaveDoc(doc_); }

}  // namespace host::xlsx
