#pragma once
// Imported texts in the encodings breeders' files come in: UTF-8, UTF-16 with
// its byte-order mark (what spreadsheets save as "Unicode text"), and through
// iconv any other the user names: a CSV saved on a Japanese desktop is
// Shift_JIS (CP932), on a western one often CP1252.
#include <cstddef>
#include <string>
#include <string_view>

namespace exchange {

// Whether iconv reads texts in the encoding `name`.
bool KnownEncoding(const std::string& name);

// `bytes` as UTF-8: a text that starts with a byte-order mark as what the
// mark says (UTF-8 or UTF-16), any other from `encoding` when it is not
// empty, and otherwise as it is (the readers refuse it when it is not UTF-8).
// Throws ImportError at the line of a byte that is not text in that encoding,
// or where the text passes `maxBytes`; std::runtime_error for an encoding
// iconv does not know.
std::string DecodeText(std::string bytes, const std::string& encoding, std::size_t maxBytes);

// The encoding a text that is not UTF-8 most likely has: the name a user
// knows it by and the name --encoding takes; empty names for a binary file.
struct EncodingGuess {
  std::string_view name;
  std::string_view option;
};
EncodingGuess LikelyEncoding(std::string_view bytes);

}  // namespace exchange
