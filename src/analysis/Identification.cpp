#include "analysis/Identification.h"

#include <cmath>
#include <string_view>
#include <unordered_map>

namespace analysis {
namespace {

// Per marker: how many varieties are typed, and the tally of each genotype
// code (the first slot of a code counts, as a linear search would find it).
struct MarkerFrequencies {
  int typed = 0;
  std::unordered_map<std::u16string_view, int> tally;
};

std::vector<MarkerFrequencies> Frequencies(const store::GenotypeStore& s) {
  std::vector<MarkerFrequencies> out(s.MarkerCount() + 1);
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    const store::MarkerTable& table = s.Marker(m);
    for (int g = 1; g <= table.GenotypeCount(); ++g) {
      out[m].typed += table.GenotypeTally(g);
      out[m].tally.try_emplace(table.GenotypeCode(g), table.GenotypeTally(g));
    }
  }
  return out;
}

}  // namespace

std::vector<Identification> IdentificationProbabilities(const store::GenotypeStore& s) {
  const std::vector<MarkerFrequencies> freq = Frequencies(s);
  const int n = s.VarietyCount();
  std::vector<Identification> out(n);
  for (int v = 1; v <= n; ++v) {
    double sum = 0;  // sum of ln f_m
    int k = 0;
    bool defined = true;
    for (int m = 1; m <= s.MarkerCount() && defined; ++m) {
      const std::u16string& code = s.Cell(v, m);
      if (code.empty()) continue;
      const auto found = freq[m].tally.find(code);
      const int c = found == freq[m].tally.end() ? 0 : found->second;
      defined = c > 0 && freq[m].typed > 0;
      if (defined) sum += std::log(static_cast<double>(c) / freq[m].typed);
      ++k;
    }
    if (!defined || k == 0) continue;
    // f0^k is the product of the frequencies. 1 - (1 - x)^n through log1p and
    // expm1 keeps a tiny probability as its value instead of rounding it to 0.
    const double matchAll = std::exp(sum);
    out[v - 1].f0 = std::exp(sum / k);
    out[v - 1].p1 = -std::expm1(static_cast<double>(n) * std::log1p(-matchAll));
  }
  return out;
}

}  // namespace analysis
