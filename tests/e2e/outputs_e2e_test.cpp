// Where an export or a run's copy goes is decided by the file a path leads
// to, never by its spelling: an output is replaced whole or refused, never
// added to, a workbook is never an export's target, and a copy never replaces
// the workbook it was made from. A spreadsheet program opening the GenAlEx
// CSV runs no formula and keeps non-ASCII names.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "e2e/CliHarness.h"
#include "messages/CliTexts.h"

namespace {

namespace fs = std::filesystem;
using e2e::Cli;

// The program run in `dir`, so that paths through /proc/self/cwd lead there.
testsupport::CommandResult CliIn(const std::string& dir, const std::vector<std::string>& args) {
  std::string command = "cd " + testsupport::Quote(dir) + " && env -u LANGUAGE LC_ALL=C " +
                        testsupport::Quote(ALLELESCOPE_CLI);
  for (const auto& arg : args) command += " " + testsupport::Quote(arg);
  return testsupport::RunCommand(command);
}

std::string ImportedBook(const testsupport::TempDir& dir, const std::string& table) {
  testsupport::WriteFileBytes(dir.File("t.csv"), table);
  EXPECT_EQ(Cli({"import", dir.File("t.csv"), "-o", dir.File("t.xlsx")}).exitCode, 0);
  return dir.File("t.xlsx");
}

// A folder in /dev/shm, a file system of its own that users write to.
struct ShmDir {
  std::string path;
  ShmDir() {
    char pattern[] = "/dev/shm/allelescope-test-XXXXXX";
    if (::mkdtemp(pattern)) path = pattern;
  }
  ~ShmDir() {
    std::error_code ec;
    if (!path.empty()) fs::remove_all(path, ec);
  }
};

TEST(ExportOutputs, ReplacedWholeOrRefusedWhateverThePathSays) {
  testsupport::TempDir dir;
  const std::string book = ImportedBook(dir, "Name,L1\nA,180/192\nB,180/180\n");
  const std::string bookBytes = testsupport::ReadFileBytes(book);
  ShmDir shm;
  ASSERT_FALSE(shm.path.empty());
  testsupport::WriteFileBytes(shm.path + "/out.csv", std::string(1000, 'x'));
  testsupport::WriteFileBytes(shm.path + "/book.xlsx", bookBytes);
  testsupport::WriteFileBytes(dir.File("w"), bookBytes);  // a workbook without an extension
  fs::create_directory(dir.File("folder"));

  const std::string genalex = "1,2,1,2\nt,,,t\nInd,Pop,L1,\nA,t,180,192\nB,t,180,180\n";
  struct Case {
    std::string output;
    int exitCode;
    std::string message;  // on standard error
  } cases[] = {
      {shm.path + "/out.csv", 0, ""},
      {"/dev/null", 0, ""},
      {shm.path + "/book.xlsx", 2,
       msg::Format(msg::Cli::OutputNamesWorkbook, shm.path + "/book.xlsx")},
      {"new.XLSX", 2, msg::Format(msg::Cli::OutputNamesWorkbook, "new.XLSX")},
      {"/proc/self/cwd/w", 1, msg::Format(msg::Cli::OutputIsWorkbook, "/proc/self/cwd/w")},
      {"folder", 1,
       msg::Format(msg::Cli::CannotWrite, "folder", msg::Text(msg::Cli::OutputNotAFile))},
  };
  for (const Case& c : cases) {
    const auto r = CliIn(dir.Path(), {"export", book, "--format", "genalex", "-q", "-o", c.output});
    EXPECT_EQ(r.exitCode, c.exitCode) << c.output << ": " << r.err;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.output << ": " << r.err;
  }
  EXPECT_EQ(testsupport::ReadFileBytes(shm.path + "/out.csv"), genalex);
  EXPECT_EQ(testsupport::ReadFileBytes(shm.path + "/book.xlsx"), bookBytes);
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("w")), bookBytes);
  EXPECT_FALSE(fs::exists(dir.File("new.XLSX")));
  EXPECT_EQ(testsupport::FileNames(shm.path), (std::vector<std::string>{"book.xlsx", "out.csv"}));
}

