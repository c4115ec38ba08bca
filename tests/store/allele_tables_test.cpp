// Allele and genotype tables: ordering, tallies, symbols, limits and clearing.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "store/GenotypeStore.h"

namespace {

using store::GenotypeStore;
using Logged = std::tuple<std::string, int, int>;

// Stores are large; keep them off the stack and record what they report.
struct Fixture : ::testing::Test {
  std::unique_ptr<GenotypeStore> s = std::make_unique<GenotypeStore>();
  std::vector<Logged> log;
  void SetUp() override {
    s->ErrorOut = [this](const std::string& msg, int v, int m) { log.emplace_back(msg, v, m); };
  }
};

using AlleleTable = Fixture;
using GenotypeTable = Fixture;
using StoreLifecycle = Fixture;

TEST_F(AlleleTable, SizesAreSortedCountedAndNamedByRank) {
  for (int16_t x : {152, 150, 152, 148}) s->AlleleAdd(1, x);
  EXPECT_EQ(s->AlleleNum[1], 3);
  EXPECT_EQ(s->AlleleValue[1][1], 148);
  EXPECT_EQ(s->AlleleValue[1][2], 150);
  EXPECT_EQ(s->AlleleValue[1][3], 152);
  EXPECT_EQ(s->AlleleTally[1][1], 1);
  EXPECT_EQ(s->AlleleTally[1][2], 1);
  EXPECT_EQ(s->AlleleTally[1][3], 2);
  EXPECT_EQ(s->AlleleValue[1][4], 0);
  EXPECT_EQ(s->SearchAllele(1, 148), u"A");
  EXPECT_EQ(s->SearchAllele(1, 152), u"C");
  EXPECT_EQ(s->SearchAllele(1, 154), u"*");
  EXPECT_EQ(s->SearchAllele(2, 0), u"*");  // an empty marker knows no allele, not even 0
  EXPECT_EQ(s->AlleleNum[2], 0);
}

TEST_F(AlleleTable, SizeZeroAndNegativeSizesAreOrdinaryAlleles) {
  for (int16_t x : {0, 5, 0, -3, 0}) s->AlleleAdd(1, x);
  ASSERT_EQ(s->AlleleNum[1], 3);
  EXPECT_EQ(s->AlleleValue[1][1], -3);
  EXPECT_EQ(s->AlleleValue[1][2], 0);
  EXPECT_EQ(s->AlleleValue[1][3], 5);
  EXPECT_EQ(s->AlleleTally[1][2], 3);
  EXPECT_EQ(s->SearchAllele(1, 0), u"B");
}

TEST_F(AlleleTable, CharacterAllelesSortByCode) {
  for (char16_t c : {u'b', u'A', u'b', u'a'}) s->chrAlleleAdd(1, c);
  EXPECT_EQ(s->AlleleText[1], u"Aab");
  EXPECT_EQ(s->AlleleNum[1], 3);
  EXPECT_EQ(s->AlleleTally[1][1], 1);
  EXPECT_EQ(s->AlleleTally[1][2], 1);
  EXPECT_EQ(s->AlleleTally[1][3], 2);
  s->chrAlleleAdd(1, u'ｦ');
  s->chrAlleleAdd(1, u'0');
  EXPECT_EQ(s->AlleleText[1], u"0Aabｦ");
  EXPECT_EQ(s->AlleleTally[1][4], 2);  // b kept its tally while moving up
}

TEST_F(AlleleTable, TheHundredAndFourthAlleleOverflows) {
  for (int16_t x = 103; x >= 1; --x) s->AlleleAdd(3, static_cast<int16_t>(x * 2));
  ASSERT_EQ(s->AlleleNum[3], 103);
  EXPECT_EQ(s->SearchAllele(3, 206), u"ﾝ");
  EXPECT_EQ(s->AlleleOverflowFlag, store::kFalse);
  EXPECT_TRUE(log.empty());

  s->AlleleAdd(3, 207);  // new, above every size
  s->AlleleAdd(3, 1);    // new, below every size
  s->AlleleAdd(3, 100);  // present: still counted
  EXPECT_EQ(s->AlleleOverflowFlag, store::kTrue);
  EXPECT_EQ(s->AlleleNum[3], 103);
  EXPECT_EQ(s->AlleleValue[3][1], 2);
  EXPECT_EQ(s->AlleleTally[3][50], 2);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0], Logged("Too Many Alleles", 0, 3));

  const std::u16string& alphabet = store::AlleleAlphabet();
  for (char16_t c : alphabet) s->chrAlleleAdd(4, c);
  EXPECT_EQ(s->AlleleNum[4], 103);
  s->chrAlleleAdd(4, u'!');
  EXPECT_EQ(s->AlleleText[4].size(), 103u);
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(GenotypeTable, GenotypesSortOrdinallyAndAreCounted) {
  for (const char16_t* g : {u"AB", u"AA", u"0A", u"AB", u"Aｱ", u"aa"}) s->GenotypeAdd(2, g);
  ASSERT_EQ(s->GenoNum[2], 5);
  EXPECT_EQ(s->GenoText(2, 1), u"0A");
  EXPECT_EQ(s->GenoText(2, 2), u"AA");
  EXPECT_EQ(s->GenoText(2, 3), u"AB");
  EXPECT_EQ(s->GenoText(2, 4), u"Aｱ");
  EXPECT_EQ(s->GenoText(2, 5), u"aa");
  EXPECT_EQ(s->SearchGeno(2, u"AB"), 2);
  EXPECT_EQ(s->SearchGeno(2, u"BA"), 0);
  EXPECT_EQ(s->SearchGeno(1, u"AB"), 0);
}

