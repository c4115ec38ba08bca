#pragma once
// The kinds of data problem a run can find, each problem found, and the set
// of kinds found.
#include <array>
#include <bitset>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "messages/InterfaceTexts.h"
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

// A cell of the source table as an offset from its corner: row r is variety
// r, column c marker c; row 0 holds the marker names, column 0 the variety
// names. The layout layer turns it into the address the spreadsheet shows.
struct TablePlace {
  int row = 0;
  int column = 0;
  bool operator==(const TablePlace&) const = default;
};

// One problem found: its kind, the variety and marker it is logged under (0
// where it concerns no single one) and the cell it was met in, if any. The
// cell's text is not copied here: one cell can hold thousands of faulty parts,
// each its own finding, so the log reads the text from the sheet instead.
// Analyses return findings in the order found, the order of the log's rows.
struct Finding {
  Problem problem;
  int variety = 0;
  int marker = 0;
  std::optional<TablePlace> at = {};
  bool operator==(const Finding&) const = default;
};
// A problem of the cell of variety v at marker m, logged under both.
inline Finding CellFinding(Problem p, int v, int m) { return {p, v, m, TablePlace{v, m}}; }
using Findings = std::vector<Finding>;

// The two texts of a kind of problem: its rows in the error log (English, as
// the sheet has it) and its line of the closing message (in the user's language).
struct ProblemWording {
  std::string_view logText;
  msg::Ui closingLine;
};

constexpr ProblemWording WordingOf(Problem p) {
  switch (p) {
    case Problem::TooManyVarieties:
      return {msg::sheet::kTooManyVarieties, msg::Ui::TooManyVarieties};
    case Problem::TooManyMarkers:
      return {msg::sheet::kTooManyMarkers, msg::Ui::TooManyMarkers};
    case Problem::NonNumeric:
      return {msg::sheet::kNotNumeric, msg::Ui::NonNumeric};
    case Problem::NotDiploid:
      return {msg::sheet::kNotDiploid, msg::Ui::NotDiploid};
    case Problem::TooManyAlleles:
      return {msg::sheet::kTooManyAlleles, msg::Ui::TooManyAlleles};
    case Problem::TooManyGenotypes:
      break;
  }
  return {msg::sheet::kTooManyGenotypes, msg::Ui::TooManyGenotypes};
}

// The error log's text of a kind of problem.
constexpr std::string_view ProblemText(Problem p) { return WordingOf(p).logText; }

}  // namespace store