// "The original stays untouched": a copy named as the workbook itself, by
// another spelling, a link or a second name, is refused before the run.
TEST(RunOutputs, TheWorkbookItselfIsNeverTheCopy) {
  testsupport::TempDir dir;
  const std::string book = ImportedBook(dir, "Name,L1\nA,180/192\nB,180/180\n");
  const std::string bookBytes = testsupport::ReadFileBytes(book);
  fs::create_symlink("t.xlsx", dir.File("link.xlsx"));
  fs::create_hard_link(book, dir.File("hard.xlsx"));
  for (const std::string output : {"./t.xlsx", "link.xlsx", "hard.xlsx", "/proc/self/cwd/t.xlsx"}) {
    const auto r = CliIn(dir.Path(), {"run", "t.xlsx", "-q", "-o", output});
    EXPECT_EQ(r.exitCode, 2) << output << ": " << r.err;
    EXPECT_NE(r.err.find(msg::Format(msg::Cli::OutputIsInput, output)), std::string::npos) << r.err;
  }
  EXPECT_EQ(testsupport::ReadFileBytes(book), bookBytes);
  EXPECT_EQ(CliIn(dir.Path(), {"run", "t.xlsx", "-q", "-o", "copy.xlsx"}).exitCode, 0);
  EXPECT_EQ(testsupport::ReadFileBytes(book), bookBytes);
}

// Each reader of the CSV as a user has it: LibreOffice opening it as UTF-8
// text, R's read.csv, and our own import.
TEST(GenalexCsv, SpreadsheetsRunNoFormulaAndKeepNonAsciiNames) {
  if (!testsupport::HaveLibreOffice() || !testsupport::HaveOpenpyxl())
    GTEST_SKIP() << "LibreOffice or openpyxl is not installed";
  testsupport::TempDir dir;
  const std::string book = ImportedBook(
      dir, "Name,=cmd|' /C calc'!A0\n=HYPERLINK(x),180/192\n@SUM(1),180/180\nリンゴ,192/192\n");
  const std::string csv = dir.File("t.csv");
  ASSERT_EQ(Cli({"export", book, "--format", "genalex", "-q", "-o", csv}).exitCode, 0);

  testsupport::TempDir profile;
  const auto lo = testsupport::RunCommand(
      "timeout 180 soffice -env:UserInstallation=file://" + profile.Path() +
      " --headless --norestore --infilter='Text - txt - csv (StarCalc):44,34,76,1'"
      " --convert-to xlsx --outdir " +
      testsupport::Quote(dir.File("lo")) + " " + testsupport::Quote(csv));
  const auto cells = testsupport::RunPython(
      "import sys, openpyxl\n"
      "for row in openpyxl.load_workbook(sys.argv[1]).active.iter_rows():\n"
      "    for c in row:\n"
      "        if c.value is not None: print(c.data_type, c.value)\n",
      {dir.File("lo/t.xlsx")});
  ASSERT_EQ(cells.exitCode, 0) << lo.out << lo.err << cells.err;
  EXPECT_EQ(("\n" + cells.out).find("\nf "), std::string::npos) << cells.out;
  for (const char* name : {"s '=HYPERLINK(x)\n", "s '@SUM(1)\n", "s リンゴ\n", "s '=cmd|' /C"})
    EXPECT_NE(cells.out.find(name), std::string::npos) << name << " in\n" << cells.out;

  const auto r = testsupport::RunCommand(
      "LC_ALL=C.UTF-8 Rscript -e " +
      testsupport::Quote("x <- read.csv('" + csv +
                         "', header = FALSE, skip = 3);"
                         " cat(c(x[[1]], x[1, 3] + x[3, 4]), sep = '\\n')"));
  EXPECT_EQ(r.out, "'=HYPERLINK(x)\n'@SUM(1)\nリンゴ\n372\n") << r.err;

  ASSERT_EQ(Cli({"import", csv, "-o", dir.File("back.xlsx")}).exitCode, 0);
  EXPECT_EQ(
      Cli({"export", dir.File("back.xlsx"), "--format", "structure", "-o", "/dev/stdout"}).out,
      "=cmd|'_/C_calc'!A0\n=HYPERLINK(x) 180 192\n@SUM(1) 180 180\nリンゴ 192 192\n");
}

}  // namespace
