#pragma once
// The locus figures per group of varieties (a population, a breeding
// program): per group and marker N, Na, Ho, He and the alleles no other
// group has, with the group's means.
#include <optional>
#include <string>
#include <vector>

#include "store/GenotypeStore.h"

namespace analysis {

struct GroupLocus {
  int typed = 0;    // N within the group
  int alleles = 0;  // Na within the group
  // Empty when nobody in the group is typed at the marker.
  std::optional<double> ho;
  std::optional<double> he;  // 1 - sum p^2 over the group's allele copies
  int privateAlleles = 0;    // alleles found in this group and in no other
};

// N and Na averaged over every marker, Ho and He over the markers typed in
// the group; private alleles summed.
struct GroupMeans {
  std::optional<double> typed, alleles, ho, he;
  int privateAlleles = 0;
};

struct GroupSummary {
  std::string name;
  std::vector<int> varieties;    // ascending
  std::vector<GroupLocus> loci;  // per marker, index m - 1
  GroupMeans means;
};

// groupOf[v - 1] is the group of variety v; an empty name leaves the variety
// out of every group. Groups come in the order of their first variety.
std::vector<GroupSummary> SummarizeGroups(const store::GenotypeStore& s,
                                          const std::vector<std::string>& groupOf);

}  // namespace analysis
