// Where an export or a run's copy goes is decided by the file a path leads
// to, never by its spelling: an output is replaced whole (through a link, to
// the file it names) or refused, a log it is sent to is added to, a workbook
// is never an export's target, and a copy never replaces the workbook it was
// made from. A spreadsheet program opening the GenAlEx CSV runs no formula
// and keeps non-ASCII names.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "e2e/CliHarness.h"

namespace {

namespace fs = std::filesystem;
using namespace e2e;
const auto ReadFile = testsupport::ReadFileBytes;

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
  TempDir dir;
  const std::string book = Imported(dir, "Name,L1\nA,180/192\nB,180/180\n");
  const std::string bookBytes = ReadFile(book);
  ShmDir shm;
  ASSERT_FALSE(shm.path.empty());
  testsupport::WriteFileBytes(shm.path + "/out.csv", std::string(1000, 'x'));
  testsupport::WriteFileBytes(shm.path + "/book.xlsx", bookBytes);
  testsupport::WriteFileBytes(dir.File("w"), bookBytes);  // a workbook without an extension
  fs::create_directory(dir.File("folder"));
  fs::create_directory(dir.File("shared"));
  testsupport::WriteFileBytes(dir.File("shared/t.gen"), "old");
  fs::create_symlink("shared/t.gen", dir.File("t.gen"));
  testsupport::WriteFileBytes(dir.File("log"), "kept\n");

  using msg::Cli;
  const struct {
    std::string output, format;
    int exitCode;
    std::string message, tail = "";  // on standard error; after the command line
  } cases[] = {
      {shm.path + "/out.csv", "genalex", 0, ""},
      {"/dev/null", "genalex", 0, ""},
      {"t.gen", "genepop", 0, ""},
      {"/dev/stdout", "structure", 0, "", " >>log"},
      {shm.path + "/book.xlsx", "genalex", 2,
       msg::Format(Cli::OutputNamesWorkbook, shm.path + "/book.xlsx")},
      {"new.XLSX", "genalex", 2, msg::Format(Cli::OutputNamesWorkbook, "new.XLSX")},
      {book, "genepop", 2, msg::Format(Cli::OutputNamesWorkbook, book)},
      {"/proc/self/cwd/w", "genalex", 1, msg::Format(Cli::OutputIsWorkbook, "/proc/self/cwd/w")},
      {"folder", "genalex", 1,
       msg::Format(Cli::CannotWrite, "folder", msg::Text(Cli::OutputNotAFile))},
  };
  for (const auto& c : cases) {
    const auto r =
        CliIn(dir.Path(), {"export", book, "--format", c.format, "-q", "-o", c.output}, c.tail);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.output << ": " << r.err;
    EXPECT_TRUE(Has(r.err, c.message)) << c.output << ": " << r.err;
  }
  EXPECT_EQ(ReadFile(shm.path + "/out.csv"),
            "1,2,1,2\nt,,,t\nInd,Pop,L1,\nA,t,180,192\nB,t,180,180\n");
  EXPECT_EQ(ReadFile(shm.path + "/book.xlsx"), bookBytes);
  EXPECT_EQ(ReadFile(book), bookBytes);
  EXPECT_EQ(ReadFile(dir.File("w")), bookBytes);
  EXPECT_FALSE(fs::exists(dir.File("new.XLSX")));
  EXPECT_EQ(testsupport::FileNames(shm.path), (std::vector<std::string>{"book.xlsx", "out.csv"}));
  EXPECT_TRUE(fs::is_symlink(dir.File("t.gen")));
  EXPECT_EQ(ReadFile(dir.File("shared/t.gen")).rfind("t\nL1\nPop\n", 0), 0u);
  EXPECT_EQ(testsupport::FileNames(dir.File("shared")), std::vector<std::string>{"t.gen"});
  EXPECT_EQ(ReadFile(dir.File("log")), "kept\nL1\nA 180 192\nB 180 180\n");
}

// "The original stays untouched": a copy named as the workbook itself, by
// another spelling, a link or a second name, is refused before the run.
TEST(RunOutputs, TheWorkbookItselfIsNeverTheCopy) {
  TempDir dir;
  const std::string book = Imported(dir, "Name,L1\nA,180/192\nB,180/180\n");
  const std::string bookBytes = ReadFile(book);
  fs::create_symlink("t.xlsx", dir.File("link.xlsx"));
  fs::create_hard_link(book, dir.File("hard.xlsx"));
  for (const std::string output : {"./t.xlsx", "link.xlsx", "hard.xlsx", "/proc/self/cwd/t.xlsx"}) {
    const auto r = CliIn(dir.Path(), {"run", "t.xlsx", "-q", "-o", output});
    EXPECT_EQ(r.exitCode, 2) << output << ": " << r.err;
    EXPECT_TRUE(Has(r.err, msg::Format(msg::Cli::OutputIsInput, output))) << r.err;
  }
  EXPECT_EQ(ReadFile(book), bookBytes);
  EXPECT_EQ(CliIn(dir.Path(), {"run", "t.xlsx", "-q", "-o", "copy.xlsx"}).exitCode, 0);
  EXPECT_EQ(ReadFile(book), bookBytes);
}

// Each reader of the CSV as a user has it: LibreOffice opening it as UTF-8
// text, R's read.csv, and our own import.
TEST(GenalexCsv, SpreadsheetsRunNoFormulaAndKeepNonAsciiNames) {
  if (!testsupport::HaveLibreOffice() || !testsupport::HaveOpenpyxl())
    GTEST_SKIP() << "LibreOffice or openpyxl is not installed";
  TempDir dir;
  const std::string book = Imported(
      dir, "Name,=cmd|' /C calc'!A0\n=HYPERLINK(x),180/192\n@SUM(1),180/180\nリンゴ,192/192\n");
  const std::string csv = dir.File("t.csv");
  ASSERT_EQ(e2e::Cli({"export", book, "--format", "genalex", "-q", "-o", csv}).exitCode, 0);

  TempDir profile;
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
  EXPECT_FALSE(Has("\n" + cells.out, "\nf ")) << cells.out;
  for (const char* name : {"s '=HYPERLINK(x)\n", "s '@SUM(1)\n", "s リンゴ\n", "s '=cmd|' /C"})
    EXPECT_TRUE(Has(cells.out, name)) << name << " in\n" << cells.out;

  const auto r = testsupport::RunCommand(
      "LC_ALL=C.UTF-8 Rscript -e " +
      testsupport::Quote("x <- read.csv('" + csv +
                         "', header = FALSE, skip = 3);"
                         " cat(c(x[[1]], x[1, 3] + x[3, 4]), sep = '\\n')"));
  EXPECT_EQ(r.out, "'=HYPERLINK(x)\n'@SUM(1)\nリンゴ\n372\n") << r.err;

  ASSERT_EQ(e2e::Cli({"import", csv, "-o", dir.File("back.xlsx")}).exitCode, 0);
  EXPECT_EQ(
      e2e::Cli({"export", dir.File("back.xlsx"), "--format", "structure", "-o", "/dev/stdout"}).out,
      "=cmd|'_/C_calc'!A0\n=HYPERLINK(x) 180 192\n@SUM(1) 180 180\nリンゴ 192 192\n");
}

}  // namespace
