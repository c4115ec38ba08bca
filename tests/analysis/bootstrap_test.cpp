// Support for a tree's clades from trees of resampled markers.
#include "analysis/Bootstrap.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/Tallied.h"

namespace analysis_test {
namespace {

using analysis::DistanceKind;
using analysis::Tree;
using analysis::TreeMethod;
using testsupport::Tallied;

Tree TreeOf(const store::GenotypeStore& s, TreeMethod method) {
  return *analysis::BuildTree(analysis::VarietyDistances(s, DistanceKind::Alleles), method).tree;
}

std::vector<std::optional<int>> Supports(const Tree& t) {
  std::vector<std::optional<int>> out;
  for (const auto& node : t.nodes) out.push_back(node.support);
  return out;
}

TEST(Bootstrap, CladesEveryMarkerAgreesOnHaveFullSupport) {
  // V1 V2 V3 against V4 V5 at every marker, V5 apart from V4 at two.
  const store::GenotypeStore s = Tallied({{u"AA", u"CC", u"EE", u"GG"},
                                          {u"AA", u"CC", u"EE", u"GG"},
                                          {u"AB", u"CC", u"EF", u"GG"},
                                          {u"BB", u"DD", u"FF", u"HH"},
                                          {u"BB", u"DE", u"FF", u"HI"}});
  for (const TreeMethod method : {TreeMethod::Upgma, TreeMethod::NeighbourJoining}) {
    Tree t = TreeOf(s, method);
    const analysis::BootstrapSummary summary = analysis::Bootstrap(t, s, DistanceKind::Alleles, 50);
    EXPECT_EQ(summary.withoutTree, 0);
    EXPECT_EQ(t.replicates, 50);
    for (int node = 0; node < static_cast<int>(t.nodes.size()); ++node) {
      const bool join = !t.IsLeaf(node) && node != t.Root();
      EXPECT_EQ(t.nodes[node].support.has_value(), join) << node;
      // The groups hold in every replicate; within V1 V2 V3 too (V3 is the odd one).
      if (join) {
        EXPECT_EQ(*t.SupportPercent(node), 100.0) << node;
      }
    }
  }
}

TEST(Bootstrap, ConflictingMarkersShareTheSupportAndASeedRepeats) {
  // m1 groups V1 V2 against V3 V4, m2 groups V1 V3 against V2 V4: with both
  // the pair V1 V2 comes first. A replicate of m2 alone (one in four) does
  // not hold it.
  const store::GenotypeStore s =
      Tallied({{u"AA", u"CC"}, {u"AA", u"DD"}, {u"BB", u"CC"}, {u"BB", u"DD"}});
  Tree t = TreeOf(s, TreeMethod::Upgma);
  ASSERT_EQ(t.nodes[4].children, (std::vector<int>{0, 1}));
  analysis::Bootstrap(t, s, DistanceKind::Alleles, 400);
  EXPECT_GT(*t.nodes[4].support, 250);
  EXPECT_LT(*t.nodes[4].support, 350);

  Tree again = TreeOf(s, TreeMethod::Upgma);
  analysis::Bootstrap(again, s, DistanceKind::Alleles, 400);
  EXPECT_EQ(Supports(again), Supports(t));
  Tree other = TreeOf(s, TreeMethod::Upgma);
  analysis::Bootstrap(other, s, DistanceKind::Alleles, 400, analysis::kBootstrapSeed + 1);
  EXPECT_NE(Supports(other), Supports(t));
}

TEST(Bootstrap, AReplicateWithAPairUncomparedSupportsNothing) {
  // V1 and V2 meet only at m1, which a replicate of four markers leaves out
  // about a third of the time.
  const store::GenotypeStore s = Tallied({{u"AA", u"CC", u"EE", u"GG"},
                                          {u"AA", u"", u"", u""},
                                          {u"AB", u"CD", u"EF", u"GH"},
                                          {u"BB", u"DD", u"FF", u"HH"}});
  Tree t = TreeOf(s, TreeMethod::Upgma);
  int calls = 0;
  const analysis::BootstrapSummary summary = analysis::Bootstrap(
      t, s, DistanceKind::Alleles, 100, analysis::kBootstrapSeed, [&](int k) { calls = k; });
  EXPECT_EQ(calls, 100);
  EXPECT_GT(summary.withoutTree, 15);
  EXPECT_LT(summary.withoutTree, 55);
  for (int node = 4; node < t.Root(); ++node)
    EXPECT_LE(*t.nodes[node].support, 100 - summary.withoutTree) << node;
}

}  // namespace
}  // namespace analysis_test
