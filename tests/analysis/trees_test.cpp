// UPGMA and neighbour-joining on matrices worked by hand, their tie order,
// their refusal without a distance, and the Newick text of a tree.
#include "analysis/Trees.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/Newick.h"
#include "analysis/TreeTesting.h"

namespace analysis_test {
namespace {

using analysis::BuildTree;
using analysis::Tree;
using analysis::TreeMethod;

Tree Built(const analysis::DistanceMatrix& d, TreeMethod method) {
  const analysis::TreeOutcome out = BuildTree(d, method);
  EXPECT_TRUE(out.tree.has_value());
  return out.tree ? *out.tree : Tree{};
}

struct Worked {
  TreeMethod method;
  std::vector<double> upper;  // AB AC AD BC BD CD
  const char* newick;
};

TEST(Trees, FourVarietiesWorkedByHand) {
  const Worked cases[] = {
      // Joined at 2, at the mean 6 of 4 and 8, and at (2 * 10 + 13) / 3 = 11;
      // each branch is half the difference of heights.
      {TreeMethod::Upgma, {2, 4, 9, 8, 11, 13}, "(((A:1,B:1):2,C:3):2.5,D:5.5);"},
      // The distances of the tree ((A:2,B:3):4,C:5,D:1) give it back.
      {TreeMethod::NeighbourJoining, {5, 11, 7, 12, 8, 6}, "((A:2,B:3):4,C:5,D:1);"},
  };
  for (const Worked& c : cases) {
    const Tree t = Built(Matrix(c.upper, {"A", "B", "C", "D"}), c.method);
    EXPECT_EQ(analysis::WriteNewick(t), c.newick);
    EXPECT_EQ(t.tiedJoins, 0);
  }
}

struct Tie {
  TreeMethod method;
  std::vector<double> upper;
  std::vector<int> firstJoin;  // the children of the first join
  int tiedJoins;
};

TEST(Trees, EqualPairsJoinLowestIndexesFirst) {
  const Tie cases[] = {
      // V1-V2 and V2-V3 are both 1: V1 and V2 join, and V3 then meets them at 1.5.
      {TreeMethod::Upgma, {1, 2, 1}, {0, 1}, 1},
      // V1-V3 and V2-V3: V1 and V3.
      {TreeMethod::Upgma, {2, 1, 1}, {0, 2}, 1},
      // A star of five: every pair alike, at five and again at four.
      {TreeMethod::NeighbourJoining, std::vector<double>(10, 1.0), {0, 1}, 2},
  };
  for (const Tie& c : cases) {
    const int n = c.upper.size() == 3 ? 3 : 5;
    const Tree t = Built(Matrix(c.upper, Names(n)), c.method);
    EXPECT_EQ(t.nodes[n].children, c.firstJoin);
    EXPECT_EQ(t.tiedJoins, c.tiedJoins);
  }
  const Tree first = Built(Matrix({1, 2, 1}, Names(3)), TreeMethod::Upgma);
  EXPECT_EQ(analysis::WriteNewick(first), "((V1:0.5,V2:0.5):0.25,V3:0.75);");
}

TEST(Trees, APairWithoutDistanceRefusesTheTree) {
  analysis::DistanceMatrix d(Names(4));
  for (int i = 1; i <= 4; ++i)
    for (int j = i + 1; j <= 4; ++j)
      if (i != 2 || j != 3) d.Set(i, j, 1);
  for (const TreeMethod method : {TreeMethod::Upgma, TreeMethod::NeighbourJoining}) {
    const analysis::TreeOutcome out = BuildTree(d, method);
    EXPECT_FALSE(out.tree.has_value());
    const std::vector<analysis::VarietyPair> expected = {{2, 3, "V2", "V3"}};
    EXPECT_EQ(out.withoutDistance, expected);
  }
}

TEST(Trees, SmallestTrees) {
  for (const TreeMethod method : {TreeMethod::Upgma, TreeMethod::NeighbourJoining}) {
    EXPECT_EQ(analysis::WriteNewick(Built(Matrix({}, {}), method)), ";");
    EXPECT_EQ(analysis::WriteNewick(Built(Matrix({}, {"A"}), method)), "A;");
    EXPECT_EQ(analysis::WriteNewick(Built(Matrix({3}, {"A", "B"}), method)), "(A:1.5,B:1.5);");
  }
  EXPECT_EQ(analysis::WriteNewick(
                Built(Matrix({3, 4, 5}, {"A", "B", "C"}), TreeMethod::NeighbourJoining)),
            "(A:1,B:2,C:3);");
}

TEST(Newick, NamesAreQuotedWhereNewickNeedsIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"Koshihikari", "Koshihikari"},
      {"コシヒカリ", "コシヒカリ"},
      {"Fuji 2", "'Fuji 2'"},
      {"O'Neil", "'O''Neil'"},
      {"a(b)", "'a(b)'"},
      {"x:y", "'x:y'"},
      {"a,b", "'a,b'"},
      {"a;b", "'a;b'"},
      {"[x]", "'[x]'"},
      {"a_b", "'a_b'"},
      {"tab\there", "'tab\there'"},
      {"", "''"},
  };
  for (const auto& [name, written] : cases) EXPECT_EQ(analysis::NewickName(name), written);
}

TEST(Newick, LengthsReadBackExactlyAndSupportLabelsJoins) {
  Tree t = Tree::Leaves({"A", "B", "C"}, TreeMethod::Upgma);
  const int ab = t.Join({{0, 0.1 + 0.2}, {1, 1e-5}});
  t.Join({{ab, 0.5}, {2, -0.25}});
  EXPECT_EQ(analysis::WriteNewick(t), "((A:0.30000000000000004,B:0.00001):0.5,C:-0.25);");
  t.nodes[ab].support = 3;
  t.replicates = 4;
  EXPECT_EQ(analysis::WriteNewick(t), "((A:0.30000000000000004,B:0.00001)75:0.5,C:-0.25);");
}

}  // namespace
}  // namespace analysis_test
