#pragma once
// pugixml helpers for the parts kept as documents (workbook, styles, rels,
// content types, document properties): parse and write back without
// reformatting, and find children by local name whatever prefix the file uses.
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace host::xlsx {

// Keeps the declaration (saying UTF-8, as the tree is written) and every
// whitespace text node, so a part we change differs from the original only
// where we changed it.
bool LoadDoc(pugi::xml_document& doc, const std::string& xml);
// A document tree costs memory per element and its handling grows with its
// depth: throws LimitError for a part beyond kMaxDocumentElements or
// kMaxXmlDepth, std::runtime_error for malformed XML or a document type.
void CheckDocumentShape(const std::string& xml);
std::string SaveDoc(const pugi::xml_document& doc);
std::string NodeXml(pugi::xml_node node);

pugi::xml_node ChildLocal(pugi::xml_node parent, std::string_view localName);
// The prefix (with colon) the element's name carries, e.g. "x:" or "".
std::string Prefix(pugi::xml_node node);
// The prefix bound to a namespace on the root element, or null if none; the
// empty string for the default namespace.
bool FindPrefix(pugi::xml_node root, std::string_view ns, std::string& prefix);

}  // namespace host::xlsx
