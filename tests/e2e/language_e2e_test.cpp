// The command line in the user's language: English unless the locale is
// Japanese, and the same workbook whatever the desktop's number format.
#include <algorithm>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "e2e/CliHarness.h"
#include "support/LocaleScope.h"
#include "support/PoFile.h"
#include "support/SourceBook.h"

using testsupport::TempDir;

namespace {

// The program as a user whose environment says `lang` runs it.
e2e::CommandResult CliUnder(const std::string& lang, const std::vector<std::string>& args) {
  std::string command = "env -u LC_ALL -u LC_MESSAGES -u LANGUAGE LANG=" + lang + " " +
                        testsupport::Quote(ALLELESCOPE_CLI);
  for (const auto& arg : args) command += " " + testsupport::Quote(arg);
  return testsupport::RunCommand(command);
}

bool Installed(const std::string& lang) { return testsupport::LocaleScope(lang).Available(); }

bool Ascii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

std::string SheetParts(const std::string& workbook) {
  return testsupport::RunCommand("unzip -p " + testsupport::Quote(workbook) +
                                 " 'xl/worksheets/*.xml' xl/styles.xml xl/workbook.xml")
      .out;
}

// Columns a terminal gives the text: two for kana, kanji and full-width forms.
std::size_t Columns(const std::string& line) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const auto c = static_cast<unsigned char>(line[i]);
    if ((c & 0xC0) == 0x80) continue;
    const auto next = i + 1 < line.size() ? static_cast<unsigned char>(line[i + 1]) : 0;
    n += (c >= 0xE3 && c <= 0xE9) || (c == 0xEF && (next == 0xBC || next == 0xBD)) ? 2 : 1;
  }
  return n;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // a terminal's line ends
    lines.push_back(line);
  }
  return lines;
}

// Latin words a Japanese help may hold besides option names and sheet or
// file types (.org, .xlsx): the program's and its commands' names, value
// names, the names of formats, programs, cells, sheets and the window's options.
const std::set<std::string> kNames = {
    "allelescope", "AlleleScope", "sheets", "run", "demo", "export", "markers", "import", "help",
    "WORKBOOK", "NAME", "FILE", "DIR", "COMMAND", "MESSAGE", "GLOSS", "TAB", "MARKER", "genepop",
    "structure", "genalex", "csv", "GENEPOP", "GenAlEx", "CSV", "poppr", "SSR", "AB", "DNA", "B",
    "C", "Groups", "Pop", "Combination", "Ukai", "UTF", "Shift_JIS", "CP", "ISO",
    // The summary's command, formats and column heads.
    "summary", "text", "tsv", "N", "missing_pct", "Na", "Ne", "Ho", "He", "uHe", "PIC", "F",
    "null_freq", "HWE_p", "HWE_method", "HWE", "PI", "PIsib", "PI_cum", "PIsib_cum",
    // The relationship commands and their values.
    "tree", "distances", "pcoa", "Newick", "PHYLIP", "nj", "upgma", "alleles", "share"};

std::vector<std::string> EnglishWords(const std::string& help) {
  static const std::regex option("--?[A-Za-z][-A-Za-z]*|\\.[A-Za-z]+");
  static const std::regex word("[A-Za-z][A-Za-z_]*");
  const std::string text = std::regex_replace(help, option, " ");
  std::vector<std::string> words;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), word); it != std::sregex_iterator();
       ++it)
    if (!kNames.count(it->str())) words.push_back(it->str());
  return words;
}

}  // namespace

