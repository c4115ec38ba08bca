// The exact test of Hardy-Weinberg proportions: p-values worked by hand, and
// the chain against the walk over every table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "analysis/HardyWeinberg.h"
#include "analysis/HardyWeinbergChain.h"

namespace {

using analysis::GenotypeCounts;
using analysis::HweMethod;
using analysis::HweSettings;

struct Genotype {
  int i, j, n;
};

GenotypeCounts Counts(int alleles, const std::vector<Genotype>& genotypes) {
  GenotypeCounts c(alleles);
  for (const Genotype& g : genotypes) c.Add(g.i, g.j, g.n);
  return c;
}

HweSettings ChainOnly() {
  HweSettings s;
  s.enumerationLimit = 0;
  return s;
}

// By hand, P = N! prod(n_i!) 2^H / ((2N)! prod n_g!).
// Two alleles, 4 copies each, N = 4: N! n_A! n_B! / (2N)! = 24*24*24/40320 = 12/35.
//   AA 2, BB 2, AB 0: 12/35 * 1/(2!2!)   = 3/35
//   AA 1, BB 1, AB 2: 12/35 * 4/2!       = 24/35
//   AA 0, BB 0, AB 4: 12/35 * 16/4!      = 8/35
// Three alleles A 2, B 1, C 1, N = 2: 2!2!/4! = 1/6.
//   AA, BC: 1/6 * 2 = 1/3;  AB, AC: 1/6 * 4 = 2/3.
// The p-value sums the tables no more probable than the observed one.
TEST(HardyWeinberg, ExactPValuesWorkedByHand) {
  struct Case {
    const char* name;
    int alleles;
    std::vector<Genotype> genotypes;
    double p;
  };
  const Case cases[] = {
      {"all homozygous", 2, {{0, 0, 2}, {1, 1, 2}}, 3.0 / 35},
      {"all heterozygous", 2, {{0, 1, 4}}, 3.0 / 35 + 8.0 / 35},
      {"the likeliest table", 2, {{0, 0, 1}, {1, 1, 1}, {0, 1, 2}}, 1.0},
      {"AA, BC", 3, {{0, 0, 1}, {1, 2, 1}}, 1.0 / 3},
      {"AB, AC", 3, {{0, 1, 1}, {0, 2, 1}}, 1.0},
      {"one variety", 2, {{0, 1, 1}}, 1.0},
      {"an absent allele between", 3, {{0, 0, 2}, {2, 2, 2}}, 3.0 / 35},
  };
  for (const Case& c : cases) {
    const auto r = analysis::HardyWeinbergTest(Counts(c.alleles, c.genotypes));
    ASSERT_TRUE(r) << c.name;
    EXPECT_EQ(r->method, HweMethod::Exact) << c.name;
    EXPECT_NEAR(r->p, c.p, 1e-12) << c.name;
    EXPECT_EQ(r->standardError, 0.0) << c.name;
  }
  EXPECT_NEAR(std::exp(analysis::LogTableProbability(Counts(2, {{0, 1, 4}}))), 8.0 / 35, 1e-12);
}

TEST(HardyWeinberg, NothingToTestWithOneAlleleOrNoneAndTheWalkStopsAtTheLimit) {
  EXPECT_FALSE(analysis::HardyWeinbergTest(Counts(1, {{0, 0, 5}})));
  EXPECT_FALSE(analysis::HardyWeinbergTest(Counts(3, {{1, 1, 5}})));
  EXPECT_FALSE(analysis::HardyWeinbergTest(Counts(2, {})));
  // Two alleles of four copies each: three tables (see above).
  HweSettings limit;
  limit.enumerationLimit = 3;
  EXPECT_EQ(analysis::HardyWeinbergTest(Counts(2, {{0, 1, 4}}), limit)->method, HweMethod::Exact);
  limit.enumerationLimit = 2;
  EXPECT_EQ(analysis::HardyWeinbergTest(Counts(2, {{0, 1, 4}}), limit)->method, HweMethod::Chain);
}

// Every `inbred`-th individual homozygous, so that tables stray from the null.
GenotypeCounts RandomTable(std::mt19937& rng, int alleles, int individuals, int inbred = 3) {
  std::uniform_int_distribution<int> allele(0, alleles - 1);
  GenotypeCounts c(alleles);
  for (int v = 0; v < individuals; ++v) {
    const int a = allele(rng), b = allele(rng);
    if (v % inbred == 0) {
      c.Add(a, a);
    } else {
      c.Add(std::min(a, b), std::max(a, b));
    }
  }
  return c;
}

TEST(HardyWeinberg, ChainAgreesWithTheWalkWithinItsStandardError) {
  std::mt19937 rng(9);
  struct Size {
    int alleles, individuals;
  };
  for (const Size size : {Size{2, 40}, Size{3, 30}, Size{3, 60}, Size{4, 14}, Size{5, 9}}) {
    const GenotypeCounts c = RandomTable(rng, size.alleles, size.individuals);
    const auto exact = analysis::HardyWeinbergTest(c);
    const auto chain = analysis::HardyWeinbergTest(c, ChainOnly());
    ASSERT_TRUE(exact && chain);
    ASSERT_EQ(exact->method, HweMethod::Exact) << size.alleles << " alleles";
    ASSERT_EQ(chain->method, HweMethod::Chain);
    EXPECT_NEAR(chain->p, exact->p, 4 * chain->standardError + 1e-3)
        << size.alleles << " alleles, " << size.individuals << " individuals; exact " << exact->p
        << ", chain " << chain->p << " +- " << chain->standardError;
  }
}

TEST(HardyWeinberg, LargeTablesGoToTheChainAndRepeat) {
  std::mt19937 rng(3);
  // A third of the individuals homozygous is far from the null; one in
  // twenty is close to it.
  const GenotypeCounts far = RandomTable(rng, 12, 400), near = RandomTable(rng, 12, 400, 20);
  const auto farTest = analysis::HardyWeinbergTest(far);
  ASSERT_TRUE(farTest);
  EXPECT_EQ(farTest->method, HweMethod::Chain);
  EXPECT_LT(farTest->p, 0.001);
  const auto first = analysis::HardyWeinbergTest(near), second = analysis::HardyWeinbergTest(near);
  ASSERT_TRUE(first && second);
  EXPECT_GT(first->p, 0.01);
  EXPECT_GT(first->standardError, 0.0);
  EXPECT_EQ(first->p, second->p);
  EXPECT_EQ(first->standardError, second->standardError);
}

// Chains over the same number of alleles walk in step on one stream of
// draws; each must answer exactly as it does alone, whatever the mix of
// allele counts and sizes, and with batches that end inside a stretch of
// draws.
TEST(HardyWeinberg, ChainsWalkedTogetherAnswerAsEachAlone) {
  std::mt19937 rng(11);
  std::vector<GenotypeCounts> tables;
  for (const int alleles : {2, 12, 3, 12, 5, 2, 12}) {
    const auto plan =
        analysis::PlanHardyWeinbergTest(RandomTable(rng, alleles, 20 * alleles), ChainOnly());
    ASSERT_TRUE(std::holds_alternative<GenotypeCounts>(plan)) << alleles << " alleles";
    tables.push_back(std::get<GenotypeCounts>(plan));
  }
  analysis::HweChainSettings settings;
  settings.dememorisation = 300;
  settings.batches = 7;
  settings.stepsPerBatch = 700;
  const auto together = analysis::hwe::RunChains(tables, settings);
  ASSERT_EQ(together.size(), tables.size());
  for (size_t t = 0; t < tables.size(); ++t) {
    const analysis::HweResult alone = analysis::hwe::RunChain(tables[t], settings);
    EXPECT_EQ(together[t].p, alone.p) << "table " << t;
    EXPECT_EQ(together[t].standardError, alone.standardError) << "table " << t;
  }
}

}  // namespace
