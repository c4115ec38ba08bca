#pragma once
// Parts of the Hardy-Weinberg test shared by the table walk and the chain.
#include <vector>

#include "analysis/HardyWeinberg.h"

namespace analysis::hwe {

inline constexpr double kLog2 = 0.693147180559945309417;
// A table as probable as the observed one up to rounding counts as no more
// probable: a relative tolerance on P, as a difference of logs.
inline constexpr double kTieTolerance = 1e-7;

// log 0! .. log n!
std::vector<double> LogFactorials(int n);
// log N! + sum log n_i! - log (2N)!, the part of log P shared by every table.
double LogConstant(const std::vector<int>& totals, int individuals,
                   const std::vector<double>& logFact);

// The Markov chain estimate from the observed table, every allele present.
HweResult RunChain(const GenotypeCounts& observed, const HweChainSettings& settings);
// The estimates for several tables at once, each the same as RunChain's for
// it; tables with the same number of alleles share the chain's draws.
std::vector<HweResult> RunChains(const std::vector<GenotypeCounts>& observed,
                                 const HweChainSettings& settings);

}  // namespace analysis::hwe
