#pragma once
// The alleles of a genotype code as slots of its marker's allele table, so
// that counts per allele can be kept in plain arrays.
#include <optional>
#include <string>
#include <vector>

#include "store/GenotypeStore.h"

namespace analysis {

// The allele slots (1-based) of `code` at marker m, one per character; 0 for
// a symbol the table does not hold (an SSR size that found the table full).
std::vector<int> AlleleSlots(const store::GenotypeStore& s, int m, const std::u16string& code);

// A two-allele genotype by its slots, the smaller first.
struct AllelePair {
  int first = 0;
  int second = 0;
  bool Heterozygous() const { return first != second; }
};

// The two slots of a diploid code; empty when the code does not hold exactly
// two known alleles.
std::optional<AllelePair> DiploidSlots(const store::GenotypeStore& s, int m,
                                       const std::u16string& code);

}  // namespace analysis
