#pragma once
// Runs part of a test as a user with LANG set to a locale would run it, and
// puts the language back afterwards.
#include <clocale>
#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "messages/Language.h"

namespace testsupport {

class LocaleScope {
 public:
  explicit LocaleScope(const std::string& lang) {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value) : std::nullopt);
      unsetenv(name);
    }
    setenv("LANG", lang.c_str(), 1);
    msg::UseEnvironmentLanguage();
    // A locale that is not installed leaves the messages in "C".
    available_ = std::string(std::setlocale(LC_MESSAGES, nullptr)) != "C";
  }
  ~LocaleScope() {
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
      if (saved_[i])
        setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        unsetenv(kNames[i]);
    }
    msg::UseEnvironmentLanguage();
  }
  LocaleScope(const LocaleScope&) = delete;
  LocaleScope& operator=(const LocaleScope&) = delete;

  bool Available() const { return available_; }

 private:
  static constexpr const char* kNames[] = {"LANG", "LC_ALL", "LC_MESSAGES", "LANGUAGE"};
  std::vector<std::optional<std::string>> saved_;
  bool available_ = false;
};

}  // namespace testsupport
