// The locus table, identity and group figures on a maximal table: 500
// varieties by 250 SSR markers (about 12 alleles per marker, 5% missing),
// converted as a run converts it. Medians of RUNS runs.
//
//   locus_summary_bench [RUNS]   (default 5)
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "analysis/Conversion.h"
#include "analysis/GroupSummary.h"
#include "analysis/Identity.h"
#include "analysis/LocusSummary.h"
#include "store/GenotypeStore.h"

namespace {

using Clock = std::chrono::steady_clock;

// Some markers with few alleles, so that both ways of testing take their share.
store::GenotypeStore MaximalStore() {
  std::vector<std::string> varieties, names;
  for (int v = 1; v <= store::kMaxVarieties; ++v) varieties.push_back(fmt::format("V{}", v));
  for (int m = 1; m <= store::kMaxMarkers; ++m) names.push_back(fmt::format("M{}", m));
  store::GenotypeStore s(store::DataKind::Ssr, varieties, names);
  std::mt19937 rng(2026);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    std::uniform_int_distribution<int> allele(0, m % 10 == 0 ? 1 : 11);
    for (int v = 1; v <= s.VarietyCount(); ++v)
      if (unit(rng) >= 0.05)
        s.SetCell(v, m,
                  store::ToU16(fmt::format("{}/{}", 100 + 2 * allele(rng), 100 + 2 * allele(rng))));
  }
  for (int m = 1; m <= s.MarkerCount(); ++m) analysis::ConvertSsrMarker(s, m);
  return s;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Seconds(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const store::GenotypeStore s = MaximalStore();
  std::vector<std::string> groups;
  for (int v = 1; v <= s.VarietyCount(); ++v) groups.push_back(fmt::format("G{}", v % 8));
  std::vector<double> locus, identity, byGroup;
  int chained = 0;
  for (int r = 0; r < runs; ++r) {
    const auto t0 = Clock::now();
    const analysis::LocusTable table = analysis::SummarizeLoci(s);
    const auto t1 = Clock::now();
    const analysis::IdentityReport id = analysis::FindIdentity(s);
    const auto t2 = Clock::now();
    const auto g = analysis::SummarizeGroups(s, groups);
    const auto t3 = Clock::now();
    locus.push_back(Seconds(t0, t1));
    identity.push_back(Seconds(t1, t2));
    byGroup.push_back(Seconds(t2, t3));
    chained = static_cast<int>(std::count_if(table.rows.begin(), table.rows.end(), [](auto& row) {
      return row.hwe && row.hwe->method == analysis::HweMethod::Chain;
    }));
  }
  fmt::print(
      "{} x {}: locus table {:.3f} s ({} markers by the chain), identity {:.3f} s, "
      "groups {:.3f} s\n",
      s.VarietyCount(), s.MarkerCount(), Median(locus), chained, Median(identity), Median(byGroup));
  return 0;
}
