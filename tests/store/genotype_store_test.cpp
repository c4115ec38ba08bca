// The genotype store's tables: ordering, tallies, symbols, limits, clearing,
// the splitting of SSR texts and the display rounding.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "store/GenotypeStore.h"

namespace {

using store::GenotypeStore;
using Ints = std::vector<int>;
using Logged = std::tuple<std::string, int, int>;

struct Store : ::testing::Test {
  std::unique_ptr<GenotypeStore> s = std::make_unique<GenotypeStore>();
  std::vector<Logged> log;
  void SetUp() override {
    s->ErrorOut = [this](const std::string& msg, int v, int m) { log.emplace_back(msg, v, m); };
  }
  Ints Sizes(int m) { return Ints(&s->AlleleValue[m][1], &s->AlleleValue[m][1] + s->AlleleNum[m]); }
  Ints Tallies(int m) {
    return Ints(&s->AlleleTally[m][1], &s->AlleleTally[m][1] + s->AlleleNum[m]);
  }
  Ints Split(std::u16string d) {
    Ints parts;
    do parts.push_back(s->Separate(d));
    while (!d.empty());
    return parts;
  }
};

TEST_F(Store, AllelesAreSortedCountedAndNamedByRank) {
  for (int16_t x : {152, 150, 152, 148}) s->AlleleAdd(1, x);
  EXPECT_EQ(Sizes(1), (Ints{148, 150, 152}));
  EXPECT_EQ(Tallies(1), (Ints{1, 1, 2}));
  EXPECT_EQ(s->SearchAllele(1, 148), u"A");
  EXPECT_EQ(s->SearchAllele(1, 152), u"C");
  EXPECT_EQ(s->SearchAllele(1, 154), u"*");
  EXPECT_EQ(s->SearchAllele(2, 0), u"*");
  // A size of 0 is an allele like any other, not a free slot.
  for (int16_t x : {0, 5, 0, -3}) s->AlleleAdd(2, x);
  EXPECT_EQ(Sizes(2), (Ints{-3, 0, 5}));
  EXPECT_EQ(Tallies(2), (Ints{1, 2, 1}));

  for (char16_t c : {u'b', u'A', u'b', u'a', u'ｦ', u'0'}) s->chrAlleleAdd(3, c);
  EXPECT_EQ(s->AlleleText[3], u"0Aabｦ");
  EXPECT_EQ(Tallies(3), (Ints{1, 1, 1, 2, 1}));
}

TEST_F(Store, GenotypesSortByCodeAndAreCounted) {
  for (const char16_t* g : {u"AB", u"AA", u"0A", u"AB", u"Aｱ", u"aa"}) s->GenotypeAdd(2, g);
  ASSERT_EQ(s->GenoNum[2], 5);
  const std::u16string expected[] = {u"0A", u"AA", u"AB", u"Aｱ", u"aa"};
  for (int g = 1; g <= 5; ++g) EXPECT_EQ(s->GenoText(2, g), expected[g - 1]);
  EXPECT_EQ(s->SearchGeno(2, u"AB"), 2);
  EXPECT_EQ(s->SearchGeno(2, u"BA"), 0);
  EXPECT_EQ(GenotypeStore::SortString(u"ｦA"), u"Aｦ");
  EXPECT_EQ(GenotypeStore::SortString(u"ﾝｦ"), u"ｦﾝ");  // by code, not by alphabet position
}

TEST_F(Store, FullTablesRejectNewValuesButCountKnownOnes) {
  const std::u16string& alphabet = store::AlleleAlphabet();
  ASSERT_EQ(alphabet.size(), 103u);
  for (int x = 103; x >= 1; --x) s->AlleleAdd(3, static_cast<int16_t>(2 * x));
  EXPECT_EQ(s->SearchAllele(3, 206), u"ﾝ");
  EXPECT_EQ(s->SearchAllele(3, 2 * 63), u"ｱ");
  EXPECT_EQ(s->AlleleOverflowFlag, store::kFalse);
  s->AlleleAdd(3, 207);  // new, above every size
  s->AlleleAdd(3, 1);    // new, below every size
  s->AlleleAdd(3, 100);  // known
  EXPECT_EQ(s->AlleleOverflowFlag, store::kTrue);
  EXPECT_EQ(s->AlleleNum[3], 103);
  EXPECT_EQ(s->AlleleValue[3][1], 2);
  EXPECT_EQ(s->AlleleTally[3][50], 2);
  for (char16_t c : alphabet) s->chrAlleleAdd(4, c);
  s->chrAlleleAdd(4, u'!');
  EXPECT_EQ(s->AlleleText[4].size(), 103u);

  for (int i = 0; i < 250; ++i) s->GenotypeAdd(5, {alphabet[i / 100], alphabet[i % 100]});
  s->GenotypeAdd(5, u"AA");
  EXPECT_EQ(s->GenoOverflowFlag, store::kFalse);
  s->GenotypeAdd(5, u"!!");
  EXPECT_EQ(s->GenoOverflowFlag, store::kTrue);
  EXPECT_EQ(s->SearchGeno(5, u"AA"), 2);
  EXPECT_EQ(s->SearchGeno(5, u"!!"), 0);
  EXPECT_EQ(log, (std::vector<Logged>{{"Too Many Alleles", 0, 3},
                                      {"Too Many Alleles", 0, 3},
                                      {"Too Many Alleles", 0, 4},
                                      {"Too Many Genotypes", 0, 5}}));

  s->ErrorRow = 70000;
  s->AlleleDataClear();
  s->GenoDataClear();
  s->ResetFlags();
  EXPECT_EQ(s->AlleleNum[3] + s->AlleleValue[3][103] + s->AlleleTally[3][1], 0);
  EXPECT_TRUE(s->AlleleText[4].empty());
  EXPECT_EQ(s->GenoNum[5] + s->GenoTally[5][250], 0);
  EXPECT_TRUE(s->GenoText(5, 250).empty());
  EXPECT_EQ(s->AlleleOverflowFlag + s->GenoOverflowFlag + s->ErrorRow, 0);
}

TEST_F(Store, SeparateYieldsRoundedSizesOrTheNonNumericMark) {
  const int nn = store::kNonNumeric;
  EXPECT_EQ(Split(u"150/152"), (Ints{150, 152}));
  EXPECT_EQ(Split(u"150/"), (Ints{150}));
  EXPECT_EQ(Split(u" +1.5e2 / -12 "), (Ints{150, -12}));
  EXPECT_EQ(Split(u"150.5/151.5/.5/-2.5"), (Ints{150, 152, 0, -2}));
  EXPECT_EQ(Split(u"32767/-32768"), (Ints{32767, -32768}));
  EXPECT_EQ(s->NonNumericFlag, store::kFalse);
  EXPECT_EQ(Split(u"/150"), (Ints{nn, 150}));
  EXPECT_EQ(s->NonNumericFlag, store::kTrue);
  EXPECT_EQ(Split(u"150//152"), (Ints{150, nn, 152}));
  // Out of the 16-bit range (32767.5 rounds to 32768) or not a plain number.
  for (const char16_t* bad : {u"abc", u"40000", u"32767.5", u"1e", u"1 5", u"１５０", u"150bp"}) {
    s->NonNumericFlag = store::kFalse;
    EXPECT_EQ(Split(bad), (Ints{nn})) << store::ToUtf8(bad);
    EXPECT_EQ(s->NonNumericFlag, store::kTrue);
  }
}

TEST_F(Store, GenotypeTextsShowSizesForSsrOnly) {
  for (int16_t x : {150, 152}) s->AlleleAdd(1, x);
  for (int16_t x : {-5, 0}) s->AlleleAdd(2, x);
  s->DataType = "ssr";
  EXPECT_EQ(s->MakeGenoStr(1, u"AB"), "'150/152");
  EXPECT_EQ(s->MakeGenoStr(1, u"A*"), "'150/");
  EXPECT_EQ(s->MakeGenoStr(1, u"A"), "'150");
  EXPECT_EQ(s->MakeGenoStr(2, u"AB"), "'-5/");  // 0 shows as nothing
  s->DataType = "chr";
  EXPECT_EQ(s->MakeGenoStr(1, u"Ab"), "Ab");
}

TEST(TextConversion, RoundTripsAndReplacesBrokenInput) {
  const std::string mixed = "Ab ｱﾝ 品種 \xF0\x9F\x8C\xB1";  // with a character beyond 16 bits
  EXPECT_EQ(store::ToUtf8(store::ToU16(mixed)), mixed);
  EXPECT_EQ(store::ToU16("a\xFFz"), u"a\uFFFDz");
  EXPECT_EQ(store::ToU16("\xE3\x81x"), u"\uFFFDx");       // cut short before an ASCII byte
  EXPECT_EQ(store::ToU16("\xED\xA0\x80"), u"\uFFFD");     // an encoded surrogate
  EXPECT_EQ(store::ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");  // an unpaired surrogate
}

TEST(RoundHalfEven, RoundsTheScaledValueTiesToEven) {
  EXPECT_EQ(store::RoundHalfEven(1.0 / 160, 4), 0.0062);
  EXPECT_EQ(store::RoundHalfEven(0.0625, 3), 0.062);
  EXPECT_EQ(store::RoundHalfEven(-0.0625, 3), -0.062);
  EXPECT_EQ(store::RoundHalfEven(0.0375, 3), 0.038);
}

}  // namespace