// English unless the locale is Japanese; in Japanese, from the first word to
// the last: a workbook that cannot be opened is reported with the operation
// and the reason from the catalogue, not the host's own texts, and the
// parser's own words ("Usage", "Options", "REQUIRED") are translated with
// the rest of the help, leaving Latin only what a user types or a file holds.
TEST(LanguageEndToEnd, EnglishLocalesGetEnglishAndJapaneseOnesJapaneseOnly) {
  TempDir dir;
  const std::string book = dir.File("book.xlsx"), damaged = dir.File("damaged.xlsx");
  testsupport::WriteWorkbook(book, {testsupport::CleanSsr("Apple.org")});
  const std::string bytes = testsupport::ReadFileBytes(book);
  testsupport::WriteFileBytes(damaged, bytes.substr(0, bytes.size() / 2));
  for (const std::vector<std::string>& args : {std::vector<std::string>{"run", book},
                                               {"--help"},
                                               {"run", "--help"},
                                               {"sheets", book},
                                               {"run", dir.File("missing.xlsx")}}) {
    const e2e::CommandResult english = CliUnder("en_US.UTF-8", args);
    EXPECT_TRUE(Ascii(english.out) && Ascii(english.err)) << english.out << english.err;
  }
  if (!Installed("ja_JP.UTF-8")) GTEST_SKIP() << "ja_JP.UTF-8 is not installed (scripts/setup.sh)";
  const auto po = testsupport::ReadPo(testsupport::SourcePath("po/ja.po"));
  const auto japanese = [&po](std::string_view english) {
    return po.at(std::string(english)).msgstr;
  };
  const e2e::CommandResult run = CliUnder("ja_JP.UTF-8", {"run", book});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, japanese(msg::English(msg::Ui::FinishedNormally)) + "\n");
  for (const auto& [path, reason] :
       {std::pair<std::string, const char*>{dir.File("missing.xlsx"), "the file does not exist"},
        {damaged, "the file is damaged or not a workbook"}}) {
    const e2e::CommandResult result = CliUnder("ja_JP.UTF-8", {"run", path});
    EXPECT_EQ(result.exitCode, 1);
    std::string failed = japanese("{} failed");
    EXPECT_EQ(result.err, "allelescope: " + path + ": " +
                              failed.replace(failed.find("{}"), 2, japanese("Open")) + ": " +
                              japanese(reason) + "\n");
  }
  std::vector<std::vector<std::string>> asks = {{"--help"}, {"help"}};
  for (const char* command : {"sheets", "run", "demo", "export", "markers", "summary", "import",
                              "tree", "distances", "pcoa", "help"})
    asks.push_back({command, "--help"});
  for (const std::vector<std::string>& args : asks) {
    const e2e::CommandResult help = CliUnder("ja_JP.UTF-8", args);
    EXPECT_EQ(help.exitCode, 0) << args[0];
    EXPECT_FALSE(Ascii(help.out)) << help.out;
    EXPECT_EQ(EnglishWords(help.out), std::vector<std::string>{}) << help.out;
  }
}

TEST(LanguageEndToEnd, TheDesktopsNumberFormatChangesNothingInTheWorkbook) {
  TempDir dir;
  std::vector<std::string> results;
  for (const std::string lang : {"C", "de_DE.UTF-8", "ja_JP.UTF-8"}) {
    if (lang != "C" && !Installed(lang)) continue;
    const std::string book = dir.File(lang + ".xlsx");
    testsupport::WriteWorkbook(book, {testsupport::CleanSsr("Apple.org", 8, 5)});
    ASSERT_EQ(CliUnder(lang, {"run", book, "--zoo"}).exitCode, 0) << lang;
    results.push_back(SheetParts(book));
  }
  if (results.size() < 2) GTEST_SKIP() << "no locale besides C is installed (scripts/setup.sh)";
  ASSERT_FALSE(results[0].empty());
  for (const std::string& result : results) EXPECT_EQ(result, results[0]);
}

// On a terminal the help takes its width (COLUMNS here: a test's terminal has
// no size); into a pipe or file it keeps 80 columns.
TEST(LanguageEndToEnd, TheHelpIsWrappedToTheTerminalsWidth) {
  for (const std::string lang : {"C.UTF-8", "ja_JP.UTF-8"}) {
    if (!Installed(lang)) continue;
    const std::string command = "env -u LC_ALL -u LC_MESSAGES -u LANGUAGE COLUMNS=56 LANG=" + lang +
                                " " + testsupport::Quote(ALLELESCOPE_CLI) + " run --help";
    const e2e::CommandResult terminal =
        testsupport::RunCommand("script -qec " + testsupport::Quote(command) + " /dev/null");
    const std::vector<std::string> lines = Lines(terminal.out);
    ASSERT_GT(lines.size(), 10u) << terminal.out << terminal.err;
    for (const std::string& line : lines) EXPECT_LE(Columns(line), 56u) << lang << ": " << line;
    std::size_t widest = 0;
    for (const std::string& line : Lines(CliUnder(lang, {"run", "--help"}).out))
      widest = std::max(widest, Columns(line));
    EXPECT_GT(widest, 56u) << lang;
    EXPECT_LE(widest, 80u) << lang;
  }
}
