// Figures per group of varieties, worked by hand.
#include <gtest/gtest.h>

#include "analysis/GroupSummary.h"
#include "support/Tallied.h"

namespace {

using testsupport::Tallied;

// Groups North (V1, V3), South (V2, V4), V5 in none.
//        M1        M2
//   V1   AB        AA
//   V2   CC        AA
//   V3   AA        --
//   V4   BC        --
//   V5   DD        AB
const std::vector<std::vector<std::u16string>> kTable = {
    {u"AB", u"AA"}, {u"CC", u"AA"}, {u"AA", u""}, {u"BC", u""}, {u"DD", u"AB"}};
const std::vector<std::string> kGroups = {"North", "South", "North", "South", ""};

TEST(GroupSummary, FiguresPerGroupAndMarker) {
  const auto groups = analysis::SummarizeGroups(Tallied(kTable), kGroups);
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].name, "North");
  EXPECT_EQ(groups[0].varieties, (std::vector<int>{1, 3}));
  EXPECT_EQ(groups[1].varieties, (std::vector<int>{2, 4}));
  struct Want {
    int group, marker, typed, alleles;
    std::optional<double> ho, he;
    int privateAlleles;
  };
  // North M1: A 3, B 1 -> He = 1 - (9 + 1)/16; A is its own (D of V5 counts for no group).
  // South M1: C 3, B 1 -> He 3/8; C its own. M2: A in both groups; South untyped.
  const Want want[] = {
      {0, 1, 2, 2, .5, 0.375, 1},
      {1, 1, 2, 2, .5, 0.375, 1},
      {0, 2, 1, 1, 0, 0, 0},
      {1, 2, 1, 1, 0, 0, 0},
  };
  for (const Want& w : want) {
    const analysis::GroupLocus& l = groups[w.group].loci[w.marker - 1];
    const std::string at = groups[w.group].name + " M" + std::to_string(w.marker);
    EXPECT_EQ(l.typed, w.typed) << at;
    EXPECT_EQ(l.alleles, w.alleles) << at;
    ASSERT_EQ(l.ho.has_value(), w.ho.has_value()) << at;
    if (w.ho) {
      EXPECT_DOUBLE_EQ(*l.ho, *w.ho) << at;
      EXPECT_DOUBLE_EQ(*l.he, *w.he) << at;
    }
    EXPECT_EQ(l.privateAlleles, w.privateAlleles) << at;
  }
  EXPECT_DOUBLE_EQ(*groups[0].means.typed, 1.5);
  EXPECT_DOUBLE_EQ(*groups[0].means.ho, 0.25);
  EXPECT_DOUBLE_EQ(*groups[0].means.he, 0.375 / 2);
  EXPECT_EQ(groups[0].means.privateAlleles, 1);
}

TEST(GroupSummary, UntypedGroupAndPrivateAllelesAtAMarker) {
  // M2: only V1 and V2 typed; South has allele B alone.
  const auto groups = analysis::SummarizeGroups(
      Tallied({{u"AA", u"AA"}, {u"AA", u"AB"}, {u"AA", u""}}), {"North", "South", "East"});
  ASSERT_EQ(groups.size(), 3u);
  EXPECT_EQ(groups[1].loci[1].privateAlleles, 1);
  EXPECT_EQ(groups[0].loci[1].privateAlleles, 0);
  EXPECT_FALSE(groups[2].loci[1].ho || groups[2].loci[1].he);
  EXPECT_EQ(groups[2].loci[1].typed, 0);
  EXPECT_DOUBLE_EQ(*groups[2].means.typed, 0.5);
  EXPECT_DOUBLE_EQ(*groups[2].means.he, 0.0);  // over M1 alone
}

}  // namespace
