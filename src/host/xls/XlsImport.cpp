#include "host/xls/XlsImport.h"

#include <freexl.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <unordered_set>
#include <vector>

#include "host/ReadLimits.h"
#include "host/WorkbookFile.h"
#include "host/xls/XlsReaderChild.h"
#include "host/xls/XlsSheetsWire.h"

namespace host::xls {

namespace {

// libfreexl could not get the memory it asked for.
class OutOfMemory : public HostError {
 public:
  using HostError::HostError;
};

struct FreeXlCloser {
  void operator()(const void* handle) const { freexl_close(handle); }
};
using FreeXlPtr = std::unique_ptr<const void, FreeXlCloser>;

std::string FreeXlReason(int code) {
  switch (code) {
    case FREEXL_FILE_NOT_FOUND:
      return "the file does not exist";
    case FREEXL_INSUFFICIENT_MEMORY:
      return "not enough memory to read it";
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
      return "the file holds no workbook";
    case FREEXL_UNSUPPORTED_CHARSET:
      return "the workbook's character set is not supported";
    default:
      return "the file is damaged or not a workbook";
  }
}

// The values of the selected sheet. Every text cell holds its own copy of
// a shared text, so the texts count against the budget cell by cell. Cells
// past the last row or column of a sheet are not read, as in a .xlsx file.
void ReadCells(const void* raw, unsigned rows, unsigned short columns, CellStore& store,
               ReadBudget& budget) {
  const unsigned lastColumn = std::min<unsigned>(columns, kMaxColumns);
  for (unsigned r = 0; r < rows && r < static_cast<unsigned>(kMaxRows); ++r) {
    Row* row = nullptr;
    for (unsigned short c = 0; c < lastColumn; ++c) {
      FreeXL_CellValue cell;
      if (freexl_get_cell_value(raw, r, c, &cell) != FREEXL_OK) continue;
      CellValue value;
      switch (cell.type) {
        case FREEXL_CELL_INT:
          value = static_cast<double>(cell.value.int_value);
          break;
        case FREEXL_CELL_DOUBLE:
          value = cell.value.double_value;
          break;
        case FREEXL_CELL_TEXT:
        case FREEXL_CELL_SST_TEXT:
        case FREEXL_CELL_DATE:
        case FREEXL_CELL_DATETIME:
        case FREEXL_CELL_TIME:
          if (!cell.value.text_value) break;
          value = std::string(cell.value.text_value);
          CheckCellText(std::get<std::string>(value));
          budget.AddText(std::get<std::string>(value).size());
          break;
        default:
          continue;
      }
      budget.AddCells(1);
      if (!row) row = &store.Rows()[static_cast<int32_t>(r + 1)];
      Cell out;
      out.column = c + 1;
      out.value = std::move(value);
      row->cells.push_back(std::move(out));
    }
  }
}

std::vector<std::string> ReadSheetNames(const void* raw, unsigned count, const std::string& path) {
  std::vector<std::string> names(count);
  for (unsigned s = 0; s < count; ++s) {
    const char* name = nullptr;
    if (freexl_get_worksheet_name(raw, static_cast<unsigned short>(s), &name) != FREEXL_OK)
      throw HostError("Open", path, "a sheet name cannot be read");
    names[s] = name ? name : "";
  }
  return names;
}

// Legal, distinct names for the sheets, in their order. A name that is not a
// legal sheet name, or repeats an earlier one, becomes the first free "SheetN"
// from its own position on; the names the file gives are kept first, so such
// a name never takes a later sheet's. One set of names keeps it linear.
void MakeNamesLegal(std::vector<std::string>& names) {
  std::unordered_set<std::u32string> taken;
  for (std::string& name : names)
    if (!Workbook::NameRuleProblem(name).empty() || !taken.insert(Workbook::NameKey(name)).second)
      name.clear();
  size_t next = 1;
  for (size_t s = 0; s < names.size(); ++s) {
    if (!names[s].empty()) continue;
    // Every number below `next` was taken when an earlier sheet looked.
    for (next = std::max(next, s + 1); names[s].empty(); ++next) {
      const std::string candidate = "Sheet" + std::to_string(next);
      if (taken.insert(Workbook::NameKey(candidate)).second) names[s] = candidate;
    }
  }
}

}  // namespace

std::string FreeXlsxPathBeside(const std::string& xlsPath) {
  namespace fs = std::filesystem;
  fs::path p(xlsPath);
  fs::path folder = p.parent_path();
  std::string stem = p.stem().string();
  for (int n = 1;; ++n) {
    std::string name = n == 1 ? stem + ".xlsx" : stem + " (" + std::to_string(n) + ").xlsx";
    fs::path candidate = folder / name;
    struct stat st;
    // Only a name that certainly does not exist is free. A folder we cannot
    // look into answers the same for every name, so stop at once.
    if (::lstat(candidate.c_str(), &st) != 0) {
      if (errno == ENOENT) return candidate.string();
      throw HostError("Save", candidate.string(), std::strerror(errno));
    }
    if (n > 10000) throw HostError("Save", xlsPath, "no free name for the new workbook");
  }
}

namespace {

// A new workbook for the sheets of the legacy file at `path`, saved beside it.
std::unique_ptr<Workbook> NewImportedBook(Application& app, const std::string& path) {
  auto book = std::make_unique<Workbook>(&app, path, NewXlsxBackend(), StyleTable::Default());
  book->SetNewFile([path] { return FreeXlsxPathBeside(path); });
  return book;
}

// Reads the file with libfreexl; only the reader child calls this.
std::unique_ptr<Workbook> Import(Application& app, const std::string& path) {
  const void* raw = nullptr;
  int rc = freexl_open(path.c_str(), &raw);
  FreeXlPtr handle(raw);
  if (rc == FREEXL_INSUFFICIENT_MEMORY) throw OutOfMemory("Open", path, FreeXlReason(rc));
  if (rc != FREEXL_OK) throw HostError("Open", path, FreeXlReason(rc));
  unsigned info = 0;
  if (freexl_get_info(raw, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK &&
      info == FREEXL_BIFF_OBFUSCATED)
    throw OpenError(path, FailureCode::PasswordProtected,
                    "the workbook is protected with a password");
  unsigned sheetCount = 0;
  if (freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK || sheetCount == 0)
    throw HostError("Open", path, "the workbook has no sheets");
  if (sheetCount > kMaxLegacySheets)
    throw HostError("Open", path,
                    "the workbook claims more than " + std::to_string(kMaxLegacySheets) +
                        " sheets, the most a legacy workbook can hold");
  std::vector<std::string> names = ReadSheetNames(raw, sheetCount, path);
  MakeNamesLegal(names);

  auto book = NewImportedBook(app, path);
  ReadBudget budget;
  for (unsigned s = 0; s < sheetCount; ++s) {
    const std::string& sheetName = names[s];
    auto sheet = std::make_unique<Worksheet>(book.get(), sheetName);
    sheet->SetLoaded();
    if (freexl_select_active_worksheet(raw, static_cast<unsigned short>(s)) != FREEXL_OK)
      throw HostError("Open", path, "sheet '" + sheetName + "' cannot be read");
    unsigned rows = 0;
    unsigned short columns = 0;
    if (freexl_worksheet_dimensions(raw, &rows, &columns) != FREEXL_OK)
      throw HostError("Open", path, "sheet '" + sheetName + "' cannot be read");
    try {
      ReadCells(raw, rows, columns, sheet->Store(), budget);
    } catch (const LimitError& e) {
      throw HostError("Open", path, "sheet '" + sheetName + "' is too large: " + e.what());
    }
    sheet->MarkModified();
    book->AppendSheet(std::move(sheet));
  }
  return book;
}

std::atomic<LegacyReader> legacyReader{nullptr};

}  // namespace

LegacyRead ReadLegacyFile(const std::string& path) {
  try {
    Application app;
    return {LegacyRead::kWhole, {}, {}, {}, EncodeSheets(*Import(app, path))};
  } catch (const OutOfMemory&) {
    return {LegacyRead::kTooLarge, {}, {}, {}, {}};
  } catch (const std::bad_alloc&) {
    return {LegacyRead::kTooLarge, {}, {}, {}, {}};
  } catch (const HostError& e) {
    return {LegacyRead::kRefused, e.Operation(), e.File(), e.Reason(), {}};
  } catch (const std::exception& e) {
    return {LegacyRead::kRefused, "Open", path, e.what(), {}};
  }
}

void SetLegacyReader(LegacyReader reader) { legacyReader = reader; }

// libfreexl (Debian 12) can crash on a crafted file, reads past its buffers
// on some (whether that crashes depends on what lies there), and keeps memory
// it never frees on others. So the program never reads a file with it: a
// child process reads it (unless another reader is set) and sends the
// sheets back.
std::unique_ptr<Workbook> ImportXls(Application& app, const std::string& path) {
  const LegacyReader reader = legacyReader;
  const LegacyRead read = reader ? reader(path) : ReadInChild(path);
  switch (read.outcome) {
    case LegacyRead::kWhole: {
      auto book = NewImportedBook(app, path);
      DecodeSheets(read.sheets, *book, path);
      book->SetActiveSheet(book->Sheet(1));
      // Sheet names the import had to change, or two that clash, make it a new structure.
      book->MarkStructureChanged();
      return book;
    }
    case LegacyRead::kRefused:
      throw HostError(read.operation, read.file, read.reason);
    case LegacyRead::kTooLarge:
      throw HostError("Open", path,
                      "reading it would take more than " +
                          std::to_string(kMaxLegacyReadBytes / kMebibyte) +
                          " MiB: its sheets claim far more cells than the file holds");
    case LegacyRead::kTooSlow:
      throw HostError("Open", path,
                      "the legacy workbook took too long to read (more than " +
                          std::to_string(kMaxLegacyReadSeconds) +
                          " seconds of processor time): it is damaged or made to be slow");
    default:
      throw OpenError(path, FailureCode::Damaged,
                      "the file is damaged: the legacy workbook reader failed on it");
  }
}

}  // namespace host::xls
