// Filling and searching one marker's allele and genotype tables.
#include "store/MarkerTable.h"

#include <algorithm>
#include <iterator>

#include "store/GenotypeStore.h"

namespace store {
namespace {

// Counts `value` in the sorted `values` with its `tallies`, or inserts it in
// order when there is room below `limit`. std::u16string compares char16_t
// code units, so genotype codes are in ordinal order; symbols are in code point
// order, which is the same for every character of the 16-bit range.
template <typename Values, typename Value>
bool CountOrInsert(Values& values, std::vector<int16_t>& tallies, const Value& value, int limit) {
  const auto at = std::lower_bound(values.begin(), values.end(), value);
  const auto slot = std::distance(values.begin(), at);
  if (at != values.end() && *at == value) {
    ++tallies[slot];
    return true;
  }
  if (static_cast<int>(tallies.size()) >= limit) return false;
  values.insert(at, value);
  tallies.insert(tallies.begin() + slot, 1);
  return true;
}

}  // namespace

bool MarkerTable::AddSize(int16_t size) {
  return CountOrInsert(sizes_, alleleTally_, size, kMaxAlleles);
}

bool MarkerTable::AddSymbol(char32_t symbol) {
  return CountOrInsert(symbols_, alleleTally_, symbol, kMaxAlleles);
}

bool MarkerTable::AddGenotype(const std::u16string& code) {
  return CountOrInsert(genotypes_, genotypeTally_, code, kMaxGenotypes);
}

std::u16string MarkerTable::SymbolOfSize(int16_t size) const {
  const auto at = std::find(sizes_.begin(), sizes_.end(), size);
  if (at == sizes_.end()) return u"*";
  return std::u16string(1, AlleleAlphabet()[at - sizes_.begin()]);
}

int16_t MarkerTable::TallyOfGenotype(const std::u16string& code) const {
  const auto at = std::find(genotypes_.begin(), genotypes_.end(), code);
  return at == genotypes_.end() ? 0 : genotypeTally_[at - genotypes_.begin()];
}

}  // namespace store
