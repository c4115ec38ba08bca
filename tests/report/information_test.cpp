// The .all and .gnt statistics sheets: frame, block layout and the values of
// small markers worked out by hand.
#include "report/Information.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MemoryBook.h"

namespace {

using host::CellValue;
CellValue N(double d) { return CellValue(d); }
CellValue T(const char* text) { return CellValue(std::string(text)); }
const CellValue kEmpty{};

class Statistics : public testsupport::MemoryBook {
 protected:
  void SetUp() override {
    ctx.sheets.AllSheet = allSheet = &book->AddSheet();
    ctx.sheets.GntSheet = gntSheet = &book->AddSheet();
  }
  // Tallies character genotypes of marker m as the character tally does.
  void Chr(int m, const std::vector<std::u16string>& cells) {
    store.DataType = "chr";
    store.MarkerName[m] = "M" + std::to_string(m);
    for (const auto& cell : cells) {
      store.GenotypeAdd(m, cell);
      for (char16_t c : cell) store.chrAlleleAdd(m, c);
    }
  }
  CellValue All(const char* address) { return Value(allSheet, address); }
  CellValue Gnt(const char* address) { return Value(gntSheet, address); }
  // Column D of row `offset` in the allele block of marker m (HE 3, HO 4, PIC 5).
  CellValue Stat(int m, int offset) { return allSheet->Cell(4 + 7 * (m - 1) + offset, 4).Value(); }

  host::Worksheet *allSheet = nullptr, *gntSheet = nullptr;
};

TEST_F(Statistics, SheetFrameHasTitleRowAndSourceB2Only) {
  allSheet->GetRange("F9").SetValue("left from the last run");
  report::InformationSheetFormat(ctx, *src, *allSheet, report::StatisticsSheet::Alleles);
  report::InformationSheetFormat(ctx, *src, *gntSheet, report::StatisticsSheet::Genotypes);
  EXPECT_EQ(All("B1"), T("all"));
  EXPECT_EQ(All("C1"), T("Frequency distribution of allele, heterozygosity and PIC (Polymorphic "
                         "information contents) value."));
  EXPECT_EQ(All("F9"), kEmpty);
  EXPECT_EQ(Gnt("C1"), T("Frequency distribution of genotype"));
  EXPECT_EQ(Gnt("B2"), T("Apple trial"));
  // A text starting with an apostrophe keeps it; an empty B2 stays empty.
  src->GetRange("B2").SetValue("''quoted");
  report::InformationSheetFormat(ctx, *src, *allSheet, report::StatisticsSheet::Alleles);
  EXPECT_EQ(All("B2"), T("'quoted"));
  src->GetRange("B2").ClearContents();
  report::InformationSheetFormat(ctx, *src, *allSheet, report::StatisticsSheet::Alleles);
  EXPECT_EQ(All("B2"), kEmpty);
}

TEST_F(Statistics, SsrMarkerWorkedByHand) {
  // 180/180, 180/192, 192/200 and one variety not typed.
  store.DataType = "ssr";
  store.MarkerName[1] = "SSR01";
  for (int16_t x : {180, 180, 180, 192, 192, 200}) store.AlleleAdd(1, x);
  for (const char16_t* g : {u"AA", u"AB", u"BC"}) store.GenotypeAdd(1, g);
  report::InformationOut(ctx, 1);
  const std::vector<std::vector<CellValue>> rows = {
      {T("SSR01"), T("Allele"), N(180), N(192), N(200), kEmpty},
      {kEmpty, T("Frequency"), N(3), N(2), N(1), kEmpty},
      {kEmpty, T("Rate"), N(0.5), N(0.3333), N(0.1667), kEmpty},
      {kEmpty, T("Heterozygosity(HE)"), N(0.611), kEmpty},
      {kEmpty, T("Heterozygosity(HO)"), N(0.667), kEmpty},
      {kEmpty, T("PIC"), N(0.535), kEmpty},
      {kEmpty, kEmpty, kEmpty}};
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      EXPECT_EQ(allSheet->Cell(4 + r, 2 + c).Value(), rows[r][c])
          << "row " << 4 + r << " col " << 2 + c;
    }
  }
  EXPECT_EQ(Gnt("C4"), T("Genotype"));
  EXPECT_EQ(Gnt("D4"), T("180/180"));  // text, not a number
  EXPECT_EQ(Gnt("F6"), N(0.3333));
  EXPECT_EQ(Gnt("G4"), kEmpty);
  EXPECT_EQ(&app.ActiveSheet(), gntSheet);
}

