#pragma once
// Relationship parts (_rels/*.rels): read to find a part's related parts, and
// edited at save to relate new parts and drop stale ones.
#include <pugixml.hpp>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host::xlsx {

bool EndsWith(std::string_view s, std::string_view suffix);

struct Rel {
  std::string id, type, target;  // target resolved to a part name
  bool external = false;
};

// Throws std::runtime_error for a part that is not XML.
std::vector<Rel> ParseRels(const std::string& xml, const std::string& sourcePart);

// The relationships of one source part, edited as a document.
class RelationshipsEditor {
 public:
  explicit RelationshipsEditor(std::string sourcePart) : source_(std::move(sourcePart)) {}

  // False when the part is not XML.
  bool Load(const std::string& xml);

  // Of the relationships as read: the part an id points to and its type; empty if none.
  std::string TargetOf(const std::string& id) const;
  std::string TypeOf(const std::string& id) const;
  // The part of the first relationship whose type ends with `typeSuffix`.
  std::string FirstTargetOfType(std::string_view typeSuffix) const;

  // Relates `part` with a new id, which it returns.
  std::string Add(const char* type, const std::string& part);
  // Removes every relationship whose type ends with `typeSuffix`; returns their parts.
  std::set<std::string> RemoveOfType(std::string_view typeSuffix);

  bool Changed() const { return changed_; }
  std::string Xml() const;

 private:
  std::string NewId();

  std::string source_;
  pugi::xml_document doc_;
  std::vector<Rel> read_;
  std::set<std::string> ids_;
  bool changed_ = false;
};

}  // namespace host::xlsx
