// The import readers on a text of any content: each of the three layouts, at
// the workbook's limits and at small ones, with what the workbook writer
// relies on checked in every table a reader gives; the text as it is (UTF-16
// by its byte-order mark) and as CP932, the encoding iconv takes most care
// with. No files are written, so thousands of texts run a second.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "FuzzFiles.h"
#include "exchange/ImportFormat.h"
#include "exchange/TextEncoding.h"

namespace {

// The code point of the UTF-8 character at s[i] and its length, decoded
// here without the readers' own check: {0, 0} when it is none.
std::pair<unsigned, size_t> Decode(std::string_view s, size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  const size_t n = c < 0x80 ? 1 : c < 0xC0 ? 0 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF8 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return {0, 0};
  unsigned cp = n == 1 ? c : c & (0x7F >> n);
  for (size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return {0, 0};
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr unsigned kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kShortest[n]) return {0, 0};
  return {cp, n};
}

// A character XML 1.0 holds, or U+FFFE and U+FFFF, which the cell writer escapes.
bool XmlHolds(unsigned cp) {
  return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
         (cp >= 0xE000 && cp <= 0x10FFFF);
}

void CheckText(const std::string& s, const char* what) {
  for (size_t i = 0; i < s.size();) {
    const auto [cp, n] = Decode(s, i);
    if (n == 0 || !XmlHolds(cp)) fuzz::Fault(std::string(what) + " is not text a workbook holds");
    i += n;
  }
}

void CheckTable(const exchange::ImportedTable& t, const exchange::ImportLimits& limits) {
  if (t.cells.size() != t.varieties.size()) fuzz::Fault("a row of cells per variety");
  if (!t.populations.empty() && t.populations.size() != t.varieties.size())
    fuzz::Fault("a population per variety");
  if (t.markers.size() > limits.markers || t.varieties.size() > limits.varieties)
    fuzz::Fault("a table past the limits");
  for (const auto* names : {&t.markers, &t.varieties})
    for (const std::string& name : *names) {
      if (name.empty()) fuzz::Fault("an empty name");
      CheckText(name, "a name");
    }
  for (const std::string& population : t.populations) CheckText(population, "a population");
  CheckText(t.title, "the title");
  for (const auto& row : t.cells) {
    if (row.size() != t.markers.size()) fuzz::Fault("a cell per marker");
    for (const std::string& cell : row) CheckText(cell, "a cell");
  }
}

void Read(exchange::ImportKind kind, std::string_view text, const exchange::ImportLimits& limits) {
  try {
    CheckTable(exchange::ReadImport(kind, text, limits), limits);
  } catch (const exchange::ImportError& e) {
    if (e.Line() < 1) fuzz::Fault("a refusal without its line");
    if (e.Reason().empty()) fuzz::Fault("a refusal without its reason");
  } catch (const std::exception& e) {
    fuzz::Fault(std::string("reading threw ") + e.what());
  }
}

// The text in `encoding` (none: as it is) as UTF-8; nothing when it is not
// text in that encoding.
std::optional<std::string> Decoded(std::string_view bytes, const char* encoding) {
  try {
    return exchange::DecodeText(std::string(bytes), encoding, std::size_t(1) << 24);
  } catch (const exchange::ImportError& e) {
    if (e.Line() < 1 || e.Reason().empty())
      fuzz::Fault("a decoding refusal without line or reason");
  } catch (const std::exception& e) {
    fuzz::Fault(std::string("decoding threw ") + e.what());
  }
  return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const char* encoding : {"", "CP932"}) {
    const std::optional<std::string> text = Decoded(bytes, encoding);
    if (!text) continue;
    exchange::GuessKind("input.gen", *text);
    exchange::GuessKind("input.csv", *text);
    for (const auto kind : {exchange::ImportKind::Genepop, exchange::ImportKind::Genalex,
                            exchange::ImportKind::Csv}) {
      Read(kind, *text, {});
      Read(kind, *text, {3, 4, 24});  // small enough for a fuzzed text to pass
    }
  }
  return 0;
}
