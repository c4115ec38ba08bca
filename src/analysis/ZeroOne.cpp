#include "analysis/ZeroOne.h"

#include <string_view>
#include <unordered_map>

namespace analysis {

ZeroOneMatrices ZeroOneMatricesOf(const store::GenotypeStore& s, int m) {
  const store::MarkerTable& table = s.Marker(m);
  ZeroOneMatrices out;
  out.varieties = s.VarietyCount();
  out.genotypes = table.GenotypeCount();
  // SSR alleles are named by rank; character alleles are their own symbols.
  out.alleles = s.Kind() == store::DataKind::Ssr
                    ? store::Characters(store::AlleleAlphabet().substr(0, table.AlleleCount()))
                    : table.AlleleText().substr(0, table.AlleleCount());

  // Equal genotype codes share one id (the first slot holding the code), so
  // each cell is one integer comparison instead of a string comparison.
  std::unordered_map<std::u16string_view, int> firstSlot;
  std::vector<int> slotId(out.genotypes + 1, 0);
  for (int g = 1; g <= out.genotypes; ++g) {
    slotId[g] = firstSlot.try_emplace(table.GenotypeCode(g), g).first->second;
  }
  out.genotype.reserve(static_cast<size_t>(out.varieties) * out.genotypes);
  out.allele.reserve(static_cast<size_t>(out.varieties) * out.alleles.size());
  for (int v = 1; v <= out.varieties; ++v) {
    const std::u16string& code = s.Cell(v, m);
    const std::u32string symbols = store::Characters(code);
    const auto found = firstSlot.find(code);
    const int id = found == firstSlot.end() ? -1 : found->second;
    for (int g = 1; g <= out.genotypes; ++g) out.genotype.push_back(slotId[g] == id ? 1 : 0);
    for (const char32_t symbol : out.alleles) {
      out.allele.push_back(symbols.find(symbol) != std::u32string::npos ? 1 : 0);
    }
  }
  return out;
}

}  // namespace analysis
