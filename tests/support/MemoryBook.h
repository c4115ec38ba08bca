#pragma once
// A workbook in memory with the source sheet "Apple.org" (title "Apple trial"
// in B2) and a run context wired as a run wires it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "host/Host.h"
#include "report/ErrorLog.h"
#include "report/RunContext.h"
#include "store/GenotypeStore.h"
#include "support/RecordingStatus.h"

namespace testsupport {

class MemoryBook : public ::testing::Test {
 protected:
  using Cells = std::vector<std::pair<const char*, std::string>>;

  MemoryBook() {
    book = &app.AddWorkbook("/tmp/allelescope-memory-book.xlsx");
    src = &book->Sheet(1);
    src->SetName("Apple.org");
    src->GetRange("B2").SetValue("Apple trial");
    ctx.ExcelApp = &app;
    ctx.ExcelBook = book;
    ctx.SheetBaseName = "Apple";
    ctx.lstSheet = {"Apple.org"};
    ctx.progress = &progress;
    ctx.sheets.SrcSheet = src;
  }

  // A store as the source reader would make it: every cell empty.
  store::GenotypeStore& MakeStore(store::DataKind kind, std::vector<std::string> varieties,
                                  std::vector<std::string> markers) {
    ctx.kind = kind;
    ctx.store =
        std::make_unique<store::GenotypeStore>(kind, std::move(varieties), std::move(markers));
    return *ctx.store;
  }
  store::GenotypeStore& S() { return *ctx.store; }
  bool Found(store::Problem p) const { return ctx.errors.problems.Has(p); }

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
  // The sheet list as the workbook would be reopened after a run.
  void Reopen() {
    ctx.lstSheet.clear();
    for (int k = 1; k <= book->SheetCount(); ++k) ctx.lstSheet.push_back(book->Sheet(k).Name());
  }

  static std::string Text(host::Worksheet& sheet, const char* a) {
    return sheet.GetRange(a).Text();
  }
  static std::string Text(host::Worksheet* sheet, const char* a) { return Text(*sheet, a); }
  static host::CellValue Value(host::Worksheet* sheet, const char* a) {
    return sheet->GetRange(a).Value();
  }
  static int Fill(host::Worksheet& sheet, const char* a) {
    return sheet.GetRange(a).InteriorColorIndex();
  }
  static int Fill(host::Worksheet* sheet, const char* a) { return Fill(*sheet, a); }
  // Each (address, text) pair: the cell reads as that text ("" for empty).
  static void ExpectTexts(host::Worksheet& sheet, const Cells& cells) {
    for (const auto& [address, text] : cells)
      EXPECT_EQ(Text(sheet, address), text) << sheet.Name() << "!" << address;
  }
  static void ExpectTexts(host::Worksheet* sheet, const Cells& cells) {
    ExpectTexts(*sheet, cells);
  }
  const host::Xf& Format(host::Worksheet* sheet, const char* address) {
    auto [row, column] = host::ParseCellAddress(address);
    const host::Cell* cell = sheet->Store().Find(row, column);
    return book->Styles().xfs.at(cell ? size_t(cell->style) : 0);
  }
  bool Ruled(host::Worksheet* sheet, const char* address) {
    const host::Border& b = book->Styles().borders.at(size_t(Format(sheet, address).borderId));
    return b.left.style == "thin" && b.top.style == "thin" && b.right.style == "thin" &&
           b.bottom.style == "thin";
  }
  // The error log as "message|variety|marker" rows.
  std::vector<std::string> ErrorRows() {
    std::vector<std::string> rows;
    auto* err = ctx.sheets.ErrSheet;
    for (int r = 4; err && r < ctx.errors.ErrorRow + 4; ++r)
      rows.push_back(err->Cell(r, 2).Text() + "|" + err->Cell(r, 3).Text() + "|" +
                     err->Cell(r, 4).Text());
    return rows;
  }

  host::Application app;
  host::Workbook* book = nullptr;
  host::Worksheet* src = nullptr;
  RecordingStatus progress;  // the run's stages and comments
  report::RunContext ctx;
};

}  // namespace testsupport
