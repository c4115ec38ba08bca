#pragma once
// The English texts of the summary sheet (.sum): the locus table's heads, the
// one-line legend of each column with its source, and the sections' labels.
#include <string_view>

#include "messages/SheetTexts.h"

namespace msg::sheet {

inline constexpr SheetTitle kSum{
    "sum",
    "Per-marker summary: diversity, Hardy-Weinberg test, null alleles and probability of "
    "identity; identical varieties; figures by group."};

// The locus table's heads, left to right, each with its line of the legend.
struct SummaryColumn {
  std::string_view head;
  std::string_view meaning;
};
inline constexpr SummaryColumn kSummaryColumns[] = {
    {"Marker", "The marker, in table order."},
    {"N", "Varieties typed at the marker; every figure of its row is over them."},
    {"Missing %", "Untyped varieties / all varieties x 100."},
    {"Na", "Number of distinct alleles."},
    {"Ne", "Effective number of alleles: 1 / sum of p^2, p the allele frequencies (count / 2N)."},
    {"Ho", "Observed heterozygosity: heterozygous varieties / N."},
    {"He", "Expected heterozygosity: 1 - sum of p^2 (as on the .all sheet, unrounded)."},
    {"uHe", "Unbiased expected heterozygosity: 2N / (2N - 1) x He (Nei 1978)."},
    {"PIC", "Polymorphic information content (Botstein et al. 1980), as on the .all sheet."},
    {"F", "Fixation index: 1 - Ho / He; empty where He is 0."},
    {"Null freq", "Null allele frequency: (He - Ho) / (1 + He) (Brookfield 1996)."},
    {"HWE p",
     "Exact test of Hardy-Weinberg proportions given the allele counts (Guo and Thompson "
     "1992); empty with one allele."},
    {"HWE method",
     "exact: every genotype table weighed; mc: Markov chain with a fixed seed (see the note)."},
    {"PI",
     "Probability of identity: sum of p^4 + sum over i < j of (2 p_i p_j)^2 (Waits et al. 2001)."},
    {"PIsib",
     "Probability of identity among sibs: 0.25 + 0.5 sum p^2 + 0.5 (sum p^2)^2 - 0.25 sum p^4 "
     "(Waits et al. 2001)."},
    {"PI cum", "Product of PI over this and the markers above it."},
    {"PIsib cum", "Product of PIsib over this and the markers above it."},
};

inline constexpr std::string_view kSummaryMean = "Mean";
inline constexpr std::string_view kSummaryLegend = "Legend";
inline constexpr std::string_view kChainNote =
    "Note: markers marked mc have their HWE p estimated by a Markov chain; its standard error "
    "between batches:";
inline constexpr std::string_view kHweExact = "exact";
inline constexpr std::string_view kHweChain = "mc";

// The markers from the most to the least informative.
inline constexpr std::string_view kInformativeTitle =
    "Markers from the most to the least informative (ascending PI)";
inline constexpr std::string_view kInformativeHeads[] = {"Marker", "PI", "PI cum", "PIsib",
                                                         "PIsib cum"};
inline constexpr std::string_view kMarkersForPi = "Markers needed for PI cum below 1/N^2";
inline constexpr std::string_view kMarkersForPiSib = "Markers needed for PIsib cum below 1/N";
inline constexpr std::string_view kNotReached = "not reached with these markers";

// Identity.
inline constexpr std::string_view kIdenticalTitle = "Varieties that no marker tells apart";
inline constexpr std::string_view kIdenticalNone = "None: every two varieties differ somewhere.";
inline constexpr std::string_view kNearTitle = "Pairs told apart by only one or two markers";
inline constexpr std::string_view kNearHeads[] = {"Variety", "Variety", "Marker", "Genotype",
                                                  "Genotype"};
inline constexpr std::string_view kNearNone = "None.";
inline constexpr std::string_view kSmallestSetExact =
    "Smallest marker set that tells every distinguishable pair apart";
inline constexpr std::string_view kSmallestSetGreedy =
    "Small marker set that tells every distinguishable pair apart (greedy search)";
inline constexpr std::string_view kNoPairToTell = "No pair of varieties is told apart.";

// By group.
inline constexpr std::string_view kGroupsTitle = "By group (from the Groups sheet)";
inline constexpr std::string_view kGroupHeads[] = {"Group", "Marker",         "N", "Na", "Ho",
                                                   "He",    "Private alleles"};

}  // namespace msg::sheet
