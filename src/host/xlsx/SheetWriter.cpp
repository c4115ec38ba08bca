#include "host/xlsx/SheetWriter.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string_view>

#include "host/Workbook.h"
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

void AppendInline(std::string& out, std::string_view text) {
  text = Clip(text);
  out += " t=\"inlineStr\"><is><t";
  if (NeedsPreserve(text)) out += " xml:space=\"preserve\"";
  out += '>';
  AppendCellText(out, text);
  out += "</t></is>";
}

// The text collected before it goes to the sink.
constexpr size_t kPiece = 65536;

class Writer {
 public:
  Writer(Worksheet& sheet, const SheetWriteOptions& options, const XmlSink& sink)
      : sheet_(sheet), options_(options), sink_(sink) {}

  void Cells(std::string& out) {
    const CellStore& store = sheet_.Store();
    const auto& formulas = store.Formulas();
    out += "<sheetData>";
    for (const auto& [r, row] : store.Rows()) {
      if (row.cells.empty() && row.attributes.empty()) continue;
      out += "<row r=\"";
      AppendInt(out, r);
      out += '"';
      if (!row.attributes.empty()) {
        out += ' ';
        out += row.attributes;
      }
      if (row.cells.empty()) {
        out += "/>";
        continue;
      }
      out += '>';
      int lastColumn = 0;
      for (const Cell& cell : row.cells) {
        if (cell.column <= lastColumn || cell.column > kMaxColumns) continue;  // never twice
        lastColumn = cell.column;
        const std::string* formula = nullptr;
        if (!formulas.empty()) {
          auto it = formulas.find({r, cell.column});
          if (it != formulas.end()) formula = &it->second;
        }
        CellXml(out, r, cell, formula);
      }
      out += "</row>";
      if (out.size() >= kPiece) {
        sink_(out);
        out.clear();
      }
    }
    out += "</sheetData>";
  }

  static void Dimension(std::string& out, const CellStore& store) {
    int minRow = INT_MAX, maxRow = 0, minCol = INT_MAX, maxCol = 0;
    for (const auto& [r, row] : store.Rows()) {
      if (row.cells.empty()) continue;
      minRow = std::min(minRow, r);
      maxRow = std::max(maxRow, r);
      minCol = std::min<int>(minCol, row.cells.front().column);
      maxCol = std::max<int>(maxCol, row.cells.back().column);
    }
    out += "<dimension ref=\"";
    if (maxRow == 0) {
      out += "A1";
    } else {
      AppendRef(out, minRow, minCol);
      if (minRow != maxRow || minCol != maxCol) {
        out += ':';
        AppendRef(out, maxRow, maxCol);
      }
    }
    out += "\"/>";
  }

  void Merges(std::string& out) {
    std::vector<Range>& merges = sheet_.Merges();
    if (merges.empty()) return;
    out += "<mergeCells count=\"";
    AppendInt(out, static_cast<long long>(merges.size()));
    out += "\">";
    for (const Range& m : merges) {
      out += "<mergeCell ref=\"";
      AppendRef(out, m.Row(), m.Column());
      out += ':';
      AppendRef(out, m.LastRow(), m.LastColumn());
      out += "\"/>";
    }
    out += "</mergeCells>";
  }

