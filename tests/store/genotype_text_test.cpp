// Splitting SSR cell texts, genotype display texts, the alphabet and rounding.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "store/GenotypeStore.h"

namespace {

using store::GenotypeStore;

std::vector<int> SplitAll(GenotypeStore& s, std::u16string d) {
  std::vector<int> parts;
  do parts.push_back(s.Separate(d));
  while (!d.empty());
  return parts;
}

TEST(Separate, YieldsAllelesLeftToRight) {
  auto s = std::make_unique<GenotypeStore>();
  EXPECT_EQ(SplitAll(*s, u"150/152"), (std::vector<int>{150, 152}));
  EXPECT_EQ(SplitAll(*s, u"150"), (std::vector<int>{150}));
  EXPECT_EQ(SplitAll(*s, u"150/"), (std::vector<int>{150}));
  EXPECT_EQ(SplitAll(*s, u" +1.5e2 / -12 "), (std::vector<int>{150, -12}));
  EXPECT_EQ(SplitAll(*s, u"150.5/151.5/.5/-2.5"), (std::vector<int>{150, 152, 0, -2}));
  EXPECT_EQ(SplitAll(*s, u"32767/-32768"), (std::vector<int>{32767, -32768}));
  EXPECT_EQ(s->NonNumericFlag, store::kFalse);

  std::u16string d = u"150/152";
  EXPECT_EQ(s->Separate(d), 150);
  EXPECT_EQ(d, u"152");
}

TEST(Separate, MarksWhatIsNotA16BitNumber) {
  auto s = std::make_unique<GenotypeStore>();
  std::u16string d = u"abc";
  EXPECT_EQ(s->Separate(d), store::kNonNumeric);
  EXPECT_TRUE(d.empty());
  EXPECT_EQ(s->NonNumericFlag, store::kTrue);

  const int nn = store::kNonNumeric;
  EXPECT_EQ(SplitAll(*s, u"/150"), (std::vector<int>{nn, 150}));
  EXPECT_EQ(SplitAll(*s, u"150//152"), (std::vector<int>{150, nn, 152}));
  // Out of the 16-bit range (32767.5 rounds to 32768), half-formed numbers,
  // full-width digits and blank parts are all not numeric.
  for (const char16_t* bad : {u"40000", u"-32769", u"32767.5", u"1e9", u"1e", u".", u"-", u"1 5",
                              u"１５０", u"  ", u"0x10", u"1,5", u"150bp"}) {
    s->NonNumericFlag = store::kFalse;
    std::u16string t = bad;
    EXPECT_EQ(s->Separate(t), nn) << store::ToUtf8(bad);
    EXPECT_EQ(s->NonNumericFlag, store::kTrue);
  }
}

TEST(MakeGenoStr, WritesSizesBehindAnApostropheForSsrOnly) {
  auto s = std::make_unique<GenotypeStore>();
  s->AlleleAdd(1, 150);
  s->AlleleAdd(1, 152);
  s->AlleleAdd(2, -5);
  s->AlleleAdd(2, 0);
  s->DataType = "ssr";
  EXPECT_EQ(s->MakeGenoStr(1, u"AB"), "'150/152");
  EXPECT_EQ(s->MakeGenoStr(1, u"AA"), "'150/150");
  EXPECT_EQ(s->MakeGenoStr(1, u"A*"), "'150/");
  EXPECT_EQ(s->MakeGenoStr(1, u"A"), "'150");
  EXPECT_EQ(s->MakeGenoStr(2, u"AB"), "'-5/");  // 0 shows as nothing
  s->DataType = "chr";
  EXPECT_EQ(s->MakeGenoStr(1, u"Ab"), "Ab");
  EXPECT_EQ(s->MakeGenoStr(1, u"ｱﾝ"), "ｱﾝ");
}

TEST(SortString, OrdersTwoCharactersOnly) {
  EXPECT_EQ(GenotypeStore::SortString(u"ｦA"), u"Aｦ");
  EXPECT_EQ(GenotypeStore::SortString(u"ﾝｦ"), u"ｦﾝ");  // by code, not alphabet position
  EXPECT_EQ(GenotypeStore::SortString(u"BA"), u"AB");
  EXPECT_EQ(GenotypeStore::SortString(u"aB"), u"Ba");
  EXPECT_EQ(GenotypeStore::SortString(u"AA"), u"AA");
  EXPECT_EQ(GenotypeStore::SortString(u"CBA"), u"CBA");
  EXPECT_EQ(GenotypeStore::SortString(u"B"), u"B");
  EXPECT_EQ(GenotypeStore::SortString(u""), u"");
}

TEST(AlleleAlphabet, HasOneSymbolPerSlot) {
  const std::u16string& a = store::AlleleAlphabet();
  ASSERT_EQ(a.size(), 103u);
  EXPECT_EQ(a[0], u'A');
  EXPECT_EQ(a[25], u'Z');
  EXPECT_EQ(a[26], u'a');
  EXPECT_EQ(a[52], u'0');
  EXPECT_EQ(a[61], u'9');
  EXPECT_EQ(a[62], u'ｱ');
  EXPECT_EQ(a[100], u'ﾜ');
  EXPECT_EQ(a[101], u'ｦ');
  EXPECT_EQ(a[102], u'ﾝ');
  for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a.find(a[i]), i) << "duplicate at " << i;
}

TEST(TextConversion, RoundTripsAndReplacesBrokenInput) {
  const std::string mixed = "Ab ｱﾝ 品種 \xF0\x9F\x8C\xB1";  // with a character beyond 16 bits
  EXPECT_EQ(store::ToUtf8(store::ToU16(mixed)), mixed);
  EXPECT_EQ(store::ToU16("ｱ"), u"ｱ");
  EXPECT_EQ(store::ToU16("\xF0\x9F\x8C\xB1").size(), 2u);
  EXPECT_EQ(store::ToU16("a\xFFz"), u"a\uFFFDz");
  EXPECT_EQ(store::ToU16("a\xE3\x81"), u"a\uFFFD");      // cut short at the end
  EXPECT_EQ(store::ToU16("\xE3\x81x"), u"\uFFFDx");      // cut short before an ASCII byte
  EXPECT_EQ(store::ToU16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong slash
  EXPECT_EQ(store::ToU16("\xED\xA0\x80"), u"\uFFFD");    // an encoded surrogate
  EXPECT_EQ(store::ToUtf8(std::u16string(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
}

TEST(RoundHalfEven, RoundsTheScaledValueTiesToEven) {
  EXPECT_EQ(store::RoundHalfEven(1.0 / 160, 4), 0.0062);
  EXPECT_EQ(store::RoundHalfEven(0.0625, 3), 0.062);
  EXPECT_EQ(store::RoundHalfEven(-0.0625, 3), -0.062);
  EXPECT_EQ(store::RoundHalfEven(0.0375, 3), 0.038);
  EXPECT_EQ(store::RoundHalfEven(1.0 / 3, 4), 0.3333);
  EXPECT_EQ(store::RoundHalfEven(1.0 / 6, 4), 0.1667);
  EXPECT_EQ(store::RoundHalfEven(2.0 / 3, 3), 0.667);
  EXPECT_EQ(store::RoundHalfEven(2.5, 0), 2.0);
  EXPECT_EQ(store::RoundHalfEven(3.5, 0), 4.0);
  EXPECT_EQ(store::RoundHalfEven(1.0, 4), 1.0);
  EXPECT_EQ(store::RoundHalfEven(0.0, 3), 0.0);
}

}  // namespace
