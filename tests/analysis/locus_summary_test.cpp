// The locus table on markers whose figures are worked by hand.
#include <gtest/gtest.h>

#include <optional>
#include <random>

#include "analysis/LocusSummary.h"
#include "support/Tallied.h"

namespace {

using analysis::LocusRow;
using testsupport::Tallied;

// Four varieties; rows are varieties, columns markers.
//   M1 all heterozygous  AB AB AB AB   p = 1/2, 1/2
//   M2 all homozygous    AA AA BB BB   p = 1/2, 1/2
//   M3 one allele        AA AA -- AA
//   M4 untyped
//   M5 three alleles     AB CC AC --   p = 2/6, 1/6, 3/6
const std::vector<std::vector<std::u16string>> kTable = {{u"AB", u"AA", u"AA", u"", u"AB"},
                                                         {u"AB", u"AA", u"AA", u"", u"CC"},
                                                         {u"AB", u"BB", u"", u"", u"AC"},
                                                         {u"AB", u"BB", u"AA", u"", u""}};

struct Expected {
  int typed;
  double missingPct;
  int alleles;
  std::optional<double> ne, ho, he, uhe, pic, f, nullFreq, hweP, pi, piSib;
};

constexpr std::nullopt_t kNone = std::nullopt;
// M5: sum p^2 = 14/36 = 7/18, sum p^4 = 98/1296; the pairs give
// (2*2/6*1/6)^2 + (2*2/6*3/6)^2 + (2*1/6*3/6)^2 = (16 + 144 + 36)/1296, so PI = 294/1296.
// PIC = 1 - 7/18 - 2(4*1 + 4*9 + 1*9)/1296 = 11/18 - 98/1296.
constexpr double kS2 = 7.0 / 18, kS4 = 98.0 / 1296;
const Expected kRows[] = {
    // N  miss%  Na  Ne  Ho  He   uHe       PIC    F   null  HWE p (by hand, see the HWE test)
    {4, 0, 2, 2, 1, .5, 4.0 / 7, .375, -1, -1.0 / 3, 11.0 / 35, .375, 0.59375},
    {4, 0, 2, 2, 0, .5, 4.0 / 7, .375, 1, 1.0 / 3, 3.0 / 35, .375, 0.59375},
    {3, 25, 1, 1, 0, 0, 0, 0, kNone, 0, kNone, 1, 1},
    {0, 100, 0, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone},
    {3, 25, 3, 18.0 / 7, 2.0 / 3, 11.0 / 18, 6.0 / 5 * 11 / 18, 11.0 / 18 - 98.0 / 1296,
     1 - (2.0 / 3) / (11.0 / 18), (11.0 / 18 - 2.0 / 3) / (1 + 11.0 / 18),
     // With A 2, B 1, C 3 the tables are {AB AC CC} 0.4, {AA BC CC} 0.2 and
     // {AC AC BC} 0.4 (constant 3!2!1!3!/6! = 0.1 times 2^H / prod n_g!).
     1.0, 294.0 / 1296, 0.25 + 0.5 * kS2 + 0.5 * kS2* kS2 - 0.25 * kS4},
};

void ExpectNear(const std::optional<double>& got, const std::optional<double>& want,
                const char* what, int marker) {
  ASSERT_EQ(got.has_value(), want.has_value()) << what << " of M" << marker;
  if (want) {
    EXPECT_NEAR(*got, *want, 1e-12) << what << " of M" << marker;
  }
}

TEST(LocusSummary, EveryFigureOfHandWorkedMarkers) {
  const analysis::LocusTable t = analysis::SummarizeLoci(Tallied(kTable));
  ASSERT_EQ(t.rows.size(), std::size(kRows));
  for (size_t k = 0; k < t.rows.size(); ++k) {
    const LocusRow& r = t.rows[k];
    const Expected& e = kRows[k];
    const int m = static_cast<int>(k) + 1;
    EXPECT_EQ(r.marker, m);
    EXPECT_EQ(r.typed, e.typed) << "N of M" << m;
    EXPECT_DOUBLE_EQ(r.missingPct, e.missingPct) << "missing of M" << m;
    EXPECT_EQ(r.alleles, e.alleles) << "Na of M" << m;
    ExpectNear(r.ne, e.ne, "Ne", m);
    ExpectNear(r.ho, e.ho, "Ho", m);
    ExpectNear(r.he, e.he, "He", m);
    ExpectNear(r.uhe, e.uhe, "uHe", m);
    ExpectNear(r.pic, e.pic, "PIC", m);
    ExpectNear(r.f, e.f, "F", m);
    ExpectNear(r.nullFreq, e.nullFreq, "null", m);
    ExpectNear(r.hwe ? std::optional<double>(r.hwe->p) : std::nullopt, e.hweP, "HWE p", m);
    ExpectNear(r.pi, e.pi, "PI", m);
    ExpectNear(r.piSib, e.piSib, "PIsib", m);
  }
}

// The informative order and the markers needed are the golden workbooks'.
TEST(LocusSummary, RunningProductsInTableOrderSkipAnUntypedMarker) {
  const analysis::LocusTable t = analysis::SummarizeLoci(Tallied(kTable));
  const double pi5 = 294.0 / 1296, sib5 = 0.25 + 0.5 * kS2 + 0.5 * kS2 * kS2 - 0.25 * kS4;
  // Table order; the untyped M4 has no value of its own and leaves the product as it is.
  const std::optional<double> piCum[] = {.375, .375 * .375, .375 * .375, kNone, .375 * .375 * pi5};
  const std::optional<double> sibCum[] = {.59375, .59375 * .59375, .59375 * .59375, kNone,
                                          .59375 * .59375 * sib5};
  for (int k = 0; k < 5; ++k) {
    ExpectNear(t.rows[k].piCum, piCum[k], "PI_cum", k + 1);
    ExpectNear(t.rows[k].piSibCum, sibCum[k], "PIsib_cum", k + 1);
  }
}

TEST(LocusSummary, MeansOverTheValuesEachColumnShows) {
  const analysis::LocusMeans m = analysis::SummarizeLoci(Tallied(kTable)).means;
  const std::optional<double> got[] = {m.typed, m.alleles, m.ne, m.ho, m.he, m.uhe, m.pic, m.f};
  const std::optional<double> want[] = {(4 + 4 + 3 + 0 + 3) / 5.0,
                                        (2 + 2 + 1 + 0 + 3) / 5.0,
                                        (2 + 2 + 1 + 18.0 / 7) / 4,
                                        (1 + 0 + 0 + 2.0 / 3) / 4,
                                        (.5 + .5 + 0 + 11.0 / 18) / 4,
                                        (4.0 / 7 + 4.0 / 7 + 0 + 6.0 / 5 * 11 / 18) / 4,
                                        (.375 + .375 + 0 + 11.0 / 18 - 98.0 / 1296) / 4,
                                        (-1 + 1 + 1 - (2.0 / 3) / (11.0 / 18)) / 3};
  const char* names[] = {"N", "Na", "Ne", "Ho", "He", "uHe", "PIC", "F"};
  for (size_t k = 0; k < std::size(want); ++k) ExpectNear(got[k], want[k], names[k], 0);
}

TEST(LocusSummary, SingleVarietyAndNoMarkerReached) {
  // One variety: uHe = 2/1 * He, the only table is the observed one, and a
  // single marker brings PI below 1/1.
  const analysis::LocusTable one = analysis::SummarizeLoci(Tallied({{u"AB"}}));
  ASSERT_TRUE(one.rows[0].uhe && one.rows[0].hwe);
  EXPECT_DOUBLE_EQ(*one.rows[0].uhe, 1.0);
  EXPECT_DOUBLE_EQ(one.rows[0].hwe->p, 1.0);
  EXPECT_EQ(one.markersForPi, 1);
  // Identical monomorphic markers never bring PI below anything.
  const analysis::LocusTable mono = analysis::SummarizeLoci(Tallied({{u"AA"}, {u"AA"}}));
  EXPECT_FALSE(mono.markersForPi || mono.markersForPiSib);
  EXPECT_FALSE(mono.rows[0].hwe);
}

TEST(LocusSummary, ChainResultsDoNotDependOnTheThreads) {
  // Six alleles over 80 varieties: too many tables to walk.
  std::mt19937 rng(17);
  std::uniform_int_distribution<int> allele(0, 5);
  std::vector<std::vector<std::u16string>> rows(80);
  for (auto& row : rows)
    for (int m = 0; m < 6; ++m)
      row.push_back(
          {static_cast<char16_t>(u'A' + allele(rng)), static_cast<char16_t>(u'A' + allele(rng))});
  const store::GenotypeStore s = Tallied(rows);
  const analysis::LocusTable one = analysis::SummarizeLoci(s, {}, 1);
  const analysis::LocusTable three = analysis::SummarizeLoci(s, {}, 3);
  for (int m = 0; m < 6; ++m) {
    ASSERT_TRUE(one.rows[m].hwe && three.rows[m].hwe);
    EXPECT_EQ(one.rows[m].hwe->method, analysis::HweMethod::Chain);
    EXPECT_EQ(one.rows[m].hwe->p, three.rows[m].hwe->p) << m;
    EXPECT_EQ(one.rows[m].hwe->standardError, three.rows[m].hwe->standardError) << m;
  }
}

}  // namespace
