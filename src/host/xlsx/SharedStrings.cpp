#include "host/xlsx/SharedStrings.h"

#include <stdexcept>

#include "host/HostError.h"
#include "host/xlsx/Xml.h"
#include "host/xlsx/Zip.h"

namespace host::xlsx {

namespace {

class SharedStringParser : public StreamParser {
 public:
  SharedStringParser(std::vector<std::string>& out, ReadBudget& budget)
      : out_(out), budget_(budget) {
    XML_SetElementHandler(Parser(), &SharedStringParser::Start, &SharedStringParser::End);
    XML_SetCharacterDataHandler(Parser(), [](void* self, const XML_Char* s, int len) {
      auto* p = static_cast<SharedStringParser*>(self);
      if (!p->collect_ || p->Stopped()) return;
      if (p->text_.size() + static_cast<size_t>(len) > kMaxCellTextBytes)
        return p->Refuse("a text holds more than " + std::to_string(kMaxCellCharacters) +
                         " characters, the spreadsheet's limit");
      p->text_.append(s, static_cast<size_t>(len));
    });
  }

 private:
  static void Start(void* self, const XML_Char* qname, const XML_Char**) {
    auto* p = static_cast<SharedStringParser*>(self);
    if (p->Stopped() || !p->CheckDepth(++p->depth_)) return;
    std::string_view name = LocalName(qname);
    if (p->depth_ == 2 && name == "si")
      p->text_.clear();
    else if (name == "rPh")
      p->phonetic_ = p->depth_;
    else if (name == "t" && !p->phonetic_ && p->depth_ > 2)
      p->collect_ = true;
  }
  static void End(void* self, const XML_Char* qname) {
    auto* p = static_cast<SharedStringParser*>(self);
    if (p->Stopped()) return;
    std::string_view name = LocalName(qname);
    if (p->depth_ == 2 && name == "si")
      p->Guarded([p] { p->Add(); });
    else if (p->phonetic_ == p->depth_)
      p->phonetic_ = 0;
    else if (name == "t")
      p->collect_ = false;
    --p->depth_;
  }

  void Add() {
    std::string text = DecodeCellText(text_);
    CheckCellText(text);
    if (out_.size() >= kMaxSharedStrings)
      throw LimitError("the shared text table holds more than " +
                       std::to_string(kMaxSharedStrings) + " texts");
    budget_.AddText(text.size());
    out_.push_back(std::move(text));
  }

  std::vector<std::string>& out_;
  ReadBudget& budget_;
  std::string text_;
  int depth_ = 0, phonetic_ = 0;
  bool collect_ = false;
};

}  // namespace

void SharedStringTable::Load(zip_t* zip, const std::string& part, const std::string& file,
                             ReadBudget& budget) {
  if (failure_) std::rethrow_exception(failure_);
  if (loaded_) return;
  try {
    Read(zip, part, file, budget);
  } catch (...) {
    failure_ = std::current_exception();
    throw;
  }
  loaded_ = true;
}

void SharedStringTable::Read(zip_t* zip, const std::string& part, const std::string& file,
                             ReadBudget& budget) {
  if (!zip || part.empty()) return;
  zip_int64_t index = FindEntry(zip, part);
  if (index < 0) return;  // a dangling relationship: cells that use it read empty
  ZipFilePtr entry(zip_fopen_index(zip, static_cast<zip_uint64_t>(index), 0));
  if (!entry) throw OpenError(file, FailureCode::PartDamaged, zip_strerror(zip), {part});
  try {
    strings_ = ReadSharedStrings(
        [&](char* buffer, size_t size) { return ReadChunk(entry.get(), buffer, size); }, budget);
  } catch (const LimitError& e) {
    strings_.clear();
    throw OpenError(file, FailureCode::PartTooLarge, "part " + part + " is too large: " + e.what(),
                    {part});
  } catch (const std::exception& e) {
    if (IsOutOfMemory(e)) throw;  // not the file's fault
    strings_.clear();
    throw OpenError(file, FailureCode::SharedTextsDamaged,
                    "the shared text table (part " + part + ") is damaged: " + e.what(), {part});
  }
}

const std::string* SharedStringTable::Find(long long index) const {
  if (index < 0 || static_cast<unsigned long long>(index) >= strings_.size()) return nullptr;
  return &strings_[static_cast<size_t>(index)];
}

std::vector<std::string> ReadSharedStrings(const ChunkSource& source, ReadBudget& budget) {
  std::vector<std::string> out;
  SharedStringParser parser(out, budget);
  parser.Run(source);
  return out;
}

}  // namespace host::xlsx
