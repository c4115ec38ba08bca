#pragma once
// The locus table: per marker the figures a variety paper prints, over the
// varieties typed at that marker, with their means and the probability that
// two varieties share a profile by chance.
#include <optional>
#include <vector>

#include "analysis/HardyWeinberg.h"
#include "store/GenotypeStore.h"

namespace analysis {

struct LocusRow {
  int marker = 0;
  int typed = 0;            // N
  double missingPct = 0.0;  // untyped varieties / all varieties x 100
  int alleles = 0;          // Na
  // Empty when nothing is typed at the marker; f also where He is 0.
  std::optional<double> ne;        // 1 / sum p^2
  std::optional<double> ho;        // heterozygotes / N
  std::optional<double> he;        // 1 - sum p^2
  std::optional<double> uhe;       // 2N / (2N - 1) * He (Nei 1978)
  std::optional<double> pic;       // as the statistics sheet, unrounded (Botstein 1980)
  std::optional<double> f;         // 1 - Ho / He
  std::optional<double> nullFreq;  // (He - Ho) / (1 + He) (Brookfield 1996)
  std::optional<HweResult> hwe;    // empty with fewer than two alleles
  std::optional<double> pi;        // sum p^4 + sum over i < j of (2 p_i p_j)^2
  std::optional<double> piSib;     // 0.25 + 0.5 sum p^2 + 0.5 (sum p^2)^2 - 0.25 sum p^4
  // Products over this and the earlier markers in table order (markers
  // without a value left out); empty on a row without its own value.
  std::optional<double> piCum;
  std::optional<double> piSibCum;
};

// Each mean is over the values its column shows: N and Na over every
// marker, the others over the markers that have them.
struct LocusMeans {
  std::optional<double> typed, alleles, ne, ho, he, uhe, pic, f;
};

// One marker in the order from the most to the least informative.
struct InformativeStep {
  int marker = 0;
  double pi = 0.0, piCum = 0.0;
  double piSib = 0.0, piSibCum = 0.0;
};

struct LocusTable {
  std::vector<LocusRow> rows;  // in table order
  LocusMeans means;
  std::vector<InformativeStep> informative;  // ascending PI, ties in table order
  // How many markers of the informative order bring the running PI below
  // 1/N^2 and the running PIsib below 1/N (N varieties); empty when all do not.
  std::optional<int> markersForPi;
  std::optional<int> markersForPiSib;
};

// The store as the conversion leaves it: cells hold genotype codes and the
// marker tables are tallied. Markers are worked on `threads` threads (0: one
// per core, at most 8); the answer is the same for any number.
LocusTable SummarizeLoci(const store::GenotypeStore& s, const HweSettings& hwe = {},
                         int threads = 0);

// The row of one marker alone (no running products).
LocusRow SummarizeLocus(const store::GenotypeStore& s, int m, const HweSettings& hwe = {});

}  // namespace analysis
