#pragma once
// The one writer of hand-made package XML. Every attribute value and every
// text passes through it escaped, so a value read from a file (an alignment
// of le"ft, a number format with an &) is written back as it was read,
// whichever part and element it lands in. Numbers and cell references are
// written as they are: they cannot hold a character XML reserves.
#include <string>
#include <string_view>

namespace host::xlsx {

class XmlWriter {
 public:
  // Appends to `out`; element names carry `prefix` ("x:" in a prefixed part).
  explicit XmlWriter(std::string& out, std::string prefix = {});

  // The XML declaration every part starts with, and its line break.
  XmlWriter& Declaration();
  // "<name", its attributes to follow.
  XmlWriter& Start(std::string_view name);
  XmlWriter& Attr(std::string_view name, std::string_view value);
  XmlWriter& Attr(std::string_view name, const char* value) {
    return Attr(name, std::string_view(value));
  }
  XmlWriter& Attr(std::string_view name, long long value);
  XmlWriter& Attr(std::string_view name, int value) {
    return Attr(name, static_cast<long long>(value));
  }
  XmlWriter& NumberAttr(std::string_view name, double value);
  // name="B4" and name="B4:C9".
  XmlWriter& RefAttr(std::string_view name, int row, int column);
  XmlWriter& RangeAttr(std::string_view name, int row, int column, int lastRow, int lastColumn);
  // Attributes kept from a file as serialized text, made by KeepAttribute.
  XmlWriter& Kept(std::string_view attributes);
  // Adds name="value" to such a text, escaped as Attr writes it.
  static void KeepAttribute(std::string& attributes, std::string_view name, std::string_view value);
  // Element content, escaped.
  XmlWriter& Text(std::string_view text);
  // Cell text: escaped, with the characters XML cannot carry as _xHHHH_.
  XmlWriter& CellText(std::string_view text);
  XmlWriter& Number(double value);
  XmlWriter& Int(long long value);
  // Whole elements kept from a file as serialized XML (nothing, when empty).
  XmlWriter& Raw(std::string_view xml);
  // Ends the element `name`: "/>" when nothing went inside it.
  XmlWriter& End(std::string_view name);

 private:
  void CloseStartTag() {
    if (!startTagOpen_) return;
    out_ += '>';
    startTagOpen_ = false;
  }
  void AttrName(std::string_view name);

  std::string& out_;
  std::string prefix_;
  bool startTagOpen_ = false;
};

}  // namespace host::xlsx
