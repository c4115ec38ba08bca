#pragma once
// A workbook in memory with the source sheet "Apple.org" (title "Apple trial"
// in B2), and a genotype store for the layout steps to write from.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/Host.h"
#include "report/ErrorLog.h"
#include "report/SheetAccess.h"
#include "store/GenotypeStore.h"
#include "support/RecordingStatus.h"
#include "support/Tallied.h"

namespace testsupport {

class MemoryBook : public ::testing::Test {
 protected:
  using Cells = std::vector<std::pair<const char*, std::string>>;

  MemoryBook() {
    book = &app.AddWorkbook("/tmp/allelescope-memory-book.xlsx");
    src = &book->Sheet(1);
    src->SetName("Apple.org");
    src->GetRange("B2").SetValue("Apple trial");
  }

  // Variety names go to the source sheet, markers to its header row; the store
  // is tallied as the conversion stage leaves it (SSR sizes: add with AddSize).
  struct Variety {
    std::string name;
    std::vector<std::string> cells;  // genotype codes, "" when not typed
  };
  void Load(const std::vector<std::string>& markers, const std::vector<Variety>& rows,
            store::DataKind kind = store::DataKind::Character) {
    std::vector<std::string> names;
    std::vector<std::vector<std::u16string>> codes;
    for (size_t m = 0; m < markers.size(); ++m) Put(src->Cell(4, 3 + int(m)), markers[m]);
    for (size_t v = 0; v < rows.size(); ++v) {
      Put(src->Cell(5 + int(v), 2), rows[v].name);
      names.push_back(rows[v].name);
      codes.emplace_back();
      for (const std::string& cell : rows[v].cells) codes.back().push_back(store::ToU16(cell));
    }
    store = std::make_unique<store::GenotypeStore>(Tallied(codes, kind, names, markers));
  }
  store::GenotypeStore& S() { return *store; }

  static void Put(host::Range cell, const std::string& text) {
    cell.SetValue(std::string_view(text));
  }
  // rows[0]: marker names from C4; then a variety name and its cells per row.
  void Source(const std::vector<std::vector<std::string>>& rows) {
    for (size_t j = 0; j < rows[0].size(); ++j) Put(src->Cell(4, int(j) + 3), rows[0][j]);
    for (size_t i = 1; i < rows.size(); ++i)
      for (size_t j = 0; j < rows[i].size(); ++j)
        if (!rows[i][j].empty()) Put(src->Cell(int(i) + 4, int(j) + 2), rows[i][j]);
  }
  host::Worksheet& NewSheet(const std::string& name) {
    host::Worksheet& sheet = book->AddSheet();
    sheet.SetName(name);
    return sheet;
  }
  // The sheet list as the workbook would be reopened now.
  std::vector<std::string> Listed() const {
    std::vector<std::string> names;
    for (int k = 1; k <= book->SheetCount(); ++k) names.push_back(book->Sheet(k).Name());
    return names;
  }
  // The output sheets of a new run on the workbook as it would be reopened now.
  report::OutputSheets Outputs() { return report::OutputSheets(*src, Listed(), *src); }

  static std::string Text(host::Worksheet& sheet, const char* a) {
    return sheet.GetRange(a).Text();
  }
  static host::CellValue Value(host::Worksheet* sheet, const char* a) {
    return sheet->GetRange(a).Value();
  }
  static int Fill(host::Worksheet& sheet, const char* a) {
    return static_cast<int>(sheet.GetRange(a).InteriorColorIndex());
  }
  // Each (address, text) pair: the cell reads as that text ("" for empty).
  static void ExpectTexts(host::Worksheet& sheet, const Cells& cells) {
    for (const auto& [address, text] : cells)
      EXPECT_EQ(Text(sheet, address), text) << sheet.Name() << "!" << address;
  }
  // The first `count` rows of an error log as "message|variety|marker|cell|text".
  static std::vector<std::string> LogRows(host::Worksheet& err, int count) {
    std::vector<std::string> rows;
    for (int r = 4; r < count + 4; ++r)
      rows.push_back(err.Cell(r, 2).Text() + "|" + err.Cell(r, 3).Text() + "|" +
                     err.Cell(r, 4).Text() + "|" + err.Cell(r, 5).Text() + "|" +
                     err.Cell(r, 6).Text());
    return rows;
  }

  host::Application app;
  host::Workbook* book = nullptr;
  host::Worksheet* src = nullptr;
  RecordingStatus progress;  // the run's stages and comments
  std::unique_ptr<store::GenotypeStore> store;
};

}  // namespace testsupport
