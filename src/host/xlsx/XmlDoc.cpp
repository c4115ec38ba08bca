#include "host/xlsx/XmlDoc.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <sstream>

#include "host/AsciiText.h"
#include "host/xlsx/StreamParser.h"
#include "host/xlsx/Xml.h"

namespace host::xlsx {

bool LoadDoc(pugi::xml_document& doc, const std::string& xml) {
  unsigned flags = pugi::parse_default | pugi::parse_declaration | pugi::parse_ws_pcdata |
                   pugi::parse_comments | pugi::parse_pi;
  const pugi::xml_parse_result parsed =
      doc.load_buffer(xml.data(), xml.size(), flags, pugi::encoding_auto);
  if (parsed.status == pugi::status_out_of_memory) throw std::bad_alloc();  // not a damaged part
  if (!parsed) return false;
  // The tree holds the text in UTF-8 whatever the part was written in, and is
  // written back in UTF-8: its declaration must say so.
  pugi::xml_attribute encoding = doc.first_child().attribute("encoding");
  if (doc.first_child().type() == pugi::node_declaration && encoding &&
      AsciiLower(encoding.value()) != "utf-8")
    encoding.set_value("UTF-8");
  return true;
}

namespace {

class ShapeParser : public StreamParser {
 public:
  ShapeParser() {
    XML_SetElementHandler(Parser(), &ShapeParser::Start, &ShapeParser::End);
    XML_SetStartDoctypeDeclHandler(Parser(), &ShapeParser::Doctype);
  }
  bool HasDoctype() const { return doctype_; }

 private:
  // The tree would keep its entities' references as literal text.
  static void Doctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    auto* p = static_cast<ShapeParser*>(self);
    p->doctype_ = true;
    XML_StopParser(p->Parser(), XML_FALSE);
  }
  static void Start(void* self, const XML_Char*, const XML_Char**) {
    auto* p = static_cast<ShapeParser*>(self);
    if (p->Stopped() || !p->CheckDepth(++p->depth_)) return;
    if (++p->elements_ > kMaxDocumentElements)
      p->Refuse("the part holds more than " + std::to_string(kMaxDocumentElements) + " elements");
  }
  static void End(void* self, const XML_Char*) { --static_cast<ShapeParser*>(self)->depth_; }

  int depth_ = 0;
  size_t elements_ = 0;
  bool doctype_ = false;
};

}  // namespace

void CheckDocumentShape(const std::string& xml) {
  ShapeParser parser;
  size_t at = 0;
  try {
    parser.Run([&](char* buffer, size_t size) {
      const size_t n = std::min(size, xml.size() - at);
      std::memcpy(buffer, xml.data() + at, n);
      at += n;
      return n;
    });
  } catch (const LimitError&) {
    throw;
  } catch (const std::runtime_error& e) {
    // The tree's reader is more lenient: it would load what this check never counted.
    if (parser.HasDoctype())
      throw std::runtime_error("it declares a document type, which workbook parts never do");
    throw;
  }
}

namespace {
struct StringWriter : pugi::xml_writer {
  std::string out;
  void write(const void* data, size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
};
}  // namespace

std::string SaveDoc(const pugi::xml_document& doc) {
  StringWriter w;
  unsigned flags = pugi::format_raw | pugi::format_no_declaration;
  bool hasDeclaration = doc.first_child().type() == pugi::node_declaration;
  if (!hasDeclaration) w.out = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
  doc.save(w, "", flags, pugi::encoding_utf8);
  return w.out;
}

std::string NodeXml(pugi::xml_node node) {
  StringWriter w;
  node.print(w, "", pugi::format_raw, pugi::encoding_utf8);
  return w.out;
}

pugi::xml_node ChildLocal(pugi::xml_node parent, std::string_view localName) {
  for (pugi::xml_node child : parent.children())
    if (child.type() == pugi::node_element && LocalName(child.name()) == localName) return child;
  return {};
}

std::string Prefix(pugi::xml_node node) {
  std::string_view name = node.name();
  size_t colon = name.find(':');
  return colon == std::string_view::npos ? std::string() : std::string(name.substr(0, colon + 1));
}

bool FindPrefix(pugi::xml_node root, std::string_view ns, std::string& prefix) {
  for (pugi::xml_attribute a : root.attributes()) {
    std::string_view name = a.name();
    if (a.value() != ns) continue;
    if (name == "xmlns") {
      prefix.clear();
      return true;
    }
    if (name.substr(0, 6) == "xmlns:") {
      prefix = std::string(name.substr(6)) + ":";
      return true;
    }
  }
  return false;
}

}  // namespace host::xlsx
