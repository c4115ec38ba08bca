#include "analysis/GroupSummary.h"

#include <map>

#include "analysis/GenotypeAlleles.h"

namespace analysis {
namespace {

std::vector<GroupSummary> MakeGroups(const store::GenotypeStore& s,
                                     const std::vector<std::string>& groupOf) {
  std::vector<GroupSummary> groups;
  std::map<std::string, size_t> index;
  for (int v = 1; v <= s.VarietyCount() && v <= static_cast<int>(groupOf.size()); ++v) {
    const std::string& name = groupOf[v - 1];
    if (name.empty()) continue;
    const auto [at, added] = index.try_emplace(name, groups.size());
    if (added) groups.push_back({name, {}, {}, {}});
    groups[at->second].varieties.push_back(v);
  }
  return groups;
}

// One group at one marker: allele copies by slot (0 unknown), typed
// varieties and heterozygotes.
struct GroupTally {
  std::vector<int> copies;
  int typed = 0;
  int heterozygous = 0;
};

GroupTally TallyGroup(const store::GenotypeStore& s, int m, const GroupSummary& group) {
  GroupTally t;
  t.copies.assign(static_cast<size_t>(s.Marker(m).AlleleCount()) + 1, 0);
  for (int v : group.varieties) {
    if (s.Cell(v, m).empty()) continue;
    const std::vector<int> slots = AlleleSlots(s, m, s.Cell(v, m));
    ++t.typed;
    // First against last allele, as the statistics sheet counts heterozygotes.
    if (slots.size() >= 2 && slots.front() != slots.back()) ++t.heterozygous;
    for (int a : slots) ++t.copies[a];
  }
  return t;
}

GroupLocus Figures(const GroupTally& t, const std::vector<int>& groupsWith) {
  GroupLocus out;
  out.typed = t.typed;
  long total = 0;
  for (size_t a = 1; a < t.copies.size(); ++a) total += t.copies[a];
  double s2 = 0.0;
  for (size_t a = 1; a < t.copies.size(); ++a) {
    if (t.copies[a] == 0) continue;
    ++out.alleles;
    if (groupsWith[a] == 1) ++out.privateAlleles;
    const double p = static_cast<double>(t.copies[a]) / static_cast<double>(total);
    s2 += p * p;
  }
  if (t.typed > 0) out.ho = static_cast<double>(t.heterozygous) / t.typed;
  if (total > 0) out.he = 1.0 - s2;
  return out;
}

void AddMarker(const store::GenotypeStore& s, int m, std::vector<GroupSummary>& groups) {
  std::vector<GroupTally> tallies;
  for (const GroupSummary& g : groups) tallies.push_back(TallyGroup(s, m, g));
  std::vector<int> groupsWith(static_cast<size_t>(s.Marker(m).AlleleCount()) + 1, 0);
  for (const GroupTally& t : tallies)
    for (size_t a = 1; a < t.copies.size(); ++a)
      if (t.copies[a] > 0) ++groupsWith[a];
  for (size_t g = 0; g < groups.size(); ++g)
    groups[g].loci.push_back(Figures(tallies[g], groupsWith));
}

GroupMeans Means(const std::vector<GroupLocus>& loci) {
  GroupMeans out;
  if (loci.empty()) return out;
  double typed = 0, alleles = 0, ho = 0, he = 0;
  int typedMarkers = 0;
  for (const GroupLocus& l : loci) {
    typed += l.typed;
    alleles += l.alleles;
    out.privateAlleles += l.privateAlleles;
    if (!l.ho || !l.he) continue;
    ho += *l.ho;
    he += *l.he;
    ++typedMarkers;
  }
  out.typed = typed / static_cast<double>(loci.size());
  out.alleles = alleles / static_cast<double>(loci.size());
  if (typedMarkers > 0) out.ho = ho / typedMarkers, out.he = he / typedMarkers;
  return out;
}

}  // namespace

std::vector<GroupSummary> SummarizeGroups(const store::GenotypeStore& s,
                                          const std::vector<std::string>& groupOf) {
  std::vector<GroupSummary> groups = MakeGroups(s, groupOf);
  for (int m = 1; m <= s.MarkerCount(); ++m) AddMarker(s, m, groups);
  for (GroupSummary& g : groups) g.means = Means(g.loci);
  return groups;
}

}  // namespace analysis
