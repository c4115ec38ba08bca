#include "host/xlsx/SheetWriter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

#include "host/Workbook.h"
#include "host/xlsx/DrawingPart.h"
#include "host/xlsx/SheetLayoutXml.h"
#include "host/xlsx/Xml.h"
#include "host/xlsx/XmlWriter.h"
#include "text/Utf8.h"

namespace host::xlsx {

namespace {

constexpr const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelNs =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Top-level elements of a worksheet in schema order.
constexpr std::string_view kOrder[] = {"sheetPr",
                                       "dimension",
                                       "sheetViews",
                                       "sheetFormatPr",
                                       "cols",
                                       "sheetData",
                                       "sheetCalcPr",
                                       "sheetProtection",
                                       "protectedRanges",
                                       "scenarios",
                                       "autoFilter",
                                       "sortState",
                                       "dataConsolidate",
                                       "customSheetViews",
                                       "mergeCells",
                                       "phoneticPr",
                                       "conditionalFormatting",
                                       "dataValidations",
                                       "hyperlinks",
                                       "printOptions",
                                       "pageMargins",
                                       "pageSetup",
                                       "headerFooter",
                                       "rowBreaks",
                                       "colBreaks",
                                       "customProperties",
                                       "cellWatches",
                                       "ignoredErrors",
                                       "smartTags",
                                       "drawing",
                                       "legacyDrawing",
                                       "legacyDrawingHF",
                                       "drawingHF",
                                       "picture",
                                       "oleObjects",
                                       "controls",
                                       "webPublishItems",
                                       "tableParts",
                                       "extLst"};

int Rank(std::string_view name) {
  for (size_t i = 0; i < std::size(kOrder); ++i)
    if (kOrder[i] == name) return static_cast<int>(i);
  return -1;
}
constexpr int kDimensionRank = 1, kDataRank = 5, kMergeRank = 14;

// Cells hold at most 32,767 characters; cut on a character boundary.
std::string_view Clip(std::string_view text) {
  constexpr size_t kMax = 32767;
  if (text.size() <= kMax) return text;
  size_t units = 0, i = 0;
  while (i < text.size()) {
    const utf8::Decoded c = utf8::DecodeAt(text, i);
    const size_t add = utf8::Utf16Units(c.character);
    if (units + add > kMax) break;
    units += add;
    i += c.length;
  }
  return text.substr(0, i);
}

// The text collected before it goes to the sink.
constexpr size_t kPiece = 65536;

class Writer {
 public:
  Writer(Worksheet& sheet, const SheetWriteOptions& options, const XmlSink& sink)
      : sheet_(sheet), options_(options), sink_(sink) {}

  // Flushes `out`, which `xml` appends to, to the sink after each piece.
  void Cells(XmlWriter& xml, std::string& out) {
    const CellStore& store = sheet_.Store();
    const auto& formulas = store.Formulas();
    xml.Start("sheetData");
    for (const auto& [r, row] : store.Rows()) {
      if (row.cells.empty() && row.attributes.empty()) continue;
      xml.Start("row").Attr("r", r).Kept(row.attributes);
      int lastColumn = 0;
      for (const Cell& cell : row.cells) {
        if (cell.column <= lastColumn || cell.column > kMaxColumns) continue;  // never twice
        lastColumn = cell.column;
        const std::string* formula = nullptr;
        if (!formulas.empty()) {
          auto it = formulas.find({r, cell.column});
          if (it != formulas.end()) formula = &it->second;
        }
        CellXml(xml, r, cell, formula);
      }
      xml.End("row");
      if (out.size() >= kPiece) {
        sink_(out);
        out.clear();
      }
    }
    xml.End("sheetData");
  }

