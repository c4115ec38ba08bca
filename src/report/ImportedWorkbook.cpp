#include "report/ImportedWorkbook.h"

#include "messages/CliTexts.h"
#include "report/SheetAccess.h"

namespace report {
namespace {

// Marker names in row 4 from C4, variety names in column B from B5: the
// anchor B4 carries the "*" a run would write there anyway.
void WriteSource(host::Worksheet& sheet, const exchange::ImportedTable& t) {
  sheet.Cell(4, 2).SetValue("*");
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

}  // namespace

void WriteImportedWorkbook(host::Application& app, const std::string& path, const std::string& base,
                           const exchange::ImportedTable& table) {
  host::Workbook& book = app.AddWorkbook(path);
  book.SetNewFile([path] { return path; });  // never over a file that appears meanwhile
  host::Worksheet& source = book.Sheet(1);
  source.SetName(LegalSheetName(book, base + ".org"));
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
