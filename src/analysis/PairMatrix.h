#pragma once
// For every two varieties, the number of markers whose genotype codes differ
// (an untyped cell is a code of its own; a marker nobody typed never counts).
#include <cstdint>
#include <functional>
#include <vector>

#include "store/GenotypeStore.h"

namespace analysis {

class PairMatrix {
 public:
  explicit PairMatrix(int varieties);
  int VarietyCount() const { return n_; }
  // Symmetric; 0 on the diagonal.
  int Distinguishing(int i, int j) const { return counts_[Index(i, j)]; }
  void Set(int i, int j, int count);

 private:
  size_t Index(int i, int j) const { return static_cast<size_t>(i - 1) * n_ + (j - 1); }
  int n_;
  std::vector<uint8_t> counts_;  // at most 250 markers: a byte each
};

// `onPair(i, j)` is called for each i <= j as the comparison reaches it (progress).
PairMatrix CountDistinguishingMarkers(const store::GenotypeStore& s,
                                      const std::function<void(int, int)>& onPair = {});

}  // namespace analysis
