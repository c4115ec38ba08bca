#include "host/xlsx/SheetReader.h"

#include <expat.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "host/AsciiText.h"
#include "host/Workbook.h"
#include "host/xlsx/Xml.h"

namespace host::xlsx {

namespace {

const char* Attr(const XML_Char** atts, const char* name) {
  for (int i = 0; atts[i]; i += 2)
    if (std::strcmp(atts[i], name) == 0) return atts[i + 1];
  return nullptr;
}

// The memory a formula kept in the store's map takes beside its text: the
// map's entry and the links of its tree node.
constexpr size_t kFormulaRecordBytes =
    sizeof(std::map<std::pair<int32_t, int32_t>, std::string>::value_type) + 4 * sizeof(void*);

bool ParseInt(const char* text, long long& out) {
  if (!text) return false;
  const char* end = text + std::strlen(text);
  auto r = std::from_chars(text, end, out);
  return r.ec == std::errc() && r.ptr == end;
}

class SheetParser : public StreamParser {
 public:
  SheetParser(const SharedStringTable& sst, Worksheet& sheet, XlsxSheetExtra& extra,
              ReadBudget& budget)
      : sst_(sst),
        sheet_(sheet),
        store_(sheet.Store()),
        extra_(extra),
        budget_(budget),
        xfCount_(sheet.Parent().Styles().xfs.size()) {
    XML_SetElementHandler(Parser(), &SheetParser::Start, &SheetParser::End);
    XML_SetCharacterDataHandler(Parser(), &SheetParser::Text);
    XML_SetXmlDeclHandler(Parser(), &SheetParser::Declaration);
    XML_SetStartDoctypeDeclHandler(Parser(), &SheetParser::DocumentType);
  }

 private:
  // Elements are kept as the part's bytes and written into a part of UTF-8
  // without a document type, so a part must be in UTF-8 and have none.
  static void Declaration(void* self, const XML_Char*, const XML_Char* encoding, int) {
    if (!encoding) return;
    const std::string name = AsciiLower(encoding);
    if (name != "utf-8" && name != "us-ascii")
      static_cast<SheetParser*>(self)->Reject(std::string("the part is encoded in ") + encoding +
                                              ", not in UTF-8 as a workbook's parts are");
  }
  static void DocumentType(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<SheetParser*>(self)->Reject(
        "the part has a document type declaration (<!DOCTYPE ...>), which a workbook's parts "
        "never have");
  }
  static void Start(void* self, const XML_Char* name, const XML_Char** atts) {
    auto* p = static_cast<SheetParser*>(self);
    p->Guarded([&] { p->OnStart(name, atts); });
  }
  static void End(void* self, const XML_Char* name) {
    auto* p = static_cast<SheetParser*>(self);
    p->Guarded([&] { p->OnEnd(name); });
  }
  static void Text(void* self, const XML_Char* s, int len) {
    auto* p = static_cast<SheetParser*>(self);
    if (!p->collect_ || p->Stopped()) return;
    if (p->text_.size() + static_cast<size_t>(len) > kMaxCellTextBytes)
      return p->Refuse("a cell holds more than " + std::to_string(kMaxCellCharacters) +
                       " characters, the spreadsheet's limit");
    p->text_.append(s, static_cast<size_t>(len));
  }

  void OnStart(const char* qname, const char** atts) {
    if (!CheckDepth(++depth_) || Capturing()) return;
    std::string_view name = LocalName(qname);
    if (depth_ == 1) {
      StartRoot(qname, atts);
    } else if (depth_ == 2) {
      if (name == "sheetData") {
        inData_ = true;
      } else if (name == "mergeCells") {
        inMerges_ = true;
      } else if (name != "dimension") {
        captureName_ = std::string(name);
        BeginCapture(depth_);
      }
    } else if (depth_ == 3 && inData_ && name == "row") {
      StartRow(atts);
    } else if (depth_ == 3 && inMerges_ && name == "mergeCell") {
      AddMerge(Attr(atts, "ref"));
    } else if (depth_ == 4 && row_ && name == "c") {
      StartCell(atts);
    } else if (depth_ == 5 && inCell_) {
      if (name == "v") {
        collect_ = true;
        text_.clear();
      } else if (name == "f") {
        captureName_.clear();
        BeginCapture(depth_);
      } else if (name == "is") {
        inInline_ = true;
        text_.clear();
      }
    } else if (inInline_) {
      if (name == "rPh")
        phonetic_ = depth_;
      else if (name == "t" && !phonetic_)
        collect_ = true;
    }
  }

