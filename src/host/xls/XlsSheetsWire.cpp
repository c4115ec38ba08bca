#include "host/xls/XlsSheetsWire.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <unordered_set>

#include "host/ReadLimits.h"
#include "host/Worksheet.h"

namespace host::xls {

namespace {

enum Kind : uint8_t { kNumber, kText };

template <typename T>
void Put(std::string& out, T value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutText(std::string& out, std::string_view text) {
  Put(out, static_cast<uint32_t>(text.size()));
  out.append(text);
}

void PutCells(std::string& out, const CellStore& store) {
  uint32_t count = 0;
  for (const auto& entry : store.Rows()) count += static_cast<uint32_t>(entry.second.cells.size());
  Put(out, count);
  for (const auto& [row, cells] : store.Rows())
    for (const Cell& cell : cells.cells) {
      Put(out, row);
      Put(out, cell.column);
      if (const double* number = std::get_if<double>(&cell.value)) {
        Put(out, kNumber);
        Put(out, *number);
      } else {
        Put(out, kText);
        PutText(out, std::get<std::string>(cell.value));
      }
    }
}

// Bytes that end too soon or hold what no reader child writes.
struct Malformed : std::runtime_error {
  Malformed() : std::runtime_error("malformed") {}
};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}
  template <typename T>
  T Get() {
    T value;
    std::memcpy(&value, Take(sizeof value).data(), sizeof value);
    return value;
  }
  std::string_view Text() { return Take(Get<uint32_t>()); }
  bool AtEnd() const { return at_ == bytes_.size(); }

 private:
  std::string_view Take(size_t n) {
    if (n > bytes_.size() - at_) throw Malformed();
    const std::string_view part = bytes_.substr(at_, n);
    at_ += n;
    return part;
  }
  std::string_view bytes_;
  size_t at_ = 0;
};

CellValue GetValue(Reader& in, ReadBudget& budget) {
  const auto kind = in.Get<uint8_t>();
  if (kind == kNumber) return in.Get<double>();
  if (kind != kText) throw Malformed();
  std::string text(in.Text());
  CheckCellText(text);
  budget.AddText(text.size());
  return text;
}

// The cells of one sheet, each after the one before it.
void GetCells(Reader& in, CellStore& store, ReadBudget& budget) {
  const auto count = in.Get<uint32_t>();
  int32_t lastRow = 0;
  int16_t lastColumn = 0;
  Row* row = nullptr;
  for (uint32_t k = 0; k < count; ++k) {
    const auto r = in.Get<int32_t>();
    const auto c = in.Get<int16_t>();
    if (r < 1 || r < lastRow || r > kMaxRows || c < 1 || c > kMaxColumns ||
        (r == lastRow && c <= lastColumn))
      throw Malformed();
    budget.AddCells(1);
    if (r != lastRow) row = &store.Rows()[r];
    Cell cell;
    cell.column = c;
    cell.value = GetValue(in, budget);
    row->cells.push_back(std::move(cell));
    lastRow = r;
    lastColumn = c;
  }
}

}  // namespace

std::string EncodeSheets(const Workbook& book) {
  std::string out;
  Put(out, static_cast<uint32_t>(book.SheetCount()));
  for (int k = 1; k <= book.SheetCount(); ++k) {
    const Worksheet& sheet = book.Sheet(k);
    PutText(out, sheet.Name());
    PutCells(out, sheet.Store());
  }
  return out;
}

void DecodeSheets(std::string_view bytes, Workbook& book, const std::string& path) {
  try {
    Reader in(bytes);
    ReadBudget budget;
    const auto count = in.Get<uint32_t>();
    if (count == 0 || count > kMaxLegacySheets) throw Malformed();
    // The child sends legal, distinct names: any other is damage.
    std::unordered_set<std::u32string> names;
    for (uint32_t k = 0; k < count; ++k) {
      const std::string name(in.Text());
      if (!Workbook::NameRuleProblem(name).empty() || !names.insert(Workbook::NameKey(name)).second)
        throw Malformed();
      auto sheet = std::make_unique<Worksheet>(&book, name);
      sheet->SetLoaded();
      GetCells(in, sheet->Store(), budget);
      sheet->MarkModified();
      book.AppendSheet(std::move(sheet));
    }
    if (!in.AtEnd()) throw Malformed();
  } catch (const Malformed&) {
    throw HostError("Open", path, "the legacy workbook reader's answer is damaged");
  } catch (const LimitError& e) {
    throw HostError("Open", path, std::string("the workbook is too large: ") + e.what());
  }
}

}  // namespace host::xls
