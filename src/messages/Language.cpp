#include "messages/Language.h"

#include <libintl.h>
#include <unistd.h>

#include <atomic>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <system_error>

#include "messages/HostFailureTexts.h"

namespace msg {
namespace {

namespace fs = std::filesystem;

// Starts above zero: a table never translated has generation 0.
std::atomic<unsigned> generation{1};

fs::path ProgramFolder() {
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : program.parent_path();
}

bool IsFolder(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

}  // namespace

std::string TranslationFolder() {
  if (const char* chosen = std::getenv("ALLELESCOPE_LOCALEDIR"); chosen && *chosen) return chosen;
  const fs::path here = ProgramFolder();
  // /usr/bin/locale is a program, hence the folder test.
  if (IsFolder(here / "locale")) return (here / "locale").string();
  return (here.parent_path() / "share" / "locale").lexically_normal().string();
}

void UseEnvironmentLanguage() {
  std::setlocale(LC_ALL, "C");
  std::setlocale(LC_CTYPE, "");
  std::setlocale(LC_MESSAGES, "");
  bindtextdomain(kTextDomain, TranslationFolder().c_str());
  bind_textdomain_codeset(kTextDomain, "UTF-8");
  ++generation;
}

std::vector<std::string_view> TranslatableTexts() {
  std::vector<std::string_view> texts;
  std::set<std::string_view> seen;
  for (const auto& part :
       {detail::InterfaceMsgids(), detail::CommandLineMsgids(), detail::HostFailureMsgids()})
    for (std::string_view text : part)
      if (seen.insert(text).second) texts.push_back(text);
  return texts;
}

namespace detail {

unsigned LanguageGeneration() { return generation.load(std::memory_order_relaxed); }

std::string_view Translate(std::string_view english) {
  // gettext keeps every catalogue it loaded for the life of the process, so
  // the text it returns stays valid.
  // An empty msgid would answer with the catalogue's header.
  if (english.empty()) return english;
  return dgettext(kTextDomain, english.data());
}

}  // namespace detail
}  // namespace msg
