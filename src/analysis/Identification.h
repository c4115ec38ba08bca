#pragma once
// Variety identification by marker types: per variety f0, the geometric mean
// of the frequencies of its own genotypes over its k typed markers, and P1 =
// 1 - (1 - f0^k)^n, the chance that one of the n tester varieties matches it
// at every typed marker.
#include <optional>
#include <vector>

#include "store/GenotypeStore.h"

namespace analysis {

struct Identification {
  // Both empty for a variety with no typed marker, or with a genotype missing
  // from its marker's table (the table overflowed): no frequency to average.
  std::optional<double> f0;
  std::optional<double> p1;
};

// Per variety, index v - 1.
std::vector<Identification> IdentificationProbabilities(const store::GenotypeStore& s);

}  // namespace analysis
