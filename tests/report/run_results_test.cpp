// A whole run in memory: what decides the kind of a source, the error log
// pointing at the faulty cells, and sheets of an earlier run that this run
// does not compute again.
#include <string>
#include <variant>
#include <vector>

#include "messages/SheetTexts.h"
#include "report/Run.h"
#include "support/MemoryBook.h"
#include "support/SourceBook.h"

namespace report_test {
namespace {

namespace texts = msg::sheet;
using RunResults = testsupport::MemoryBook;
using report::SourceKind;

// Rows of two markers M1, M2; the first cell of each row is the variety name.
void Table(host::Worksheet& sheet, const std::vector<std::vector<std::string>>& rows) {
  testsupport::SheetLayout layout{sheet.Name(), {"M1", "M2"}, {}, {}, ""};
  for (const auto& row : rows) {
    layout.varieties.push_back(row[0]);
    layout.cells.push_back({row.begin() + 1, row.end()});
  }
  testsupport::FillSheet(sheet, layout);
}

int Numbers(host::Worksheet& sheet) {
  int count = 0;
  for (const auto& [r, row] : sheet.Store().Rows())
    for (const host::Cell& cell : row.cells) count += std::holds_alternative<double>(cell.value);
  return count;
}

TEST_F(RunResults, MostTypedCellsDecideTheKindAndATieGoesToTheFirst) {
  struct Case {
    const char* name;
    std::vector<std::vector<std::string>> rows;
    SourceKind kind;
  };
  const std::vector<Case> cases = {
      {"Typo", {{"V1", "180-192", "150/154"}, {"V2", "150/152", ""}}, SourceKind::Ssr},
      {"Stray", {{"V1", "150/152", "AB"}, {"V2", "AA", "BB"}}, SourceKind::Character},
      {"TieSsr", {{"V1", "", "150/152"}, {"V2", "AB", ""}}, SourceKind::Ssr},
      {"TieChr", {{"V1", "", "AB"}, {"V2", "150/152", ""}}, SourceKind::Character},
      {"Untyped", {{"V1", "", ""}}, SourceKind::Character},
      // Right of the last marker name or below the last variety name: not part of the table.
      {"Beyond", {{"V1", "", "", "150/152"}}, SourceKind::Character},
      {"Below",
       {{"V1", "AB", ""}, {"", "1/2", "1/2"}, {"V3", "1/2", "1/2"}},
       SourceKind::Character},
  };
  for (const Case& c : cases) {
    host::Worksheet& sheet = NewSheet(std::string(c.name) + ".org");
    Table(sheet, c.rows);
    EXPECT_EQ(report::ClassifySource(sheet), c.kind) << c.name;
  }
}

TEST_F(RunResults, OptionSheetsOfAnEarlierRunKeepNoResultsTheRunDidNotCompute) {
  Table(*src,
        {{"V1", "150/152", "150/154"}, {"V2", "150/152", "152/156"}, {"V3", "152/154", "150/150"}});
  // A sheet of the user's under an output's name, without its kind in B1.
  host::Worksheet& mine = NewSheet("Apple.ukai");
  mine.GetRange("C3").SetValue(7);
  report::WriteResults(*src, SourceKind::Ssr, {false, false, false, false}, Listed(), progress);
  EXPECT_EQ(Numbers(mine), 1);
  EXPECT_EQ(Text(mine, "B2"), "");
  mine.SetName("Notes");
  const report::RunOptions every{true, true, true, true, true};
  report::WriteResults(*src, SourceKind::Ssr, every, Listed(), progress);
  const std::vector<std::string> options{"Apple.cmb",  "Apple.ukai", "Apple.sum", "Apple.dst",
                                         "Apple.tree", "M1.zoo",     "M2.zoo"};
  for (const std::string& name : options) ASSERT_GT(Numbers(book->SheetByName(name)), 0) << name;

  auto expectNoted = [&](const std::vector<std::string>& names, std::string_view note) {
    for (const std::string& name : names) {
      host::Worksheet& sheet = book->SheetByName(name);
      EXPECT_EQ(Numbers(sheet), 0) << name;
      EXPECT_EQ(Text(sheet, "B2"), note) << name;
      EXPECT_EQ(Text(sheet, "B1"), name.substr(name.find('.') + 1)) << name;
    }
  };
  // A data problem skips every option: the earlier results go, the note says why.
  src->GetRange("D6").SetValue("152/156/158");
  report::WriteResults(*src, SourceKind::Ssr, every, Listed(), progress);
  expectNoted(options, texts::kSkippedForProblems);

  // Fixed, but no option chosen.
  src->GetRange("D6").SetValue("152/156");
  report::WriteResults(*src, SourceKind::Ssr, {false, false, false, false}, Listed(), progress);
  expectNoted(options, texts::kNotChosen);

  // The source now holds character data: its SSR sheets say so.
  Table(*src, {{"V1", "AB", "AA"}, {"V2", "AB", "BB"}, {"V3", "BB", "AB"}});
  report::WriteResults(*src, SourceKind::Character, {false, true, true, false}, Listed(), progress);
  expectNoted({"Apple.ssr", "Apple.tssr", "Apple.pek"}, texts::kNotSsrData);
  EXPECT_GT(Numbers(book->SheetByName("Apple.cmb")), 0);
  EXPECT_EQ(Numbers(mine), 1);
}

}  // namespace
}  // namespace report_test
