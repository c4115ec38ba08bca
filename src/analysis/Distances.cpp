#include "analysis/Distances.h"

#include <string_view>
#include <unordered_map>
#include <utility>

namespace analysis {
namespace {

// Each cell as one integer key, 0 when untyped, over the markers a
// computation counts (those of positive weight), variety by variety.
struct KeyTable {
  int columns = 0;
  std::vector<uint64_t> keys;
  std::vector<long> weights;
  const uint64_t* Row(int v) const { return keys.data() + static_cast<size_t>(v - 1) * columns; }
};

// The two alleles in ascending order, each moved up by one so that no key of
// a typed cell is 0.
uint64_t AllelePairKey(const std::u16string& code) {
  if (code.empty()) return 0;
  const std::u32string symbols = store::Characters(code);
  uint64_t a = uint64_t{symbols.front()} + 1;
  uint64_t b = uint64_t{symbols.back()} + 1;
  if (a > b) std::swap(a, b);
  return a << 32 | b;
}

void AddAlleleColumn(const store::GenotypeStore& s, int m, std::vector<uint64_t>& column) {
  for (int v = 1; v <= s.VarietyCount(); ++v) column[v - 1] = AllelePairKey(s.Cell(v, m));
}

// Equal codes get equal keys, counted from 1.
void AddGenotypeColumn(const store::GenotypeStore& s, int m, std::vector<uint64_t>& column) {
  std::unordered_map<std::u16string_view, uint64_t> seen;
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    const std::u16string& code = s.Cell(v, m);
    column[v - 1] = code.empty() ? 0 : seen.try_emplace(code, seen.size() + 1).first->second;
  }
}

KeyTable BuildKeys(const store::GenotypeStore& s, DistanceKind kind,
                   const std::vector<int>& weights) {
  KeyTable t;
  std::vector<std::vector<uint64_t>> columns;
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    if (weights[m - 1] <= 0) continue;
    columns.emplace_back(s.VarietyCount());
    if (kind == DistanceKind::Alleles)
      AddAlleleColumn(s, m, columns.back());
    else
      AddGenotypeColumn(s, m, columns.back());
    t.weights.push_back(weights[m - 1]);
  }
  t.columns = static_cast<int>(columns.size());
  t.keys.resize(static_cast<size_t>(s.VarietyCount()) * t.columns);
  for (int c = 0; c < t.columns; ++c)
    for (int v = 1; v <= s.VarietyCount(); ++v)
      t.keys[static_cast<size_t>(v - 1) * t.columns + c] = columns[c][v - 1];
  return t;
}

// Twice a marker's distance for two typed cells, so that both kinds stay
// whole numbers until the one division: 2 minus the shared alleles...
int AlleleScore(uint64_t a, uint64_t b) {
  if (a == b) return 0;
  const auto a1 = static_cast<uint32_t>(a >> 32), a2 = static_cast<uint32_t>(a);
  const auto b1 = static_cast<uint32_t>(b >> 32), b2 = static_cast<uint32_t>(b);
  // Sorted pairs that differ share at most one allele.
  return a1 == b1 || a1 == b2 || a2 == b1 || a2 == b2 ? 1 : 2;
}

// ... or 2 where the genotypes differ.
int GenotypeScore(uint64_t a, uint64_t b) { return a == b ? 0 : 2; }

template <int (*Score)(uint64_t, uint64_t)>
void FillDistances(const KeyTable& t, DistanceMatrix& out) {
  for (int i = 1; i <= out.VarietyCount(); ++i) {
    const uint64_t* a = t.Row(i);
    for (int j = i + 1; j <= out.VarietyCount(); ++j) {
      const uint64_t* b = t.Row(j);
      long scored = 0;
      long compared = 0;
      for (int c = 0; c < t.columns; ++c) {
        if (a[c] == 0 || b[c] == 0) continue;
        compared += t.weights[c];
        scored += t.weights[c] * Score(a[c], b[c]);
      }
      if (compared > 0) out.Set(i, j, static_cast<double>(scored) / (2.0 * compared));
    }
  }
}

std::vector<std::string> VarietyNames(const store::GenotypeStore& s) {
  std::vector<std::string> names;
  for (int v = 1; v <= s.VarietyCount(); ++v) names.push_back(s.VarietyName(v));
  return names;
}

}  // namespace

DistanceMatrix::DistanceMatrix(std::vector<std::string> names)
    : n_(static_cast<int>(names.size())),
      names_(std::move(names)),
      values_(static_cast<size_t>(n_) * n_, 0.0),
      known_(static_cast<size_t>(n_) * n_, 0) {
  for (int v = 1; v <= n_; ++v) known_[Index(v, v)] = 1;
}

std::optional<double> DistanceMatrix::At(int i, int j) const {
  if (!known_[Index(i, j)]) return std::nullopt;
  return values_[Index(i, j)];
}

void DistanceMatrix::Set(int i, int j, double distance) {
  values_[Index(i, j)] = values_[Index(j, i)] = distance;
  known_[Index(i, j)] = known_[Index(j, i)] = 1;
}

VarietyPair DistanceMatrix::Pair(int i, int j) const { return {i, j, Name(i), Name(j)}; }

std::vector<VarietyPair> DistanceMatrix::PairsWithoutDistance() const {
  std::vector<VarietyPair> pairs;
  for (int i = 1; i <= n_; ++i)
    for (int j = i + 1; j <= n_; ++j)
      if (!known_[Index(i, j)]) pairs.push_back(Pair(i, j));
  return pairs;
}

DistanceMatrix VarietyDistances(const store::GenotypeStore& s, DistanceKind kind) {
  return VarietyDistances(s, kind, std::vector<int>(s.MarkerCount(), 1));
}

DistanceMatrix VarietyDistances(const store::GenotypeStore& s, DistanceKind kind,
                                const std::vector<int>& weights) {
  DistanceMatrix out(VarietyNames(s));
  const KeyTable keys = BuildKeys(s, kind, weights);
  if (kind == DistanceKind::Alleles)
    FillDistances<AlleleScore>(keys, out);
  else
    FillDistances<GenotypeScore>(keys, out);
  return out;
}

}  // namespace analysis
