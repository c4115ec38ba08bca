// The genotype store's tables: ordering, tallies, symbols and limits; the
// splitting of SSR texts and the display rounding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/GenotypeStore.h"

namespace {

using store::GenotypeStore;
using store::MarkerTable;
using Ints = std::vector<int>;

Ints Sizes(const MarkerTable& t) {
  Ints out;
  for (int a = 1; a <= t.AlleleCount(); ++a) out.push_back(t.AlleleValue(a));
  return out;
}
Ints Tallies(const MarkerTable& t) {
  Ints out;
  for (int a = 1; a <= t.AlleleCount(); ++a) out.push_back(t.AlleleTally(a));
  return out;
}
// The parts of a cell text; a non-numeric part as -1.
Ints Split(std::u16string d) {
  Ints parts;
  do {
    const store::SizePart part = store::TakeSizePart(d);
    EXPECT_EQ(part.numeric, part.value != store::kNonNumeric);
    parts.push_back(part.numeric ? part.value : -1);
  } while (!d.empty());
  return parts;
}

TEST(MarkerTable, AllelesAreSortedCountedAndNamedByRank) {
  MarkerTable t;
  for (int16_t x : {152, 150, 152, 148}) EXPECT_TRUE(t.AddSize(x));
  EXPECT_EQ(Sizes(t), (Ints{148, 150, 152}));
  EXPECT_EQ(Tallies(t), (Ints{1, 1, 2}));
  EXPECT_EQ(t.SymbolOfSize(148), u"A");
  EXPECT_EQ(t.SymbolOfSize(152), u"C");
  EXPECT_EQ(t.SymbolOfSize(154), u"*");
  EXPECT_EQ(MarkerTable().SymbolOfSize(0), u"*");
  // A size of 0 is an allele like any other, not a free slot.
  MarkerTable zero;
  for (int16_t x : {0, 5, 0, -3}) zero.AddSize(x);
  EXPECT_EQ(Sizes(zero), (Ints{-3, 0, 5}));
  EXPECT_EQ(Tallies(zero), (Ints{1, 2, 1}));

  MarkerTable chr;
  for (char16_t c : {u'b', u'A', u'b', u'a', u'ｦ', u'0'}) chr.AddSymbol(c);
  EXPECT_EQ(chr.AlleleText(), U"0Aabｦ");
  EXPECT_EQ(Tallies(chr), (Ints{1, 1, 1, 2, 1}));
}

TEST(MarkerTable, GenotypesSortByCodeAndAreCounted) {
  MarkerTable t;
  for (const char16_t* g : {u"AB", u"AA", u"0A", u"AB", u"Aｱ", u"aa"}) t.AddGenotype(g);
  ASSERT_EQ(t.GenotypeCount(), 5);
  const std::u16string expected[] = {u"0A", u"AA", u"AB", u"Aｱ", u"aa"};
  for (int g = 1; g <= 5; ++g) EXPECT_EQ(t.GenotypeCode(g), expected[g - 1]);
  EXPECT_EQ(t.TallyOfGenotype(u"AB"), 2);
  EXPECT_EQ(t.TallyOfGenotype(u"BA"), 0);
  EXPECT_EQ(GenotypeStore::SortedCode(u"ｦA"), u"Aｦ");
  EXPECT_EQ(GenotypeStore::SortedCode(u"ﾝｦ"), u"ｦﾝ");  // by code, not by alphabet position
}

TEST(MarkerTable, FullTablesRejectNewValuesButCountKnownOnes) {
  const std::u16string& alphabet = store::AlleleAlphabet();
  ASSERT_EQ(alphabet.size(), 103u);
  MarkerTable t;
  for (int x = 103; x >= 1; --x) EXPECT_TRUE(t.AddSize(static_cast<int16_t>(2 * x)));
  EXPECT_EQ(t.SymbolOfSize(206), u"ﾝ");
  EXPECT_EQ(t.SymbolOfSize(2 * 63), u"ｱ");
  EXPECT_FALSE(t.AddSize(207));  // new, above every size
  EXPECT_FALSE(t.AddSize(1));    // new, below every size
  EXPECT_TRUE(t.AddSize(100));   // known
  EXPECT_EQ(t.AlleleCount(), 103);
  EXPECT_EQ(t.AlleleValue(1), 2);
  EXPECT_EQ(t.AlleleTally(50), 2);
  MarkerTable chr;
  for (char16_t c : alphabet) chr.AddSymbol(c);
  EXPECT_FALSE(chr.AddSymbol(u'!'));
  EXPECT_EQ(chr.AlleleText().size(), 103u);

  MarkerTable g;
  for (int i = 0; i < 250; ++i) EXPECT_TRUE(g.AddGenotype({alphabet[i / 100], alphabet[i % 100]}));
  EXPECT_TRUE(g.AddGenotype(u"AA"));
  EXPECT_FALSE(g.AddGenotype(u"!!"));
  EXPECT_EQ(g.TallyOfGenotype(u"AA"), 2);
  EXPECT_EQ(g.TallyOfGenotype(u"!!"), 0);
}

TEST(TakeSizePart, YieldsRoundedSizesOrNotNumeric) {
  EXPECT_EQ(Split(u"150/152"), (Ints{150, 152}));
  EXPECT_EQ(Split(u"150/"), (Ints{150}));
  EXPECT_EQ(Split(u" +1.5e2 / 0 "), (Ints{150, 0}));
  EXPECT_EQ(Split(u"150.5/151.5/.5/-0.4"), (Ints{150, 152, 0, 0}));
  EXPECT_EQ(Split(u"32767/0"), (Ints{32767, 0}));
  // A negative size is no fragment length: reported as the non-numeric parts are.
  EXPECT_EQ(Split(u"-12/150/-0.6/-32768"), (Ints{-1, 150, -1, -1}));
  EXPECT_EQ(Split(u"/150"), (Ints{-1, 150}));
  EXPECT_EQ(Split(u"150//152"), (Ints{150, -1, 152}));
  // Out of the 16-bit range (32767.5 rounds to 32768) or not a plain number.
  for (const char16_t* bad : {u"abc", u"40000", u"32767.5", u"1e", u"1 5", u"１５０", u"150bp"}) {
    EXPECT_EQ(Split(bad), (Ints{-1})) << store::ToUtf8(bad);
  }
}

// Genotype texts are the golden workbooks' (size 0, an allele not in the table).
TEST(GenotypeStore, NamesOutOfRangeAreEmpty) {
  GenotypeStore s(store::DataKind::Ssr, {"V1", "V2"}, {"M1", "M2"});
  EXPECT_EQ(s.VarietyName(0), "");  // not a crash
  EXPECT_EQ(s.MarkerName(3), "");
  EXPECT_TRUE(s.Cell(1, 2).empty());
}

TEST(TextConversion, RoundTripsAndReplacesBrokenInput) {
  const std::string mixed = "Ab ｱﾝ 品種 \xF0\x9F\x8C\xB1";  // with a character beyond 16 bits
  EXPECT_EQ(store::ToUtf8(store::ToU16(mixed)), mixed);
  EXPECT_EQ(store::ToU16("a\xFFz"), u"a\uFFFDz");
  EXPECT_EQ(store::ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");  // an unpaired surrogate
}

TEST(RoundHalfEven, RoundsTheScaledValueTiesToEven) {
  EXPECT_EQ(store::RoundHalfEven(1.0 / 160, 4), 0.0062);
  EXPECT_EQ(store::RoundHalfEven(0.0625, 3), 0.062);
  EXPECT_EQ(store::RoundHalfEven(-0.0625, 3), -0.062);
  EXPECT_EQ(store::RoundHalfEven(0.0375, 3), 0.038);
}

}  // namespace
