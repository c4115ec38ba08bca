#pragma once
// Distances between varieties over their genotype codes, with pairwise
// deletion: a marker counts for a pair only where both varieties are typed.
// A pair without any such marker has no distance, and says so.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/GenotypeStore.h"

namespace analysis {

enum class DistanceKind {
  // 1 - (shared alleles / 2), averaged over the markers typed in both.
  Alleles,
  // The share of the markers typed in both at which the genotype codes differ.
  Markers,
};

// Two varieties (indexes from 1, first < second) and their names.
struct VarietyPair {
  int first = 0;
  int second = 0;
  std::string firstName;
  std::string secondName;
  bool operator==(const VarietyPair&) const = default;
};

// Symmetric, indexed from 1 like the store; a variety is at distance 0 from
// itself.
class DistanceMatrix {
 public:
  explicit DistanceMatrix(std::vector<std::string> names);
  int VarietyCount() const { return n_; }
  const std::string& Name(int v) const { return names_[v - 1]; }
  const std::vector<std::string>& Names() const { return names_; }

  // Empty for a pair that no marker compares.
  std::optional<double> At(int i, int j) const;
  void Set(int i, int j, double distance);
  // Every pair without a distance, in row order.
  std::vector<VarietyPair> PairsWithoutDistance() const;
  VarietyPair Pair(int i, int j) const;
  // Row by row, n x n from index 0; 0 where a pair has no distance.
  const std::vector<double>& Values() const { return values_; }

 private:
  size_t Index(int i, int j) const { return static_cast<size_t>(i - 1) * n_ + (j - 1); }
  int n_;
  std::vector<std::string> names_;
  std::vector<double> values_;
  std::vector<uint8_t> known_;
};

// A genotype's alleles are the first and last symbols of its code: a
// converted diploid code has exactly two.
DistanceMatrix VarietyDistances(const store::GenotypeStore& s, DistanceKind kind);
// The same with marker m counted weights[m - 1] times (0 leaves it out): a
// bootstrap replicate.
DistanceMatrix VarietyDistances(const store::GenotypeStore& s, DistanceKind kind,
                                const std::vector<int>& weights);

}  // namespace analysis
