// The command line in the user's language: English unless the locale is
// Japanese, and the same workbook whatever the desktop's number format.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/CliHarness.h"
#include "messages/InterfaceTexts.h"
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

}  // namespace

TEST(LanguageEndToEnd, AnEnglishLocaleGetsNoJapaneseAndAJapaneseOneTheClosingMessage) {
  TempDir dir;
  const std::string book = dir.File("book.xlsx");
  testsupport::WriteWorkbook(book, {testsupport::CleanSsr("Apple.org")});
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
  const std::string finished = po.at(std::string(msg::English(msg::Ui::FinishedNormally))).msgstr;
  const e2e::CommandResult japanese = CliUnder("ja_JP.UTF-8", {"run", book});
  EXPECT_EQ(japanese.exitCode, 0) << japanese.err;
  EXPECT_EQ(japanese.out, finished + "\n");
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
