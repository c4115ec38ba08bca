#pragma once
// Allele and genotype frequencies of one marker, with the expected (HE) and
// observed (HO) heterozygosity and the polymorphic information content (PIC).
#include <optional>
#include <vector>

#include "store/GenotypeStore.h"

namespace analysis {

struct MarkerStatistics {
  std::vector<double> alleleRates;    // per allele of the marker's table, in its order
  std::vector<double> genotypeRates;  // per genotype, likewise
  // Empty when nothing is typed at the marker: there is nothing to divide by.
  std::optional<double> he;
  std::optional<double> ho;
  std::optional<double> pic;
};

// HE, HO and PIC of marker m over its typed varieties.
MarkerStatistics MarkerStats(const store::GenotypeStore& s, int m);

}  // namespace analysis