 private:
  void CellXml(std::string& out, int r, const Cell& cell, const std::string* formula) {
    out += "<c r=\"";
    AppendRef(out, r, cell.column);
    out += '"';
    if (cell.style > 0) {
      out += " s=\"";
      AppendInt(out, cell.style);
      out += '"';
    }
    const CellValue& v = cell.value;
    if (const double* d = std::get_if<double>(&v)) {
      if (std::isfinite(*d)) {
        out += '>';
        if (formula) out += *formula;
        out += "<v>";
        AppendNumber(out, *d);
        out += "</v></c>";
      } else {
        out += " t=\"e\">";
        if (formula) out += *formula;
        out += "<v>#NUM!</v></c>";
      }
    } else if (const std::string* s = std::get_if<std::string>(&v)) {
      if (formula) {
        out += " t=\"str\">" + *formula + "<v";
        if (NeedsPreserve(*s)) out += " xml:space=\"preserve\"";
        out += '>';
        AppendCellText(out, Clip(*s));
        out += "</v></c>";
      } else if (KeepsSharedString(cell, *s)) {
        out += " t=\"s\"><v>";
        AppendInt(out, cell.sharedString);
        out += "</v></c>";
      } else {
        AppendInline(out, *s);
        out += "</c>";
      }
    } else if (const bool* b = std::get_if<bool>(&v)) {
      out += " t=\"b\">";
      if (formula) out += *formula;
      out += *b ? "<v>1</v></c>" : "<v>0</v></c>";
    } else if (const ErrorValue* e = std::get_if<ErrorValue>(&v)) {
      out += " t=\"e\">";
      if (formula) out += *formula;
      out += "<v>";
      AppendEscaped(out, e->text);
      out += "</v></c>";
    } else if (formula) {
      out += '>' + *formula + "</c>";
    } else {
      out += "/>";
    }
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

void WriteSheetXml(Worksheet& sheet, const XlsxSheetExtra* extra, const SheetWriteOptions& options,
                   const XmlSink& sink) {
  const CellStore& store = sheet.Store();
  std::string out;
  out.reserve(2 * kPiece);
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

  std::vector<std::pair<int, const XlsxSheetExtra::Element*>> elements;
  bool parsed = extra && extra->parsed;
  const std::vector<XlsxSheetExtra::Element> layout =
      parsed ? ModelLayoutElements(sheet, *extra) : std::vector<XlsxSheetExtra::Element>{};
  if (parsed) {
    XmlWriter root(out);
    root.Start(extra->rootName);
    bool hasDefaultNs = false;
    for (const auto& [name, value] : extra->rootAttributes) {
      if (name == "xmlns") hasDefaultNs = true;
      root.Attr(name, value);
    }
    // Cells are written unprefixed; a prefixed root needs the default namespace too.
    if (!hasDefaultNs && extra->rootName.find(':') != std::string::npos)
      root.Attr("xmlns", kMainNs);
    out += '>';
    int rank = 0;
    for (const auto& e : layout) elements.emplace_back(Rank(e.localName), &e);
    for (const auto& e : extra->elements) {
      if (ModelOwns(sheet, e.localName)) continue;  // written from the model instead
      int r = Rank(e.localName);
      if (r >= 0) rank = r;  // unknown elements travel with the element before them
      elements.emplace_back(rank, &e);
    }
    std::stable_sort(elements.begin(), elements.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
  } else {
    out += std::string("<worksheet xmlns=\"") + kMainNs + "\" xmlns:r=\"" + kRelNs + "\">";
  }

  Writer writer(sheet, options, sink);
  auto emitUpTo = [&](int limit, size_t& next) {
    while (next < elements.size() && elements[next].first < limit)
      out += elements[next++].second->xml;
  };
  size_t next = 0;
  if (parsed) {
    emitUpTo(kDimensionRank, next);
    Writer::Dimension(out, store);
    emitUpTo(kDataRank, next);
  } else {
    Writer::Dimension(out, store);
    out += NewSheetViewsXml(sheet, options.tabSelected);
    out += "<sheetFormatPr defaultRowHeight=\"15\"/>";
    out += ColsXml(sheet);
  }
  writer.Cells(out);
  emitUpTo(kMergeRank, next);
  writer.Merges(out);
  // Elements ranked with mergeCells itself cannot occur (it is never kept), so
  // the rest follow in order.
  emitUpTo(INT_MAX, next);
  if (!parsed)
    out +=
        "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
        "footer=\"0.3\"/>";
  out += "</" + (parsed ? extra->rootName : std::string("worksheet")) + '>';
  sink(out);
}

std::string WriteSheetXml(Worksheet& sheet, const XlsxSheetExtra* extra,
                          const SheetWriteOptions& options) {
  std::string xml;
  WriteSheetXml(sheet, extra, options, [&xml](std::string_view piece) { xml += piece; });
  return xml;
}

}  // namespace host::xlsx
