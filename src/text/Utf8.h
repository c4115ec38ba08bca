#pragma once
// UTF-8, the encoding of every text the program keeps: decoding, encoding,
// counting and checking in one place. Well-formed means what a workbook can
// hold: no overlong forms, no encoded surrogates, nothing past U+10FFFF.
#include <cstddef>
#include <string>
#include <string_view>

namespace utf8 {

inline constexpr char32_t kReplacement = U'\uFFFD';

// One character read from a text: what it is and how many bytes it took.
struct Decoded {
  char32_t character;  // kReplacement when the bytes are not well-formed
  std::size_t length;  // at least 1
  bool valid;
};

// Reads the character that starts at text[at] (at < text.size()). Bytes that
// do not form one give kReplacement for the lead byte and the continuation
// bytes that follow it, up to the length the lead byte announces (one byte
// when it announces none), so reading goes on at the byte that broke it.
Decoded DecodeAt(std::string_view text, std::size_t at);
// Every character of `text`, each malformed stretch as one kReplacement.
std::u32string Decode(std::string_view text);

// Appends `character`; a surrogate or a value past U+10FFFF as kReplacement.
void Append(std::string& out, char32_t character);
std::string Encode(char32_t character);

// The characters of `text`, as Decode counts them.
std::size_t Count(std::string_view text);
// The characters a spreadsheet counts for `character`: its UTF-16 units.
constexpr std::size_t Utf16Units(char32_t character) { return character >= 0x10000 ? 2 : 1; }

// The offset of the first byte that starts no well-formed character, or npos.
std::size_t FindInvalid(std::string_view text);
inline bool IsValid(std::string_view text) { return FindInvalid(text) == std::string_view::npos; }

// Where a text may be cut without splitting a character: the start of the
// character byte `at` belongs to, or the first start at or after `at`
// (text.size() when none follows).
std::size_t CharacterStart(std::string_view text, std::size_t at);
std::size_t NextCharacterStart(std::string_view text, std::size_t at);

}  // namespace utf8
