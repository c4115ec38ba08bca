// Files the fuzzers (fuzz/) once failed on, kept in regressions/: each opens
// to a workbook that reads whole and saves, or is refused with a message that
// names the file. Never a crash, a hang or a leak (the sanitizer build runs
// these too).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host/Host.h"
#include "support/Interop.h"

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Reproducers() {
  std::vector<fs::path> files;
  for (const auto& entry :
       fs::directory_iterator(std::string(ALLELESCOPE_SOURCE_DIR) + "/tests/host/regressions"))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

void ReadWhole(host::Workbook& book) {
  for (int k = 1; k <= book.SheetCount(); ++k) {
    host::Worksheet& sheet = book.Sheet(k);
    for (const auto& [row, cells] : sheet.Store().Rows())
      for (const host::Cell& cell : cells.cells) {
        host::Range range = sheet.Cell(row, cell.column);
        range.Text();
        range.NumberFormat();
        range.InteriorColorIndex();
      }
  }
}

TEST(FuzzRegressions, EachFileReadsAndSavesWholeOrIsRefusedByName) {
  const std::vector<fs::path> files = Reproducers();
  ASSERT_FALSE(files.empty());
  for (const fs::path& file : files) {
    SCOPED_TRACE(file.filename().string());
    testsupport::TempDir dir;
    const std::string copy = dir.File(file.filename().string());
    fs::copy_file(file, copy);
    host::Application app;
    try {
      host::Workbook& book = app.Open(copy);
      ReadWhole(book);
      book.SaveAs(dir.File("saved.xlsx"));
    } catch (const host::HostError& e) {
      EXPECT_NE(std::string(e.what()).find(copy), std::string::npos) << e.what();
      continue;
    }
    host::Application again;
    ReadWhole(again.Open(dir.File("saved.xlsx")));
  }
}

// U+FFFE and U+FFFF reach cells through their _xFFFE_ escape in a file, but
// XML 1.0 cannot hold them as characters: a save that wrote them raw gave a
// workbook that no reader opens. A literal "_x000B" before a character that
// is written escaped must not merge with that escape ("_x000B_x0000_" read
// back as a vertical tab and "x0000_").
TEST(FuzzRegressions, NoncharactersSaveEscapedAndNeverNameASheet) {
  testsupport::TempDir dir;
  const std::string text =
      "A\uFFFE B\uFFFF\v_x0041_ M_x000B" + std::string(1, '\0') + "_x00e9\uFFFF_x1234";
  {
    host::Application app;
    host::Workbook& book = app.AddWorkbook(dir.File("book.xlsx"));
    book.Sheet(1).GetRange("B4").SetValue(text);
    EXPECT_THROW(book.AddSheet().SetName("M\uFFFF.zoo"), host::HostError);
    book.Save();
  }
  host::Application app;
  EXPECT_EQ(app.Open(dir.File("book.xlsx")).SheetByName("Sheet1").GetRange("B4").Text(), text);
}

}  // namespace
