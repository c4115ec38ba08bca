// The .all and .gnt statistics sheets: frame, block layout with its rounding
// and the cells of markers the analysis leaves without HE, HO or PIC.
#include "report/Information.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "messages/SheetTexts.h"
#include "support/MemoryBook.h"

namespace {

using host::CellValue;
CellValue N(double d) { return CellValue(d); }
CellValue T(std::string_view text) { return CellValue(std::string(text)); }
const CellValue kEmpty{};

class Statistics : public testsupport::MemoryBook {
 protected:
  void SetUp() override {
    ctx.sheets.AllSheet = allSheet = &book->AddSheet();
    ctx.sheets.GntSheet = gntSheet = &book->AddSheet();
  }
  // Markers M1..Mk, each tallied from its genotype codes as the conversion does.
  void Markers(store::DataKind kind, const std::vector<std::vector<std::u16string>>& codes) {
    std::vector<std::string> names;
    for (size_t m = 1; m <= codes.size(); ++m) names.push_back("M" + std::to_string(m));
    MakeStore(kind, {}, names);
    for (size_t m = 0; m < codes.size(); ++m) {
      for (const auto& code : codes[m]) {
        S().Marker(int(m) + 1).GenotypeAdd(code);
        if (kind == store::DataKind::Character)
          for (char16_t c : code) S().Marker(int(m) + 1).chrAlleleAdd(c);
      }
    }
  }
  CellValue All(const char* address) { return Value(allSheet, address); }
  CellValue Gnt(const char* address) { return Value(gntSheet, address); }

  host::Worksheet *allSheet = nullptr, *gntSheet = nullptr;
};

TEST_F(Statistics, SheetFrameHasTitleRowAndSourceB2Only) {
  allSheet->GetRange("F9").SetValue("left from the last run");
  report::InformationSheetFormat(ctx, *src, *allSheet, report::StatisticsSheet::Alleles);
  report::InformationSheetFormat(ctx, *src, *gntSheet, report::StatisticsSheet::Genotypes);
  EXPECT_EQ(All("B1"), T(msg::sheet::kAll.kind));
  EXPECT_EQ(All("F9"), kEmpty);
  EXPECT_EQ(Gnt("C1"), T(msg::sheet::kGnt.description));
  EXPECT_EQ(Gnt("B2"), T("Apple trial"));
  // A text starting with an apostrophe keeps it; an empty B2 stays empty.
  src->GetRange("B2").SetValue("''quoted");
  report::InformationSheetFormat(ctx, *src, *allSheet, report::StatisticsSheet::Alleles);
  EXPECT_EQ(All("B2"), T("'quoted"));
  src->GetRange("B2").ClearContents();
  report::InformationSheetFormat(ctx, *src, *allSheet, report::StatisticsSheet::Alleles);
  EXPECT_EQ(All("B2"), kEmpty);
}

TEST_F(Statistics, SsrMarkerBlockLaidOutAndRounded) {
  // 180/180, 180/192, 192/200.
  Markers(store::DataKind::Ssr, {{u"AA", u"AB", u"BC"}});
  for (int16_t x : {180, 180, 180, 192, 192, 200}) S().Marker(1).AlleleAdd(x);
  report::InformationOut(ctx, 1);
  const auto& labels = msg::sheet::kAlleleLabels;
  const std::vector<std::vector<CellValue>> rows = {
      {T("M1"), T(labels[0]), N(180), N(192), N(200), kEmpty},
      {kEmpty, T(labels[1]), N(3), N(2), N(1), kEmpty},
      {kEmpty, T(labels[2]), N(0.5), N(0.3333), N(0.1667), kEmpty},
      {kEmpty, T(labels[3]), N(0.611), kEmpty},
      {kEmpty, T(labels[4]), N(0.667), kEmpty},
      {kEmpty, T(labels[5]), N(0.535), kEmpty},
      {kEmpty, kEmpty, kEmpty}};
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      EXPECT_EQ(allSheet->Cell(4 + r, 2 + c).Value(), rows[r][c])
          << "row " << 4 + r << " col " << 2 + c;
    }
  }
  EXPECT_EQ(Gnt("D4"), T("180/180"));  // text, not a number
  EXPECT_EQ(Gnt("F6"), N(0.3333));
  EXPECT_EQ(Gnt("G4"), kEmpty);
  EXPECT_EQ(&app.ActiveSheet(), gntSheet);
}

TEST_F(Statistics, BlocksOfLaterMarkersAndFullTables) {
  const std::u16string& alphabet = store::AlleleAlphabet();
  std::vector<std::u16string> full;
  for (char16_t c : alphabet) full.push_back(std::u16string(2, c));  // 103 alleles
  Markers(store::DataKind::Character, {{}, {u"'x"}, full});
  for (int i = 0; i < 250; ++i)
    S().Marker(3).GenotypeAdd({alphabet[i / 100], alphabet[i % 100], u'!'});
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
  EXPECT_EQ(All("D11"), T("'"));  // a character allele that is the host's text mark
  EXPECT_EQ(Gnt("D8"), T("'x"));
}

TEST_F(Statistics, UntypedMarkerGetsLabelsButNoHeHoOrPic) {
  Markers(store::DataKind::Ssr, {{}});
  ASSERT_NO_THROW(report::InformationOut(ctx, 1));
  EXPECT_EQ(All("C9"), T(msg::sheet::kAlleleLabels[5]));
  for (const char* a : {"D4", "D7", "D8", "D9"}) EXPECT_EQ(All(a), kEmpty) << a;
  EXPECT_EQ(Gnt("C6"), T(msg::sheet::kGenotypeLabels[2]));
}

}  // namespace