TEST_F(Statistics, HeterozygosityAndPicOfSmallMarkers) {
  Chr(1, {u"AB"});                         // two alleles of equal count
  Chr(2, {u"AB", u"CC"});                  // counts 1, 1, 2
  Chr(3, {u"AB", u"CD"});                  // four of equal count
  Chr(4, {u"AB", u"BC", u"CA"});           // three of equal count, all heterozygous
  Chr(5, {u"AA", u"AA", u"A"});            // monomorphic
  Chr(6, {u"ABA", u"ABB", u"aA", u"AA"});  // A 6, B 3, a 1; first against last symbol decides
  for (int m = 1; m <= 6; ++m) report::InformationOut(ctx, m);
  const std::vector<std::vector<double>> hoHePic = {{1, 0.5, 0.375},  {0.5, 0.625, 0.555},
                                                    {1, 0.75, 0.703}, {1, 0.667, 0.593},
                                                    {0, 0, 0},        {0.5, 0.54, 0.466}};
  for (int m = 1; m <= 6; ++m) {
    EXPECT_EQ(Stat(m, 4), N(hoHePic[m - 1][0])) << "HO of marker " << m;
    EXPECT_EQ(Stat(m, 3), N(hoHePic[m - 1][1])) << "HE of marker " << m;
    EXPECT_EQ(Stat(m, 5), N(hoHePic[m - 1][2])) << "PIC of marker " << m;
  }
  EXPECT_EQ(All("D13"), N(0.25));  // rates of marker 2
  EXPECT_EQ(All("F13"), N(0.5));
  EXPECT_EQ(All("D34"), N(1));  // marker 5
}

TEST_F(Statistics, RatesAreRoundedTiesToEven) {
  // 1 of 160 occurrences is the tie 0.00625, shown as 0.0062.
  Chr(1, {u"AB"});
  for (int i = 0; i < 79; ++i) Chr(1, {u"BB"});
  report::InformationOut(ctx, 1);
  EXPECT_EQ(All("E5"), N(159));
  EXPECT_EQ(All("D6"), N(0.0062));
  EXPECT_EQ(Gnt("D6"), N(0.0125));
}

TEST_F(Statistics, BlocksOfLaterMarkersAndFullTables) {
  const std::u16string& alphabet = store::AlleleAlphabet();
  for (char16_t c : alphabet) Chr(3, {std::u16string(2, c)});  // 103 alleles
  for (int i = 0; i < 250; ++i) store.GenotypeAdd(3, {alphabet[i / 100], alphabet[i % 100], u'!'});
  Chr(2, {u"'x"});  // a character allele that is the host's text mark
  report::InformationOut(ctx, 3);
  report::InformationOut(ctx, 2);
  EXPECT_EQ(All("B18"), T("M3"));
  EXPECT_EQ(All("D18"), T("0"));  // by code: digits first, ﾝ last
  EXPECT_EQ(All("DB18"), T("ﾝ"));
  EXPECT_EQ(All("DC18"), kEmpty);
  EXPECT_EQ(Gnt("B12"), T("M3"));
  EXPECT_FALSE(host::IsEmpty(Gnt("IS14")));
  EXPECT_EQ(Gnt("IT12"), kEmpty);
  EXPECT_EQ(Gnt("C15"), kEmpty);
  EXPECT_EQ(All("D11"), T("'"));
  EXPECT_EQ(Gnt("D8"), T("'x"));
}

TEST_F(Statistics, UntypedMarkerGetsLabelsButNoHeHoOrPic) {
  store.DataType = "ssr";
  store.MarkerName[1] = "Empty";
  ASSERT_NO_THROW(report::InformationOut(ctx, 1));
  EXPECT_EQ(All("C9"), T("PIC"));
  EXPECT_EQ(All("D4"), kEmpty);
  for (int offset = 3; offset <= 5; ++offset) EXPECT_EQ(Stat(1, offset), kEmpty);
  EXPECT_EQ(Gnt("C6"), T("Rate"));
}

}  // namespace
