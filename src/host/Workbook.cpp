#include "host/Workbook.h"

#include <algorithm>
#include <string>
#include <utility>

#include "host/Application.h"
#include "host/HostError.h"
#include "text/Utf8.h"

namespace host {

namespace {

// The characters of a name; a byte that is not part of a well-formed
// character stands for itself, so that two different malformed names never
// compare equal.
std::u32string CodePoints(std::string_view text) {
  std::u32string out;
  for (size_t i = 0; i < text.size();) {
    const utf8::Decoded d = utf8::DecodeAt(text, i);
    out.push_back(d.valid ? d.character : static_cast<unsigned char>(text[i]));
    i += d.valid ? d.length : 1;
  }
  return out;
}

// Sheet names compare without regard to letter case, in the scripts that have case.
char32_t FoldCase(char32_t c) {
  if (c >= U'A' && c <= U'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;  // Latin-1
  if (c >= 0x391 && c <= 0x3A9) return c + 32;             // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 32;             // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 80;             // Cyrillic Ѐ..Џ
  if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;           // full-width Latin
  return c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin())) return true;
  std::u32string x = CodePoints(a), y = CodePoints(b);
  if (x.size() != y.size()) return false;
  for (size_t i = 0; i < x.size(); ++i) {
    if (FoldCase(x[i]) != FoldCase(y[i])) return false;
  }
  return true;
}

// Length as the spreadsheet counts it: UTF-16 units.
size_t NameLength(std::string_view name) {
  size_t units = 0;
  for (char32_t c : CodePoints(name)) units += utf8::Utf16Units(c);
  return units;
}

}  // namespace

Workbook::Workbook(Application* app, std::string path, std::unique_ptr<WorkbookBackend> backend,
                   StyleTable styles)
    : app_(app),
      path_(std::move(path)),
      savePath_(path_),
      backend_(std::move(backend)),
      styles_(std::move(styles)) {}

Workbook::~Workbook() = default;

const Worksheet& Workbook::Sheet(int position) const {
  if (position < 1 || position > SheetCount()) {
    throw HostError("Sheets", path_, "there is no sheet at position " + std::to_string(position));
  }
  return *sheets_[static_cast<size_t>(position - 1)];
}

// The workbook owns its sheets: a mutable workbook may hand them out mutable.
Worksheet& Workbook::Sheet(int position) {
  return const_cast<Worksheet&>(std::as_const(*this).Sheet(position));
}

const Worksheet* Workbook::FindSheet(std::string_view name) const {
  for (const auto& sheet : sheets_) {
    if (SameName(sheet->Name(), name)) return sheet.get();
  }
  return nullptr;
}

Worksheet* Workbook::FindSheet(std::string_view name) {
  return const_cast<Worksheet*>(std::as_const(*this).FindSheet(name));
}

std::vector<const Worksheet*> Workbook::SheetList() const {
  std::vector<const Worksheet*> list;
  list.reserve(sheets_.size());
  for (const auto& sheet : sheets_) list.push_back(sheet.get());
  return list;
}

Worksheet& Workbook::AppendSheet(std::unique_ptr<Worksheet> sheet) {
  sheets_.push_back(std::move(sheet));
  return *sheets_.back();
}

void Workbook::MoveSheet(const Worksheet& sheet, const Worksheet& before) {
  auto self = sheets_.begin() + (PositionOf(sheet) - 1);
  std::unique_ptr<Worksheet> moving = std::move(*self);
  sheets_.erase(self);
  sheets_.insert(sheets_.begin() + (PositionOf(before) - 1), std::move(moving));
  MarkStructureChanged();
}

Worksheet& Workbook::SheetByName(std::string_view name) {
  Worksheet* sheet = FindSheet(name);
  if (!sheet) throw HostError("Sheets", path_, "there is no sheet \"" + std::string(name) + "\"");
  return *sheet;
}

