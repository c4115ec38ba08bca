// The .all and .gnt statistics sheets: frame, block layout and the values of
// small markers worked out by hand.
#include "analysis/Information.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/Host.h"
#include "host/RunContext.h"
#include "store/GenotypeStore.h"

namespace {

using host::CellValue;

class Statistics : public ::testing::Test {
 protected:
  void SetUp() override {
    book = &app.AddWorkbook("/tmp/information_test.xlsx");
    src = &book->Sheet(1);
    src->SetName("Apple.org");
    allSheet = &book->AddSheet();
    allSheet->SetName("Apple.all");
    gntSheet = &book->AddSheet();
    gntSheet->SetName("Apple.gnt");
    ctx.ExcelApp = &app;
    ctx.ExcelBook = book;
    ctx.SheetBaseName = "Apple";
    ctx.store = s.get();
    ctx.sheets.SrcSheet = src;
    ctx.sheets.AllSheet = allSheet;
    ctx.sheets.GntSheet = gntSheet;
    s->ErrorOut = [](const std::string&, int, int) {};
  }

  // Tallies character genotypes of marker m as the character tally does.
  void Chr(int m, const std::vector<std::u16string>& cells) {
    s->DataType = "chr";
    s->MarkerName[m] = "M" + std::to_string(m);
    for (const auto& cell : cells) {
      s->GenotypeAdd(m, cell);
      for (char16_t c : cell) s->chrAlleleAdd(m, c);
    }
  }

  CellValue At(host::Worksheet* sheet, int row, int column) {
    return sheet->Cell(row, column).Value();
  }
  CellValue All(const char* address) { return allSheet->GetRange(address).Value(); }
  CellValue Gnt(const char* address) { return gntSheet->GetRange(address).Value(); }

