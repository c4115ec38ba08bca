#pragma once
// The allele and genotype tables of one marker: sizes (SSR) or symbols
// (character data) in ascending order with their tallies, and the genotype
// codes in ordinal order with theirs. Tallies are 16-bit, as they always were.
#include <cstdint>
#include <string>
#include <vector>

namespace store {

inline constexpr int kMaxAlleles = 103;
inline constexpr int kMaxGenotypes = 250;

class MarkerTable {
 public:
  int AlleleCount() const { return static_cast<int>(alleleTally_.size()); }
  // Allele a (1-based): its size (SSR), its symbol (character data), its tally.
  int16_t AlleleValue(int a) const { return a >= 1 && a <= AlleleCount() ? sizes_[a - 1] : 0; }
  char32_t AlleleSymbol(int a) const { return symbols_[a - 1]; }
  // Character symbols are characters (code points): one that takes two
  // UTF-16 units is still one allele.
  const std::u32string& AlleleText() const { return symbols_; }
  int16_t AlleleTally(int a) const { return alleleTally_[a - 1]; }

  int GenotypeCount() const { return static_cast<int>(genotypes_.size()); }
  const std::u16string& GenotypeCode(int g) const { return genotypes_[g - 1]; }
  int16_t GenotypeTally(int g) const { return genotypeTally_[g - 1]; }

  // Each Add counts a known value or inserts a new one in order. It returns
  // false when a new value finds the table full (the value is then dropped).
  bool AddSize(int16_t size);
  bool AddSymbol(char32_t symbol);
  bool AddGenotype(const std::u16string& code);

  // The symbol of a size by its rank, "*" for a size not in the table.
  std::u16string SymbolOfSize(int16_t size) const;
  // The tally of a genotype code, 0 when it is not in the table.
  int16_t TallyOfGenotype(const std::u16string& code) const;

 private:
  std::vector<int16_t> sizes_;  // SSR data
  std::u32string symbols_;      // character data
  std::vector<int16_t> alleleTally_;
  std::vector<std::u16string> genotypes_;
  std::vector<int16_t> genotypeTally_;
};

}  // namespace store
