#pragma once
// A genotype store built in memory from rows of codes, tallied as the
// conversion leaves it: no workbook involved.
#include <string>
#include <vector>

#include "store/GenotypeStore.h"

namespace testsupport {

// rows[v][m]: the code of variety v + 1 at marker m + 1 ("" untyped). Names
// default to V1.. and M1..
inline store::GenotypeStore Tallied(const std::vector<std::vector<std::u16string>>& rows,
                                    store::DataKind kind = store::DataKind::Character,
                                    std::vector<std::string> varieties = {},
                                    std::vector<std::string> markers = {}) {
  for (size_t v = varieties.size() + 1; v <= rows.size(); ++v)
    varieties.push_back("V" + std::to_string(v));
  for (size_t m = markers.size() + 1; m <= (rows.empty() ? 0 : rows[0].size()); ++m)
    markers.push_back("M" + std::to_string(m));
  store::GenotypeStore s(kind, varieties, markers);
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    for (int m = 1; m <= s.MarkerCount(); ++m) {
      const std::u16string& code = rows[v - 1][m - 1];
      s.SetCell(v, m, code);
      if (code.empty()) continue;
      s.Marker(m).AddGenotype(code);
      if (kind == store::DataKind::Character)
        for (char16_t c : code) s.Marker(m).AddSymbol(c);
    }
  }
  return s;
}

}  // namespace testsupport
