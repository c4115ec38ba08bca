#include "report/SheetAccess.h"

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "messages/InterfaceTexts.h"
#include "messages/SheetTexts.h"
#include "report/Layout.h"
#include "store/GenotypeStore.h"

namespace report {
namespace {

constexpr size_t kMaxNameLength = 31;  // in UTF-16 units, as the workbook counts

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

// Cuts to at most `length` units without splitting a surrogate pair.
void CutTo(std::u16string& s, size_t length) {
  if (s.size() <= length) return;
  s.resize(length);
  if (!s.empty() && IsHighSurrogate(s.back())) s.pop_back();
}

bool EqualsIgnoringAsciiCase(const std::u16string& a, const std::u16string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - u'a' + u'A');
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - u'a' + u'A');
    if (x != y) return false;
  }
  return true;
}

// The legal form of a name on its own: forbidden characters (control
// characters among them: a pasted tab or line break; and U+FFFE, U+FFFF,
// which the workbook part cannot hold either) become "_", the name is
// cut to 31 characters, an apostrophe at either end and the reserved name are
// avoided. A legal name comes back unchanged.
std::u16string LegalForm(const std::string& wanted) {
  std::u16string s = store::ToU16(wanted);
  for (char16_t& c : s) {
    if (c < 0x20 || c == 0xFFFE || c == 0xFFFF || c == u':' || c == u'\\' || c == u'/' ||
        c == u'?' || c == u'*' || c == u'[' || c == u']') {
      c = u'_';
    }
  }
  CutTo(s, kMaxNameLength);
  if (s.empty()) s.push_back(u'_');
  if (s.front() == u'\'') s.front() = u'_';
  if (s.back() == u'\'') s.back() = u'_';
  if (EqualsIgnoringAsciiCase(s, u"History")) s += u'_';
  return s;
}

// Candidate k of a legal form: k = 1 is the form itself, k >= 2 carries " (k)"
// at the end, the form cut so that the whole stays within 31 characters.
std::string Candidate(const std::u16string& form, int k) {
  if (k == 1) return store::ToUtf8(form);
  const std::u16string suffix = store::ToU16(" (" + std::to_string(k) + ")");
  std::u16string s = form;
  CutTo(s, kMaxNameLength - suffix.size());
  return store::ToUtf8(s + suffix);
}

// What the layout writes into B1 of a sheet named NAME.KIND.
std::string KindMark(const std::string& wanted) {
  const std::string kind = wanted.substr(wanted.rfind('.') + 1);
  return kind == "err" ? std::string(msg::sheet::kErrorLogTitle) : kind;
}

// Whether a sheet the workbook had when it was opened may be written over as
// `wanted`: never the source itself, and under a name cut to fit only a sheet
// that carries the kind our layout writes in B1, so a long marker name cut down
// to the name of one of the user's own sheets never clears that sheet.
bool Reusable(const host::Worksheet& source, host::Worksheet& sheet, const std::string& wanted,
              const std::u16string& form) {
  if (&sheet == &source) return false;
  const bool cut = form.size() < store::ToU16(wanted).size();
  return !cut || sheet.GetRange("B1").Text() == KindMark(wanted);
}

}  // namespace

std::string LegalSheetName(const host::Workbook& book, const std::string& wanted) {
  const std::u16string form = LegalForm(wanted);
  for (int k = 1;; ++k) {
    std::string name = Candidate(form, k);
    if (!book.FindSheet(name)) return name;
  }
}

OutputSheets::OutputSheets(host::Worksheet& source, std::vector<std::string> listed,
                           host::Worksheet& front)
    : book_(source.Parent()), source_(source), listed_(std::move(listed)), front_(&front) {}

// The sheet Open reuses for `name`, or null and in `freeName` the first
// candidate name that no sheet has.
host::Worksheet* OutputSheets::FindReusable(const std::string& name, std::string& freeName) const {
  const std::u16string form = LegalForm(name);
  for (int k = 1;; ++k) {
    std::string candidate = Candidate(form, k);
    host::Worksheet* existing = book_.FindSheet(candidate);
    if (!existing) {
      freeName = std::move(candidate);
      return nullptr;
    }
    // A sheet this run already has stays with its first owner.
    if (std::find(opened_.begin(), opened_.end(), existing) != opened_.end()) continue;
    // Only a sheet the workbook had when it was opened is reused, and only
    // under its exact name; anything else (a sheet differing in letter case)
    // is a clash that moves on to the next candidate.
    const bool listed = std::find(listed_.begin(), listed_.end(), candidate) != listed_.end();
    if (listed && existing->Name() == candidate && Reusable(source_, *existing, name, form))
      return existing;
  }
}

host::Worksheet& OutputSheets::Open(const std::string& name) {
  std::string freeName;
  host::Worksheet* sheet = FindReusable(name, freeName);
  if (!sheet) {
    sheet = &book_.AddSheet();
    sheet->SetName(freeName);
    sheet->Move(*front_);
  }
  front_ = sheet;
  opened_.push_back(sheet);
  return *sheet;
}

host::Worksheet* OutputSheets::FindEarlier(const std::string& name) {
  std::string unused;
  host::Worksheet* sheet = FindReusable(name, unused);
  if (!sheet || sheet->GetRange("B1").Text() != KindMark(name)) return nullptr;
  opened_.push_back(sheet);
  return sheet;
}

namespace {

// The names down (or right) from `first` until the first empty cell or the
// sheet's edge; more than `limit` are counted, only `limit` kept.
struct NameList {
  std::vector<std::string> names;
  bool tooMany = false;
};

template <typename Comment>
NameList ReadNames(const host::Range& first, int rowStep, int columnStep, int room, int limit,
                   const Comment& comment) {
  NameList out;
  for (int i = 0; i < room; ++i) {
    std::string text = first.Offset(i * rowStep, i * columnStep).Text();
    if (text.empty()) break;
    if (i >= limit) {
      out.tooMany = true;
      continue;
    }
    comment(i + 1);
    out.names.push_back(std::move(text));
  }
  return out;
}

}  // namespace

SourceTable ReadSourceTable(host::Worksheet& source, store::DataKind kind, Progress& progress) {
  const host::Range anchor = Anchor(source);
  // The scans stop at the sheet's edge when the list runs that far.
  NameList varieties =
      ReadNames(anchor.Offset(1, 0), 1, 0, host::kMaxRows - anchor.Row(), store::kMaxVarieties,
                [&](int i) { progress.Comment(msg::VarietyComment(i)); });
  NameList markers =
      ReadNames(anchor.Offset(0, 1), 0, 1, host::kMaxColumns - anchor.Column(), store::kMaxMarkers,
                [&](int j) { progress.Comment(msg::MarkerComment(j)); });
  SourceTable table{
      store::GenotypeStore(kind, std::move(varieties.names), std::move(markers.names)), {}};
  if (varieties.tooMany)
    table.limits.push_back(
        {store::Problem::TooManyVarieties, 0, 0, store::TablePlace{store::kMaxVarieties + 1, 0}});
  if (markers.tooMany)
    table.limits.push_back(
        {store::Problem::TooManyMarkers, 0, 0, store::TablePlace{0, store::kMaxMarkers + 1}});

  store::GenotypeStore& s = table.store;
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    for (int m = 1; m <= s.MarkerCount(); ++m) {
      progress.Comment(msg::CellComment(v, m));
      s.SetCell(v, m, store::ToU16(anchor.Offset(v, m).Text()));
    }
  }
  return table;
}

}  // namespace report