  static void Dimension(XmlWriter& xml, const CellStore& store) {
    int minRow = INT_MAX, maxRow = 0, minCol = INT_MAX, maxCol = 0;
    for (const auto& [r, row] : store.Rows()) {
      if (row.cells.empty()) continue;
      minRow = std::min(minRow, r);
      maxRow = std::max(maxRow, r);
      minCol = std::min<int>(minCol, row.cells.front().column);
      maxCol = std::max<int>(maxCol, row.cells.back().column);
    }
    xml.Start("dimension");
    if (maxRow == 0)
      xml.Attr("ref", "A1");
    else if (minRow == maxRow && minCol == maxCol)
      xml.RefAttr("ref", minRow, minCol);
    else
      xml.RangeAttr("ref", minRow, minCol, maxRow, maxCol);
    xml.End("dimension");
  }

  void Merges(XmlWriter& xml) {
    std::vector<Range>& merges = sheet_.Merges();
    if (merges.empty()) return;
    xml.Start("mergeCells").Attr("count", static_cast<long long>(merges.size()));
    for (const Range& m : merges) {
      xml.Start("mergeCell")
          .RangeAttr("ref", m.Row(), m.Column(), m.LastRow(), m.LastColumn())
          .End("mergeCell");
    }
    xml.End("mergeCells");
  }

 private:
  static void Value(XmlWriter& xml, const std::string* formula, double number) {
    if (formula) xml.Raw(*formula);
    xml.Start("v").Number(number).End("v");
  }

  void TextCell(XmlWriter& xml, const Cell& cell, const std::string& text,
                const std::string* formula) {
    if (formula) {
      xml.Attr("t", "str").Raw(*formula).Start("v");
      if (NeedsPreserve(text)) xml.Attr("xml:space", "preserve");
      xml.CellText(Clip(text)).End("v");
    } else if (KeepsSharedString(cell, text)) {
      xml.Attr("t", "s").Start("v").Int(cell.sharedString).End("v");
    } else {
      // Inline, so the shared string table stays as the file had it.
      const std::string_view clipped = Clip(text);
      xml.Attr("t", "inlineStr").Start("is").Start("t");
      if (NeedsPreserve(clipped)) xml.Attr("xml:space", "preserve");
      xml.CellText(clipped).End("t").End("is");
    }
  }

  void CellXml(XmlWriter& xml, int r, const Cell& cell, const std::string* formula) {
    xml.Start("c").RefAttr("r", r, cell.column);
    if (cell.style > 0) xml.Attr("s", cell.style);
    const CellValue& v = cell.value;
    if (const double* d = std::get_if<double>(&v)) {
      if (std::isfinite(*d)) {
        Value(xml, formula, *d);
      } else {
        xml.Attr("t", "e");
        if (formula) xml.Raw(*formula);
        xml.Start("v").Text("#NUM!").End("v");
      }
    } else if (const std::string* s = std::get_if<std::string>(&v)) {
      TextCell(xml, cell, *s, formula);
    } else if (const bool* b = std::get_if<bool>(&v)) {
      xml.Attr("t", "b");
      Value(xml, formula, *b ? 1 : 0);
    } else if (const ErrorValue* e = std::get_if<ErrorValue>(&v)) {
      xml.Attr("t", "e");
      if (formula) xml.Raw(*formula);
      xml.Start("v").Text(e->text).End("v");
    } else if (formula) {
      xml.Raw(*formula);
    }
    xml.End("c");
  }

  bool KeepsSharedString(const Cell& cell, const std::string& text) const {
    const auto* sst = options_.sharedStrings;
    const std::string* shared = sst ? sst->Find(cell.sharedString) : nullptr;
    return shared && *shared == text;
  }

