#pragma once
// Source tables written as workbook files through the host. Header only: the
// window tests use it without the support library.
#include <string>
#include <vector>

#include "host/Host.h"

namespace testsupport {

// Title in B2, corner B4, marker names from C4, variety names from B5, cell
// texts row by row (empty: no cell).
struct SheetLayout {
  std::string name;
  std::vector<std::string> markers;
  std::vector<std::string> varieties;
  std::vector<std::vector<std::string>> cells;
  std::string title = "Test data";
};

inline void FillSheet(host::Worksheet& sheet, const SheetLayout& layout) {
  if (!layout.title.empty()) sheet.Cell(2, 2).SetValue(std::string_view(layout.title));
  for (size_t j = 0; j < layout.markers.size(); ++j)
    sheet.Cell(4, 3 + int(j)).SetValue(std::string_view(layout.markers[j]));
  for (size_t i = 0; i < layout.varieties.size(); ++i)
    sheet.Cell(5 + int(i), 2).SetValue(std::string_view(layout.varieties[i]));
  for (size_t i = 0; i < layout.cells.size(); ++i)
    for (size_t j = 0; j < layout.cells[i].size(); ++j)
      if (!layout.cells[i][j].empty())
        sheet.Cell(5 + int(i), 3 + int(j)).SetValue(std::string_view(layout.cells[i][j]));
}

// A sheet with only a title: not a source table.
inline SheetLayout Blank(const std::string& name) { return SheetLayout{name, {}, {}, {}}; }

// The sheets appear in the workbook in the order given.
inline void WriteWorkbook(const std::string& path, const std::vector<SheetLayout>& sheets) {
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
inline SheetLayout CleanSsr(const std::string& name, int varieties = 6, int markers = 3) {
  SheetLayout layout{name, {}, {}, {}};
  for (int j = 1; j <= markers; ++j) layout.markers.push_back("M" + std::to_string(j));
  for (int i = 1; i <= varieties; ++i) {
    layout.varieties.push_back("V" + std::to_string(i));
    std::vector<std::string> row;
    for (int j = 1; j <= markers; ++j) {
      const int a = 150 + 2 * ((i + j) % 3), b = 160 + 4 * ((i * j) % 4);
      row.push_back(std::to_string(a) + "/" + std::to_string(b));
    }
    layout.cells.push_back(row);
  }
  return layout;
}

}  // namespace testsupport
