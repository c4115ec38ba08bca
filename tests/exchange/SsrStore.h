#pragma once
// A small SSR store, converted as a run converts it.
#include <string>
#include <vector>

#include "analysis/Conversion.h"
#include "store/GenotypeStore.h"

namespace exchange_test {

// rows[v][m]: the source cell text of variety v + 1 at marker m + 1.
inline store::GenotypeStore ConvertedSsr(const std::vector<std::string>& varieties,
                                         const std::vector<std::string>& markers,
                                         const std::vector<std::vector<std::string>>& rows) {
  store::GenotypeStore s(store::DataKind::Ssr, varieties, markers);
  for (int v = 1; v <= s.VarietyCount(); ++v)
    for (int m = 1; m <= s.MarkerCount(); ++m) s.SetCell(v, m, store::ToU16(rows[v - 1][m - 1]));
  for (int m = 1; m <= s.MarkerCount(); ++m) analysis::ConvertSsrMarker(s, m);
  return s;
}

}  // namespace exchange_test
