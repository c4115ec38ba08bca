#include "analysis/PairMatrix.h"

#include <string_view>
#include <unordered_map>

namespace analysis {
namespace {

// Every cell code as a small integer per marker (equal codes get equal ids,
// the empty code id 0), packed four markers to a 64-bit word, so that the pair
// loop compares integers four at a time instead of strings. Laid out variety
// by variety, `words` words each; unused lanes stay 0 on every variety.
std::vector<uint64_t> GenotypeIds(const store::GenotypeStore& s, int words) {
  const int n = s.VarietyCount();
  std::vector<uint64_t> ids(static_cast<size_t>(n) * words, 0);
  std::unordered_map<std::u16string_view, uint64_t> seen;
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    seen.clear();
    const int word = (m - 1) / 4;
    const int shift = 16 * ((m - 1) % 4);
    for (int v = 1; v <= n; ++v) {
      const std::u16string& text = s.Cell(v, m);
      if (text.empty()) continue;
      // At most 500 distinct codes per marker: ids fit 16 bits.
      const uint64_t id = seen.try_emplace(text, seen.size() + 1).first->second;
      ids[static_cast<size_t>(v - 1) * words + word] |= id << shift;
    }
  }
  return ids;
}

// The number of 16-bit lanes in which a and b differ.
int CountDifferences(const uint64_t* a, const uint64_t* b, int words) {
  constexpr uint64_t kLow15 = 0x7FFF7FFF7FFF7FFFull;
  constexpr uint64_t kHigh = 0x8000800080008000ull;
  uint64_t lanes = 0;  // four counters of at most 63 each
  for (int w = 0; w < words; ++w) {
    const uint64_t x = a[w] ^ b[w];
    // A lane's top bit ends up set exactly when the lane is not zero.
    lanes += ((x | ((x & kLow15) + kLow15)) & kHigh) >> 15;
  }
  return static_cast<int>((lanes * 0x0001000100010001ull) >> 48);
}

}  // namespace

PairMatrix::PairMatrix(int varieties)
    : n_(varieties), counts_(static_cast<size_t>(varieties) * varieties, 0) {}

void PairMatrix::Set(int i, int j, int count) {
  counts_[Index(i, j)] = static_cast<uint8_t>(count);
  counts_[Index(j, i)] = static_cast<uint8_t>(count);
}

PairMatrix CountDistinguishingMarkers(const store::GenotypeStore& s,
                                      const std::function<void(int, int)>& onPair) {
  const int n = s.VarietyCount();
  const int words = (s.MarkerCount() + 3) / 4;
  const std::vector<uint64_t> ids = GenotypeIds(s, words);
  PairMatrix matrix(n);
  for (int i = 1; i <= n; ++i) {
    const uint64_t* row = ids.data() + static_cast<size_t>(i - 1) * words;
    for (int j = i; j <= n; ++j) {
      if (onPair) onPair(i, j);
      if (j == i) continue;
      matrix.Set(i, j,
                 CountDifferences(row, ids.data() + static_cast<size_t>(j - 1) * words, words));
    }
  }
  return matrix;
}

}  // namespace analysis
