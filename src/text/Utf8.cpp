#include "text/Utf8.h"

namespace utf8 {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length a lead byte announces and the smallest character of that length
// (anything smaller is an overlong form); length 0 for a byte that leads none.
struct Lead {
  std::size_t length;
  char32_t smallest;
};

Lead LeadOf(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return {2, 0x80};
  if (byte >= 0xE0 && byte <= 0xEF) return {3, 0x800};
  if (byte >= 0xF0 && byte <= 0xF4) return {4, 0x10000};
  return {0, 0};
}

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

}  // namespace

Decoded DecodeAt(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
  if (byte(0) < 0x80) return {byte(0), 1, true};
  const Lead lead = LeadOf(byte(0));
  if (lead.length == 0) return {kReplacement, 1, false};
  char32_t c = byte(0) & (0x7F >> lead.length);
  for (std::size_t k = 1; k < lead.length; ++k) {
    if (at + k >= text.size() || !IsContinuation(byte(k))) return {kReplacement, k, false};
    c = (c << 6) | (byte(k) & 0x3F);
  }
  if (c < lead.smallest || c > 0x10FFFF || IsSurrogate(c)) {
    return {kReplacement, lead.length, false};
  }
  return {c, lead.length, true};
}

std::u32string Decode(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const Decoded d = DecodeAt(text, i);
    out.push_back(d.character);
    i += d.length;
  }
  return out;
}

void Append(std::string& out, char32_t c) {
  if (IsSurrogate(c) || c > 0x10FFFF) c = kReplacement;
  const auto put = [&](char32_t bits) { out.push_back(static_cast<char>(bits)); };
  if (c < 0x80) {
    put(c);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
}

std::string Encode(char32_t character) {
  std::string out;
  Append(out, character);
  return out;
}

std::size_t Count(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++count) {
    // Most texts are ASCII: a byte below 0x80 is a character of its own.
    i += static_cast<unsigned char>(text[i]) < 0x80 ? 1 : DecodeAt(text, i).length;
  }
  return count;
}

std::size_t FindInvalid(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const Decoded d = DecodeAt(text, i);
    if (!d.valid) return i;
    i += d.length;
  }
  return std::string_view::npos;
}

std::size_t CharacterStart(std::string_view text, std::size_t at) {
  if (at >= text.size()) return text.size();
  while (at > 0 && IsContinuation(static_cast<unsigned char>(text[at]))) --at;
  return at;
}

std::size_t NextCharacterStart(std::string_view text, std::size_t at) {
  while (at < text.size() && IsContinuation(static_cast<unsigned char>(text[at]))) ++at;
  return at < text.size() ? at : text.size();
}

}  // namespace utf8
