#pragma once
// Source tables written as workbook files through the host. Header only: the
// window tests use it without the support library.
#include <string>
#include <vector>

#include "host/Host.h"

namespace testsupport {

// Title in B2, corner B4, marker names from C4, variety names from B5, cell
// texts row by row (empty: no cell).
struct SheetSpec {
  std::string name;
  std::vector<std::string> markers;
  std::vector<std::string> varieties;
  std::vector<std::vector<std::string>> cells;
  std::string title = "Test data";
};

inline void FillSheet(host::Worksheet& sheet, const SheetSpec& spec) {
  if (!spec.title.empty()) sheet.Cell(2, 2).SetValue(std::string_view(spec.title));
  for (size_t j = 0; j < spec.markers.size(); ++j)
    sheet.Cell(4, 3 + int(j)).SetValue(std::string_view(spec.markers[j]));
  for (size_t i = 0; i < spec.varieties.size(); ++i)
    sheet.Cell(5 + int(i), 2).SetValue(std::string_view(spec.varieties[i]));
  for (size_t i = 0; i < spec.cells.size(); ++i)
    for (size_t j = 0; j < spec.cells[i].size(); ++j)
      if (!spec.cells[i][j].empty())
        sheet.Cell(5 + int(i), 3 + int(j)).SetValue(std::string_view(spec.cells[i][j]));
}

// A sheet with only a title: not a source table.
inline SheetSpec Blank(const std::string& name) { return SheetSpec{name, {}, {}, {}}; }

// The sheets appear in the workbook in the order given.
inline void WriteWorkbook(const std::string& path, const std::vector<SheetSpec>& sheets) {
  host::Application app;
  host::Workbook& book = app.AddWorkbook(path);
  // Sheets.Add inserts before the active sheet: add from the last to the first.
  for (size_t k = sheets.size(); k-- > 0;) {
    host::Worksheet& sheet = k + 1 == sheets.size() ? book.Sheet(1) : book.AddSheet();
    sheet.SetName(sheets[k].name);
    FillSheet(sheet, sheets[k]);
  }
  book.Save();
  book.Close();
}

// A clean SSR table: every cell two sizes, the first variety typed everywhere.
inline SheetSpec CleanSsr(const std::string& name, int varieties = 6, int markers = 3) {
  SheetSpec spec{name, {}, {}, {}};
  for (int j = 1; j <= markers; ++j) spec.markers.push_back("M" + std::to_string(j));
  for (int i = 1; i <= varieties; ++i) {
    spec.varieties.push_back("V" + std::to_string(i));
    std::vector<std::string> row;
    for (int j = 1; j <= markers; ++j) {
      const int a = 150 + 2 * ((i + j) % 3), b = 160 + 4 * ((i * j) % 4);
      row.push_back(std::to_string(a) + "/" + std::to_string(b));
    }
    spec.cells.push_back(row);
  }
  return spec;
}

}  // namespace testsupport
