#include "host/xlsx/XmlWriter.h"

#include <utility>

#include "host/xlsx/Xml.h"

namespace host::xlsx {

XmlWriter::XmlWriter(std::string& out, std::string prefix)
    : out_(out), prefix_(std::move(prefix)) {}

void XmlWriter::CloseStartTag() {
  if (!startTagOpen_) return;
  out_ += '>';
  startTagOpen_ = false;
}

XmlWriter& XmlWriter::Start(std::string_view name) {
  CloseStartTag();
  out_ += '<';
  out_ += prefix_;
  out_ += name;
  startTagOpen_ = true;
  return *this;
}

XmlWriter& XmlWriter::Attr(std::string_view name, std::string_view value) {
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
  AppendAttrEscaped(out_, value);
  out_ += '"';
  return *this;
}

void XmlWriter::KeepAttribute(std::string& attributes, std::string_view name,
                              std::string_view value) {
  std::string attribute;
  XmlWriter(attribute).Attr(name, value);
  attributes += attributes.empty() ? std::string_view(attribute).substr(1) : attribute;
}

XmlWriter& XmlWriter::Attr(std::string_view name, long long value) {
  std::string digits;
  AppendInt(digits, value);
  return Attr(name, digits);
}

XmlWriter& XmlWriter::Kept(std::string_view attributes) {
  if (attributes.empty()) return *this;
  out_ += ' ';
  out_ += attributes;
  return *this;
}

XmlWriter& XmlWriter::Text(std::string_view text) {
  CloseStartTag();
  AppendEscaped(out_, text);
  return *this;
}

XmlWriter& XmlWriter::Raw(std::string_view xml) {
  if (xml.empty()) return *this;
  CloseStartTag();
  out_ += xml;
  return *this;
}

XmlWriter& XmlWriter::End(std::string_view name) {
  if (startTagOpen_) {
    out_ += "/>";
    startTagOpen_ = false;
    return *this;
  }
  out_ += "</";
  out_ += prefix_;
  out_ += name;
  out_ += '>';
  return *this;
}

}  // namespace host::xlsx
