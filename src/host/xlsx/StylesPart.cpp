#include "host/xlsx/StylesPart.h"

#include <cstring>
#include <new>
#include <pugixml.hpp>
#include <stdexcept>
#include <utility>

#include "host/ReadLimits.h"
#include "host/xlsx/Xml.h"
#include "host/xlsx/XmlDoc.h"
#include "host/xlsx/XmlWriter.h"

namespace host::xlsx {

namespace {

constexpr const char* kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

ColorRef ReadColor(pugi::xml_node node) {
  ColorRef color;
  if (!node) return color;
  for (pugi::xml_attribute a : node.attributes())
    XmlWriter::KeepAttribute(color.attributes, a.name(), a.value());
  return color;
}

bool Flag(pugi::xml_node node, const char* name) {
  pugi::xml_attribute a = node.attribute(name);
  return a && (std::strcmp(a.value(), "1") == 0 || std::strcmp(a.value(), "true") == 0);
}

Fill ReadFill(pugi::xml_node fill) {
  Fill out;
  pugi::xml_node pattern = ChildLocal(fill, "patternFill");
  if (pattern && !ChildLocal(fill, "gradientFill")) {
    pugi::xml_attribute type = pattern.attribute("patternType");
    out.patternType = type ? type.value() : "none";
    out.fg = ReadColor(ChildLocal(pattern, "fgColor"));
    out.bg = ReadColor(ChildLocal(pattern, "bgColor"));
  } else {
    out.rawXml = NodeXml(fill);
  }
  return out;
}

BorderSide ReadSide(pugi::xml_node side) {
  BorderSide out;
  if (!side) return out;
  out.style = side.attribute("style").value();
  out.color = ReadColor(ChildLocal(side, "color"));
  return out;
}

Border ReadBorder(pugi::xml_node border) {
  Border out;
  out.left = ReadSide(ChildLocal(border, "left"));
  if (out.left.style.empty() && out.left.color.attributes.empty())
    out.left = ReadSide(ChildLocal(border, "start"));
  out.right = ReadSide(ChildLocal(border, "right"));
  if (out.right.style.empty() && out.right.color.attributes.empty())
    out.right = ReadSide(ChildLocal(border, "end"));
  out.top = ReadSide(ChildLocal(border, "top"));
  out.bottom = ReadSide(ChildLocal(border, "bottom"));
  out.diagonal = ReadSide(ChildLocal(border, "diagonal"));
  out.diagonalUp = Flag(border, "diagonalUp");
  out.diagonalDown = Flag(border, "diagonalDown");
  return out;
}

Xf ReadXf(pugi::xml_node node) {
  Xf xf;
  for (pugi::xml_attribute a : node.attributes()) {
    std::string_view name = a.name();
    if (name == "numFmtId")
      xf.numFmtId = a.as_int();
    else if (name == "fontId")
      xf.fontId = a.as_int();
    else if (name == "fillId")
      xf.fillId = a.as_int();
    else if (name == "borderId")
      xf.borderId = a.as_int();
    else if (name == "xfId")
      xf.xfId = a.as_int();
    else if (name == "quotePrefix")
      xf.quotePrefix = a.as_bool();
    else if (name == "applyNumberFormat")
      xf.applyNumberFormat = a.as_bool();
    else if (name == "applyFont")
      xf.applyFont = a.as_bool();
    else if (name == "applyFill")
      xf.applyFill = a.as_bool();
    else if (name == "applyBorder")
      xf.applyBorder = a.as_bool();
    else if (name == "applyAlignment")
      xf.applyAlignment = a.as_bool();
    else if (name == "applyProtection")
      xf.applyProtection = a.as_bool();
    else
      XmlWriter::KeepAttribute(xf.otherAttributes, name, a.value());
  }
  if (pugi::xml_node al = ChildLocal(node, "alignment")) {
    xf.hasAlignment = true;
    Alignment& a = xf.alignment;
    for (pugi::xml_attribute at : al.attributes()) {
      std::string_view name = at.name();
      if (name == "horizontal")
        a.horizontal = at.value();
      else if (name == "vertical")
        a.vertical = at.value();
      else if (name == "textRotation")
        a.textRotation = at.as_int();
      else if (name == "wrapText")
        a.wrapText = at.as_bool();
      else if (name == "shrinkToFit")
        a.shrinkToFit = at.as_bool();
      else if (name == "indent")
        a.indent = at.as_int();
      else if (name == "readingOrder")
        a.readingOrder = at.as_int();
      else
        XmlWriter::KeepAttribute(a.otherAttributes, name, at.value());
    }
  }
  if (pugi::xml_node pr = ChildLocal(node, "protection")) xf.protectionXml = NodeXml(pr);
  return xf;
}

void WriteColor(XmlWriter& xml, const char* name, const ColorRef& c) {
  if (c.attributes.empty()) return;
  xml.Start(name).Kept(c.attributes).End(name);
}

void WriteSide(XmlWriter& xml, const char* name, const BorderSide& s) {
  xml.Start(name);
  if (!s.style.empty()) xml.Attr("style", s.style);
  WriteColor(xml, "color", s.color);
  xml.End(name);
}

void WriteAlignment(XmlWriter& xml, const Alignment& a) {
  xml.Start("alignment");
  if (!a.horizontal.empty()) xml.Attr("horizontal", a.horizontal);
  if (!a.vertical.empty()) xml.Attr("vertical", a.vertical);
  if (a.textRotation) xml.Attr("textRotation", a.textRotation);
  if (a.wrapText) xml.Attr("wrapText", 1);
  if (a.indent) xml.Attr("indent", a.indent);
  if (a.shrinkToFit) xml.Attr("shrinkToFit", 1);
  if (a.readingOrder) xml.Attr("readingOrder", a.readingOrder);
  xml.Kept(a.otherAttributes).End("alignment");
}

std::string NumFmtXml(int id, const std::string& code, const std::string& p) {
  std::string out;
  XmlWriter(out, p).Start("numFmt").Attr("numFmtId", id).Attr("formatCode", code).End("numFmt");
  return out;
}

size_t ElementCount(pugi::xml_node list) {
  size_t count = 0;
  for (pugi::xml_node child : list.children())
    if (child.type() == pugi::node_element) ++count;
  return count;
}

// A style sheet without the entries every reader expects at the front (two
// reserved fills, one border, one cell format) would make every appended index
// wrong, and a format pointing past its lists would make derived formats
// invalid: both get the defaults. AppendStyles writes what the file lacks.
void AddReservedEntries(StyleTable& t) {
  if (t.fills.empty()) t.fills.push_back(Fill{"none", {}, {}, {}});
  if (t.fills.size() < 2) t.fills.push_back(Fill{"gray125", {}, {}, {}});
  if (t.borders.empty()) t.borders.emplace_back();
  if (t.xfs.empty()) t.xfs.push_back(Xf{});
  auto inRange = [](int id, size_t size) { return id >= 0 && static_cast<size_t>(id) < size; };
  for (Xf& xf : t.xfs) {
    if (!inRange(xf.fillId, t.fills.size())) xf.fillId = 0;
    if (!inRange(xf.borderId, t.borders.size())) xf.borderId = 0;
    if (!inRange(xf.fontId, static_cast<size_t>(t.fontCount))) xf.fontId = 0;
  }
}

// Finds or creates the collection element `name`, placed before the first of
// `before` that exists (schema order), and appends the fragments.
void AppendTo(pugi::xml_node root, const std::string& p, const char* name,
              std::initializer_list<const char*> before, const std::vector<std::string>& items) {
  pugi::xml_node list = ChildLocal(root, name);
  if (!list) {
    if (items.empty()) return;
    pugi::xml_node next;
    for (const char* b : before)
      if ((next = ChildLocal(root, b))) break;
    list = next ? root.insert_child_before((p + name).c_str(), next)
                : root.append_child((p + name).c_str());
  }
  for (const std::string& item : items) {
    if (!list.append_buffer(item.data(), item.size(), pugi::parse_default))
      throw std::runtime_error("cannot add a style entry");
  }
  pugi::xml_attribute c = list.attribute("count");
  if (!c) c = list.prepend_attribute("count");
  c.set_value(std::to_string(ElementCount(list)).c_str());
}

}  // namespace

std::string FillXml(const Fill& fill, const std::string& p) {
  if (!fill.rawXml.empty()) return fill.rawXml;
  std::string out;
  XmlWriter xml(out, p);
  xml.Start("fill").Start("patternFill");
  if (!fill.patternType.empty()) xml.Attr("patternType", fill.patternType);
  WriteColor(xml, "fgColor", fill.fg);
  WriteColor(xml, "bgColor", fill.bg);
  xml.End("patternFill").End("fill");
  return out;
}

std::string BorderXml(const Border& b, const std::string& p) {
  std::string out;
  XmlWriter xml(out, p);
  xml.Start("border");
  if (b.diagonalUp) xml.Attr("diagonalUp", 1);
  if (b.diagonalDown) xml.Attr("diagonalDown", 1);
  WriteSide(xml, "left", b.left);
  WriteSide(xml, "right", b.right);
  WriteSide(xml, "top", b.top);
  WriteSide(xml, "bottom", b.bottom);
  WriteSide(xml, "diagonal", b.diagonal);
  xml.End("border");
  return out;
}

std::string XfXml(const Xf& xf, const std::string& p) {
  std::string out;
  XmlWriter xml(out, p);
  xml.Start("xf")
      .Attr("numFmtId", xf.numFmtId)
      .Attr("fontId", xf.fontId)
      .Attr("fillId", xf.fillId)
      .Attr("borderId", xf.borderId)
      .Attr("xfId", xf.xfId);
  if (xf.quotePrefix) xml.Attr("quotePrefix", 1);
  xml.Kept(xf.otherAttributes);
  const std::pair<bool, const char*> applied[] = {{xf.applyNumberFormat, "applyNumberFormat"},
                                                  {xf.applyFont, "applyFont"},
                                                  {xf.applyFill, "applyFill"},
                                                  {xf.applyBorder, "applyBorder"},
                                                  {xf.applyAlignment, "applyAlignment"},
                                                  {xf.applyProtection, "applyProtection"}};
  for (const auto& [flag, name] : applied)
    if (flag) xml.Attr(name, 1);
  if (xf.hasAlignment) WriteAlignment(xml, xf.alignment);
  xml.Raw(xf.protectionXml).End("xf");
  return out;
}

namespace {

// A cell can only name one of the first kMaxCellFormats formats; a table
// beyond that is not one a spreadsheet wrote.
void CheckFormatCount(pugi::xml_node cellXfs) {
  size_t count = 0;
  for (pugi::xml_node n : cellXfs.children()) count += n.type() == pugi::node_element;
  if (count > static_cast<size_t>(kMaxCellFormats))
    throw LimitError("the style sheet holds more than " + std::to_string(kMaxCellFormats) +
                     " cell formats, the spreadsheet's limit");
}

}  // namespace

StyleTable ReadStyles(const std::string& xml) {
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed =
      doc.load_buffer(xml.data(), xml.size(), pugi::parse_default);
  if (parsed.status == pugi::status_out_of_memory) throw std::bad_alloc();  // not a damaged part
  if (!parsed) throw std::runtime_error("the style sheet is damaged");
  pugi::xml_node root = doc.document_element();
  if (LocalName(root.name()) != "styleSheet") throw std::runtime_error("no style sheet");
  StyleTable t;
  for (pugi::xml_node n : ChildLocal(root, "numFmts").children()) {
    if (LocalName(n.name()) != "numFmt") continue;
    t.numFmts[n.attribute("numFmtId").as_int()] = n.attribute("formatCode").value();
  }
  t.loadedNumFmts = t.numFmts;
  int fonts = 0;
  for (pugi::xml_node n : ChildLocal(root, "fonts").children()) {
    if (n.type() != pugi::node_element) continue;
    ++fonts;
    t.fontSizes.push_back(ChildLocal(n, "sz").attribute("val").as_double(0));
  }
  t.fontCount = fonts > 0 ? fonts : 1;
  for (pugi::xml_node n : ChildLocal(root, "fills").children())
    if (n.type() == pugi::node_element) t.fills.push_back(ReadFill(n));
  for (pugi::xml_node n : ChildLocal(root, "borders").children())
    if (n.type() == pugi::node_element) t.borders.push_back(ReadBorder(n));
  CheckFormatCount(ChildLocal(root, "cellXfs"));
  for (pugi::xml_node n : ChildLocal(root, "cellXfs").children())
    if (n.type() == pugi::node_element) t.xfs.push_back(ReadXf(n));
  AddReservedEntries(t);
  t.loadedXfs = t.xfs.size();
  t.loadedFills = t.fills.size();
  t.loadedBorders = t.borders.size();
  return t;
}

std::string AppendStyles(const std::string& originalXml, const StyleTable& t) {
  pugi::xml_document doc;
  if (!LoadDoc(doc, originalXml)) throw std::runtime_error("the style sheet is damaged");
  pugi::xml_node root = doc.document_element();
  std::string p = Prefix(root);
  std::vector<std::string> numFmts, fills, borders, xfs;
  for (const auto& [id, code] : t.numFmts)
    if (!t.loadedNumFmts.count(id)) numFmts.push_back(NumFmtXml(id, code, p));
  // From what the file holds: the reserved entries added at load go too.
  for (size_t i = ElementCount(ChildLocal(root, "fills")); i < t.fills.size(); ++i)
    fills.push_back(FillXml(t.fills[i], p));
  for (size_t i = ElementCount(ChildLocal(root, "borders")); i < t.borders.size(); ++i)
    borders.push_back(BorderXml(t.borders[i], p));
  for (size_t i = ElementCount(ChildLocal(root, "cellXfs")); i < t.xfs.size(); ++i)
    xfs.push_back(XfXml(t.xfs[i], p));
  AppendTo(root, p, "numFmts", {"fonts", "fills", "borders", "cellStyleXfs", "cellXfs"}, numFmts);
  AppendTo(root, p, "fills", {"borders", "cellStyleXfs", "cellXfs"}, fills);
  AppendTo(root, p, "borders", {"cellStyleXfs", "cellXfs"}, borders);
  AppendTo(root, p, "cellXfs", {"cellStyles", "dxfs", "tableStyles", "colors", "extLst"}, xfs);
  return SaveDoc(doc);
}

namespace {

void WriteFonts(XmlWriter& xml, int count) {
  xml.Start("fonts").Attr("count", count);
  for (int i = 0; i < count; ++i) {
    xml.Start("font");
    xml.Start("sz").Attr("val", 11).End("sz").Start("color").Attr("theme", 1).End("color");
    xml.Start("name").Attr("val", "Calibri").End("name");
    xml.Start("family").Attr("val", 2).End("family");
    xml.Start("scheme").Attr("val", "minor").End("scheme").End("font");
  }
  xml.End("fonts");
}

// A list element with its count and the entries `entryXml` writes.
template <typename Entry, typename ToXml>
void WriteList(XmlWriter& xml, const char* name, const std::vector<Entry>& entries,
               ToXml entryXml) {
  xml.Start(name).Attr("count", static_cast<long long>(entries.size()));
  for (const Entry& entry : entries) xml.Raw(entryXml(entry, ""));
  xml.End(name);
}

void WriteClosingLists(XmlWriter& xml) {
  xml.Start("cellStyles").Attr("count", 1).Start("cellStyle").Attr("name", "Normal");
  xml.Attr("xfId", 0).Attr("builtinId", 0).End("cellStyle").End("cellStyles");
  xml.Start("dxfs").Attr("count", 0).End("dxfs");
  xml.Start("tableStyles").Attr("count", 0).End("tableStyles");
}

}  // namespace

std::string NewStylesXml(const StyleTable& t) {
  std::string out;
  XmlWriter xml(out);
  xml.Declaration().Start("styleSheet").Attr("xmlns", kMainNamespace);
  if (!t.numFmts.empty()) {
    xml.Start("numFmts").Attr("count", static_cast<long long>(t.numFmts.size()));
    for (const auto& [id, code] : t.numFmts) xml.Raw(NumFmtXml(id, code, ""));
    xml.End("numFmts");
  }
  WriteFonts(xml, t.fontCount > 0 ? t.fontCount : 1);
  std::vector<Fill> fills = t.fills;
  // Readers expect the two reserved fills first.
  if (fills.empty()) fills.push_back(Fill{"none", {}, {}, {}});
  if (fills.size() < 2) fills.push_back(Fill{"gray125", {}, {}, {}});
  WriteList(xml, "fills", fills, FillXml);
  std::vector<Border> borders = t.borders;
  if (borders.empty()) borders.emplace_back();
  WriteList(xml, "borders", borders, BorderXml);
  xml.Start("cellStyleXfs").Attr("count", 1).Start("xf").Attr("numFmtId", 0).Attr("fontId", 0);
  xml.Attr("fillId", 0).Attr("borderId", 0).End("xf").End("cellStyleXfs");
  std::vector<Xf> xfs = t.xfs;
  if (xfs.empty()) xfs.emplace_back();
  WriteList(xml, "cellXfs", xfs, XfXml);
  WriteClosingLists(xml);
  xml.End("styleSheet");
  return out;
}

}  // namespace host::xlsx
