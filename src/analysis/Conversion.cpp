#include "analysis/Conversion.h"

#include <algorithm>
#include <cstdlib>

namespace analysis {
namespace {

using store::CellFinding;
using store::Problem;
using store::TablePlace;

// Inserts symbol d into code gt before the first greater symbol.
std::u16string InsertSymbol(const std::u16string& gt, char16_t d) {
  std::u16string out = gt;
  const auto at = std::find_if(out.begin(), out.end(), [d](char16_t c) { return c > d; });
  out.insert(at, d);
  return out;
}

int ZeroPoint(const store::GenotypeStore& s, int m) {
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    if (s.Cell(v, m).empty()) continue;
    std::u16string d = s.Cell(v, m);
    const int16_t a = store::TakeSizePart(d).value;
    const int16_t b = store::TakeSizePart(d).value;  // a single part pairs with the mark
    return std::min(a, b);
  }
  return store::kNonNumeric;  // nobody typed: no cell will use it
}

// Every allele of the marker first, so that the symbols given afterwards are
// the final ranks of the sizes.
void TallySizes(store::GenotypeStore& s, int m, store::Findings& found) {
  store::MarkerTable& table = s.Marker(m);
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    std::u16string d = s.Cell(v, m);
    while (!d.empty()) {
      const store::SizePart part = store::TakeSizePart(d);
      // A full table is logged under the marker alone, at the cell that overflowed it.
      if (!table.AddSize(part.value))
        found.push_back({Problem::TooManyAlleles, 0, m, TablePlace{v, m}});
      if (!part.numeric) found.push_back(CellFinding(Problem::NonNumeric, v, m));
    }
  }
}

}  // namespace

SsrMarker ConvertSsrMarker(store::GenotypeStore& s, int m) {
  SsrMarker out;
  TallySizes(s, m, out.findings);
  out.zeroPoint = ZeroPoint(s, m);
  out.distances.assign(s.VarietyCount(), 0);
  store::MarkerTable& table = s.Marker(m);
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    if (s.Cell(v, m).empty()) continue;
    std::u16string d = s.Cell(v, m);
    std::u16string code;
    int dist = 0;
    bool first = true;
    while (!d.empty()) {
      const int16_t x = store::TakeSizePart(d).value;
      code = InsertSymbol(code, table.SymbolOfSize(x)[0]);
      dist = first ? x : std::abs(dist - x);
      first = false;
    }
    if (code.size() != 2) out.findings.push_back(CellFinding(Problem::NotDiploid, v, m));
    out.distances[v - 1] = dist;
    if (!table.AddGenotype(code))
      out.findings.push_back({Problem::TooManyGenotypes, 0, m, TablePlace{v, m}});
    s.SetCell(v, m, std::move(code));
  }
  return out;
}

store::Findings TallyCharacterMarker(store::GenotypeStore& s, int m) {
  store::Findings found;
  store::MarkerTable& table = s.Marker(m);
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    if (s.Cell(v, m).empty()) continue;
    // Characters, not UTF-16 units: one character beyond the 16-bit range is
    // one allele, not two halves of one.
    const std::u32string text = store::Characters(s.Cell(v, m));
    if (text.size() != 2) found.push_back(CellFinding(Problem::NotDiploid, v, m));
    for (const char32_t c : text) {
      if (!table.AddSymbol(c)) found.push_back({Problem::TooManyAlleles, 0, m, TablePlace{v, m}});
    }
  }
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    if (s.Cell(v, m).empty()) continue;
    std::u16string sorted = store::GenotypeStore::SortedCode(s.Cell(v, m));
    if (!table.AddGenotype(sorted))
      found.push_back({Problem::TooManyGenotypes, 0, m, TablePlace{v, m}});
    s.SetCell(v, m, std::move(sorted));
  }
  return found;
}

std::string RelativeSizeText(const store::GenotypeStore& s, int m, const std::u16string& code,
                             int zero) {
  const std::u16string& alphabet = store::AlleleAlphabet();
  std::string out = "'";
  for (size_t i = 0; i < code.size(); ++i) {
    if (i > 0) out += '/';
    const size_t pos = alphabet.find(code[i]);
    // "*" (a size not in the table) counts as size 0.
    const int k = pos == std::u16string::npos ? 0 : static_cast<int>(pos) + 1;
    // Plain int: a size minus the zero point may leave the 16-bit range.
    const int diff = static_cast<int>(s.Marker(m).AlleleValue(k)) - zero;
    if (diff > 0) out += '+';
    out += std::to_string(diff);
  }
  return out;
}

}  // namespace analysis
