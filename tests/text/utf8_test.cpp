// The one UTF-8 reader and writer: each row a text, what it decodes to and
// where it is first malformed. The edges of every length, the forms a
// workbook cannot hold (overlong, surrogates, past U+10FFFF) and texts cut
// short are read as replacement characters, and reading goes on after them.
#include "text/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr char32_t R = utf8::kReplacement;
constexpr size_t kValid = std::string_view::npos;

struct Case {
  const char* name;
  std::string text;
  std::u32string characters;
  size_t firstInvalid;
};

const Case kCases[] = {
    {"empty", "", U"", kValid},
    {"ascii with a zero byte", std::string("a\0z", 3), std::u32string(U"a\0z", 3), kValid},
    {"two bytes, lowest and highest", "\xC2\x80\xDF\xBF", U"\u0080\u07FF", kValid},
    {"three bytes, lowest", "\xE0\xA0\x80", U"\u0800", kValid},
    {"three bytes, highest", "\xEF\xBF\xBF", U"\uFFFF", kValid},
    {"just below the surrogates", "\xED\x9F\xBF", U"\uD7FF", kValid},
    {"just above the surrogates", "\xEE\x80\x80", U"\uE000", kValid},
    {"four bytes, lowest and highest", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", U"\U00010000\U0010FFFF",
     kValid},
    {"mixed scripts", "Ab \xEF\xBD\xB1 \xE5\x93\x81 \xF0\x9F\x8C\xB1", U"Ab ｱ 品 \U0001F331",
     kValid},
    {"stray continuation byte", "a\x80z", U"a\uFFFDz", 1},
    {"byte that leads nothing", "\xFF\xFE", {R, R}, 0},
    {"overlong two bytes", "\xC0\xAF", {R, R}, 0},
    {"overlong C1", "\xC1\xBF", {R, R}, 0},
    {"overlong three bytes", "x\xE0\x80\xAF", U"x\uFFFD", 1},
    {"overlong four bytes", "\xF0\x8F\xBF\xBF", {R}, 0},
    {"encoded surrogate", "\xED\xA0\x80z", U"\uFFFDz", 0},
    {"last surrogate", "\xED\xBF\xBF", {R}, 0},
    {"past U+10FFFF", "\xF4\x90\x80\x80", {R}, 0},
    {"five-byte lead", "\xF8\x88\x80\x80\x80", {R, R, R, R, R}, 0},
    {"cut short before ASCII", "\xE3\x81x", U"\uFFFDx", 0},
    {"cut short at the end", "ok\xF0\x9F\x8C", U"ok\uFFFD", 2},
    {"lead byte alone at the end", "ok\xC3", U"ok\uFFFD", 2},
    {"bad after good", "\xE3\x81\x82\xFF", U"\u3042\uFFFD", 3},
};

TEST(Utf8, DecodesCountsAndFindsTheFirstMalformedByte) {
  for (const Case& c : kCases) {
    EXPECT_EQ(utf8::Decode(c.text), c.characters) << c.name;
    EXPECT_EQ(utf8::Count(c.text), c.characters.size()) << c.name;
    EXPECT_EQ(utf8::FindInvalid(c.text), c.firstInvalid) << c.name;
    EXPECT_EQ(utf8::IsValid(c.text), c.firstInvalid == kValid) << c.name;
  }
}

// Encoding is the reverse of decoding for every well-formed text; what no
// text can hold is written as the replacement character.
TEST(Utf8, EncodesWhatItDecodes) {
  for (const Case& c : kCases) {
    if (c.firstInvalid != kValid) continue;
    std::string out;
    for (const char32_t ch : c.characters) utf8::Append(out, ch);
    EXPECT_EQ(out, c.text) << c.name;
  }
  for (const char32_t unwritable : {U'\xD800', U'\xDFFF', char32_t{0x110000}})
    EXPECT_EQ(utf8::Encode(unwritable), "\xEF\xBF\xBD") << static_cast<unsigned>(unwritable);
}

TEST(Utf8, CutsOnlyBetweenCharacters) {
  const std::string text = "a\xE3\x81\x82\xF0\x9F\x8C\xB1z";  // a, 3 bytes, 4 bytes, z
  const struct {
    size_t at, start, next;
  } cuts[] = {{0, 0, 0}, {1, 1, 1}, {2, 1, 4}, {3, 1, 4}, {4, 4, 4},
              {6, 4, 8}, {8, 8, 8}, {9, 9, 9}, {12, 9, 9}};
  for (const auto& c : cuts) {
    EXPECT_EQ(utf8::CharacterStart(text, c.at), c.start) << c.at;
    EXPECT_EQ(utf8::NextCharacterStart(text, c.at), c.next) << c.at;
  }
}

}  // namespace
