// How the varieties relate, on the maximal source (500 varieties by 250 SSR
// markers): the whole `allelescope tree` process (neighbour-joining, no
// bootstrap) a user waits for, and the stages in process that explain it:
// reading the source, the distances, each tree, the principal coordinates and
// one bootstrap replicate. Medians of RUNS runs.
//
//   relate_bench [RUNS]   (default 5)
#include <fmt/format.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "MaximalSource.h"
#include "analysis/Bootstrap.h"
#include "analysis/Distances.h"
#include "analysis/Pcoa.h"
#include "analysis/Trees.h"
#include "app/core/Session.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kReplicates = 10;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Seconds(const std::function<void()>& work) {
  const auto start = Clock::now();
  work();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Stage(const char* name, int runs, const std::function<void()>& work, double per = 1) {
  std::vector<double> times;
  for (int r = 0; r < runs; ++r) times.push_back(Seconds(work) / per);
  fmt::print("  {:<34} {:8.3f} s\n", name, Median(times));
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  std::string pattern = (fs::temp_directory_path() / "allelescope-relate-XXXXXX").string();
  const fs::path dir = mkdtemp(pattern.data());
  const std::string source = (dir / "source.xlsx").string();
  bench::WriteMaximalSource(source, store::kMaxVarieties, store::kMaxMarkers);

  const std::string command =
      fmt::format("{} tree -q {} -o {}", ALLELESCOPE_CLI, source, (dir / "tree.nwk").string());
  std::vector<double> whole;
  for (int r = 0; r < runs; ++r)
    whole.push_back(Seconds([&] {
      if (std::system(command.c_str()) != 0) fmt::print("tree failed\n");
    }));
  fmt::print("allelescope tree (nj), {} x {}: {:.3f} s (median of {})\n", store::kMaxVarieties,
             store::kMaxMarkers, Median(whole), runs);

  app::Session session;
  session.Open(source);
  report::GenotypeRead read;
  Stage("open and read the source", runs, [&] { read = session.ReadGenotypes("Bench.org"); });
  const store::GenotypeStore& s = *read.store;
  using analysis::DistanceKind;
  analysis::DistanceMatrix d({});
  Stage("distances (alleles)", runs,
        [&] { d = analysis::VarietyDistances(s, DistanceKind::Alleles); });
  Stage("distances (markers)", runs, [&] { analysis::VarietyDistances(s, DistanceKind::Markers); });
  analysis::Tree tree;
  Stage("neighbour-joining", runs, [&] { tree = analysis::NeighbourJoining(d); });
  Stage("UPGMA", runs, [&] { analysis::Upgma(d); });
  Stage("principal coordinates", runs, [&] { analysis::PrincipalCoordinateAnalysis(d); });
  Stage(
      "bootstrap, per replicate (nj)", runs,
      [&] { analysis::Bootstrap(tree, s, DistanceKind::Alleles, kReplicates); }, kReplicates);
  std::error_code ec;
  fs::remove_all(dir, ec);
  return 0;
}