  void OnEnd(const char* qname) {
    if (Capturing()) {
      if (depth_ == CaptureDepth()) {
        std::string xml = EndCapture();
        if (captureName_.empty()) {
          budget_.AddText(kFormulaRecordBytes + xml.size());
          formula_ = std::move(xml);
        } else {
          budget_.AddText(sizeof(XlsxSheetExtra::Element) + captureName_.size() + xml.size());
          extra_.elements.push_back({captureName_, std::move(xml)});
        }
      }
      --depth_;
      return;
    }
    std::string_view name = LocalName(qname);
    if (depth_ == 2) {
      inData_ = inMerges_ = false;
    } else if (depth_ == 3 && name == "row") {
      if (row_ && !rowInOrder_) PutInOrder(row_->cells);
      row_ = nullptr;
    } else if (depth_ == 4 && inCell_) {
      FinishCell();
    } else if (depth_ == 5 && name == "v") {
      collect_ = false;
      hasValue_ = true;
    } else if (depth_ == 5 && name == "is") {
      inInline_ = false;
      hasValue_ = true;
    } else if (inInline_) {
      if (phonetic_ == depth_) phonetic_ = 0;
      if (name == "t") collect_ = false;
    }
    --depth_;
  }

  void StartRoot(const char* qname, const char** atts) {
    // In UTF-8 the tag's bytes are "<" and the name as expat gives it; expat
    // reads UTF-16 too, found from the first bytes with no declaration needed.
    const std::string_view tag = StartTagBytes();
    const size_t length = std::strlen(qname);
    if (tag.size() <= length || tag[0] != '<' || tag.substr(1, length) != qname)
      return Reject("the part is encoded in UTF-16, not in UTF-8 as a workbook's parts are");
    extra_.rootName = qname;
    extra_.rootAttributes.clear();
    budget_.AddText(extra_.rootName.size());
    for (int i = 0; atts[i]; i += 2) {
      extra_.rootAttributes.emplace_back(atts[i], atts[i + 1]);
      budget_.AddText(sizeof(extra_.rootAttributes.back()) +
                      extra_.rootAttributes.back().first.size() +
                      extra_.rootAttributes.back().second.size());
    }
  }

  void StartRow(const char** atts) {
    long long r = 0;
    int number = ParseInt(Attr(atts, "r"), r) ? static_cast<int>(std::clamp(r, 0LL, 1LL << 30))
                                              : lastRow_ + 1;
    lastColumn_ = 0;
    if (number < 1 || number > kMaxRows) {
      row_ = nullptr;
      return;
    }
    lastRow_ = number;
    rowNumber_ = number;
    budget_.AddCells(1);  // a row costs about what a cell does
    row_ = &store_.Rows()[number];
    rowInOrder_ = true;
    row_->attributes.clear();
    for (int i = 0; atts[i]; i += 2) {
      std::string_view an = atts[i];
      if (an == "r" || an == "spans") continue;  // spans would go stale once cells change
      if (!row_->attributes.empty()) row_->attributes += ' ';
      row_->attributes.append(an);
      row_->attributes += "=\"";
      AppendAttrEscaped(row_->attributes, atts[i + 1]);
      row_->attributes += '"';
    }
    // What the attributes take, escaped as they are kept (a quote is &quot;).
    if (!row_->attributes.empty()) budget_.AddText(row_->attributes.capacity());
  }

  void StartCell(const char** atts) {
    inCell_ = true;
    hasValue_ = false;
    text_.clear();
    formula_.clear();
    column_ = 0;
    const char* ref = Attr(atts, "r");
    if (ref) {
      int r = 0, c = 0;
      if (ParseRef(ref, r, c) && r == rowNumber_) column_ = c;
    } else if (lastColumn_ < kMaxColumns) {
      column_ = lastColumn_ + 1;
    }
    if (column_) lastColumn_ = column_;
    const char* t = Attr(atts, "t");
    type_ = t ? t : "n";
    long long s = 0;
    style_ = ParseInt(Attr(atts, "s"), s) && s >= 0 && static_cast<size_t>(s) < xfCount_ &&
                     s < kMaxCellFormats
                 ? static_cast<int>(s)
                 : 0;
  }

