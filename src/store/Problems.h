#pragma once
// The kinds of data problem a run can find, each problem found, and the set
// of kinds found.
#include <array>
#include <bitset>
#include <cstddef>
#include <string_view>
#include <vector>

#include "messages/SheetTexts.h"

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

// One problem found: its kind and where (variety and marker index, 0 where
// the problem concerns no single variety or marker). Analyses return them in
// the order found, which is the order of the error log's rows.
struct Finding {
  Problem problem;
  int variety = 0;
  int marker = 0;
  bool operator==(const Finding&) const = default;
};
using Findings = std::vector<Finding>;

// The error log's text of a kind of problem.
constexpr std::string_view ProblemText(Problem p) {
  switch (p) {
    case Problem::TooManyVarieties:
      return msg::sheet::kTooManyVarieties;
    case Problem::TooManyMarkers:
      return msg::sheet::kTooManyMarkers;
    case Problem::NonNumeric:
      return msg::sheet::kNotNumeric;
    case Problem::NotDiploid:
      return msg::sheet::kNotDiploid;
    case Problem::TooManyAlleles:
      return msg::sheet::kTooManyAlleles;
    case Problem::TooManyGenotypes:
      break;
  }
  return msg::sheet::kTooManyGenotypes;
}

}  // namespace store
