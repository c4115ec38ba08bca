// The exchange formats as text: what a reader of each format relies on.
#include <gtest/gtest.h>

#include "exchange/ExportFormat.h"
#include "exchange/SsrStore.h"
#include "support/Tallied.h"

namespace {

using exchange::Format;
using exchange_test::ConvertedSsr;

store::GenotypeStore Small() {
  return ConvertedSsr({"Fuji,2", "Orin early", "Orin_early"}, {"CH01", "CH02"},
                      {{"180/192", "95/95"}, {"192/180", ""}, {"176/180", "101/95"}});
}

// Each format as its readers rely on it. GENEPOP: six-digit genotypes, one
// Pop block per population, missing as zeros, and no comma or space in a
// name (a changed name that is already someone else's gets a number).
// STRUCTURE: two columns per marker, -9 for missing. GenAlEx: counts, title
// and head rows, then one row per variety, each population's varieties
// together (GenAlEx names a population over its size, GENEPOP opens it with a
// bare Pop line). A name is a field within one line in every format: a line
// break typed into a cell (or a sheet name) must not end the record early,
// and a marker named "Pop" would open GENEPOP's populations early. A GenAlEx
// file is opened in a spreadsheet program: a name that would run as a
// formula there gets the apostrophe that keeps it text, and non-ASCII text
// comes with a byte-order mark, without which spreadsheets read the system's
// code page. Character alleles are numbered in table order.
TEST(ExportFormats, EachFormatWritesWhatItsReadersRelyOn) {
  const auto small = Small();
  const auto lines = ConvertedSsr({"Line\nbreak", "Tab\tbed\r"}, {"pop", "L\n2"},
                                  {{"180/192", "95/95"}, {"180/180", ""}});
  const auto formulas =
      ConvertedSsr({"=HYPERLINK(x)", "+A1", "-A1", "@SUM(A1)", "a=b"}, {"=cmd|' /C calc'!A0"},
                   {{"180/192"}, {"180/180"}, {""}, {"192/192"}, {"180/192"}});
  const auto kana = ConvertedSsr({"\u3075\u3058"}, {"CH01"}, {{"180/192"}});
  const auto rice = testsupport::Tallied({{u"AC"}, {u"CC"}, {u""}});
  const std::vector<std::string> groups{"north", "south, east", "north"};
  const struct {
    const store::GenotypeStore& store;
    Format format;
    std::string title, text;
    std::vector<std::string> populations = {};
  } cases[] = {
      {small, Format::Genepop, "Apple",
       "Apple\nCH01\nCH02\nPop\nFuji_2 , 180192 095095\nOrin_early_2 , 180192 000000\n"
       "Orin_early , 176180 095101\n"},
      {small, Format::Structure, "Apple",
       "CH01 CH02\nFuji,2 180 192 95 95\nOrin_early_2 180 192 -9 -9\nOrin_early 176 180 95 101\n"},
      {small, Format::Genalex, "Apple",
       "2,3,1,3\nApple,,,Apple\nInd,Pop,CH01,,CH02,\nFuji_2,Apple,180,192,95,95\n"
       "Orin early,Apple,180,192,0,0\nOrin_early,Apple,176,180,95,101\n"},
      {small, Format::Genalex, "Orchard",
       "2,3,2,2,1\nOrchard,,,north,south_ east\nInd,Pop,CH01,,CH02,\n"
       "Fuji_2,north,180,192,95,95\nOrin_early,north,176,180,95,101\n"
       "Orin early,south_ east,180,192,0,0\n",
       groups},
      {small, Format::Genepop, "Orchard",
       "Orchard\nCH01\nCH02\nPop\nFuji_2 , 180192 095095\nOrin_early , 176180 095101\nPop\n"
       "Orin_early_2 , 180192 000000\n",
       groups},
      {lines, Format::Genepop, "Ti\ntle",
       "Ti_tle\npop_\nL_2\nPop\nLine_break , 180192 095095\nTab_bed_ , 180180 000000\n"},
      {lines, Format::Structure, "t",
       "pop L_2\nLine_break 180 192 95 95\nTab_bed_ 180 180 -9 -9\n"},
      {lines, Format::Genalex, "Ti\ntle",
       "2,2,1,2\nTi_tle,,,Ti_tle\nInd,Pop,pop,,L_2,\nLine_break,Ti_tle,180,192,95,95\n"
       "Tab_bed_,Ti_tle,180,180,0,0\n"},
      {formulas, Format::Genalex, "=1+1,Pop",
       "1,5,1,5\n'=1+1_Pop,,,'=1+1_Pop\nInd,Pop,'=cmd|' /C calc'!A0,\n"
       "'=HYPERLINK(x),'=1+1_Pop,180,192\n'+A1,'=1+1_Pop,180,180\n'-A1,'=1+1_Pop,0,0\n"
       "'@SUM(A1),'=1+1_Pop,192,192\na=b,'=1+1_Pop,180,192\n"},
      {formulas, Format::Structure, "t",
       "=cmd|'_/C_calc'!A0\n=HYPERLINK(x) 180 192\n+A1 180 180\n-A1 -9 -9\n@SUM(A1) 192 192\n"
       "a=b 180 192\n"},
      {kana, Format::Genalex, "\u308a\u3093\u3054",
       "\xEF\xBB\xBF"
       "1,1,1,1\n\u308a\u3093\u3054,,,\u308a\u3093\u3054\nInd,Pop,CH01,\n"
       "\u3075\u3058,\u308a\u3093\u3054,180,192\n"},
      {kana, Format::Genepop, "t", "t\nCH01\nPop\n\u3075\u3058 , 180192\n"},
      {rice, Format::Structure, "Rice", "M1\nV1 1 2\nV2 2 2\nV3 -9 -9\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(exchange::Export(c.store, c.format, c.title, c.populations).text, c.text);

  const exchange::Exported genepop = exchange::Export(small, Format::Genepop, "Apple");
  ASSERT_EQ(genepop.varieties.size(), 2u);
  EXPECT_EQ(genepop.varieties[1].from, "Orin early");
  EXPECT_EQ(genepop.varieties[1].to, "Orin_early_2");
  EXPECT_TRUE(genepop.alleles.empty());
  const exchange::Exported pop = exchange::Export(lines, Format::Genepop, "t");
  ASSERT_EQ(pop.markers.size(), 2u);
  EXPECT_EQ(pop.markers[0].to, "pop_");
  const exchange::Exported text = exchange::Export(formulas, Format::Genalex, "t");
  EXPECT_EQ(text.varieties.size(), 4u);
  ASSERT_EQ(text.markers.size(), 1u);
  EXPECT_EQ(text.markers[0].to, "'=cmd|' /C calc'!A0");
  const exchange::Exported numbered = exchange::Export(rice, Format::Structure, "Rice");
  ASSERT_EQ(numbered.alleles.size(), 1u);
  EXPECT_EQ(numbered.alleles[0].alleles,
            (std::vector<std::pair<int, std::string>>{{1, "A"}, {2, "C"}}));
}

TEST(ExportGenepop, SizesBeyondThreeDigitsAreWrittenAsAlleleNumbers) {
  const auto s =
      ConvertedSsr({"A", "B"}, {"Big", "Small"}, {{"1050/998", "80/82"}, {"998/998", ""}});
  const exchange::Exported e = exchange::Export(s, Format::Genepop, "t");
  EXPECT_NE(e.text.find("A , 001002 080082\n"), std::string::npos) << e.text;
  EXPECT_NE(e.text.find("B , 001001 000000\n"), std::string::npos) << e.text;
  ASSERT_EQ(e.alleles.size(), 1u);
  EXPECT_EQ(e.alleles[0].marker, 1);
  EXPECT_EQ(e.alleles[0].alleles,
            (std::vector<std::pair<int, std::string>>{{1, "998"}, {2, "1050"}}));
}

}  // namespace

// A typed allele whose size is the format's missing code (size 0 is valid)
// must not pass for an untyped one: the marker is written by allele numbers
// instead, and only the untyped variety reads as missing.
TEST(ExportAlleles, ASizeEqualToTheMissingCodeIsNeverWrittenAsMissing) {
  struct Case {
    Format format;
    std::string typed;    // how the variety typed "0/180" is written
    std::string untyped;  // how the untyped variety is written
  };
  for (const Case& c : {Case{Format::Genepop, "A , 001002\n", "C , 000000\n"},
                        Case{Format::Genalex, "A,t,1,2\n", "C,t,0,0\n"}}) {
    const auto s = ConvertedSsr({"A", "B", "C"}, {"M"}, {{"0/180"}, {"180/180"}, {""}});
    const exchange::Exported e = exchange::Export(s, c.format, "t");
    EXPECT_NE(e.text.find(c.typed), std::string::npos) << e.text;
    EXPECT_NE(e.text.find(c.untyped), std::string::npos) << e.text;
    ASSERT_EQ(e.alleles.size(), 1u) << e.text;
    EXPECT_EQ(e.alleles[0].alleles,
              (std::vector<std::pair<int, std::string>>{{1, "0"}, {2, "180"}}));
  }
}
