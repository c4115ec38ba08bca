#pragma once
// The genotype store: variety and marker names, the cell texts of the source
// table, and per marker the allele and genotype tables, sized to the data.
// Indexes count from 1 as on the sheets; index 0 of a name is the empty name.
//
// Text: names are UTF-8 (they only travel to and from sheets). Cell texts,
// allele strings and genotype strings are UTF-16, because the tables compare
// and sort them ordinally by 16-bit character code and index them by character.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/MarkerTable.h"

namespace store {

inline constexpr int kMaxVarieties = 500;
inline constexpr int kMaxMarkers = 250;

enum class DataKind { Ssr, Character };

// The 103 allele symbols; the symbol of slot a is AlleleAlphabet()[a - 1].
const std::u16string& AlleleAlphabet();

std::u16string ToU16(std::string_view utf8);
std::string ToUtf8(std::u16string_view text);
std::string ToUtf8(char32_t character);
// The characters (code points) of a text: a character outside the 16-bit
// range is one character, not the two halves that encode it.
std::u32string Characters(std::u16string_view text);
std::u16string ToU16(std::u32string_view characters);

// One part of an SSR cell text: the rounded size, or kNonNumeric when the
// part is not a fragment length (0 to 32767) the 16-bit tables can hold.
inline constexpr int16_t kNonNumeric = 10000;
struct SizePart {
  int16_t value;
  bool numeric;
};
// Takes the part before the first "/" off `d` (all of it when there is none).
SizePart TakeSizePart(std::u16string& d);

class GenotypeStore {
 public:
  // At most kMaxVarieties names and kMaxMarkers markers; the reader enforces
  // and reports the limits. Every cell starts empty.
  GenotypeStore(DataKind kind, std::vector<std::string> varieties,
                std::vector<std::string> markers);

  DataKind Kind() const { return kind_; }
  int VarietyCount() const { return static_cast<int>(varieties_.size()); }
  int MarkerCount() const { return static_cast<int>(markers_.size()); }
  // The empty name for 0 or an index beyond the table.
  const std::string& VarietyName(int v) const;
  const std::string& MarkerName(int m) const;

  // Cell (v, m): the source text, after the conversion its genotype code.
  const std::u16string& Cell(int v, int m) const { return cells_[Index(v, m)]; }
  void SetCell(int v, int m, std::u16string text) { cells_[Index(v, m)] = std::move(text); }

  MarkerTable& Marker(int m) { return tables_[m - 1]; }
  const MarkerTable& Marker(int m) const { return tables_[m - 1]; }

  // A genotype code as the sheets show it: SSR codes as their sizes with the
  // leading apostrophe that keeps them text ("'150/152"), character codes as they are.
  std::string GenotypeText(int m, const std::u16string& code) const;
  // A code of two characters in code order; any other text as it is.
  static std::u16string SortedCode(const std::u16string& d);

 private:
  size_t Index(int v, int m) const {
    return static_cast<size_t>(v - 1) * markers_.size() + static_cast<size_t>(m - 1);
  }

  DataKind kind_;
  std::vector<std::string> varieties_;
  std::vector<std::string> markers_;
  std::vector<std::u16string> cells_;
  std::vector<MarkerTable> tables_;
};

// The classic Round of displayed statistics: scale by 10^digits, round to the
// nearest with an exact tie to the even neighbour, scale back (1/160 -> 0.0062).
double RoundHalfEven(double value, int digits);

}  // namespace store
