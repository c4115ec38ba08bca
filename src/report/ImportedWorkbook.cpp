#include "report/ImportedWorkbook.h"

#include <algorithm>
#include <stdexcept>

#include "host/ReadLimits.h"
#include "messages/CliTexts.h"
#include "report/Layout.h"
#include "report/SheetAccess.h"
#include "text/Utf8.h"

namespace report {
namespace {

// The file's title in B2, where a source keeps its title; marker names in
// row 4 from C4, variety names in column B from B5: the anchor B4 carries the
// "*" a run would write there anyway.
void WriteSource(host::Worksheet& sheet, const exchange::ImportedTable& t) {
  if (!t.title.empty()) sheet.Cell(2, 2).SetValue(t.title);
  MarkEmptyCorner(sheet);
  for (size_t m = 0; m < t.markers.size(); ++m)
    sheet.Cell(4, 3 + static_cast<int>(m)).SetValue(t.markers[m]);
  for (size_t v = 0; v < t.varieties.size(); ++v) {
    const int row = 5 + static_cast<int>(v);
    sheet.Cell(row, 2).SetValue(t.varieties[v]);
    for (size_t m = 0; m < t.cells[v].size(); ++m)
      if (!t.cells[v][m].empty()) sheet.Cell(row, 3 + static_cast<int>(m)).SetValue(t.cells[v][m]);
  }
}

void WriteGroups(host::Worksheet& sheet, const exchange::ImportedTable& t) {
  sheet.Cell(1, 1).SetValue(msg::Text(msg::Cli::GroupsVarietyHead));
  sheet.Cell(1, 2).SetValue(msg::Text(msg::Cli::GroupsPopulationHead));
  for (size_t v = 0; v < t.varieties.size(); ++v) {
    sheet.Cell(2 + static_cast<int>(v), 1).SetValue(t.varieties[v]);
    sheet.Cell(2 + static_cast<int>(v), 2).SetValue(t.populations[v]);
  }
}

// The first text longer than a cell holds, or nullptr.
const std::string* TooLongText(const exchange::ImportedTable& t) {
  const auto tooLong = [](const std::string& s) {
    return s.size() > host::kMaxCellCharacters && utf8::Count(s) > host::kMaxCellCharacters;
  };
  if (tooLong(t.title)) return &t.title;
  for (const auto* names : {&t.markers, &t.varieties, &t.populations})
    if (auto it = std::find_if(names->begin(), names->end(), tooLong); it != names->end())
      return &*it;
  for (const auto& row : t.cells)
    if (auto it = std::find_if(row.begin(), row.end(), tooLong); it != row.end()) return &*it;
  return nullptr;
}

// The start of a long text, cut at a character boundary.
std::string Start(const std::string& text) {
  return text.substr(0, utf8::NextCharacterStart(text, std::min<size_t>(text.size(), 20)));
}

// The NAME of the source sheet "NAME.org": without a dot (the first dot ends
// a source's name) and short enough that ".org" stays within the 31
// characters (UTF-16 units) a sheet name has.
std::string SourceStem(const std::string& base) {
  constexpr size_t kRoom = 31 - 4;
  std::string stem;
  size_t units = 0;
  for (size_t i = 0; i < base.size();) {
    const utf8::Decoded c = utf8::DecodeAt(base, i);
    units += utf8::Utf16Units(c.character);
    if (units > kRoom) break;
    stem += c.character == '.' ? std::string("_") : base.substr(i, c.length);
    i += c.length;
  }
  return stem.empty() ? std::string("Imported") : stem;
}

}  // namespace

// The readers have kept the table within a sheet's rows, columns and cells;
// the length of a text only a cell has a limit for.
void CheckImportedTableFits(const exchange::ImportedTable& table, const std::string& file) {
  if (const std::string* text = TooLongText(table))
    throw std::runtime_error(
        msg::Format(msg::Cli::ImportDoesNotFit, file,
                    msg::Format(msg::Cli::ImportTextTooLong, utf8::Count(*text), Start(*text),
                                host::kMaxCellCharacters)));
}

void WriteImportedWorkbook(host::Application& app, const std::string& path, const std::string& base,
                           const exchange::ImportedTable& table) {
  host::Workbook& book = app.AddWorkbook(path);
  book.SetNewFile([path] { return path; });  // never over a file that appears meanwhile
  host::Worksheet& source = book.Sheet(1);
  source.SetName(LegalSheetName(book, SourceStem(base) + ".org"));
  WriteSource(source, table);
  if (!table.populations.empty()) {
    host::Worksheet& groups = book.AddSheet();
    groups.SetName("Groups");
    source.Move(groups);  // the source first, as the user reads them
    WriteGroups(groups, table);
    source.Activate();
  }
  book.Save();
}

}  // namespace report
