// The .all and .gnt statistics blocks at the table limits and for markers the
// analysis leaves without HE, HO or PIC.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "messages/SheetTexts.h"
#include "report/StatisticsSheets.h"
#include "support/MemoryBook.h"

namespace {

using host::CellValue;
CellValue T(std::string_view text) { return CellValue(std::string(text)); }
const CellValue kEmpty{};

class Statistics : public testsupport::MemoryBook {
 protected:
  void SetUp() override {
    allSheet = &book->AddSheet();
    gntSheet = &book->AddSheet();
  }
  // Varieties by rows of codes, tallied as the conversion leaves them.
  void Rows(store::DataKind kind, const std::vector<std::vector<std::u16string>>& rows) {
    store = std::make_unique<store::GenotypeStore>(testsupport::Tallied(rows, kind));
  }
  void Write(int m) { report::WriteMarkerStatistics(S(), m, *allSheet, *gntSheet); }
  CellValue All(const char* address) { return Value(allSheet, address); }
  CellValue Gnt(const char* address) { return Value(gntSheet, address); }

  host::Worksheet *allSheet = nullptr, *gntSheet = nullptr;
};

TEST_F(Statistics, BlocksOfLaterMarkersAndFullTables) {
  const std::u16string& alphabet = store::AlleleAlphabet();
  std::vector<std::vector<std::u16string>> rows;  // M3: 103 alleles
  for (char16_t c : alphabet) rows.push_back({u"", rows.empty() ? u"'x" : u"", {c, c}});
  Rows(store::DataKind::Character, rows);
  for (int i = 0; i < 250; ++i)
    S().Marker(3).AddGenotype({alphabet[i / 100], alphabet[i % 100], u'!'});
  Write(3);
  Write(2);
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
  Rows(store::DataKind::Ssr, {{u""}});
  ASSERT_NO_THROW(Write(1));
  EXPECT_EQ(All("C9"), T(msg::sheet::kAlleleLabels[5]));
  for (const char* a : {"D4", "D7", "D8", "D9"}) EXPECT_EQ(All(a), kEmpty) << a;
  EXPECT_EQ(Gnt("C6"), T(msg::sheet::kGenotypeLabels[2]));
}

}  // namespace
