#include "exchange/TextLines.h"

#include <charconv>

#include "exchange/ImportFormat.h"
#include "messages/CliTexts.h"

namespace exchange {
namespace {

// The length of the UTF-8 sequence at `s[i]`, 0 when it is not one.
size_t Utf8Length(std::string_view s, size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || c == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return 0;
  return n;
}

}  // namespace

std::vector<std::string_view> TextLines(std::string_view text) {
  if (Trim(text).empty()) throw ImportError(1, std::string(msg::Text(msg::Cli::ImportEmpty)));
  int line = 1;
  for (size_t i = 0; i < text.size();) {
    const size_t n = Utf8Length(text, i);
    if (n == 0) throw ImportError(line, std::string(msg::Text(msg::Cli::ImportBinary)));
    if (text[i] == '\n') ++line;
    i += n;
  }
  // A byte-order mark is not part of the first name.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view l = text.substr(0, end);
    if (l.ends_with('\r')) l.remove_suffix(1);
    lines.push_back(l);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::vector<std::string> CsvFields(std::string_view line) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      out.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

bool IsWholeNumber(std::string_view s) {
  int value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  return !s.empty() && ec == std::errc() && end == s.data() + s.size() && value >= -32768 &&
         value <= 32767;
}

}  // namespace exchange
