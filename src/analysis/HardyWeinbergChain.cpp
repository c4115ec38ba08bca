// The Markov chain of Guo and Thompson over the genotype tables with the
// observed allele counts. A step picks two distinct alleles i1, i2, two
// distinct alleles j1, j2 and a sign d, and proposes
//   (i1,j1) + d, (i2,j2) + d, (i1,j2) - d, (i2,j1) - d,
// which keeps every allele count; it is taken with probability
// min(1, P(new) / P(old)). The reverse move has the same alleles and the
// other sign, so the proposal is symmetric and the chain's resting
// distribution is P. The p-value is the share of visited tables no more
// probable than the observed one, averaged over batches whose spread gives
// the standard error.
#include "analysis/HardyWeinbergChain.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace analysis::hwe {
namespace {

class Chain {
 public:
  Chain(const GenotypeCounts& observed, uint64_t seed)
      : k_(observed.AlleleCount()),
        counts_(static_cast<size_t>(k_) * k_, 0),
        cell_(counts_.size(), 0),
        weight_(counts_.size(), 1.0),
        halfWeight_(counts_.size(), 1.0),
        logWeight_(counts_.size(), 0.0),
        inverse_(2 * static_cast<size_t>(observed.Individuals()) + 2, 0.0),
        logInt_(inverse_.size(), 0.0),
        state_(seed) {
    for (int i = 0; i < k_; ++i)
      for (int j = 0; j < k_; ++j) cell_[static_cast<size_t>(i) * k_ + j] = UpperIndex(i, j);
    for (int i = 0; i < k_; ++i)
      for (int j = i; j < k_; ++j) {
        counts_[Index(i, j)] = observed.Count(i, j);
        if (i == j) continue;
        weight_[Index(i, j)] = 2.0;
        halfWeight_[Index(i, j)] = 0.5;
        logWeight_[Index(i, j)] = kLog2;
      }
    for (size_t n = 1; n < inverse_.size(); ++n) {
      inverse_[n] = 1.0 / static_cast<double>(n);
      logInt_[n] = std::log(static_cast<double>(n));
    }
  }

  // log P(now) - log P(observed).
  double Drift() const { return drift_; }

  // Without branches on the random outcomes, which a processor cannot
  // foresee (cells come from a table, the sign picks from an array): a
  // proposal that would empty a cell gets ratio 0, and a refused one is taken
  // back by adding what it changed.
  void Step() {
    const uint64_t a = Next(), c = Next();
    const int i1 = Pick(a, k_), i2 = Other(i1, Pick(a >> 16, k_ - 1));
    const int j1 = Pick(a >> 32, k_), j2 = Other(j1, Pick(a >> 48, k_ - 1));
    const size_t flip = 2 * (c & 1);
    const uint32_t cells[4] = {Index(i1, j1), Index(i2, j2), Index(i1, j2), Index(i2, j1)};
    const size_t up1 = cells[flip], up2 = cells[flip + 1];
    const size_t down1 = cells[2 - flip], down2 = cells[3 - flip];
    // Changes to one cell are weighed in turn, each on the count the one
    // before left.
    const int had1 = std::max(counts_[down1]--, 0);
    const int had2 = std::max(counts_[down2]--, 0);
    const int got1 = ++counts_[up1];
    const int got2 = ++counts_[up2];
    const double ratio = had1 * had2 * weight_[up1] * weight_[up2] * inverse_[got1] *
                         inverse_[got2] * halfWeight_[down1] * halfWeight_[down2];
    const double u = static_cast<double>(c >> 11) * 0x1.0p-53;
    const int refused = u < ratio ? 0 : 1;
    counts_[up2] -= refused, counts_[up1] -= refused;
    counts_[down2] += refused, counts_[down1] += refused;
    // The same ratio as logs, so that the drift keeps its precision.
    const double logRatio = logInt_[had1] + logInt_[had2] - logInt_[got1] - logInt_[got2] +
                            logWeight_[up1] + logWeight_[up2] - logWeight_[down1] -
                            logWeight_[down2];
    drift_ += static_cast<double>(1 - refused) * logRatio;
  }

 private:
  uint32_t UpperIndex(int i, int j) const {
    return static_cast<uint32_t>(i <= j ? i * k_ + j : j * k_ + i);
  }
  uint32_t Index(int i, int j) const { return cell_[static_cast<size_t>(i) * k_ + j]; }
  // A number below `range` from the low 16 random bits (multiply and shift).
  // The slight unevenness cannot bias the chain: a move and its reverse
  // share their alleles, so the proposal stays symmetric.
  static int Pick(uint64_t bits, int range) {
    return static_cast<int>(((bits & 0xFFFFu) * static_cast<uint64_t>(range)) >> 16);
  }
  static int Other(int first, int pick) { return pick + static_cast<int>(pick >= first); }
  // SplitMix64: small, fast, and the same numbers on every machine and library.
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  int k_;
  std::vector<int> counts_;
  std::vector<uint32_t> cell_;  // (i, j) of either order -> its cell in counts_
  // 2 for a heterozygote's cell (the 2^H of P), 1 for a homozygote's.
  std::vector<double> weight_, halfWeight_, logWeight_;
  std::vector<double> inverse_;  // 1/n
  std::vector<double> logInt_;   // log n
  uint64_t state_;
  double drift_ = 0.0;
};

}  // namespace

HweResult RunChain(const GenotypeCounts& observed, const HweChainSettings& settings) {
  Chain chain(observed, settings.seed);
  for (int s = 0; s < settings.dememorisation; ++s) chain.Step();
  std::vector<double> shares;
  for (int b = 0; b < settings.batches; ++b) {
    long hits = 0;
    for (int s = 0; s < settings.stepsPerBatch; ++s) {
      chain.Step();
      if (chain.Drift() <= kTieTolerance) ++hits;
    }
    shares.push_back(static_cast<double>(hits) / settings.stepsPerBatch);
  }
  double mean = 0.0;
  for (double x : shares) mean += x;
  mean /= static_cast<double>(shares.size());
  double squares = 0.0;
  for (double x : shares) squares += (x - mean) * (x - mean);
  const double b = static_cast<double>(shares.size());
  const double se = b > 1 ? std::sqrt(squares / (b * (b - 1))) : 0.0;
  return HweResult{mean, HweMethod::Chain, se};
}

}  // namespace analysis::hwe
