// Result sheets as another program shows them: LibreOffice renders them to
// PDF and exports them as shown, and the text a reader sees is checked for
// numbers too wide for their column (###), cut labels and tiny values shown as 0.
#include <cstdlib>
#include <sstream>

#include "e2e/CliHarness.h"
#include "messages/SheetTexts.h"
#include "messages/SummarySheetTexts.h"
#include "support/SourceBook.h"

namespace {

using testsupport::TempDir;

// Every variety has its own genotype at each of 30 markers: each f0 is 1/20
// and each P1 about 2e-38, far below what ten decimals show.
testsupport::SheetLayout DistinctVarieties() {
  testsupport::SheetLayout layout{"Apple.org", {}, {}, {}};
  constexpr int kVarieties = 20, kMarkers = 30;
  for (int j = 1; j <= kMarkers; ++j) layout.markers.push_back("Marker" + std::to_string(j));
  for (int i = 1; i <= kVarieties; ++i) {
    layout.varieties.push_back("Variety " + std::to_string(i));
    const std::string code = std::to_string(100 + 2 * i) + "/" + std::to_string(200 + 2 * i);
    layout.cells.emplace_back(kMarkers, code);
  }
  return layout;
}

// A copy of the workbook with only the named sheets: a whole run would print
// thousands of pages.
std::string KeepSheets(const TempDir& dir, const std::string& path,
                       const std::vector<std::string>& keep) {
  const std::string out = dir.File("shown.xlsx");
  std::vector<std::string> args{path, out};
  args.insert(args.end(), keep.begin(), keep.end());
  const auto r = testsupport::RunPython(
      "import sys, openpyxl\n"
      "wb = openpyxl.load_workbook(sys.argv[1])\n"
      "for ws in list(wb.worksheets):\n"
      "    if ws.title not in sys.argv[3:]: wb.remove(ws)\n"
      "wb.save(sys.argv[2])\n",
      args);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return out;
}

// One run with every sheet, pictures included: printed, the sheets show every
// number, whole labels and the .tree sheet's pictures (one drawn across a
// page break counts on each page) above its table; exported as shown, the
// tiny probabilities are numbers, not 0.
TEST(RenderedSheets, PrintedSheetsShowEveryNumberWholeLabelsAndThePictures) {
  if (!testsupport::HaveLibreOffice() || !testsupport::HaveOpenpyxl())
    GTEST_SKIP() << "LibreOffice or openpyxl is not installed";
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  TempDir dir;
  const std::string path = dir.File("apple.xlsx");
  testsupport::WriteWorkbook(path, {DistinctVarieties()});
  const auto run = e2e::Cli({"run", path, "--sheet", "Apple.org", "--relate"});
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  const std::string shown =
      KeepSheets(dir, path, {"Apple.ukai", "Apple.all", "Apple.cmb", "Apple.sum", "Apple.tree"});
  TempDir pdfDir;
  const auto pdf = testsupport::ConvertWithLibreOffice(shown, pdfDir.Path(), "pdf");
  ASSERT_TRUE(pdf.ok) << pdf.log;
  const std::string file = testsupport::Quote(pdf.files.at(0));
  const auto text = testsupport::RunCommand("pdftotext " + file + " -");
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_EQ(text.out.find("###"), std::string::npos);
  std::vector<std::string> labels{"Variety 20", "E-", std::string(msg::sheet::kShareOfVariation)};
  for (std::string_view label : msg::sheet::kAlleleLabels) labels.emplace_back(label);
  // The summary's heads, and its products far below what fixed decimals show.
  for (const msg::sheet::SummaryColumn& column : msg::sheet::kSummaryColumns)
    labels.emplace_back(column.head);
  for (const std::string& label : labels) EXPECT_TRUE(e2e::Has(text.out, label)) << label;
  const auto images = testsupport::RunCommand("pdfimages -list " + file + " | tail -n +3 | wc -l");
  ASSERT_EQ(images.exitCode, 0) << images.err;
  EXPECT_GE(std::stoi(images.out), 3);

  TempDir csvDir;
  const auto csv = testsupport::ConvertWithLibreOffice(KeepSheets(dir, path, {"Apple.ukai"}),
                                                       csvDir.Path(), "csv-shown");
  ASSERT_TRUE(csv.ok) << csv.log;
  std::istringstream lines(testsupport::ReadFileBytes(csv.files.at(0)));
  int varieties = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.find(",Variety ") != 0) continue;
    ++varieties;
    // ,name,f0,P1: both shown as positive numbers.
    std::istringstream fields(line);
    std::string skip, name, f0, p1;
    for (std::string* field : {&skip, &name, &f0, &p1}) std::getline(fields, *field, ',');
    EXPECT_GT(std::strtod(f0.c_str(), nullptr), 0) << line;
    EXPECT_GT(std::strtod(p1.c_str(), nullptr), 0) << line;
    EXPECT_TRUE(e2e::Has(p1, "E-38")) << line;
  }
  EXPECT_EQ(varieties, 20);
}

}  // namespace
