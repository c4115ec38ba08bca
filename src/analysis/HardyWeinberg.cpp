// Genotype counts, the probability of a table, and the test by walking every
// table; the Markov chain for larger problems is in HardyWeinbergChain.cpp.
#include "analysis/HardyWeinberg.h"

#include <algorithm>
#include <cmath>

#include "analysis/HardyWeinbergChain.h"

namespace analysis {

GenotypeCounts::GenotypeCounts(int alleles)
    : k_(alleles), cells_(static_cast<size_t>(alleles) * alleles, 0) {}

std::vector<int> GenotypeCounts::AlleleTotals() const {
  std::vector<int> out(k_, 0);
  for (int i = 0; i < k_; ++i)
    for (int j = i; j < k_; ++j) {
      out[i] += Count(i, j);
      out[j] += Count(i, j);
    }
  return out;
}

int GenotypeCounts::Individuals() const {
  int n = 0;
  for (int i = 0; i < k_; ++i)
    for (int j = i; j < k_; ++j) n += Count(i, j);
  return n;
}

namespace hwe {

std::vector<double> LogFactorials(int n) {
  std::vector<double> out(static_cast<size_t>(n) + 1, 0.0);
  for (int i = 1; i <= n; ++i) out[i] = out[i - 1] + std::log(static_cast<double>(i));
  return out;
}

double LogConstant(const std::vector<int>& totals, int individuals,
                   const std::vector<double>& logFact) {
  double c = logFact[individuals] - logFact[2 * static_cast<size_t>(individuals)];
  for (int t : totals) c += logFact[t];
  return c;
}

}  // namespace hwe

double LogTableProbability(const GenotypeCounts& counts) {
  const int n = counts.Individuals();
  const std::vector<double> logFact = hwe::LogFactorials(2 * n);
  double logp = hwe::LogConstant(counts.AlleleTotals(), n, logFact);
  for (int i = 0; i < counts.AlleleCount(); ++i)
    for (int j = i; j < counts.AlleleCount(); ++j) {
      logp -= logFact[counts.Count(i, j)];
      if (i != j) logp += counts.Count(i, j) * hwe::kLog2;
    }
  return logp;
}

namespace {

// Only the alleles that occur, the most common first: an absent allele adds
// nothing but depth, and the first allele's row bounds the count of tables.
GenotypeCounts PresentAlleles(const GenotypeCounts& counts) {
  const std::vector<int> totals = counts.AlleleTotals();
  std::vector<int> kept;
  for (int i = 0; i < counts.AlleleCount(); ++i)
    if (totals[i] > 0) kept.push_back(i);
  std::stable_sort(kept.begin(), kept.end(), [&](int a, int b) { return totals[a] > totals[b]; });
  GenotypeCounts out(static_cast<int>(kept.size()));
  for (size_t a = 0; a < kept.size(); ++a)
    for (size_t b = a; b < kept.size(); ++b)
      out.Add(static_cast<int>(a), static_cast<int>(b), counts.Count(kept[a], kept[b]));
  return out;
}

// A floor under the number of tables, found in a moment: the ways to fill
// the first allele's row (homozygotes h, heterozygotes n_j <= copies of j,
// 2h + sum n_j = its copies), each of which some table completes. Counted
// as polynomial coefficients, one later allele at a time.
double FirstRowFills(const std::vector<int>& totals) {
  const int own = totals[0];
  std::vector<double> ways(static_cast<size_t>(own) + 1, 0.0);
  ways[0] = 1.0;
  for (size_t j = 1; j < totals.size(); ++j) {
    // ways'[L] = sum of ways[L - n] for n = 0 .. totals[j], by a running sum.
    std::vector<double> next(ways.size(), 0.0);
    double window = 0.0;
    for (int L = 0; L <= own; ++L) {
      window += ways[L];
      if (L - totals[j] - 1 >= 0) window -= ways[L - totals[j] - 1];
      next[L] = window;
    }
    ways.swap(next);
  }
  double fills = 0.0;
  for (int h = 0; 2 * h <= own; ++h) fills += ways[own - 2 * h];
  return fills;
}

// Every table with the observed allele counts, filled allele by allele: row i
// takes its homozygotes, then its heterozygotes with each later allele. A
// row is only given what the later alleles can still take, so every branch
// ends in a table (an even number of copies left always makes one). The last
// two alleles are closed: with a and b copies left, the heterozygotes n run
// over the numbers of a's parity up to min(a, b).
class TableWalk {
 public:
  explicit TableWalk(const GenotypeCounts& observed)
      : k_(observed.AlleleCount()),
        left_(observed.AlleleTotals()),
        suffix_(static_cast<size_t>(k_) * (k_ + 1), 0),
        logFact_(hwe::LogFactorials(2 * observed.Individuals())),
        constant_(hwe::LogConstant(left_, observed.Individuals(), logFact_)),
        threshold_(LogTableProbability(observed) + hwe::kTieTolerance) {}

