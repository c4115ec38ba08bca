// The marker choice on a maximal table: 500 varieties by 250 SSR markers
// (about 12 alleles per marker, 5% missing), converted as a run converts it.
// Times the pair data (which markers tell each pair apart) and the greedy
// cover with redundancy removal; the exact search is timed on the first 20
// markers. Medians of RUNS runs.
//
//   marker_set_bench [RUNS]   (default 7)
#include <fmt/format.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "analysis/Conversion.h"
#include "analysis/MarkerSet.h"
#include "store/GenotypeStore.h"

namespace {

using Clock = std::chrono::steady_clock;

store::GenotypeStore MaximalStore(int markers) {
  std::vector<std::string> varieties, names;
  for (int v = 1; v <= store::kMaxVarieties; ++v) varieties.push_back(fmt::format("V{}", v));
  for (int m = 1; m <= markers; ++m) names.push_back(fmt::format("M{}", m));
  store::GenotypeStore s(store::DataKind::Ssr, varieties, names);
  std::mt19937 rng(2026);
  std::uniform_int_distribution<int> allele(0, 11);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int v = 1; v <= s.VarietyCount(); ++v)
    for (int m = 1; m <= markers; ++m)
      if (unit(rng) >= 0.05)
        s.SetCell(v, m,
                  store::ToU16(fmt::format("{}/{}", 100 + 2 * allele(rng), 100 + 2 * allele(rng))));
  for (int m = 1; m <= markers; ++m) analysis::ConvertSsrMarker(s, m);
  return s;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void Measure(const store::GenotypeStore& s, int runs) {
  std::vector<double> pairTimes, searchTimes;
  analysis::MarkerChoice choice;
  for (int r = 0; r < runs; ++r) {
    const auto t0 = Clock::now();
    const analysis::PairMarkerSets pairs = analysis::TellingMarkers(s);
    const auto t1 = Clock::now();
    choice = analysis::SmallestMarkerSet(pairs);
    const auto t2 = Clock::now();
    pairTimes.push_back(std::chrono::duration<double>(t1 - t0).count());
    searchTimes.push_back(std::chrono::duration<double>(t2 - t1).count());
  }
  fmt::print("{} x {} ({}): pair data {:.3f} s, search {:.3f} s, total {:.3f} s; {} markers\n",
             s.VarietyCount(), s.MarkerCount(),
             choice.method == analysis::SearchMethod::Exact ? "exact" : "greedy", Median(pairTimes),
             Median(searchTimes), Median(pairTimes) + Median(searchTimes), choice.chosen.size());
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  Measure(MaximalStore(store::kMaxMarkers), runs);
  Measure(MaximalStore(analysis::kExactSearchMarkers), runs);
  return 0;
}
