#pragma once
// The kinds of data problem a run can find, and the set of those found.
#include <array>
#include <bitset>
#include <cstddef>

namespace store {

// In the order the closing message lists them.
enum class Problem {
  TooManyVarieties,
  TooManyMarkers,
  NonNumeric,
  NotDiploid,
  TooManyAlleles,
  TooManyGenotypes,
};
inline constexpr std::array<Problem, 6> kAllProblems = {
    Problem::TooManyVarieties, Problem::TooManyMarkers, Problem::NonNumeric,
    Problem::NotDiploid,       Problem::TooManyAlleles, Problem::TooManyGenotypes};

class ProblemSet {
 public:
  void Raise(Problem p) { bits_.set(Index(p)); }
  bool Has(Problem p) const { return bits_.test(Index(p)); }
  bool Any() const { return bits_.any(); }
  void Clear() { bits_.reset(); }
  bool operator==(const ProblemSet&) const = default;

 private:
  static std::size_t Index(Problem p) { return static_cast<std::size_t>(p); }
  std::bitset<kAllProblems.size()> bits_;
};

}  // namespace store