  // The number of tables, or a number above `limit` as soon as it is passed.
  long CountTables(long limit) {
    countOnly_ = true;
    limit_ = limit;
    tables_ = 0;
    Row(0, 0.0);
    return tables_;
  }

  // The sum of P over the tables no more probable than the observed one.
  double PValue() {
    countOnly_ = false;
    limit_ = -1;
    p_ = 0.0;
    Row(0, constant_);
    return std::min(p_, 1.0);
  }

 private:
  bool Stopped() const { return limit_ >= 0 && tables_ > limit_; }

  void Row(int i, double logp) {
    if (i == k_ - 2) return LastTwo(logp, left_[i], left_[i + 1]);
    int* suffix = &suffix_[static_cast<size_t>(i) * (k_ + 1)];
    suffix[k_] = 0;
    for (int j = k_ - 1; j > i; --j) suffix[j] = suffix[j + 1] + left_[j];
    const int own = left_[i];
    for (int h = std::max(0, (own - suffix[i + 1] + 1) / 2); 2 * h <= own && !Stopped(); ++h)
      Cell(i, i + 1, own - 2 * h, logp - logFact_[h]);
  }

  // Row i gives `rest` copies to alleles j and later.
  void Cell(int i, int j, int rest, double logp) {
    if (j == k_ - 1) {
      left_[j] -= rest;
      Row(i + 1, logp - logFact_[rest] + rest * hwe::kLog2);
      left_[j] += rest;
      return;
    }
    const int later = suffix_[static_cast<size_t>(i) * (k_ + 1) + j + 1];
    const int high = std::min(rest, left_[j]);
    for (int n = std::max(0, rest - later); n <= high && !Stopped(); ++n) {
      left_[j] -= n;
      Cell(i, j + 1, rest - n, logp - logFact_[n] + n * hwe::kLog2);
      left_[j] += n;
    }
  }

  void LastTwo(double logp, int a, int b) {
    const int high = std::min(a, b);
    if (countOnly_) {
      tables_ += (high - a % 2) / 2 + 1;
      return;
    }
    for (int n = a % 2; n <= high; n += 2) {
      const double q =
          logp - logFact_[(a - n) / 2] - logFact_[(b - n) / 2] - logFact_[n] + n * hwe::kLog2;
      if (q <= threshold_) p_ += std::exp(q);
    }
  }

  int k_;
  std::vector<int> left_;    // copies of each allele not yet placed
  std::vector<int> suffix_;  // per row i: copies left at alleles j and later
  std::vector<double> logFact_;
  double constant_;
  double threshold_;
  bool countOnly_ = false;
  long limit_ = -1;
  long tables_ = 0;
  double p_ = 0.0;
};

}  // namespace

HwePlan PlanHardyWeinbergTest(const GenotypeCounts& counts, const HweSettings& settings) {
  GenotypeCounts present = PresentAlleles(counts);
  if (present.AlleleCount() < 2) return std::monostate{};
  TableWalk walk(present);
  if (FirstRowFills(present.AlleleTotals()) <= static_cast<double>(settings.enumerationLimit) &&
      walk.CountTables(settings.enumerationLimit) <= settings.enumerationLimit)
    return HweResult{walk.PValue(), HweMethod::Exact, 0.0};
  return present;
}

std::optional<HweResult> HardyWeinbergTest(const GenotypeCounts& counts,
                                           const HweSettings& settings) {
  HwePlan plan = PlanHardyWeinbergTest(counts, settings);
  if (const auto* answer = std::get_if<HweResult>(&plan)) return *answer;
  if (const auto* table = std::get_if<GenotypeCounts>(&plan))
    return hwe::RunChain(*table, settings.chain);
  return std::nullopt;
}

}  // namespace analysis
