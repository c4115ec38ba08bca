#pragma once
// The conversion of the source cells, marker by marker: SSR sizes become
// ranked allele symbols and character genotype codes, character data is
// tallied. Both fill the marker's tables in the store and leave each typed
// cell holding its genotype code; problems come back in the order found.
#include <string>
#include <vector>

#include "store/GenotypeStore.h"
#include "store/Problems.h"

namespace analysis {

struct SsrMarker {
  // The reference size of the .tssr notation: the smaller of the first two
  // parts of the first variety typed at the marker.
  int zeroPoint = store::kNonNumeric;
  // Per variety (index v - 1) the distance between its peaks: a single part
  // is its own distance, later parts fold in as |distance - part|.
  std::vector<int> distances;
  store::Findings findings;
};
// The SSR conversions of marker m: its sizes as symbols, relative sizes and distances.
SsrMarker ConvertSsrMarker(store::GenotypeStore& s, int m);

// Character data: sorted two-symbol codes, alleles and genotypes counted.
store::Findings TallyCharacterMarker(store::GenotypeStore& s, int m);

// The .tssr text of a code: each size relative to the zero point, signed.
std::string RelativeSizeText(const store::GenotypeStore& s, int m, const std::u16string& code,
                             int zero);

}  // namespace analysis
