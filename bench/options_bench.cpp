// Times the optional analyses on a maximal table: 499 varieties by 249 SSR
// markers, about 12 alleles and 30 genotypes per marker, 5 % of cells missing.
// Each run starts from a fresh workbook in memory; figures are medians.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "host/Host.h"
#include "report/IdentificationSheet.h"
#include "report/Layout.h"
#include "report/PairSheet.h"
#include "report/SheetAccess.h"
#include "report/ZeroOneSheets.h"
#include "store/GenotypeStore.h"

namespace {

constexpr int kVarieties = 499;
constexpr int kMarkers = 249;
constexpr int kAlleles = 12;
constexpr int kGenotypes = 30;

// A store as the SSR conversion leaves it: character genotype codes in the
// cells, tallied alleles and genotypes.
std::unique_ptr<store::GenotypeStore> FilledStore() {
  std::mt19937 random(20240611);
  std::vector<std::string> varieties, markers;
  for (int v = 1; v <= kVarieties; ++v) varieties.push_back("Variety " + std::to_string(v));
  for (int m = 1; m <= kMarkers; ++m) markers.push_back("M" + std::to_string(m));
  auto s = std::make_unique<store::GenotypeStore>(store::DataKind::Ssr, varieties, markers);
  const std::u16string& alphabet = store::AlleleAlphabet();
  for (int m = 1; m <= kMarkers; ++m) {
    store::MarkerTable& table = s->Marker(m);
    std::vector<std::pair<int, int>> genotypes;
    std::uniform_int_distribution<int> allele(0, kAlleles - 1);
    while (static_cast<int>(genotypes.size()) < kGenotypes) {
      int a = allele(random), b = allele(random);
      if (a > b) std::swap(a, b);
      if (std::find(genotypes.begin(), genotypes.end(), std::pair(a, b)) == genotypes.end()) {
        genotypes.emplace_back(a, b);
      }
    }
    std::uniform_int_distribution<int> pick(0, kGenotypes - 1);
    std::uniform_real_distribution<double> missing(0, 1);
    for (int v = 1; v <= kVarieties; ++v) {
      if (missing(random) < 0.05) continue;
      const auto [a, b] = genotypes[pick(random)];
      table.AddSize(static_cast<int16_t>(100 + 2 * a));
      table.AddSize(static_cast<int16_t>(100 + 2 * b));
      s->SetCell(v, m, std::u16string{alphabet[a], alphabet[b]});
    }
    // Symbols are given by rank once the marker's table is complete.
    std::vector<int16_t> present;
    for (int a = 1; a <= table.AlleleCount(); ++a) present.push_back(table.AlleleValue(a));
    for (int v = 1; v <= kVarieties; ++v) {
      std::u16string text = s->Cell(v, m);
      if (text.empty()) continue;
      for (char16_t& c : text) {
        const int16_t size = static_cast<int16_t>(100 + 2 * alphabet.find(c));
        c = alphabet[std::find(present.begin(), present.end(), size) - present.begin()];
      }
      table.AddGenotype(text);
      s->SetCell(v, m, text);
    }
  }
  return s;
}

struct Run {
  host::Application app;
  std::unique_ptr<store::GenotypeStore> store;
  host::Worksheet* source = nullptr;
  host::Worksheet* pairs = nullptr;
  host::Worksheet* identification = nullptr;
  std::unique_ptr<report::OutputSheets> outputs;
  report::NoProgress progress;
  explicit Run(std::unique_ptr<store::GenotypeStore> s) : store(std::move(s)) {
    host::Workbook& book = app.AddWorkbook("/tmp/options_bench.xlsx");
    source = &book.Sheet(1);
    source->SetName("Bench.org");
    source->GetRange("B2").SetValue("Benchmark table");
    for (int v = 1; v <= store->VarietyCount(); ++v) {
      source->Cell(4 + v, 2).SetValue(std::string_view(store->VarietyName(v)));
    }
    for (int m = 1; m <= store->MarkerCount(); ++m) {
      source->Cell(4, 2 + m).SetValue(std::string_view(store->MarkerName(m)));
    }
    report::MarkEmptyCorner(*source);
    outputs = std::make_unique<report::OutputSheets>(*source, std::vector<std::string>{}, *source);
    pairs = &outputs->Open("Bench.cmb");
    identification = &outputs->Open("Bench.ukai");
  }
};

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  // options_bench [runs] [nozoo]: the 0/1 sheets dominate the run time; leave
  // them out to profile the other two.
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const bool withZoo = !(argc > 2 && std::string(argv[2]) == "nozoo");
  long genotypeSum = 0, alleleSum = 0;
  {
    const auto s = FilledStore();
    for (int m = 1; m <= kMarkers; ++m) {
      genotypeSum += s->Marker(m).GenotypeCount();
      alleleSum += s->Marker(m).AlleleCount();
    }
  }
  std::printf("table: %d varieties x %d markers, %.1f alleles and %.1f genotypes per marker\n",
              kVarieties, kMarkers, double(alleleSum) / kMarkers, double(genotypeSum) / kMarkers);

  std::vector<double> cmbFormat, cmbMake, ukaiFormat, ukaiCal, zoo;
  for (int r = 0; r < runs; ++r) {
    Run run(FilledStore());
    const store::GenotypeStore& s = *run.store;
    cmbFormat.push_back(Seconds([&] { report::LayOutPairSheet(*run.source, *run.pairs, s); }));
    cmbMake.push_back(Seconds([&] { report::WritePairCounts(*run.pairs, s, run.progress); }));
    ukaiFormat.push_back(Seconds([&] {
      report::LayOutIdentificationSheet(*run.source, *run.identification, s.VarietyCount());
    }));
    ukaiCal.push_back(Seconds([&] { report::WriteIdentification(*run.identification, s); }));
    if (withZoo)
      zoo.push_back(
          Seconds([&] { report::WriteZeroOneSheets(s, *run.outputs, *run.source, run.progress); }));
  }
  const double target = Median(cmbMake) + Median(ukaiCal);
  std::printf("medians of %d runs (seconds)\n", runs);
  std::printf("  LayOutPairSheet      %.4f\n", Median(cmbFormat));
  std::printf("  WritePairCounts             %.4f\n", Median(cmbMake));
  std::printf("  LayOutIdentificationSheet             %.4f\n", Median(ukaiFormat));
  std::printf("  WriteIdentification                     %.4f\n", Median(ukaiCal));
  std::printf("  WritePairCounts + WriteIdentification   %.4f  (target under 0.2)\n", target);
  if (withZoo) std::printf("  WriteZeroOneSheets (%d sheets)        %.4f\n", kMarkers, Median(zoo));
  return 0;
}
