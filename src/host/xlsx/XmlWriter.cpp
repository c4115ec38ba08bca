#include "host/xlsx/XmlWriter.h"

#include <utility>

#include "host/xlsx/Xml.h"

namespace host::xlsx {

namespace {

// Characters below the blank that XML 1.0 cannot carry at all, even as a
// reference: they are left out rather than make the whole part unreadable.
bool Unwritable(unsigned char c) { return c < 0x20 && c != '\t' && c != '\n' && c != '\r'; }

// Escapes for a double-quoted attribute value. Tab and line breaks go as
// references, since a reader folds them to blanks in an attribute otherwise.
void AppendAttrEscaped(std::string& out, std::string_view text) {
  for (char ch : text) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\n':
        out += "&#10;";
        break;
      case '\r':
        out += "&#13;";
        break;
      case '\t':
        out += "&#9;";
        break;
      default:
        if (!Unwritable(static_cast<unsigned char>(ch))) out += ch;
    }
  }
}

}  // namespace

XmlWriter::XmlWriter(std::string& out, std::string prefix)
    : out_(out), prefix_(std::move(prefix)) {}

XmlWriter& XmlWriter::Declaration() {
  out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
  return *this;
}

XmlWriter& XmlWriter::Start(std::string_view name) {
  CloseStartTag();
  out_ += '<';
  out_ += prefix_;
  out_ += name;
  startTagOpen_ = true;
  return *this;
}

void XmlWriter::AttrName(std::string_view name) {
  out_ += ' ';
  out_ += name;
  out_ += "=\"";
}

XmlWriter& XmlWriter::Attr(std::string_view name, std::string_view value) {
  AttrName(name);
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
  AttrName(name);
  AppendInt(out_, value);
  out_ += '"';
  return *this;
}

XmlWriter& XmlWriter::NumberAttr(std::string_view name, double value) {
  AttrName(name);
  AppendNumber(out_, value);
  out_ += '"';
  return *this;
}

XmlWriter& XmlWriter::RefAttr(std::string_view name, int row, int column) {
  AttrName(name);
  AppendRef(out_, row, column);
  out_ += '"';
  return *this;
}

XmlWriter& XmlWriter::RangeAttr(std::string_view name, int row, int column, int lastRow,
                                int lastColumn) {
  AttrName(name);
  AppendRef(out_, row, column);
  out_ += ':';
  AppendRef(out_, lastRow, lastColumn);
  out_ += '"';
  return *this;
}

XmlWriter& XmlWriter::Kept(std::string_view attributes) {
  if (attributes.empty()) return *this;
  out_ += ' ';
  out_ += attributes;
  return *this;
}

XmlWriter& XmlWriter::Text(std::string_view text) {
  CloseStartTag();
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!Unwritable(static_cast<unsigned char>(text[i]))) continue;
    AppendEscaped(out_, text.substr(start, i - start));
    start = i + 1;
  }
  AppendEscaped(out_, text.substr(start));
  return *this;
}

XmlWriter& XmlWriter::CellText(std::string_view text) {
  CloseStartTag();
  AppendCellText(out_, text);
  return *this;
}

XmlWriter& XmlWriter::Number(double value) {
  CloseStartTag();
  AppendNumber(out_, value);
  return *this;
}

XmlWriter& XmlWriter::Int(long long value) {
  CloseStartTag();
  AppendInt(out_, value);
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
