#include "analysis/Statistics.h"

namespace analysis {
namespace {

// A genotype whose first and last symbols differ; a one-symbol code is homozygous.
bool IsHeterozygous(const std::u16string& code) {
  return !code.empty() && code.front() != code.back();
}

// HE = 1 - sum p^2; PIC = HE - sum over pairs of 2 p_a^2 p_b^2.
void AlleleStats(const store::MarkerTable& table, MarkerStatistics& out) {
  // Sums are kept wider than the 16-bit tallies: a marker with many
  // non-diploid cells can pass 32767 allele occurrences.
  long total = 0;
  for (int a = 1; a <= table.AlleleCount(); ++a) total += table.AlleleTally(a);
  double s2 = 0.0;
  for (int a = 1; a <= table.AlleleCount(); ++a) {
    const double p = static_cast<double>(table.AlleleTally(a)) / static_cast<double>(total);
    out.alleleRates.push_back(p);
    s2 += p * p;
  }
  if (total <= 0) return;
  const std::vector<double>& f = out.alleleRates;
  double s4 = 0.0;
  for (size_t a = 0; a + 1 < f.size(); ++a) {
    for (size_t b = a + 1; b < f.size(); ++b) s4 += 2.0 * f[a] * f[a] * f[b] * f[b];
  }
  out.he = 1.0 - s2;
  out.pic = 1.0 - s2 - s4;
}

void GenotypeStats(const store::MarkerTable& table, MarkerStatistics& out) {
  long total = 0;
  long heterozygous = 0;
  for (int g = 1; g <= table.GenotypeCount(); ++g) {
    total += table.GenotypeTally(g);
    if (IsHeterozygous(table.GenotypeCode(g))) heterozygous += table.GenotypeTally(g);
  }
  for (int g = 1; g <= table.GenotypeCount(); ++g) {
    out.genotypeRates.push_back(static_cast<double>(table.GenotypeTally(g)) /
                                static_cast<double>(total));
  }
  if (total > 0) out.ho = static_cast<double>(heterozygous) / static_cast<double>(total);
}

}  // namespace

MarkerStatistics MarkerStats(const store::GenotypeStore& s, int m) {
  MarkerStatistics out;
  AlleleStats(s.Marker(m), out);
  GenotypeStats(s.Marker(m), out);
  return out;
}

}  // namespace analysis
