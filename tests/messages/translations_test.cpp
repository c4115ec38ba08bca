// The window's and the command line's texts in each language: every text has
// its translation, and the programs speak the language of the user's locale
// while numbers and the workbook stay as they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <set>
#include <string>

#include "messages/CliTexts.h"
#include "messages/HostFailureTexts.h"
#include "messages/InterfaceTexts.h"
#include "messages/Language.h"
#include "support/LocaleScope.h"
#include "support/PoFile.h"

using testsupport::LocaleScope;

namespace {

long Placeholders(std::string_view text) { return std::count(text.begin(), text.end(), '{'); }

std::size_t InterfaceCount() { return msg::detail::InterfaceMsgids().size(); }

std::string Japanese(std::string_view english) {
  static const auto po = testsupport::ReadPo(testsupport::SourcePath("po/ja.po"));
  const auto found = po.find(std::string(english));
  return found == po.end() ? std::string() : found->second.msgstr;
}

}  // namespace

TEST(Translations, EveryTextHasAJapaneseTranslationWithItsPlaceholders) {
  const auto po = testsupport::ReadPo(testsupport::SourcePath("po/ja.po"));
  std::string missing;
  for (std::string_view text : msg::TranslatableTexts()) {
    const auto found = po.find(std::string(text));
    if (found == po.end() || found->second.fuzzy || found->second.msgstr.empty() ||
        Placeholders(found->second.msgstr) != Placeholders(text))
      missing += "\n  " + std::string(text);
  }
  EXPECT_TRUE(missing.empty()) << "po/ja.po lacks a translation (run scripts/update-po.sh, then "
                                  "translate):"
                               << missing;
}

TEST(Translations, TheTemplateListsExactlyTheCatalogueTexts) {
  std::set<std::string> inTemplate;
  for (const auto& [msgid, entry] :
       testsupport::ReadPo(testsupport::SourcePath("po/allelescope.pot")))
    inTemplate.insert(msgid);
  std::set<std::string> inCatalogue;
  for (std::string_view text : msg::TranslatableTexts()) inCatalogue.emplace(text);
  EXPECT_EQ(inTemplate, inCatalogue) << "po/allelescope.pot is stale: run scripts/update-po.sh";
  // Texts written into workbooks are never offered for translation.
  EXPECT_FALSE(inCatalogue.contains(std::string(msg::English(msg::Cli::GroupsVarietyHead))));
}

TEST(Translations, AJapaneseLocaleGetsTheJapaneseTexts) {
  LocaleScope japanese("ja_JP.UTF-8");
  if (!japanese.Available()) GTEST_SKIP() << "ja_JP.UTF-8 is not installed (scripts/setup.sh)";
  for (std::size_t i = 0; i < InterfaceCount(); ++i) {
    const auto id = static_cast<msg::Ui>(i);
    EXPECT_EQ(msg::Text(id), Japanese(msg::English(id))) << msg::English(id);
  }
  EXPECT_EQ(msg::Text(msg::Cli::GlossSsr), Japanese(msg::English(msg::Cli::GlossSsr)));
  EXPECT_EQ(msg::CellComment(3, -1),
            fmt::format(fmt::runtime(Japanese(msg::English(msg::Ui::CellComment))), 3, -1));
  // The heads import writes into a workbook stay as they are.
  EXPECT_EQ(msg::Text(msg::Cli::GroupsVarietyHead), msg::English(msg::Cli::GroupsVarietyHead));
  EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
}

TEST(Translations, EveryOtherLocaleGetsEnglishAndNumbersStayInC) {
  for (const char* lang : {"en_US.UTF-8", "de_DE.UTF-8", "C.UTF-8"}) {
    LocaleScope scope(lang);
    for (std::size_t i = 0; i < InterfaceCount(); ++i) {
      const auto id = static_cast<msg::Ui>(i);
      EXPECT_EQ(msg::Text(id), msg::English(id)) << lang;
    }
    EXPECT_EQ(msg::Text(msg::Cli::Failed), msg::English(msg::Cli::Failed)) << lang;
    // A German desktop writes 1,5: the workbook must not.
    EXPECT_STREQ(std::localeconv()->decimal_point, ".") << lang;
    EXPECT_EQ(std::strtod("1.5", nullptr), 1.5) << lang;
  }
}

TEST(Translations, ATranslationThatDoesNotFitItsArgumentsFallsBackToEnglish) {
  EXPECT_EQ(msg::detail::FormatEither("{} {} {}", "Variety [{: }]", 5), "Variety [ 5]");
  EXPECT_EQ(msg::detail::FormatEither("{", "Marker {}[{}]", 2, "M2"), "Marker 2[M2]");
}

TEST(Translations, TheProgramsFindTheirCatalogues) {
  // Test programs live in the build tree, beside the compiled catalogues.
  const std::string folder = msg::TranslationFolder();
  EXPECT_TRUE(folder.ends_with("/locale")) << folder;
  EXPECT_TRUE(std::filesystem::exists(folder + "/ja/LC_MESSAGES/allelescope.mo")) << folder;
  setenv("ALLELESCOPE_LOCALEDIR", "/opt/elsewhere", 1);
  EXPECT_EQ(msg::TranslationFolder(), "/opt/elsewhere");
  unsetenv("ALLELESCOPE_LOCALEDIR");
}

// The host's failure codes are worded by the catalogue as the host's own
// reasons read, and a fault the catalogue has no words for still shows the
// host's reason (wholly in Japanese: LanguageEndToEnd).
TEST(Translations, HostFailuresAreWordedInTheUsersLanguage) {
  using host::FailureCode;
  const host::Failure missing{host::Operation::Open, FailureCode::FileMissing, {}};
  const host::Failure lost{host::Operation::Save, FailureCode::SheetLost, {"Apple.org"}};
  const host::Failure fault{host::Operation::Other, FailureCode::Unworded, {}};
  LocaleScope english("C.UTF-8");
  EXPECT_EQ(msg::FailureLine(missing, "Open", "a.xlsx", "log"),
            "a.xlsx: Open failed: the file does not exist");
  EXPECT_EQ(msg::FailureText(lost, "log"),
            "sheet 'Apple.org' could not be read; saving would lose it");
  EXPECT_EQ(msg::FailureLine(fault, "Range", "", "the range is too large"),
            "Range failed: the range is too large");
}