TEST_F(GenotypeTable, AFullTableCountsKnownGenotypesAndRejectsNewOnes) {
  const std::u16string& alphabet = store::AlleleAlphabet();
  for (int i = 0; i < 250; ++i) {
    s->GenotypeAdd(5, std::u16string{alphabet[i / 100], alphabet[i % 100]});
  }
  ASSERT_EQ(s->GenoNum[5], 250);
  s->GenotypeAdd(5, u"AA");
  EXPECT_EQ(s->GenoOverflowFlag, store::kFalse);
  EXPECT_EQ(s->SearchGeno(5, u"AA"), 2);
  s->GenotypeAdd(5, u"!!");
  s->GenotypeAdd(5, u"ﾝﾝ");
  EXPECT_EQ(s->GenoOverflowFlag, store::kTrue);
  EXPECT_EQ(s->GenoNum[5], 250);
  EXPECT_EQ(s->SearchGeno(5, u"!!"), 0);
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[1], Logged("Too Many Genotypes", 0, 5));
}

TEST_F(StoreLifecycle, ClearingEmptiesTheWholeCapacity) {
  s->AlleleAdd(250, 7);
  s->chrAlleleAdd(1, u'A');
  s->GenotypeAdd(250, u"AA");
  s->NonNumericFlag = s->GenoOverflowFlag = s->TooManyMarkersFlag = store::kTrue;
  s->ErrorRow = 70000;
  s->AlleleDataClear();
  s->GenoDataClear();
  s->ResetFlags();
  EXPECT_EQ(s->AlleleNum[250], 0);
  EXPECT_EQ(s->AlleleValue[250][1], 0);
  EXPECT_EQ(s->AlleleTally[250][1], 0);
  EXPECT_TRUE(s->AlleleText[1].empty());
  EXPECT_EQ(s->GenoNum[250], 0);
  EXPECT_TRUE(s->GenoText(250, 1).empty());
  EXPECT_EQ(s->GenoTally[250][1], 0);
  EXPECT_EQ(s->NonNumericFlag, store::kFalse);
  EXPECT_EQ(s->GenoOverflowFlag, store::kFalse);
  EXPECT_EQ(s->TooManyMarkersFlag, store::kFalse);
  EXPECT_EQ(s->ErrorRow, 0);
  s->AlleleAdd(250, 9);  // a cleared table fills again from slot 1
  EXPECT_EQ(s->AlleleValue[250][1], 9);
}

}  // namespace
