#pragma once
// A workbook in memory with a source sheet "Apple.org", a genotype store and a
// run context wired as the session wires them, and the run's steps up to the
// conversion stage.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analysis/Information.h"
#include "convert/Conversion.h"
#include "host/ErrorLog.h"
#include "host/SheetAccess.h"

namespace convert_test {

struct CommentRecorder : app::NullStatus {
  void SetComment(const std::string& text) override { comments.push_back(text); }
  std::vector<std::string> comments;
};

class ConvertFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    book = &app.AddWorkbook("/tmp/convert-test.xlsx");
    src = &book->Sheet(1);
    src->SetName("Apple.org");
    ctx = {&app, book, "Apple", &store, {}, {"Apple.org"}, &status};
    store.ErrorOut = [this](const std::string& msg, int v, int m) {
      host::ErrorOut(ctx, msg, v, m);
    };
  }
  static void Put(host::Range cell, const std::string& text) {
    cell.SetValue(std::string_view(text));
  }
  // rows[0]: marker names from C4; then a variety name and its cells per row.
  void Source(const std::vector<std::vector<std::string>>& rows) {
    src->GetRange("B2").SetValue("Title");
    for (size_t j = 0; j < rows[0].size(); ++j) Put(src->Cell(4, int(j) + 3), rows[0][j]);
    for (size_t i = 1; i < rows.size(); ++i)
      for (size_t j = 0; j < rows[i].size(); ++j)
        if (!rows[i][j].empty()) Put(src->Cell(int(i) + 4, int(j) + 2), rows[i][j]);
  }
  // The run's steps for the data type, in the session's order.
  void Run(const std::string& type) {
    store.DataType = type;
    store.AlleleDataClear();
    store.GenoDataClear();
    store.ResetFlags();
    auto& h = ctx.sheets;
    h.Clear();
    h.SrcSheet = src;
    host::SheetOpen(ctx, h.ErrSheet, "Apple.err");
    host::ErrorSheetFormat(ctx, *h.ErrSheet);
    std::vector<std::pair<host::Worksheet**, const char*>> kinds{{&h.ChrSheet, "chr"}};
    if (type == "ssr")
      kinds = {
          {&h.SsrSheet, "ssr"}, {&h.TssrSheet, "tssr"}, {&h.PekSheet, "pek"}, {&h.ChrSheet, "chr"}};
    for (auto [handle, kind] : kinds) host::SheetOpen(ctx, *handle, std::string("Apple.") + kind);
    host::SheetOpen(ctx, h.AllSheet, "Apple.all");
    host::SheetOpen(ctx, h.GntSheet, "Apple.gnt");
    for (auto [handle, kind] : kinds)
      convert::TransSheetFormat(ctx, *src, **handle, std::string(1, kind[0]));
    analysis::InformationSheetFormat(ctx, *src, *h.AllSheet, "a");
    analysis::InformationSheetFormat(ctx, *src, *h.GntSheet, "g");
    host::SourceDataRead(ctx, *src);
    type == "ssr" ? convert::AdaptSSR(ctx) : convert::CountChr(ctx);
  }
  // The sheet list of the workbook as reopened after a run.
  void Reopen() {
    ctx.lstSheet.clear();
    for (int k = 1; k <= book->SheetCount(); ++k) ctx.lstSheet.push_back(book->Sheet(k).Name());
  }
  // Cell texts as the sheet shows them, "" for an empty cell.
  static void ExpectTexts(host::Worksheet* sheet,
                          const std::vector<std::pair<const char*, std::string>>& cells) {
    for (const auto& [address, text] : cells)
      EXPECT_EQ(sheet->GetRange(address).Text(), text) << sheet->Name() << "!" << address;
  }
  static std::string Text(host::Worksheet* sheet, const char* a) {
    return sheet->GetRange(a).Text();
  }
  static host::CellValue Value(host::Worksheet* sheet, const char* a) {
    return sheet->GetRange(a).Value();
  }
  static int Fill(host::Worksheet* sheet, const char* a) {
    return sheet->GetRange(a).InteriorColorIndex();
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
    for (int r = 0; r < store.ErrorRow; ++r) {
      auto* err = ctx.sheets.ErrSheet;
      rows.push_back(err->Cell(r + 4, 2).Text() + "|" + err->Cell(r + 4, 3).Text() + "|" +
                     err->Cell(r + 4, 4).Text());
    }
    return rows;
  }

  host::Application app;
  host::Workbook* book = nullptr;
  host::Worksheet* src = nullptr;
  store::GenotypeStore store;
  CommentRecorder status;
  host::RunContext ctx;
};

}  // namespace convert_test
