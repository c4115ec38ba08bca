#include "exchange/TextLines.h"

#include <fmt/format.h>

#include <charconv>
#include <limits>
#include <utility>

#include "exchange/ImportFormat.h"
#include "exchange/TextEncoding.h"
#include "messages/CliTexts.h"
#include "text/Utf8.h"

namespace exchange {
namespace {

// What Trim takes away; a CSV field of nothing else is blank.
constexpr std::string_view kBlanks = " \t\r\n";

// The length of the UTF-8 character at `s[i]`, 0 when it is none or the zero
// byte: a workbook holding a malformed one could not be opened again.
size_t CharLength(std::string_view s, size_t i) {
  const utf8::Decoded c = utf8::DecodeAt(s, i);
  return c.valid && c.character != 0 ? c.length : 0;
}

// A control character XML 1.0 cannot hold; the zero byte is told apart as
// the mark of a binary file.
bool IsForbiddenControl(unsigned char c) {
  return c != 0 && c < 0x20 && c != '\t' && c != '\n' && c != '\r';
}

// A text that is not UTF-8, at `line`: one of another encoding is told which
// it likely is and how to read it; a zero byte that is no UTF-16 makes a binary file.
ImportError NotUtf8(std::string_view text, int line) {
  const EncodingGuess guess = LikelyEncoding(text);
  if (guess.name.empty()) return ImportError(line, std::string(msg::Text(msg::Cli::ImportBinary)));
  return ImportError(line, msg::Format(msg::Cli::ImportNotUtf8, guess.name, guess.option));
}

// Throws ImportError naming the line of the first byte that is not text: a
// zero byte or one that is not UTF-8 anywhere comes first; a text with no
// such byte but a stray control character is told so at its line.
void CheckText(std::string_view text) {
  int line = 1;
  std::optional<std::pair<int, unsigned char>> control;  // the first one
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t n = CharLength(text, i);
    if (n == 0) throw NotUtf8(text, line);
    if (IsForbiddenControl(c) && !control) control.emplace(line, c);
    if (c == '\n' || (c == '\r' && text.substr(i + 1, 1) != "\n")) ++line;
    i += n;
  }
  if (control)
    throw ImportError(control->first, msg::Format(msg::Cli::ImportControl,
                                                  fmt::format("U+{:04X}", control->second)));
}

}  // namespace

TextLines::TextLines(std::string_view text) : rest_(WithoutByteOrderMark(text)) {
  if (Trim(rest_).empty()) throw ImportError(1, std::string(msg::Text(msg::Cli::ImportEmpty)));
  CheckText(rest_);
}

bool TextLines::Next(std::string_view& line) {
  if (rest_.empty()) return false;
  const size_t end = rest_.find_first_of("\r\n");
  line = rest_.substr(0, end);
  ++number_;
  if (end == std::string_view::npos)
    rest_ = {};
  else
    rest_.remove_prefix(end + (rest_.substr(end, 2) == "\r\n" ? 2 : 1));
  return true;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return text;
}

CsvRow SplitCsv(std::string_view line, size_t keep, char delimiter) {
  CsvRow row;
  std::string field;
  bool quoted = false, fieldBlank = true;
  const auto add = [&](char c) {
    if (row.count < keep) field += c;
    fieldBlank = fieldBlank && kBlanks.find(c) != std::string_view::npos;
  };
  const auto close = [&] {
    if (row.count < keep) row.fields.push_back(std::move(field));
    field.clear();
    if (!fieldBlank || row.count == 0) row.used = row.count + 1;
    row.blank = row.blank && fieldBlank;
    ++row.count;
    fieldBlank = true;
  };
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      add('"');
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == delimiter && !quoted) {
      close();
    } else {
      add(c);
    }
  }
  close();
  return row;
}

char CsvDelimiter(std::string_view firstLine) {
  constexpr std::string_view kDelimiters = ",;\t";
  size_t counts[3] = {0, 0, 0};
  bool quoted = false;
  for (const char c : firstLine) {
    if (c == '"') quoted = !quoted;
    const size_t at = kDelimiters.find(c);
    if (!quoted && at != std::string_view::npos) ++counts[at];
  }
  size_t best = 0;
  for (size_t k = 1; k < 3; ++k)
    if (counts[k] > counts[best]) best = k;
  return kDelimiters[best];
}

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

std::optional<int> WholeNumber(std::string_view s) {
  int value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size() || value < -32768 ||
      value > 32767)
    return std::nullopt;
  return value;
}

std::optional<size_t> Count(std::string_view s) {
  if (s.empty() || s.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  size_t value = 0;
  const auto read = std::from_chars(s.data(), s.data() + s.size(), value);
  return read.ec == std::errc::result_out_of_range ? std::numeric_limits<size_t>::max() : value;
}

}  // namespace exchange
