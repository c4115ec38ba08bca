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

TEST(ExportGenepop, SixDigitGenotypesOnePopulationAndMissingAsZeros) {
  const exchange::Exported e = exchange::Export(Small(), Format::Genepop, "Apple");
  EXPECT_EQ(e.text,
            "Apple\nCH01\nCH02\nPop\n"
            "Fuji_2 , 180192 095095\n"
            "Orin_early_2 , 180192 000000\n"
            "Orin_early , 176180 095101\n");
  // Commas and spaces cannot stand in a GENEPOP name; a changed name that is
  // already someone else's gets a number.
  ASSERT_EQ(e.varieties.size(), 2u);
  EXPECT_EQ(e.varieties[1].from, "Orin early");
  EXPECT_EQ(e.varieties[1].to, "Orin_early_2");
  EXPECT_TRUE(e.alleles.empty());
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

TEST(ExportStructure, TwoColumnsPerMarkerAndMinusNineMissing) {
  const exchange::Exported e = exchange::Export(Small(), Format::Structure, "Apple");
  EXPECT_EQ(e.text,
            "CH01 CH02\n"
            "Fuji,2 180 192 95 95\n"
            "Orin_early_2 180 192 -9 -9\n"
            "Orin_early 176 180 95 101\n");
}

TEST(ExportGenalex, CountsTitleAndHeadRowsThenOneRowPerVariety) {
  const exchange::Exported e = exchange::Export(Small(), Format::Genalex, "Apple");
  EXPECT_EQ(e.text,
            "2,3,1,3\n"
            "Apple,,,Apple\n"
            "Ind,Pop,CH01,,CH02,\n"
            "Fuji_2,Apple,180,192,95,95\n"
            "Orin early,Apple,180,192,0,0\n"
            "Orin_early,Apple,176,180,95,101\n");
}

// GenAlEx and GENEPOP keep a population's samples together: a variety whose
// population comes back later in the list is written with its population,
// which GenAlEx names over its size and GENEPOP opens with a bare Pop line.
TEST(ExportPopulations, EachPopulationsVarietiesAreWrittenTogether) {
  const std::vector<std::string> populations{"north", "south, east", "north"};
  EXPECT_EQ(exchange::Export(Small(), Format::Genalex, "Orchard", populations).text,
            "2,3,2,2,1\n"
            "Orchard,,,north,south_ east\n"
            "Ind,Pop,CH01,,CH02,\n"
            "Fuji_2,north,180,192,95,95\n"
            "Orin_early,north,176,180,95,101\n"
            "Orin early,south_ east,180,192,0,0\n");
  EXPECT_EQ(exchange::Export(Small(), Format::Genepop, "Orchard", populations).text,
            "Orchard\nCH01\nCH02\nPop\n"
            "Fuji_2 , 180192 095095\n"
            "Orin_early , 176180 095101\n"
            "Pop\n"
            "Orin_early_2 , 180192 000000\n");
}

// A name is a field within one line in every format: a line break typed into
// a cell (or a sheet name) must not end the record early, and a marker named
// "Pop" would open the populations of a GENEPOP file early.
TEST(ExportNames, LineBreaksAndTheKeywordNeverSplitARecord) {
  const auto s = ConvertedSsr({"Line\nbreak", "Tab\tbed\r"}, {"pop", "L\n2"},
                              {{"180/192", "95/95"}, {"180/180", ""}});
  const exchange::Exported genepop = exchange::Export(s, Format::Genepop, "Ti\ntle");
  EXPECT_EQ(genepop.text,
            "Ti_tle\npop_\nL_2\nPop\n"
            "Line_break , 180192 095095\n"
            "Tab_bed_ , 180180 000000\n");
  ASSERT_EQ(genepop.markers.size(), 2u);
  EXPECT_EQ(genepop.markers[0].to, "pop_");
  EXPECT_EQ(exchange::Export(s, Format::Structure, "t").text,
            "pop L_2\nLine_break 180 192 95 95\nTab_bed_ 180 180 -9 -9\n");
  EXPECT_EQ(exchange::Export(s, Format::Genalex, "Ti\ntle").text,
            "2,2,1,2\nTi_tle,,,Ti_tle\nInd,Pop,pop,,L_2,\n"
            "Line_break,Ti_tle,180,192,95,95\nTab_bed_,Ti_tle,180,180,0,0\n");
}

// A GenAlEx file is opened in a spreadsheet program: a name that would run
// as a formula there gets the apostrophe that keeps it text, and is listed as
// changed. The GENEPOP and STRUCTURE readers are programs and see the name.
TEST(ExportGenalex, NamesASpreadsheetWouldRunAsFormulasStayText) {
  const auto s =
      ConvertedSsr({"=HYPERLINK(x)", "+A1", "-A1", "@SUM(A1)", "a=b"}, {"=cmd|' /C calc'!A0"},
                   {{"180/192"}, {"180/180"}, {""}, {"192/192"}, {"180/192"}});
  const exchange::Exported e = exchange::Export(s, Format::Genalex, "=1+1,Pop");
  EXPECT_EQ(e.text,
            "1,5,1,5\n'=1+1_Pop,,,'=1+1_Pop\nInd,Pop,'=cmd|' /C calc'!A0,\n"
            "'=HYPERLINK(x),'=1+1_Pop,180,192\n'+A1,'=1+1_Pop,180,180\n'-A1,'=1+1_Pop,0,0\n"
            "'@SUM(A1),'=1+1_Pop,192,192\na=b,'=1+1_Pop,180,192\n");
  EXPECT_EQ(e.varieties.size(), 4u);
  ASSERT_EQ(e.markers.size(), 1u);
  EXPECT_EQ(e.markers[0].to, "'=cmd|' /C calc'!A0");
  EXPECT_NE(exchange::Export(s, Format::Structure, "t").text.find("\n=HYPERLINK(x) 180 192\n"),
            std::string::npos);
}

// Spreadsheet programs read a CSV in the system's code page unless it starts
// with a byte-order mark; the other formats, and ASCII files, go without.
TEST(ExportGenalex, NonAsciiNamesComeWithAByteOrderMark) {
  const auto s = ConvertedSsr({"\u3075\u3058"}, {"CH01"}, {{"180/192"}});
  EXPECT_EQ(exchange::Export(s, Format::Genalex, "\u308a\u3093\u3054").text,
            "\xEF\xBB\xBF"
            "1,1,1,1\n\u308a\u3093\u3054,,,\u308a\u3093\u3054\nInd,Pop,CH01,\n"
            "\u3075\u3058,\u308a\u3093\u3054,180,192\n");
  EXPECT_EQ(exchange::Export(s, Format::Genepop, "t").text.rfind("t\nCH01\n", 0), 0u);
}

TEST(ExportAlleles, CharacterAllelesAreNumberedInTableOrder) {
  const auto s = testsupport::Tallied({{u"AC"}, {u"CC"}, {u""}});
  const exchange::Exported e = exchange::Export(s, Format::Structure, "Rice");
  EXPECT_EQ(e.text, "M1\nV1 1 2\nV2 2 2\nV3 -9 -9\n");
  ASSERT_EQ(e.alleles.size(), 1u);
  EXPECT_EQ(e.alleles[0].alleles, (std::vector<std::pair<int, std::string>>{{1, "A"}, {2, "C"}}));
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
