// The bounds a workbook is read within: every workbook the program writes
// within the stated limits it also opens, reruns and saves again, within a
// few hundred megabytes, and an import stops where the reader would.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "exchange/ImportFormat.h"
#include "host/Host.h"
#include "report/ImportedWorkbook.h"
#include "store/GenotypeStore.h"
#include "support/Interop.h"
#include "support/PackageEdit.h"
#include "support/SheetText.h"

namespace {

using exchange::ImportKind;
using testsupport::TempDir;

// What reading the workbook's sheets back holds of the reader's budget.
size_t CellsTheReaderCounts(const std::string& path) {
  size_t cells = 0;
  for (int k = 1;; ++k) {
    const std::string xml =
        testsupport::PartText(path, "xl/worksheets/sheet" + std::to_string(k) + ".xml");
    if (xml.empty()) return cells;
    host::Application app;
    host::Worksheet& sheet = app.AddWorkbook("/nonexistent/count.xlsx").Sheet(1);
    host::xlsx::XlsxSheetExtra extra;
    host::ReadBudget budget;
    testsupport::ReadSheetText(xml, sheet, extra, budget);
    cells += budget.Holds().cells;
  }
}

// An import refuses a table exactly where the workbook it would write passes
// what reading that workbook holds: names, genotypes, populations and rows
// count alike on both sides.
TEST(WorkbookBounds, AnImportCountsItsWorkbookAsTheReaderDoes) {
  const std::pair<ImportKind, std::string> files[] = {
      {ImportKind::Csv, "Name,M1,M2\nA,1/2,3/4\nB,1/2,\n,5/6,\n"},
      {ImportKind::Genalex, "2,3,1\nt\nInd,Pop,L1,,L2,\nA,p,1,2,3,4\nB,q,1,2,0,0\nC,,0,0,1,1\n"},
      {ImportKind::Genepop, "t\nL1\nL2\nPop\nA , 0102 0000\nPop\nB , 0101 0202\n"},
  };
  for (const auto& [kind, text] : files) {
    TempDir dir;
    host::Application app;
    report::WriteImportedWorkbook(app, dir.File("t.xlsx"), "t", exchange::ReadImport(kind, text));
    const size_t read = CellsTheReaderCounts(dir.File("t.xlsx"));
    EXPECT_NO_THROW(exchange::ReadImport(kind, text, {100, 100, read, 1000})) << text;
    EXPECT_THROW(exchange::ReadImport(kind, text, {100, 100, read - 1, 1000}),
                 exchange::ImportError)
        << text;
  }
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
// Under the sanitizers a run takes ten times as long: 92 markers still write
// more cells than a workbook's reading holds at a time.
constexpr int kMarkers = kSanitized ? 92 : store::kMaxMarkers;
// What a rerun may hold; not measured under the sanitizers, whose own memory
// is not the program's.
constexpr long kMostKiB = 300 * 1024;

// The largest table within the limits: 500 varieties by 250 markers, each
// marker with 103 alleles and 250 genotypes (each genotype twice), as a CSV.
void WriteLargestTable(const std::string& path) {
  std::vector<std::string> genotypes;
  for (int apart = 0; static_cast<int>(genotypes.size()) < store::kMaxGenotypes; ++apart)
    for (int a = 0; a + apart < store::kMaxAlleles &&
                    static_cast<int>(genotypes.size()) < store::kMaxGenotypes;
         ++a)
      genotypes.push_back(std::to_string(100 + 2 * a) + "/" +
                          std::to_string(100 + 2 * (a + apart)));
  std::ofstream out(path);
  out << "Name";
  for (int m = 1; m <= kMarkers; ++m) out << ",M" << m;
  out << "\n";
  for (int v = 0; v < store::kMaxVarieties; ++v) {
    out << "V" << v + 1;
    for (int m = 0; m < kMarkers; ++m) out << "," << genotypes[v % genotypes.size()];
    out << "\n";
  }
}

struct Measured {
  int exitCode = -1;
  long peakKiB = 0;
};

// Runs the command line on `args` (in English, output dropped) and measures
// the peak memory of its process.
Measured Measure(const std::vector<std::string>& args) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv{const_cast<char*>(ALLELESCOPE_CLI)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(126);
    setenv("LC_ALL", "C", 1);
    execv(ALLELESCOPE_CLI, argv.data());
    _exit(127);
  }
  Measured result;
  int status = 0;
  rusage usage{};
  if (pid > 0 && wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
    result.exitCode = WEXITSTATUS(status);
    result.peakKiB = usage.ru_maxrss;
  }
  return result;
}

// About 46 million result cells: the run that writes them, a rerun of every
// option over them, a rerun that clears the 0/1 sheets, and the listing of
// the sheets all succeed, and no rerun holds the results in memory.
TEST(WorkbookBounds, SlowTheLargestResultsOpenRerunAndSaveAgain) {
  TempDir dir;
  const std::string table = dir.File("largest.csv"), book = dir.File("largest.xlsx");
  WriteLargestTable(table);
  ASSERT_EQ(Measure({"import", table, "-o", book}).exitCode, 0);
  ASSERT_EQ(Measure({"run", book, "--zoo", "-q"}).exitCode, 0);
  for (const auto& args :
       {std::vector<std::string>{"run", book, "--zoo", "-q"},
        std::vector<std::string>{"run", book, "-q"}, std::vector<std::string>{"sheets", book}}) {
    const Measured rerun = Measure(args);
    EXPECT_EQ(rerun.exitCode, 0) << args[0] << " " << args.back();
    if (!kSanitized) {
      EXPECT_LE(rerun.peakKiB, kMostKiB) << args[0] << " " << args.back();
    }
  }
}

}  // namespace
