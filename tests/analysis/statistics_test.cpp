// Frequencies, HE, HO and PIC of small markers worked out by hand.
#include "analysis/Statistics.h"

#include <gtest/gtest.h>

#include "support/Tallied.h"

namespace analysis_test {
namespace {

using testsupport::Tallied;

TEST(MarkerStats, HeterozygosityAndPicOfSmallMarkers) {
  // One marker per case; rows are varieties.
  const std::vector<std::vector<std::u16string>> cases[] = {
      {{u"AB"}},                                // two alleles of equal count
      {{u"AB"}, {u"CC"}},                       // counts 1, 1, 2
      {{u"AB"}, {u"CD"}},                       // four of equal count
      {{u"AB"}, {u"BC"}, {u"CA"}},              // three of equal count, all heterozygous
      {{u"AA"}, {u"AA"}, {u"A"}},               // monomorphic
      {{u"ABA"}, {u"ABB"}, {u"aA"}, {u"AA"}}};  // A 6, B 3, a 1; first against last symbol
  const double hoHePic[][3] = {{1, 0.5, 0.375},     {0.5, 0.625, 0.5546875},
                               {1, 0.75, 0.703125}, {1, 2.0 / 3, 0.5925926},
                               {0, 0, 0},           {0.5, 0.54, 0.4662}};
  for (size_t k = 0; k < std::size(cases); ++k) {
    const analysis::MarkerStatistics st = analysis::MarkerStats(Tallied(cases[k]), 1);
    ASSERT_TRUE(st.ho && st.he && st.pic) << "case " << k;
    EXPECT_NEAR(*st.ho, hoHePic[k][0], 1e-12) << "HO, case " << k;
    EXPECT_NEAR(*st.he, hoHePic[k][1], 1e-12) << "HE, case " << k;
    EXPECT_NEAR(*st.pic, hoHePic[k][2], 1e-4) << "PIC, case " << k;
  }
  const analysis::MarkerStatistics two = analysis::MarkerStats(Tallied(cases[1]), 1);
  EXPECT_EQ(two.alleleRates, (std::vector<double>{0.25, 0.25, 0.5}));
  EXPECT_EQ(two.genotypeRates, (std::vector<double>{0.5, 0.5}));
}

}  // namespace
}  // namespace analysis_test
