// The command line in the user's language: English unless the locale is
// Japanese, and the same workbook whatever the desktop's number format.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "e2e/CliHarness.h"
#include "messages/InterfaceTexts.h"
#include "support/Interop.h"
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

// A workbook that cannot be opened is reported in the user's language from
// the first word to the last: the operation and the reason come from the
// catalogue, not from the host's own texts.
TEST(LanguageEndToEnd, AnUnreadableWorkbookIsReportedWhollyInJapanese) {
  if (!Installed("ja_JP.UTF-8")) GTEST_SKIP() << "ja_JP.UTF-8 is not installed (scripts/setup.sh)";
  TempDir dir;
  const std::string good = dir.File("good.xlsx"), damaged = dir.File("damaged.xlsx");
  testsupport::WriteWorkbook(good, {testsupport::CleanSsr("Apple.org")});
  const std::string bytes = testsupport::ReadFileBytes(good);
  testsupport::WriteFileBytes(damaged, bytes.substr(0, bytes.size() / 2));
  const auto po = testsupport::ReadPo(testsupport::SourcePath("po/ja.po"));
  const auto japanese = [&po](const char* english) { return po.at(english).msgstr; };
  const std::pair<std::string, const char*> cases[] = {
      {dir.File("missing.xlsx"), "the file does not exist"},
      {damaged, "the file is damaged or not a workbook"}};
  for (const auto& [book, reason] : cases) {
    const e2e::CommandResult result = CliUnder("ja_JP.UTF-8", {"run", book});
    EXPECT_EQ(result.exitCode, 1);
    const std::string failed = japanese("{} failed");
    EXPECT_EQ(result.err, "allelescope: " + book + ": " +
                              failed.replace(failed.find("{}"), 2, japanese("Open")) + ": " +
                              japanese(reason) + "\n");
  }
}