  void FinishCell() {
    inCell_ = false;
    collect_ = false;
    if (!column_) return;
    Cell cell;
    cell.column = column_;
    cell.style = style_;
    if (hasValue_) {
      if (type_ == "s") {
        long long index = -1;
        const std::string* text = ParseInt(text_.c_str(), index) ? sst_.Find(index) : nullptr;
        if (text) {
          cell.value = *text;
          cell.sharedString = static_cast<int32_t>(index);
        }
      } else if (type_ == "inlineStr" || type_ == "str" || type_ == "d") {
        cell.value = DecodeCellText(text_);
        CheckCellText(std::get<std::string>(cell.value));
      } else if (type_ == "b") {
        cell.value = text_ == "1" || text_ == "true";
      } else if (type_ == "e") {
        cell.value = ErrorValue{text_};
      } else {
        double d = 0;
        const char* b = text_.data();
        while (b < text_.data() + text_.size() && *b == ' ') ++b;
        auto res = std::from_chars(b, text_.data() + text_.size(), d);
        if (res.ec == std::errc()) cell.value = d;
      }
    }
    if (!formula_.empty()) {
      store_.Formulas()[{rowNumber_, column_}] = std::move(formula_);
      formula_.clear();
    } else if (IsEmpty(cell.value) && cell.style == 0) {
      return;
    }
    Count(cell);
    // A cell out of column order is put in place once its row ends.
    std::vector<Cell>& cells = row_->cells;
    if (!cells.empty() && cells.back().column >= column_) rowInOrder_ = false;
    cells.push_back(std::move(cell));
  }

  // Sorts a row's cells by column; of cells with one column the last read wins.
  static void PutInOrder(std::vector<Cell>& cells) {
    std::stable_sort(cells.begin(), cells.end(),
                     [](const Cell& a, const Cell& b) { return a.column < b.column; });
    auto end = cells.begin();  // past the cells kept
    for (auto it = cells.begin(); it != cells.end(); ++it) {
      if (end != cells.begin() && std::prev(end)->column == it->column) {
        *std::prev(end) = std::move(*it);
      } else {
        if (end != it) *end = std::move(*it);
        ++end;
      }
    }
    cells.erase(end, cells.end());
  }

  // Each cell read, and its own copy of its text, against the workbook's budget.
  void Count(const Cell& cell) {
    budget_.AddCells(1);
    if (const auto* text = std::get_if<std::string>(&cell.value)) budget_.AddText(text->size());
    if (const auto* error = std::get_if<ErrorValue>(&cell.value))
      budget_.AddText(error->text.size());
  }

  void AddMerge(const char* ref) {
    if (!ref) return;
    std::string_view text = ref;
    size_t colon = text.find(':');
    int r1, c1, r2, c2;
    if (colon == std::string_view::npos) return;
    if (!ParseRef(text.substr(0, colon), r1, c1) || !ParseRef(text.substr(colon + 1), r2, c2))
      return;
    if (r1 > r2) std::swap(r1, r2);
    if (c1 > c2) std::swap(c1, c2);
    budget_.AddCells(1);  // a merge costs less than a cell does
    sheet_.Merges().emplace_back(&sheet_, r1, c1, r2, c2);
  }

  const SharedStringTable& sst_;
  Worksheet& sheet_;
  CellStore& store_;
  XlsxSheetExtra& extra_;
  ReadBudget& budget_;
  size_t xfCount_;
  int depth_ = 0;
  bool inData_ = false, inMerges_ = false, inCell_ = false, inInline_ = false;
  bool collect_ = false, hasValue_ = false;
  bool rowInOrder_ = true;  // the cells of row_ are in ascending column order
  int phonetic_ = 0;
  std::string captureName_;
  Row* row_ = nullptr;
  int rowNumber_ = 0, lastRow_ = 0, lastColumn_ = 0, column_ = 0, style_ = 0;
  std::string type_, text_, formula_;
};

}  // namespace

void ReadSheet(const ChunkSource& source, const SharedStringTable& sharedStrings, Worksheet& sheet,
               XlsxSheetExtra& extra, ReadBudget& budget) {
  extra.elements.clear();
  SheetParser parser(sharedStrings, sheet, extra, budget);
  parser.Run([&](char* buffer, size_t size) {
    const size_t n = source(buffer, size);
    budget.AddSheetXml(n);
    return n;
  });
  extra.parsed = true;
}

}  // namespace host::xlsx