  Worksheet& sheet_;
  const SheetWriteOptions& options_;
  const XmlSink& sink_;
};

}  // namespace

namespace {

using KeptElements = std::vector<std::pair<int, const XlsxSheetExtra::Element*>>;

// Starts the root as the file had it and ranks the elements kept from the file
// and those the model lays out, in schema order.
KeptElements StartKeptRoot(XmlWriter& xml, const Worksheet& sheet, const XlsxSheetExtra& extra,
                           const std::vector<XlsxSheetExtra::Element>& layout) {
  xml.Start(extra.rootName);
  bool hasDefaultNs = false;
  for (const auto& [name, value] : extra.rootAttributes) {
    if (name == "xmlns") hasDefaultNs = true;
    xml.Attr(name, value);
  }
  // Cells are written unprefixed; a prefixed root needs the default namespace too.
  if (!hasDefaultNs && extra.rootName.find(':') != std::string::npos) xml.Attr("xmlns", kMainNs);
  KeptElements elements;
  int rank = 0;
  for (const auto& e : layout) elements.emplace_back(Rank(e.localName), &e);
  for (const auto& e : extra.elements) {
    if (ModelOwns(sheet, e.localName)) continue;  // written from the model instead
    int r = Rank(e.localName);
    if (r >= 0) rank = r;  // unknown elements travel with the element before them
    elements.emplace_back(rank, &e);
  }
  std::stable_sort(elements.begin(), elements.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  return elements;
}

void StartNewRoot(XmlWriter& xml, Worksheet& sheet, const SheetWriteOptions& options) {
  xml.Start("worksheet").Attr("xmlns", kMainNs).Attr("xmlns:r", kRelNs);
  Writer::Dimension(xml, sheet.Store());
  xml.Raw(NewSheetViewsXml(sheet, options.tabSelected));
  xml.Start("sheetFormatPr").Attr("defaultRowHeight", 15).End("sheetFormatPr");
  xml.Raw(ColsXml(sheet));
}

}  // namespace

void WriteSheetXml(Worksheet& sheet, const XlsxSheetExtra* extra, const SheetWriteOptions& options,
                   const XmlSink& sink) {
  std::string out;
  out.reserve(2 * kPiece);
  XmlWriter xml(out);
  xml.Declaration();
  const bool parsed = extra && extra->parsed;
  std::vector<XlsxSheetExtra::Element> layout =
      parsed ? ModelLayoutElements(sheet, *extra) : std::vector<XlsxSheetExtra::Element>{};
  const bool drawing = sheet.ImagesSet() && !options.drawingRelId.empty();
  if (parsed && drawing) layout.push_back({"drawing", DrawingElementXml(options.drawingRelId)});
  KeptElements elements;
  size_t next = 0;
  auto emitUpTo = [&](int limit) {
    while (next < elements.size() && elements[next].first < limit)
      xml.Raw(elements[next++].second->xml);
  };
  if (parsed) {
    elements = StartKeptRoot(xml, sheet, *extra, layout);
    emitUpTo(kDimensionRank);
    Writer::Dimension(xml, sheet.Store());
    emitUpTo(kDataRank);
  } else {
    StartNewRoot(xml, sheet, options);
  }
  Writer writer(sheet, options, sink);
  writer.Cells(xml, out);
  emitUpTo(kMergeRank);
  writer.Merges(xml);
  // Elements ranked with mergeCells itself cannot occur (it is never kept), so
  // the rest follow in order.
  emitUpTo(INT_MAX);
  if (!parsed) {
    xml.Start("pageMargins").Attr("left", "0.7").Attr("right", "0.7").Attr("top", "0.75");
    xml.Attr("bottom", "0.75").Attr("header", "0.3").Attr("footer", "0.3").End("pageMargins");
    if (drawing) xml.Raw(DrawingElementXml(options.drawingRelId));
  }
  xml.End(parsed ? extra->rootName : std::string("worksheet"));
  sink(out);
}

std::string WriteSheetXml(Worksheet& sheet, const XlsxSheetExtra* extra,
                          const SheetWriteOptions& options) {
  std::string xml;
  WriteSheetXml(sheet, extra, options, [&xml](std::string_view piece) { xml += piece; });
  return xml;
}

}  // namespace host::xlsx
