// Text helpers of the store: the allele alphabet and the UTF-8 / UTF-16
// conversions between sheet texts and the ordinal tables.
#include <cstdint>
#include <string>
#include <string_view>

#include "store/GenotypeStore.h"
#include "text/Utf8.h"

namespace store {

const std::u16string& AlleleAlphabet() {
  // Capitals, small letters, digits, then 41 half-width katakana; the last
  // three (ﾜ, ｦ, ﾝ) break code order on purpose, so symbols are looked up by
  // position, never by code.
  static const std::u16string alphabet =
      u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"
      u"ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾜｦﾝ";
  return alphabet;
}

namespace {

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  }
}

}  // namespace

std::u16string ToU16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const utf8::Decoded d = utf8::DecodeAt(text, i);
    AppendCodePoint(out, d.character);
    i += d.length;
  }
  return out;
}

std::u32string Characters(std::u16string_view text) {
  std::u32string out;
  out.reserve(text.size());
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char16_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      out.push_back(0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) +
                    (static_cast<char32_t>(text[i + 1]) - 0xDC00));
      ++i;
    } else {
      out.push_back(c);  // an unpaired surrogate stays one (unwritable) character
    }
  }
  return out;
}

std::u16string ToU16(std::u32string_view characters) {
  std::u16string out;
  out.reserve(characters.size());
  for (const char32_t c : characters) AppendCodePoint(out, c);
  return out;
}

std::string ToUtf8(char32_t character) { return utf8::Encode(character); }

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t c : Characters(text)) utf8::Append(out, c);
  return out;
}

}  // namespace store
