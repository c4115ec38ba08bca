#pragma once
// The synthetic maximal source the benchmarks share: varieties by SSR markers
// with about 12 alleles and 30 genotypes per marker and 5% of cells missing
// (the first variety is always typed, so the sheet classifies as SSR data).
#include <fmt/format.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "host/Host.h"

namespace bench {

// Writes the source sheet "Bench.org" into a new workbook at `path`; returns
// the number of typed cells.
inline long WriteMaximalSource(const std::string& path, int varieties, int markers) {
  constexpr int kAlleles = 12, kGenotypes = 30;
  constexpr double kMissing = 0.05;
  std::mt19937 rng(1234);
  host::Application app;
  host::Workbook& book = app.AddWorkbook(path);
  host::Worksheet& sheet = book.Sheet(1);
  sheet.SetName("Bench.org");
  sheet.Cell(2, 2).SetValue("Synthetic maximal table");
  long cells = 0;
  for (int m = 1; m <= markers; ++m) {
    sheet.Cell(4, 2 + m).SetValue(fmt::format("SSR{:03d}", m));
    // A dinucleotide ladder of sizes and a fixed menu of genotypes drawn from it.
    std::vector<int> sizes;
    const int start = 100 + static_cast<int>(rng() % 150);
    for (int a = 0; a < kAlleles; ++a) sizes.push_back(start + 2 * a + 2 * (a / 4));
    std::vector<std::string> menu;
    while (static_cast<int>(menu.size()) < kGenotypes) {
      int a = sizes[rng() % kAlleles], b = sizes[rng() % kAlleles];
      if (a > b) std::swap(a, b);
      std::string g = fmt::format("{}/{}", a, b);
      if (std::find(menu.begin(), menu.end(), g) == menu.end()) menu.push_back(g);
    }
    std::uniform_real_distribution<double> missing(0.0, 1.0);
    for (int v = 1; v <= varieties; ++v) {
      if (v > 1 && missing(rng) < kMissing) continue;
      sheet.Cell(4 + v, 2 + m).SetValue(std::string_view(menu[rng() % kGenotypes]));
      ++cells;
    }
  }
  for (int v = 1; v <= varieties; ++v) sheet.Cell(4 + v, 2).SetValue(fmt::format("V{:03d}", v));
  book.Save();
  return cells;
}

}  // namespace bench
