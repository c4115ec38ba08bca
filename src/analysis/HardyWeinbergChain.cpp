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
//
// The draws depend only on the seed and the number of alleles, never on the
// table, so the chains of tables with the same number of alleles walk in
// step on one stream of proposals: drawing is most of a step's work.
#include "analysis/HardyWeinbergChain.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <utility>

namespace analysis::hwe {
namespace {

// One proposed step: the cells that gain and lose a genotype, and the
// uniform draw it is accepted by, scaled as Draws::Propose explains.
struct Proposal {
  uint32_t up1, up2, down1, down2;
  double u;
};

// How many proposals are drawn before the chains take them.
constexpr int kStretch = 256;

// What the chains over k alleles share: the cells of the genotypes, and the
// stream of proposals.
class Draws {
 public:
  Draws(int k, uint64_t seed) : k_(k), cell_(static_cast<size_t>(k) * k, 0), state_(seed) {
    for (int i = 0; i < k_; ++i)
      for (int j = 0; j < k_; ++j)
        cell_[static_cast<size_t>(i) * k_ + j] =
            static_cast<uint32_t>(i <= j ? i * k_ + j : j * k_ + i);
  }

  int Alleles() const { return k_; }
  uint32_t Cell(int i, int j) const { return cell_[static_cast<size_t>(i) * k_ + j]; }

  // The next `n` (at most kStretch) proposals.
  const Proposal* Next(int n) {
    for (int s = 0; s < n; ++s) stretch_[s] = Propose();
    return stretch_.data();
  }

 private:
  Proposal Propose() {
    const uint64_t a = Random(), c = Random();
    const int i1 = Pick(a, k_), i2 = Other(i1, Pick(a >> 16, k_ - 1));
    const int j1 = Pick(a >> 32, k_), j2 = Other(j1, Pick(a >> 48, k_ - 1));
    const uint32_t* row1 = &cell_[static_cast<size_t>(i1) * k_];
    const uint32_t* row2 = &cell_[static_cast<size_t>(i2) * k_];
    // The sign swaps the pair that gains with the pair that loses, by masks
    // rather than by a branch the processor could not foresee.
    const uint32_t swap = 0u - static_cast<uint32_t>(c & 1);
    const uint32_t p = row1[j1], q = row2[j2], r = row1[j2], t = row2[j1];
    const uint32_t x = (p ^ r) & swap, y = (q ^ t) & swap;
    // The 2^H of P moves by the heterozygote cells lost less those gained
    // (a cell is a heterozygote's when its alleles differ). A power of two
    // scales exactly, so it goes onto the uniform draw instead of onto the
    // ratio of probabilities.
    const int lost = static_cast<int>(i1 != j2) + static_cast<int>(i2 != j1) -
                     static_cast<int>(i1 != j1) - static_cast<int>(i2 != j2);
    const int halvings = (lost ^ static_cast<int>(swap)) - static_cast<int>(swap);
    const double u = static_cast<double>(c >> 11) * kUnitScale[2 + halvings];
    return Proposal{p ^ x, q ^ y, r ^ x, t ^ y, u};
  }

  // 2^-53 (a draw's 53 bits as a number below 1) times 2^halvings.
  static constexpr double kUnitScale[5] = {0x1.0p-55, 0x1.0p-54, 0x1.0p-53, 0x1.0p-52, 0x1.0p-51};

  // A number below `range` from the low 16 random bits (multiply and shift).
  // The slight unevenness cannot bias the chain: a move and its reverse
  // share their alleles, so the proposal stays symmetric.
  static int Pick(uint64_t bits, int range) {
    return static_cast<int>(((bits & 0xFFFFu) * static_cast<uint64_t>(range)) >> 16);
  }
  static int Other(int first, int pick) { return pick + static_cast<int>(pick >= first); }
  // SplitMix64: small, fast, and the same numbers on every machine and library.
  uint64_t Random() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  int k_;
  std::vector<uint32_t> cell_;  // (i, j) of either order -> its cell
  uint64_t state_;
  std::array<Proposal, kStretch> stretch_{};
};

// log n and 1/n for n up to twice the most individuals of the chains.
struct Logs {
  explicit Logs(int individuals)
      : inverse(2 * static_cast<size_t>(individuals) + 2, 0.0), log(inverse.size(), 0.0) {
    for (size_t n = 1; n < inverse.size(); ++n) {
      inverse[n] = 1.0 / static_cast<double>(n);
      log[n] = std::log(static_cast<double>(n));
    }
  }
  std::vector<double> inverse, log;
};

// One table on its walk.
class Chain {
 public:
  Chain(const GenotypeCounts& observed, const Draws& draws, const Logs& logs)
      : counts_(static_cast<size_t>(draws.Alleles()) * draws.Alleles(), 0),
        logWeight_(counts_.size(), 0.0),
        logs_(logs) {
    for (int i = 0; i < draws.Alleles(); ++i)
      for (int j = i; j < draws.Alleles(); ++j) {
        counts_[draws.Cell(i, j)] = observed.Count(i, j);
        if (i != j) logWeight_[draws.Cell(i, j)] = kLog2;
      }
  }

  // Two chains take the proposals side by side: their steps do not depend
  // on each other, so the processor overlaps them. Adds the hits as Take
  // counts them.
  static void TakeTwo(Chain& a, Chain& b, const Proposal* proposals, int n, long& hitsA,
                      long& hitsB) {
    double driftA = a.drift_, driftB = b.drift_;
    long ha = 0, hb = 0;
    for (int s = 0; s < n; ++s) {
      driftA += a.Step(proposals[s]);
      driftB += b.Step(proposals[s]);
      ha += driftA <= kTieTolerance ? 1 : 0;
      hb += driftB <= kTieTolerance ? 1 : 0;
    }
    a.drift_ = driftA, b.drift_ = driftB;
    hitsA += ha, hitsB += hb;
  }

