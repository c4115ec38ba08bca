#pragma once
// [Content_Types].xml, edited at save: every new part gets its content type,
// every dropped part loses its override.
#include <pugixml.hpp>
#include <set>
#include <string>

namespace host::xlsx {

class ContentTypesEditor {
 public:
  // False when the part is not XML.
  bool Load(const std::string& xml);

  void AddOverride(const std::string& part, const char* contentType);
  // The type of every part with extension `extension` (no dot), unless the
  // package gives that extension a type already.
  void AddDefault(const std::string& extension, const char* contentType);
  void RemoveOverrides(const std::set<std::string>& parts);

  bool Changed() const { return changed_; }
  std::string Xml() const;

 private:
  pugi::xml_document doc_;
  bool changed_ = false;
};

}  // namespace host::xlsx
