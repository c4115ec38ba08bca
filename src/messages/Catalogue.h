#pragma once
// The shape shared by the text tables: entries listed in the order of their
// ids, so a lookup is an index.
#include <fmt/format.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace msg::detail {

template <typename Id>
using Entry = std::pair<Id, std::string_view>;

// A text out of place would answer for another id; the tables check this at compile time.
template <typename Id, std::size_t N>
constexpr bool InIdOrder(const std::array<Entry<Id>, N>& table, Id last) {
  for (std::size_t i = 0; i < N; ++i)
    if (static_cast<std::size_t>(table[i].first) != i) return false;
  return table.back().first == last;
}

template <typename Id, std::size_t N>
constexpr std::string_view Lookup(const std::array<Entry<Id>, N>& table, Id id) {
  return table[static_cast<std::size_t>(id)].second;
}

// A translation whose placeholders do not fit the arguments must not end the
// program: the English text is used instead.
template <typename... Args>
std::string FormatEither(std::string_view text, std::string_view english, const Args&... args) {
  try {
    return fmt::format(fmt::runtime(text), args...);
  } catch (const fmt::format_error&) {
    return fmt::format(fmt::runtime(english), args...);
  }
}

}  // namespace msg::detail