  // Takes the `n` proposals; returns how many of the steps end on a table
  // no more probable than the observed one.
  long Take(const Proposal* proposals, int n) {
    // The drift, log P(now) - log P(observed), in a local the compiler keeps
    // in a register.
    double drift = drift_;
    long hits = 0;
    for (int s = 0; s < n; ++s) {
      drift += Step(proposals[s]);
      hits += drift <= kTieTolerance ? 1 : 0;
    }
    drift_ = drift;
    return hits;
  }

 private:
  // Returns the change of log P. Without branches on the random outcomes,
  // which a processor cannot foresee: a proposal that would empty a cell
  // gets ratio 0, and a refused one is taken back by adding what it changed.
  [[gnu::always_inline]] double Step(const Proposal& p) {
    const double* inverse = logs_.inverse.data();
    const double* logInt = logs_.log.data();
    // Changes to one cell are weighed in turn, each on the count the one
    // before left.
    const int had1 = std::max(counts_[p.down1]--, 0);
    const int had2 = std::max(counts_[p.down2]--, 0);
    const int got1 = ++counts_[p.up1];
    const int got2 = ++counts_[p.up2];
    const double ratio = static_cast<double>(had1 * had2) * inverse[got1] * inverse[got2];
    const int refused = p.u < ratio ? 0 : 1;
    counts_[p.up2] -= refused, counts_[p.up1] -= refused;
    counts_[p.down2] += refused, counts_[p.down1] += refused;
    // The same ratio as logs, so that the drift keeps its precision.
    const double logRatio = logInt[had1] + logInt[had2] - logInt[got1] - logInt[got2] +
                            logWeight_[p.up1] + logWeight_[p.up2] - logWeight_[p.down1] -
                            logWeight_[p.down2];
    return static_cast<double>(1 - refused) * logRatio;
  }

  std::vector<int> counts_;
  std::vector<double> logWeight_;  // log 2 for a heterozygote's cell (the 2^H of P)
  const Logs& logs_;
  double drift_ = 0.0;
};

HweResult Estimate(const std::vector<double>& shares) {
  double mean = 0.0;
  for (double x : shares) mean += x;
  mean /= static_cast<double>(shares.size());
  double squares = 0.0;
  for (double x : shares) squares += (x - mean) * (x - mean);
  const double b = static_cast<double>(shares.size());
  const double se = b > 1 ? std::sqrt(squares / (b * (b - 1))) : 0.0;
  return HweResult{mean, HweMethod::Chain, se};
}

// Walks the chains `steps` steps on the draws; adds each chain's hits.
void Walk(Draws& draws, std::vector<Chain>& chains, int steps, std::vector<long>& hits) {
  for (int done = 0; done < steps; done += kStretch) {
    const int n = std::min(kStretch, steps - done);
    const Proposal* proposals = draws.Next(n);
    size_t c = 0;
    for (; c + 1 < chains.size(); c += 2)
      Chain::TakeTwo(chains[c], chains[c + 1], proposals, n, hits[c], hits[c + 1]);
    if (c < chains.size()) hits[c] += chains[c].Take(proposals, n);
  }
}

// The chains of tables over the same number of alleles, in step.
std::vector<HweResult> RunInStep(const std::vector<const GenotypeCounts*>& observed,
                                 const HweChainSettings& settings) {
  int individuals = 0;
  for (const GenotypeCounts* table : observed)
    individuals = std::max(individuals, table->Individuals());
  Draws draws(observed.front()->AlleleCount(), settings.seed);
  const Logs logs(individuals);
  std::vector<Chain> chains;
  for (const GenotypeCounts* table : observed) chains.emplace_back(*table, draws, logs);
  std::vector<long> hits(chains.size(), 0);
  Walk(draws, chains, settings.dememorisation, hits);
  std::vector<std::vector<double>> shares(chains.size());
  for (int b = 0; b < settings.batches; ++b) {
    std::fill(hits.begin(), hits.end(), 0);
    Walk(draws, chains, settings.stepsPerBatch, hits);
    for (size_t c = 0; c < chains.size(); ++c)
      shares[c].push_back(static_cast<double>(hits[c]) / settings.stepsPerBatch);
  }
  std::vector<HweResult> out;
  for (const std::vector<double>& s : shares) out.push_back(Estimate(s));
  return out;
}

}  // namespace

std::vector<HweResult> RunChains(const std::vector<GenotypeCounts>& observed,
                                 const HweChainSettings& settings) {
  std::map<int, std::vector<size_t>> byAlleles;
  for (size_t t = 0; t < observed.size(); ++t) byAlleles[observed[t].AlleleCount()].push_back(t);
  std::vector<HweResult> out(observed.size());
  for (const auto& [alleles, members] : byAlleles) {
    std::vector<const GenotypeCounts*> tables;
    for (size_t t : members) tables.push_back(&observed[t]);
    const std::vector<HweResult> results = RunInStep(tables, settings);
    for (size_t m = 0; m < members.size(); ++m) out[members[m]] = results[m];
  }
  return out;
}

HweResult RunChain(const GenotypeCounts& observed, const HweChainSettings& settings) {
  return RunChains({observed}, settings).front();
}

}  // namespace analysis::hwe