  host::Application app;
  host::Workbook* book = nullptr;
  host::Worksheet* src = nullptr;
  host::Worksheet* allSheet = nullptr;
  host::Worksheet* gntSheet = nullptr;
  std::unique_ptr<store::GenotypeStore> s = std::make_unique<store::GenotypeStore>();
  host::RunContext ctx;
};

CellValue N(double d) { return CellValue(d); }
CellValue T(const char* text) { return CellValue(std::string(text)); }
const CellValue kEmpty{};

TEST_F(Statistics, SheetFrameHasTitleRowAndSourceB2Only) {
  src->GetRange("B2").SetValue("Apple trial 2023");
  allSheet->GetRange("F9").SetValue("left from the last run");
  analysis::InformationSheetFormat(ctx, *src, *allSheet, "a");
  analysis::InformationSheetFormat(ctx, *src, *gntSheet, "g");
  EXPECT_EQ(All("B1"), T("all"));
  EXPECT_EQ(All("C1"), T("Frequency distribution of allele, heterozygosity and PIC (Polymorphic "
                         "information contents) value."));
  EXPECT_EQ(All("B2"), T("Apple trial 2023"));
  EXPECT_EQ(All("F9"), kEmpty);
  EXPECT_EQ(All("B3"), kEmpty);
  EXPECT_EQ(Gnt("B1"), T("gnt"));
  EXPECT_EQ(Gnt("C1"), T("Frequency distribution of genotype"));
  EXPECT_EQ(Gnt("B2"), T("Apple trial 2023"));
  EXPECT_EQ(&app.ActiveSheet(), gntSheet);

  // A number stays a number, a text starting with an apostrophe keeps it, and
  // an empty source B2 leaves the copy empty on the next run.
  src->GetRange("B2").SetValue(2023);
  analysis::InformationSheetFormat(ctx, *src, *allSheet, "a");
  EXPECT_EQ(All("B2"), N(2023));
  src->GetRange("B2").SetValue("''quoted");
  analysis::InformationSheetFormat(ctx, *src, *allSheet, "a");
  EXPECT_EQ(All("B2"), T("'quoted"));
  src->GetRange("B2").ClearContents();
  analysis::InformationSheetFormat(ctx, *src, *allSheet, "a");
  EXPECT_EQ(All("B2"), kEmpty);
  EXPECT_EQ(All("B1"), T("all"));
}

TEST_F(Statistics, SsrMarkerWorkedByHand) {
  // 180/180, 180/192, 192/200 and one untyped variety.
  s->DataType = "ssr";
  s->MarkerCount = 1;
  s->MarkerName[1] = "SSR01";
  for (int16_t x : {180, 180, 180, 192, 192, 200}) s->AlleleAdd(1, x);
  for (const char16_t* g : {u"AA", u"AB", u"BC"}) s->GenotypeAdd(1, g);
  analysis::InformationOut(ctx, 1);

  const std::vector<CellValue> row4 = {T("SSR01"), T("Allele"), N(180), N(192), N(200), kEmpty};
  const std::vector<CellValue> row5 = {kEmpty, T("Frequency"), N(3), N(2), N(1), kEmpty};
  const std::vector<CellValue> row6 = {kEmpty, T("Rate"), N(0.5), N(0.3333), N(0.1667), kEmpty};
  for (int c = 0; c < 6; ++c) {
    EXPECT_EQ(At(allSheet, 4, 2 + c), row4[c]) << "row 4 column " << 2 + c;
    EXPECT_EQ(At(allSheet, 5, 2 + c), row5[c]) << "row 5 column " << 2 + c;
    EXPECT_EQ(At(allSheet, 6, 2 + c), row6[c]) << "row 6 column " << 2 + c;
  }
  EXPECT_EQ(All("C7"), T("Heterozygosity(HE)"));
  EXPECT_EQ(All("C8"), T("Heterozygosity(HO)"));
  EXPECT_EQ(All("C9"), T("PIC"));
  EXPECT_EQ(All("D7"), N(0.611));
  EXPECT_EQ(All("D8"), N(0.667));
  EXPECT_EQ(All("D9"), N(0.535));
  EXPECT_EQ(All("E7"), kEmpty);
  EXPECT_EQ(All("C10"), kEmpty);

  EXPECT_EQ(Gnt("B4"), T("SSR01"));
  EXPECT_EQ(Gnt("C4"), T("Genotype"));
  EXPECT_EQ(Gnt("D4"), T("180/180"));  // text, not the number 180/180
  EXPECT_EQ(Gnt("E4"), T("180/192"));
  EXPECT_EQ(Gnt("F4"), T("192/200"));
  EXPECT_EQ(Gnt("C5"), T("Frequency"));
  EXPECT_EQ(Gnt("E5"), N(1));
  EXPECT_EQ(Gnt("C6"), T("Rate"));
  EXPECT_EQ(Gnt("F6"), N(0.3333));
  EXPECT_EQ(Gnt("G4"), kEmpty);
  EXPECT_EQ(&app.ActiveSheet(), gntSheet);
}

TEST_F(Statistics, HeterozygosityAndPicOfSmallMarkers) {
  Chr(1, {u"AB"});                         // two alleles of equal count
  Chr(2, {u"AB", u"CC"});                  // counts 2, 1, 1 after C: 1,1,2
  Chr(3, {u"AB", u"CD"});                  // four of equal count
  Chr(4, {u"AB", u"BC", u"CA"});           // three of equal count, all heterozygous
  Chr(5, {u"AA", u"AA", u"A"});            // monomorphic
  Chr(6, {u"ABA", u"ABB", u"aA", u"AA"});  // three symbols: first vs last decides
  for (int m = 1; m <= 6; ++m) analysis::InformationOut(ctx, m);
  auto he = [&](int m) { return At(allSheet, 4 + 7 * (m - 1) + 3, 4); };
  auto ho = [&](int m) { return At(allSheet, 4 + 7 * (m - 1) + 4, 4); };
  auto pic = [&](int m) { return At(allSheet, 4 + 7 * (m - 1) + 5, 4); };
  auto rate = [&](int m, int a) { return At(allSheet, 4 + 7 * (m - 1) + 2, 3 + a); };

  EXPECT_EQ(rate(1, 1), N(0.5));
  EXPECT_EQ(he(1), N(0.5));
  EXPECT_EQ(pic(1), N(0.375));
  EXPECT_EQ(rate(2, 3), N(0.5));
  EXPECT_EQ(rate(2, 1), N(0.25));
  EXPECT_EQ(he(2), N(0.625));
  EXPECT_EQ(pic(2), N(0.555));
  EXPECT_EQ(ho(2), N(0.5));
  EXPECT_EQ(he(3), N(0.75));
  EXPECT_EQ(pic(3), N(0.703));
  EXPECT_EQ(rate(4, 2), N(0.3333));
  EXPECT_EQ(he(4), N(0.667));
  EXPECT_EQ(pic(4), N(0.593));
  EXPECT_EQ(ho(4), N(1));
  EXPECT_EQ(rate(5, 1), N(1));
  EXPECT_EQ(he(5), N(0));
  EXPECT_EQ(pic(5), N(0));
  EXPECT_EQ(ho(5), N(0));
  EXPECT_EQ(ho(6), N(0.5));  // ABB and aA differ end to end; ABA and AA do not
}

TEST_F(Statistics, RatesAreRoundedAsDisplayedTiesToEven) {
  // 1 of 160 occurrences is exactly the tie 0.00625, shown as 0.0062.
  Chr(1, {u"AB"});
  for (int i = 0; i < 79; ++i) Chr(1, {u"BB"});
  analysis::InformationOut(ctx, 1);
  EXPECT_EQ(All("D5"), N(1));
  EXPECT_EQ(All("E5"), N(159));
  EXPECT_EQ(All("D6"), N(0.0062));
  EXPECT_EQ(Gnt("D6"), N(0.0125));
}

TEST_F(Statistics, BlocksOfLaterMarkersAndFullTables) {
  const std::u16string& alphabet = store::AlleleAlphabet();
  for (char16_t c : alphabet) Chr(3, {std::u16string(2, c)});  // 103 alleles, 103 genotypes
  for (int i = 0; i < 250; ++i) {
    s->GenotypeAdd(3, std::u16string{alphabet[i / 100], alphabet[i % 100], u'!'});
  }
  Chr(2, {u"'x"});  // a character allele that is the host's text mark
  analysis::InformationOut(ctx, 3);
  analysis::InformationOut(ctx, 2);

  EXPECT_EQ(All("B18"), T("M3"));
  EXPECT_EQ(All("C23"), T("PIC"));
  EXPECT_EQ(All("D18"), T("0"));  // by code: digits first, ﾝ last
  EXPECT_EQ(All("DB18"), T("ﾝ"));
  EXPECT_EQ(All("DC18"), kEmpty);
  EXPECT_EQ(At(allSheet, 24, 2), kEmpty);
  EXPECT_EQ(At(allSheet, 24, 3), kEmpty);
  EXPECT_EQ(At(allSheet, 24, 4), kEmpty);
  EXPECT_EQ(Gnt("B12"), T("M3"));
  EXPECT_EQ(Gnt("C14"), T("Rate"));
  EXPECT_EQ(Gnt("D12"), T("00"));
  EXPECT_EQ(Gnt("E12"), T("11"));  // ordinal: digits first
  EXPECT_FALSE(host::IsEmpty(Gnt("IS12")));
  EXPECT_FALSE(host::IsEmpty(Gnt("IS14")));
  EXPECT_EQ(Gnt("IT12"), kEmpty);
  EXPECT_EQ(At(gntSheet, 15, 2), kEmpty);
  EXPECT_EQ(At(gntSheet, 15, 4), kEmpty);

  EXPECT_EQ(All("D11"), T("'"));
  EXPECT_EQ(All("E11"), T("x"));
  EXPECT_EQ(Gnt("D8"), T("'x"));
}

TEST_F(Statistics, UntypedMarkerGetsLabelsButNoHeHoOrPic) {
  s->DataType = "ssr";
  s->MarkerName[1] = "Empty";
  ASSERT_NO_THROW(analysis::InformationOut(ctx, 1));
  EXPECT_EQ(All("B4"), T("Empty"));
  EXPECT_EQ(All("C9"), T("PIC"));
  EXPECT_EQ(All("D4"), kEmpty);
  EXPECT_EQ(All("D7"), kEmpty);
  EXPECT_EQ(All("D8"), kEmpty);
  EXPECT_EQ(All("D9"), kEmpty);
  EXPECT_EQ(Gnt("C6"), T("Rate"));
  EXPECT_EQ(Gnt("D4"), kEmpty);
}

}  // namespace