int Workbook::PositionOf(const Worksheet& sheet) const {
  for (size_t i = 0; i < sheets_.size(); ++i) {
    if (sheets_[i].get() == &sheet) return static_cast<int>(i + 1);
  }
  throw HostError("Sheets", path_, "sheet \"" + sheet.Name() + "\" is not in this workbook");
}

Worksheet& Workbook::AddSheet() {
  std::string name;
  for (int n = 1;; ++n) {
    name = "Sheet" + std::to_string(n);
    if (!FindSheet(name)) break;
  }
  auto sheet = std::make_unique<Worksheet>(this, name);
  sheet->SetLoaded();
  sheet->MarkModified();
  Worksheet* added = sheet.get();
  auto at = sheets_.end();
  if (active_) at = sheets_.begin() + (PositionOf(*active_) - 1);
  sheets_.insert(at, std::move(sheet));
  MarkStructureChanged();
  added->Activate();
  return *added;
}

Worksheet& Workbook::ActiveSheet() {
  if (!active_) {
    // A backend that named no active sheet: the first visible one, as the spreadsheet shows.
    for (auto& sheet : sheets_) {
      if (!sheet->Hidden()) {
        active_ = sheet.get();
        break;
      }
    }
  }
  if (!active_) throw HostError("ActiveSheet", path_, "the workbook has no visible sheet");
  return *active_;
}

std::string Workbook::NameRuleProblem(const std::string& name) {
  if (name.empty()) return "a sheet name cannot be empty";
  if (NameLength(name) > 31) return "a sheet name can have at most 31 characters";
  for (char c : name) {
    if (std::string_view(":\\/?*[]").find(c) != std::string_view::npos) {
      return std::string("a sheet name cannot contain the character ") + c;
    }
    // The workbook part is XML 1.0, which has no way to hold these.
    if (static_cast<unsigned char>(c) < 0x20)
      return "a sheet name cannot contain control characters";
  }
  if (name.find("\xEF\xBF\xBE") != std::string::npos ||
      name.find("\xEF\xBF\xBF") != std::string::npos)
    return "a sheet name cannot contain the noncharacters U+FFFE or U+FFFF";
  if (name.front() == '\'' || name.back() == '\'') {
    return "a sheet name cannot begin or end with an apostrophe";
  }
  if (SameName(name, "History")) return "\"History\" is reserved by the spreadsheet";
  return {};
}

std::u32string Workbook::NameKey(std::string_view name) {
  std::u32string key = CodePoints(name);
  for (char32_t& c : key) c = FoldCase(c);
  return key;
}

std::string Workbook::NameProblem(const std::string& name, const Worksheet* except) const {
  if (std::string problem = NameRuleProblem(name); !problem.empty()) return problem;
  for (const auto& sheet : sheets_) {
    if (sheet.get() != except && SameName(sheet->Name(), name)) {
      return "the workbook already has a sheet named \"" + sheet->Name() + "\"";
    }
  }
  return {};
}

void Workbook::SetNewFile(std::function<std::string()> freeName) {
  savePath_ = freeName();
  newFileName_ = std::move(freeName);
}

void Workbook::Save() {
  if (!newFileName_) return SaveTo(savePath_, SaveMode::kReplace);
  // The name picked at open may have been taken since.
  SaveTo(newFileName_(), SaveMode::kCreate);
  newFileName_ = nullptr;
}

void Workbook::SaveAs(const std::string& path) { SaveTo(path, SaveMode::kReplace); }

void Workbook::SaveTo(const std::string& path, SaveMode mode) {
  if (!backend_) throw HostError("Save", path, "the workbook has no file format to save in");
  backend_->Save(*this, path, mode);
  savePath_ = path;
}

void Workbook::Close() { app_->Forget(this); }

void Workbook::LoadSheet(Worksheet& sheet) {
  if (backend_) backend_->LoadSheet(sheet);
  sheet.SetLoaded();
}

}  // namespace host
