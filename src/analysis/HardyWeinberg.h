#pragma once
// The exact test of Hardy-Weinberg proportions given the allele counts
// (Guo and Thompson 1992). The probability of a genotype table given its
// allele counts is
//   P = N! * prod(n_i!) * 2^H / ((2N)! * prod over genotypes(n_g!))
// with N individuals, n_i copies of allele i and H heterozygotes; the p-value
// is the sum of P over the tables no more probable than the observed one.
// Small problems are answered by walking every table; larger ones by the
// authors' Markov chain, with a fixed seed so that a run repeats.
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace analysis {

// Genotype counts of one marker over `alleles` alleles (0-based, i <= j).
class GenotypeCounts {
 public:
  explicit GenotypeCounts(int alleles);
  int AlleleCount() const { return k_; }
  int Count(int i, int j) const { return cells_[Index(i, j)]; }
  void Add(int i, int j, int n = 1) { cells_[Index(i, j)] += n; }
  // Copies of each allele: a homozygote counts twice.
  std::vector<int> AlleleTotals() const;
  int Individuals() const;

 private:
  size_t Index(int i, int j) const {
    return i <= j ? static_cast<size_t>(i) * k_ + j : static_cast<size_t>(j) * k_ + i;
  }
  int k_;
  std::vector<int> cells_;
};

enum class HweMethod { Exact, Chain };

// Up to this many tables every table is weighed. Walking 10^5 tables takes a
// few milliseconds; a marker with more goes to the chain, whose cost does not
// grow with the table count.
inline constexpr long kEnumerationLimit = 100000;

struct HweChainSettings {
  int dememorisation = 1000;  // steps thrown away before counting
  int batches = 100;
  int stepsPerBatch = 1000;
  uint64_t seed = 20260407;
};

struct HweSettings {
  long enumerationLimit = kEnumerationLimit;
  HweChainSettings chain;
};

struct HweResult {
  double p = 1.0;
  HweMethod method = HweMethod::Exact;
  double standardError = 0.0;  // between the chain's batches; 0 when exact
};

// Empty when fewer than two alleles occur: there is nothing to test.
std::optional<HweResult> HardyWeinbergTest(const GenotypeCounts& counts,
                                           const HweSettings& settings = {});

// The test as far as it goes without the chain: nothing to test (fewer than
// two alleles), the answer, or the table of the alleles present that the
// chain must walk (hwe::RunChains walks several at once).
using HwePlan = std::variant<std::monostate, HweResult, GenotypeCounts>;
HwePlan PlanHardyWeinbergTest(const GenotypeCounts& counts, const HweSettings& settings = {});

// log P of a table as above; exposed for tests that sum every table.
double LogTableProbability(const GenotypeCounts& counts);

}  // namespace analysis
