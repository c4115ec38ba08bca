#include "exchange/TextEncoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

#include "exchange/ImportFormat.h"
#include "messages/CliTexts.h"

namespace exchange {
namespace {

class Converter {
 public:
  explicit Converter(const std::string& from) : cd_(::iconv_open("UTF-8", from.c_str())) {}
  ~Converter() {
    if (Valid()) ::iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t Handle() const { return cd_; }

 private:
  iconv_t cd_;
};

// The line, from 1, that a text ending with `text` has reached.
int LineAtEnd(std::string_view text) {
  int line = 1;
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
      ++line;
  return line;
}

std::string Convert(std::string_view in, const std::string& from, size_t maxBytes) {
  const Converter converter(from);
  if (!converter.Valid()) throw std::runtime_error(msg::Format(msg::Cli::UnknownEncoding, from));
  std::string out;
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  char buffer[1 << 16];
  while (left > 0) {
    char* dst = buffer;
    size_t room = sizeof buffer;
    const bool failed =
        ::iconv(converter.Handle(), &src, &left, &dst, &room) == static_cast<size_t>(-1) &&
        errno != E2BIG;
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (out.size() > maxBytes)
      throw ImportError(LineAtEnd(out), msg::Format(msg::Cli::ImportTooLarge, maxBytes >> 20));
    if (failed) throw ImportError(LineAtEnd(out), msg::Format(msg::Cli::ImportNotInEncoding, from));
  }
  return out;
}

// Zero bytes mostly in the odd places (UTF-16LE) or the even ones (UTF-16BE)
// of a text's start; "" when they are not.
std::string_view Utf16Order(std::string_view bytes) {
  const size_t n = std::min<size_t>(bytes.size(), 4096) / 2;
  size_t even = 0, odd = 0;
  for (size_t i = 0; i < n; ++i) {
    even += bytes[2 * i] == '\0';
    odd += bytes[2 * i + 1] == '\0';
  }
  if (odd > 2 * even && 4 * odd >= n) return "UTF-16LE";
  if (even > 2 * odd && 4 * even >= n) return "UTF-16BE";
  return "";
}

bool IsCp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsCp932Trail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// Whether every byte past ASCII forms CP932 (half-width kana or a lead and
// trail pair) and most pairs lead with 0x81-0x9F, where kana and common kanji
// lie; accented western letters (0xC0-0xFF) lead the pairs a CP1252 text forms.
bool LooksCp932(std::string_view bytes) {
  size_t pairs = 0, low = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) continue;
    if (!IsCp932Lead(c) || i + 1 == bytes.size() ||
        !IsCp932Trail(static_cast<unsigned char>(bytes[i + 1])))
      return false;
    ++pairs;
    low += c <= 0x9F;
    ++i;
  }
  return pairs > 0 && 2 * low >= pairs;
}

}  // namespace

bool KnownEncoding(const std::string& name) { return Converter(name).Valid(); }

std::string DecodeText(std::string bytes, const std::string& encoding, size_t maxBytes) {
  // A byte-order mark says what the text is, whatever the user guessed.
  if (bytes.starts_with("\xEF\xBB\xBF")) return bytes;
  if (bytes.starts_with("\xFF\xFE"))
    return Convert(std::string_view(bytes).substr(2), "UTF-16LE", maxBytes);
  if (bytes.starts_with("\xFE\xFF"))
    return Convert(std::string_view(bytes).substr(2), "UTF-16BE", maxBytes);
  if (encoding.empty()) return bytes;
  return Convert(bytes, encoding, maxBytes);
}

EncodingGuess LikelyEncoding(std::string_view bytes) {
  if (bytes.find('\0') != std::string_view::npos) {
    const std::string_view order = Utf16Order(bytes);
    return {order, order};
  }
  if (LooksCp932(bytes)) return {"Shift_JIS (CP932)", "CP932"};
  // Five bytes CP1252 leaves undefined; Latin-1 takes every byte.
  if (bytes.find_first_of("\x81\x8D\x8F\x90\x9D") == std::string_view::npos)
    return {"CP1252 (Windows western)", "CP1252"};
  return {"ISO-8859-1 (Latin-1)", "ISO-8859-1"};
}

}  // namespace exchange
