#include "host/xlsx/SheetReader.h"

#include <expat.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "host/Workbook.h"
#include "host/xlsx/Xml.h"

namespace host::xlsx {

namespace {

const char* Attr(const XML_Char** atts, const char* name) {
  for (int i = 0; atts[i]; i += 2)
    if (std::strcmp(atts[i], name) == 0) return atts[i + 1];
  return nullptr;
}

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
  }

 private:
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
      extra_.rootName = qname;
      extra_.rootAttributes.clear();
      for (int i = 0; atts[i]; i += 2) extra_.rootAttributes.emplace_back(atts[i], atts[i + 1]);
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
        budget_.AddText(xml.size());
        if (captureName_.empty())
          formula_ = std::move(xml);
        else
          extra_.elements.push_back({captureName_, std::move(xml)});
      }
      --depth_;
      return;
    }
    std::string_view name = LocalName(qname);
    if (depth_ == 2) {
      inData_ = inMerges_ = false;
    } else if (depth_ == 3 && name == "row") {
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
  }

  void StartCell(const char** atts) {
    inCell_ = true;
    hasValue_ = false;
    text_.clear();
    formula_.clear();
    column_ = 0;
    const char* ref = Attr(atts, "r");
    int r = 0, c = 0;
    if (ref) {
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
    std::vector<Cell>& cells = row_->cells;
    if (cells.empty() || cells.back().column < column_) {
      cells.push_back(std::move(cell));
      return;
    }
    auto it = std::lower_bound(cells.begin(), cells.end(), column_,
                               [](const Cell& a, int col) { return a.column < col; });
    if (it != cells.end() && it->column == column_)
      *it = std::move(cell);  // last one wins
    else
      cells.insert(it, std::move(cell));
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
  parser.Run(source);
  extra.parsed = true;
}

}  // namespace host::xlsx
