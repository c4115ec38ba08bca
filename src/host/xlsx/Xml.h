#pragma once
// Small helpers for reading and writing package XML by hand: escaping, the
// _xHHHH_ form of characters XML cannot carry, numbers and cell references
// (host/HostAddress.h reads them).
#include <string>
#include <string_view>

namespace host::xlsx {

// Appends text escaped for element content (&, <, >).
void AppendEscaped(std::string& out, std::string_view text);
// Appends cell text: control characters (and CR, which parsers would fold into
// LF) as _xHHHH_, a literal _xHHHH_ as _x005F_xHHHH_, then XML-escaped.
void AppendCellText(std::string& out, std::string_view text);
// The reverse of the _xHHHH_ escaping, for text read from a part.
std::string DecodeCellText(std::string_view text);
// Whether cell text needs xml:space="preserve" (leading/trailing blanks, newlines).
bool NeedsPreserve(std::string_view text);

// Shortest text that reads back as the same double.
void AppendNumber(std::string& out, double value);
void AppendInt(std::string& out, long long value);

// Appends "B4".
void AppendRef(std::string& out, int row, int column);

// Resolves a relationship target against the folder of the part that owns
// the relationships ("xl/workbook.xml" + "worksheets/sheet1.xml"). Absolute
// targets ("/xl/...") are taken from the package root.
std::string ResolveTarget(std::string_view sourcePart, std::string_view target);
// The .rels part name of a part: "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels".
std::string RelsPartOf(std::string_view part);
// Target of `part` relative to the folder of `sourcePart`.
std::string RelativeTarget(std::string_view sourcePart, std::string_view part);

// The local name of a possibly prefixed XML name ("x:row" -> "row").
inline std::string_view LocalName(std::string_view qname) {
  size_t colon = qname.find(':');
  return colon == std::string_view::npos ? qname : qname.substr(colon + 1);
}

}  // namespace host::xlsx
