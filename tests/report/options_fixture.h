#pragma once
// The in-memory workbook with the store filled as the conversion stage leaves
// it, for the optional analyses.
#include <string>
#include <vector>

#include "report/Combination.h"
#include "report/Ukai.h"
#include "report/Zoo.h"
#include "support/MemoryBook.h"

namespace options_test {

struct Variety {
  std::string name;
  std::vector<std::string> cells;  // character genotype strings, "" when not typed
};

class OptionsTest : public testsupport::MemoryBook {
 protected:
  // Names go to the source sheet; genotypes are tallied, and for character
  // data the alleles too (SSR tests add their sizes with AlleleAdd).
  void Load(const std::vector<std::string>& markers, const std::vector<Variety>& rows,
            store::DataKind kind = store::DataKind::Character) {
    std::vector<std::string> names;
    for (const Variety& row : rows) names.push_back(row.name);
    store::GenotypeStore& s = MakeStore(kind, names, markers);
    for (size_t m = 0; m < markers.size(); ++m) Put(src->Cell(4, 3 + int(m)), markers[m]);
    for (size_t v = 0; v < rows.size(); ++v) {
      const int vi = int(v) + 1;
      Put(src->Cell(4 + vi, 2), rows[v].name);
      for (size_t m = 0; m < rows[v].cells.size(); ++m) {
        const int mi = int(m) + 1;
        const std::u16string text = store::ToU16(rows[v].cells[m]);
        s.SetCell(vi, mi, text);
        if (text.empty()) continue;
        s.Marker(mi).GenotypeAdd(text);
        if (kind == store::DataKind::Character)
          for (char16_t c : text) s.Marker(mi).chrAlleleAdd(c);
      }
    }
  }
};

}  // namespace options_test
