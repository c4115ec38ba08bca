#pragma once
// Support for a tree's clades by resampling its markers: each replicate
// draws as many markers as there are, with replacement, and builds its tree
// the same way; a join is supported by the replicates whose tree holds its
// clade. Neighbour-joining trees stand for unrooted trees, so their clades
// are compared as splits of the varieties in two.
#include <cstdint>
#include <functional>

#include "analysis/Distances.h"
#include "analysis/Trees.h"
#include "store/GenotypeStore.h"

namespace analysis {

// Fixed, so that a run repeats; a different seed draws other replicates.
inline constexpr uint64_t kBootstrapSeed = 20250101;

struct BootstrapSummary {
  int replicates = 0;
  // Replicates whose markers left a pair without a distance: no tree, and no
  // support for any clade.
  int withoutTree = 0;
};

// Sets the support of every join of `tree` (built from `s` with `kind`) but
// the root. `onReplicate(k)` is called after replicate k (from 1).
BootstrapSummary Bootstrap(Tree& tree, const store::GenotypeStore& s, DistanceKind kind,
                           int replicates, uint64_t seed = kBootstrapSeed,
                           const std::function<void(int)>& onReplicate = {});

}  // namespace analysis
