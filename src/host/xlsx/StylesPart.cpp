#include "host/xlsx/StylesPart.h"

#include <cstring>
#include <pugixml.hpp>
#include <stdexcept>

#include "host/ReadLimits.h"
#include "host/xlsx/Xml.h"
#include "host/xlsx/XmlDoc.h"

namespace host::xlsx {

namespace {

ColorRef ReadColor(pugi::xml_node node) {
  ColorRef color;
  if (!node) return color;
  for (pugi::xml_attribute a : node.attributes()) {
    if (!color.attributes.empty()) color.attributes += ' ';
    color.attributes += a.name();
    color.attributes += "=\"";
    AppendAttrEscaped(color.attributes, a.value());
    color.attributes += '"';
  }
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
    else {
      if (!xf.otherAttributes.empty()) xf.otherAttributes += ' ';
      xf.otherAttributes += std::string(name) + "=\"";
      AppendAttrEscaped(xf.otherAttributes, a.value());
      xf.otherAttributes += '"';
    }
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
      else {
        if (!a.otherAttributes.empty()) a.otherAttributes += ' ';
        a.otherAttributes += std::string(name) + "=\"";
        AppendAttrEscaped(a.otherAttributes, at.value());
        a.otherAttributes += '"';
      }
    }
  }
  if (pugi::xml_node pr = ChildLocal(node, "protection")) xf.protectionXml = NodeXml(pr);
  return xf;
}

void AppendColor(std::string& out, const std::string& p, const char* name, const ColorRef& c) {
  if (c.attributes.empty()) return;
  out += '<' + p + name + ' ' + c.attributes + "/>";
}

void AppendSide(std::string& out, const std::string& p, const char* name, const BorderSide& s) {
  out += '<' + p + name;
  if (!s.style.empty()) {
    out += " style=\"";
    AppendAttrEscaped(out, s.style);
    out += '"';
  }
  if (s.color.attributes.empty()) {
    out += "/>";
    return;
  }
  out += '>';
  AppendColor(out, p, "color", s.color);
  out += "</" + p + name + '>';
}

std::string NumFmtXml(int id, const std::string& code, const std::string& p) {
  std::string out = '<' + p + "numFmt numFmtId=\"" + std::to_string(id) + "\" formatCode=\"";
  AppendAttrEscaped(out, code);
  out += "\"/>";
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
  std::string out = '<' + p + "fill><" + p + "patternFill";
  if (!fill.patternType.empty()) out += " patternType=\"" + fill.patternType + '"';
  if (fill.fg.attributes.empty() && fill.bg.attributes.empty()) {
    out += "/></" + p + "fill>";
    return out;
  }
  out += '>';
  AppendColor(out, p, "fgColor", fill.fg);
  AppendColor(out, p, "bgColor", fill.bg);
  out += "</" + p + "patternFill></" + p + "fill>";
  return out;
}

std::string BorderXml(const Border& b, const std::string& p) {
  std::string out = '<' + p + "border";
  if (b.diagonalUp) out += " diagonalUp=\"1\"";
  if (b.diagonalDown) out += " diagonalDown=\"1\"";
  out += '>';
  AppendSide(out, p, "left", b.left);
  AppendSide(out, p, "right", b.right);
  AppendSide(out, p, "top", b.top);
  AppendSide(out, p, "bottom", b.bottom);
  AppendSide(out, p, "diagonal", b.diagonal);
  out += "</" + p + "border>";
  return out;
}

std::string XfXml(const Xf& xf, const std::string& p) {
  std::string out = '<' + p + "xf numFmtId=\"" + std::to_string(xf.numFmtId) + "\" fontId=\"" +
                    std::to_string(xf.fontId) + "\" fillId=\"" + std::to_string(xf.fillId) +
                    "\" borderId=\"" + std::to_string(xf.borderId) + "\" xfId=\"" +
                    std::to_string(xf.xfId) + '"';
  if (xf.quotePrefix) out += " quotePrefix=\"1\"";
  if (!xf.otherAttributes.empty()) out += ' ' + xf.otherAttributes;
  if (xf.applyNumberFormat) out += " applyNumberFormat=\"1\"";
  if (xf.applyFont) out += " applyFont=\"1\"";
  if (xf.applyFill) out += " applyFill=\"1\"";
  if (xf.applyBorder) out += " applyBorder=\"1\"";
  if (xf.applyAlignment) out += " applyAlignment=\"1\"";
  if (xf.applyProtection) out += " applyProtection=\"1\"";
  if (!xf.hasAlignment && xf.protectionXml.empty()) return out + "/>";
  out += '>';
  if (xf.hasAlignment) {
    const Alignment& a = xf.alignment;
    out += '<' + p + "alignment";
    if (!a.horizontal.empty()) out += " horizontal=\"" + a.horizontal + '"';
    if (!a.vertical.empty()) out += " vertical=\"" + a.vertical + '"';
    if (a.textRotation) out += " textRotation=\"" + std::to_string(a.textRotation) + '"';
    if (a.wrapText) out += " wrapText=\"1\"";
    if (a.indent) out += " indent=\"" + std::to_string(a.indent) + '"';
    if (a.shrinkToFit) out += " shrinkToFit=\"1\"";
    if (a.readingOrder) out += " readingOrder=\"" + std::to_string(a.readingOrder) + '"';
    if (!a.otherAttributes.empty()) out += ' ' + a.otherAttributes;
    out += "/>";
  }
  out += xf.protectionXml;
  out += "</" + p + "xf>";
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
  if (!doc.load_buffer(xml.data(), xml.size(), pugi::parse_default))
    throw std::runtime_error("the style sheet is damaged");
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

std::string NewStylesXml(const StyleTable& t) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
  if (!t.numFmts.empty()) {
    out += "<numFmts count=\"" + std::to_string(t.numFmts.size()) + "\">";
    for (const auto& [id, code] : t.numFmts) out += NumFmtXml(id, code, "");
    out += "</numFmts>";
  }
  int fonts = t.fontCount > 0 ? t.fontCount : 1;
  out += "<fonts count=\"" + std::to_string(fonts) + "\">";
  for (int i = 0; i < fonts; ++i)
    out +=
        "<font><sz val=\"11\"/><color theme=\"1\"/><name val=\"Calibri\"/><family val=\"2\"/>"
        "<scheme val=\"minor\"/></font>";
  out += "</fonts>";
  std::vector<Fill> fills = t.fills;
  // Readers expect the two reserved fills first.
  if (fills.empty()) fills.push_back(Fill{"none", {}, {}, {}});
  if (fills.size() < 2) fills.push_back(Fill{"gray125", {}, {}, {}});
  out += "<fills count=\"" + std::to_string(fills.size()) + "\">";
  for (const Fill& f : fills) out += FillXml(f);
  out += "</fills>";
  std::vector<Border> borders = t.borders;
  if (borders.empty()) borders.emplace_back();
  out += "<borders count=\"" + std::to_string(borders.size()) + "\">";
  for (const Border& b : borders) out += BorderXml(b);
  out += "</borders>";
  out +=
      "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "</cellStyleXfs>";
  std::vector<Xf> xfs = t.xfs;
  if (xfs.empty()) xfs.emplace_back();
  out += "<cellXfs count=\"" + std::to_string(xfs.size()) + "\">";
  for (const Xf& xf : xfs) out += XfXml(xf);
  out +=
      "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/>"
      "</cellStyles><dxfs count=\"0\"/><tableStyles count=\"0\"/></styleSheet>";
  return out;
}

}  // namespace host::xlsx
