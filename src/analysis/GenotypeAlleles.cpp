#include "analysis/GenotypeAlleles.h"

#include <algorithm>

namespace analysis {

std::vector<int> AlleleSlots(const store::GenotypeStore& s, int m, const std::u16string& code) {
  std::vector<int> out;
  if (s.Kind() == store::DataKind::Ssr) {
    // SSR codes are rank symbols of the alphabet, all within the 16-bit range.
    const std::u16string& alphabet = store::AlleleAlphabet();
    const int alleles = s.Marker(m).AlleleCount();
    for (char16_t c : code) {
      const size_t k = alphabet.find(c);
      out.push_back(k == std::u16string::npos || static_cast<int>(k) >= alleles
                        ? 0
                        : static_cast<int>(k) + 1);
    }
    return out;
  }
  const std::u32string& symbols = s.Marker(m).AlleleText();
  for (char32_t c : store::Characters(code)) {
    const size_t k = symbols.find(c);
    out.push_back(k == std::u32string::npos ? 0 : static_cast<int>(k) + 1);
  }
  return out;
}

std::optional<AllelePair> DiploidSlots(const store::GenotypeStore& s, int m,
                                       const std::u16string& code) {
  const std::vector<int> slots = AlleleSlots(s, m, code);
  if (slots.size() != 2 || slots[0] == 0 || slots[1] == 0) return std::nullopt;
  return AllelePair{std::min(slots[0], slots[1]), std::max(slots[0], slots[1])};
}

}  // namespace analysis
