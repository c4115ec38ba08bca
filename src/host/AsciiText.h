#pragma once
// Letter case as file names, extensions and sheet kinds use it: ASCII only,
// whatever the locale says.
#include <string>
#include <string_view>

namespace host {

inline std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace host
