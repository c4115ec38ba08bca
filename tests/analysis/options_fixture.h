#pragma once
// A workbook in memory with a source sheet and a filled genotype store, as the
// conversion stage leaves them, for the optional analyses.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "analysis/Options.h"
#include "app/core/StatusSink.h"
#include "host/Host.h"
#include "host/RunContext.h"
#include "store/GenotypeStore.h"

namespace options_test {

class RecordingStatus : public app::NullStatus {
 public:
  void SetComment(const std::string& text) override { comments.push_back(text); }
  std::vector<std::string> comments;
};

struct Variety {
  std::string name;
  std::vector<std::string> cells;  // character genotype strings, "" when not typed
};

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    book = &app.AddWorkbook("/tmp/options_test.xlsx");
    src = &book->Sheet(1);
    src->SetName("Apple.org");
    src->GetRange("B2").SetValue("Apple trial");
    ctx.ExcelApp = &app;
    ctx.ExcelBook = book;
    ctx.SheetBaseName = "Apple";
    ctx.store = store.get();
    ctx.status = &status;
    ctx.sheets.SrcSheet = src;
    store->ErrorOut = [](const std::string&, int, int) {};
  }

  // Fills the store and the source sheet; genotypes are tallied, and for
  // character data the alleles (SSR tests add their sizes with AlleleAdd).
  void Load(const std::vector<std::string>& markers, const std::vector<Variety>& rows,
            const std::string& type = "chr") {
    store::GenotypeStore& s = *store;
    s.AlleleDataClear();
    s.GenoDataClear();
    s.DataType = type;
    s.MarkerCount = static_cast<int16_t>(markers.size());
    s.VarietyCount = static_cast<int16_t>(rows.size());
    for (size_t m = 0; m < markers.size(); ++m) {
      s.MarkerName[m + 1] = markers[m];
      src->Cell(4, 3 + static_cast<int>(m)).SetValue(std::string_view(markers[m]));
    }
    for (size_t v = 0; v < rows.size(); ++v) {
      const int vi = static_cast<int>(v) + 1;
      s.VarietyName[vi] = rows[v].name;
      src->Cell(4 + vi, 2).SetValue(std::string_view(rows[v].name));
      for (size_t m = 0; m < rows[v].cells.size(); ++m) {
        const int mi = static_cast<int>(m) + 1;
        const std::u16string text = store::ToU16(rows[v].cells[m]);
        s.SourceData(vi, mi) = text;
        if (text.empty()) continue;
        s.GenotypeAdd(mi, text);
        if (type == "chr") {
          for (char16_t c : text) s.chrAlleleAdd(mi, c);
        }
      }
    }
  }

  host::Worksheet& NewSheet(const std::string& name) {
    host::Worksheet& sheet = book->AddSheet();
    sheet.SetName(name);
    return sheet;
  }

  std::string Text(host::Worksheet& sheet, const char* address) {
    return sheet.GetRange(address).Text();
  }
  int Fill(host::Worksheet& sheet, const char* address) {
    return sheet.GetRange(address).InteriorColorIndex();
  }
  // Each (address, text) pair: the cell reads as that text.
  void ExpectTexts(host::Worksheet& sheet,
                   std::initializer_list<std::pair<const char*, std::string>> cells) {
    for (const auto& [address, text] : cells) EXPECT_EQ(Text(sheet, address), text) << address;
  }

  host::Application app;
  host::Workbook* book = nullptr;
  host::Worksheet* src = nullptr;
  std::unique_ptr<store::GenotypeStore> store = std::make_unique<store::GenotypeStore>();
  RecordingStatus status;
  host::RunContext ctx;
};

}  // namespace options_test
