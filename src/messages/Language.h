#pragma once
// The interface language. The window's and the command line's texts are
// written in English in the catalogue tables; GNU gettext finds their
// translation (po/LANG.po, compiled to LANG/LC_MESSAGES/allelescope.mo), so a
// translator adds a language without touching code. The sheets' own texts are
// never translated: a workbook must not change with the reader's desktop.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "messages/Catalogue.h"

namespace msg {

inline constexpr const char* kTextDomain = "allelescope";

// Takes the language from the environment as gettext does (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG). Only messages and character types follow it: numbers
// are read and written in the "C" locale whatever the desktop says. Call it
// after anything that sets the locale itself (QApplication does).
void UseEnvironmentLanguage();

// Where the compiled translations are looked for: $ALLELESCOPE_LOCALEDIR;
// else a "locale" folder beside the program (the build tree); else
// ../share/locale from the program (the installed layout).
std::string TranslationFolder();

// Every text of the window and the command line in English, each once: what a
// translator translates. scripts/update-po.sh writes them to po/allelescope.pot.
std::vector<std::string_view> TranslatableTexts();

namespace detail {

// Changes whenever the language does, so that tables translated before are redone.
unsigned LanguageGeneration();

// The translation of an English text (a string literal, so NUL-terminated).
std::string_view Translate(std::string_view english);

// A table's texts in the interface language, translated once per language:
// progress comments ask for them thousands of times a run.
template <typename Id, std::size_t N>
std::string_view TranslatedLookup(const std::array<Entry<Id>, N>& table, Id id) {
  thread_local std::array<std::string_view, N> cache;
  thread_local unsigned generation = 0;
  if (generation != LanguageGeneration()) {
    for (std::size_t i = 0; i < N; ++i) cache[i] = Translate(table[i].second);
    generation = LanguageGeneration();
  }
  return cache[static_cast<std::size_t>(id)];
}

// The English texts of the tables, in id order (for TranslatableTexts).
std::vector<std::string_view> InterfaceMsgids();
std::vector<std::string_view> CommandLineMsgids();

}  // namespace detail
}  // namespace msg
