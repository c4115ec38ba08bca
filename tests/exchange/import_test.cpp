// Importing other programs' files: adegenet's own GENEPOP sample gives the
// HE adegenet computes, our GenAlEx export comes back as the same genotypes,
// and a malformed file is refused with its line and leaves nothing behind.
#include "app/core/Import.h"

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <filesystem>
#include <sstream>

#include "analysis/Statistics.h"
#include "app/core/Session.h"
#include "exchange/Adegenet.h"
#include "exchange/ExportFormat.h"
#include "exchange/ImportFormat.h"
#include "exchange/SsrStore.h"
#include "exchange/TextEncoding.h"
#include "messages/CliTexts.h"
#include "report/Groups.h"
#include "support/Interop.h"

namespace {

using exchange::ImportError;
using exchange::ImportKind;
using testsupport::RunCommand;

// The only source sheet of a workbook, read and converted as a run reads it.
report::GenotypeRead ReadSource(app::Session& session, const std::string& path) {
  session.Open(path);
  for (const std::string& name : session.SheetNames())
    if (app::IsSourceName(name)) return session.ReadGenotypes(name);
  ADD_FAILURE() << "no source sheet in " << path;
  return {};
}

// The line and reason a reader refuses `text` with; line 0 when it reads it.
std::pair<int, std::string> Refusal(ImportKind kind, std::string_view text,
                                    const exchange::ImportLimits& limits = {}) {
  try {
    exchange::ReadImport(kind, text, limits);
    return {0, ""};
  } catch (const ImportError& e) {
    return {e.Line(), e.Reason()};
  }
}

TEST(ImportGenepop, NancycatsGivesTheExpectedHeterozygosityOfAdegenet) {
  if (!exchange_test::HaveAdegenet()) GTEST_SKIP() << "Rscript with adegenet is not installed";
  const std::string sample =
      RunCommand("Rscript -e 'cat(system.file(\"files/nancycats.gen\", package = \"adegenet\"))'")
          .out;
  const auto r =
      RunCommand("Rscript -e 'suppressMessages(library(adegenet)); x <- read.genepop(\"" + sample +
                 "\", quiet = TRUE); cat(sprintf(\"%.17g\", summary(x)$Hexp), sep = \"\\n\")'");
  std::vector<double> hexp;
  std::istringstream lines(r.out);
  for (double h; lines >> h;) hexp.push_back(h);

  testsupport::TempDir dir;
  const app::ImportReport done = app::ImportFile(sample, dir.File("cats.xlsx"), std::nullopt);
  EXPECT_EQ(done.varieties, 237);
  app::Session session;
  const report::GenotypeRead read = ReadSource(session, dir.File("cats.xlsx"));
  ASSERT_TRUE(read.findings.empty());
  ASSERT_EQ(static_cast<int>(hexp.size()), read.store->MarkerCount());
  for (int m = 1; m <= read.store->MarkerCount(); ++m) {
    const auto stats = analysis::MarkerStats(*read.store, m);
    ASSERT_TRUE(stats.he.has_value());
    EXPECT_NEAR(*stats.he, hexp[m - 1], 1e-12) << read.store->MarkerName(m);
  }
}

// The allele indexes of an imported "a/b" cell, through the export's numbering.
std::pair<int, int> Indexes(const store::GenotypeStore& s, int m, const std::string& cell,
                            const exchange::Exported& e) {
  bool renumbered = false;
  for (const auto& r : e.alleles) renumbered = renumbered || r.marker == m;
  auto index = [&](int written) {
    if (renumbered) return written;
    for (int a = 1; a <= s.Marker(m).AlleleCount(); ++a)
      if (s.Marker(m).AlleleValue(a) == written) return a;
    return 0;
  };
  const size_t slash = cell.find('/');
  return {index(std::stoi(cell.substr(0, slash))), index(std::stoi(cell.substr(slash + 1)))};
}

TEST(ImportGenalex, ExportedExamplesComeBackAsTheSameGenotypes) {
  for (const char* example : {"ssr_example.xlsx", "chr_example.xlsx"}) {
    app::Session session;
    const auto read =
        ReadSource(session, std::string(ALLELESCOPE_SOURCE_DIR) + "/examples/" + example);
    const store::GenotypeStore& s = *read.store;
    const exchange::Exported e = exchange::Export(s, exchange::Format::Genalex, "Example");
    const exchange::ImportedTable t = exchange::ReadGenalex(e.text);
    ASSERT_EQ(static_cast<int>(t.varieties.size()), s.VarietyCount()) << example;
    ASSERT_EQ(static_cast<int>(t.markers.size()), s.MarkerCount()) << example;
    for (int v = 1; v <= s.VarietyCount(); ++v) {
      EXPECT_EQ(t.varieties[v - 1], s.VarietyName(v));
      for (int m = 1; m <= s.MarkerCount(); ++m) {
        const std::string& cell = t.cells[v - 1][m - 1];
        const auto original = exchange::AlleleIndexes(s, v, m);
        ASSERT_EQ(cell.empty(), !original.has_value()) << example << " " << v << "," << m;
        if (original) {
          EXPECT_EQ(Indexes(s, m, cell, e), *original) << example;
        }
      }
    }
  }
}

// A GENEPOP file's title and populations live on in the workbook (B2 and
// the Groups sheet) and come back in an export: GENEPOP as its Pop blocks,
// GenAlEx by name too; adegenet reads the blocks as populations.
TEST(ImportGenepop, TitleAndPopulationsComeBackInAnExport) {
  const std::string gen =
      "Orchard 2020\nL1\nL2\nPOP north\nA , 180192 095095\nB , 180180 000000\nPop\n"
      "C , 192192 095101\nPop south\nD , 180192 101101\nE , 192192 095095\n";
  const exchange::ImportedTable original = exchange::ReadGenepop(gen);
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("orchard.gen"), gen);
  app::ImportFile(dir.File("orchard.gen"), dir.File("orchard.xlsx"), std::nullopt);
  app::Session session;
  const report::GenotypeRead read = ReadSource(session, dir.File("orchard.xlsx"));
  EXPECT_EQ(read.title, "Orchard 2020");
  EXPECT_EQ(read.populations, original.populations);

  const std::string genepop =
      exchange::Export(*read.store, exchange::Format::Genepop, read.title, read.populations).text;
  const exchange::ImportedTable again = exchange::ReadGenepop(genepop);
  EXPECT_EQ(again.title, original.title);
  EXPECT_EQ(again.varieties, original.varieties);
  EXPECT_EQ(again.cells, original.cells);
  EXPECT_EQ(again.populations,
            (std::vector<std::string>{"Pop 1", "Pop 1", "Pop 2", "Pop 3", "Pop 3"}));
  const exchange::ImportedTable alex = exchange::ReadGenalex(
      exchange::Export(*read.store, exchange::Format::Genalex, read.title, read.populations).text);
  EXPECT_EQ(alex.title, original.title);
  EXPECT_EQ(alex.varieties, original.varieties);
  EXPECT_EQ(alex.cells, original.cells);
  EXPECT_EQ(alex.populations, original.populations);

  if (!exchange_test::HaveAdegenet()) GTEST_SKIP() << "Rscript with adegenet is not installed";
  testsupport::WriteFileBytes(dir.File("again.gen"), genepop);
  const auto sizes =
      RunCommand("Rscript -e 'suppressMessages(library(adegenet)); x <- read.genepop(\"" +
                 dir.File("again.gen") +
                 "\", ncode = 3, quiet = TRUE); "
                 "cat(as.vector(table(pop(x))))'");
  EXPECT_EQ(sizes.out, "2 1 2") << sizes.err;
}

// Each variety finds its row of the Groups sheet by name, the k-th of a
// repeated name the k-th row of that name, wherever the user moved it; a
// variety the sheet does not list has no population.
TEST(ImportGroups, EachVarietyFindsItsRowByName) {
  const auto s = exchange_test::ConvertedSsr({"A", "B", "A", "C"}, {"L1"},
                                             {{"1/2"}, {"1/2"}, {"1/1"}, {"2/2"}});
  EXPECT_EQ(report::PopulationsOf(s, {{"A", "p"}, {"C", "r"}, {"A", "q"}, {"D", "s"}}),
            (std::vector<std::string>{"p", "", "q", "r"}));
}

struct BadFile {
  const char* name;
  ImportKind kind;
  std::string text;
  int line;
  std::string reason;
};

std::vector<BadFile> BadFiles() {
  using msg::Cli;
  auto text = [](Cli id) { return std::string(msg::Text(id)); };
  const std::string gen = "title\nL1\nL2\nPop\nA , 180192 095095\n";
  const std::string alex = "2,2,1,2\nt,,,p\nInd,Pop,L1,,L2,\nA,p,180,192,95,95\n";
  return {
      {"empty", ImportKind::Csv, "", 1, text(Cli::ImportEmpty)},
      {"byte-order mark alone", ImportKind::Csv, "\xEF\xBB\xBF", 1, text(Cli::ImportEmpty)},
      {"genalex byte-order mark alone", ImportKind::Genalex, "\xEF\xBB\xBF", 1,
       text(Cli::ImportEmpty)},
      {"genepop byte-order mark and blanks", ImportKind::Genepop, "\xEF\xBB\xBF\r\n \n", 1,
       text(Cli::ImportEmpty)},
      {"binary", ImportKind::Genepop, std::string("PK\x03\x04\0\0", 6) + "\n", 1,
       text(Cli::ImportBinary)},
      {"not utf8", ImportKind::Csv, "a,b\nc,\xff\n", 2,
       msg::Format(Cli::ImportNotUtf8, "CP1252 (Windows western)", "CP1252")},
      {"genepop without Pop", ImportKind::Genepop, "title\nL1\nL2\n", 3, text(Cli::ImportNoPop)},
      {"genepop cut in a line", ImportKind::Genepop, gen + "B , 180180 09", 6,
       msg::Format(Cli::ImportGenotypeForm, "09")},
      {"genepop one genotype short", ImportKind::Genepop, gen + "B , 180180\n", 6,
       msg::Format(Cli::ImportFieldCount, 2, 1)},
      {"genepop letter in allele", ImportKind::Genepop, gen + "B , 18a180 095095\n", 6,
       msg::Format(Cli::ImportNotNumeric, "18a180")},
      {"genalex column missing", ImportKind::Genalex, alex + "B,p,180,192,95\n", 5,
       msg::Format(Cli::ImportFieldCount, 6, 5)},
      {"genalex fewer rows than counted", ImportKind::Genalex, alex, 4,
       msg::Format(Cli::ImportTooFewRows, 2, 1)},
      {"genalex letter allele", ImportKind::Genalex, alex + "B,p,180,x,95,95\n", 5,
       msg::Format(Cli::ImportNotNumeric, "x")},
      {"genalex counts row", ImportKind::Genalex, "a,b,c\n", 1, text(Cli::ImportCountsRow)},
      {"genalex more samples than a sheet has rows", ImportKind::Genalex,
       "1,1048573,1\nt\nInd,Pop,L1,\n", 1,
       msg::Format(Cli::ImportTooManyVarieties, 1048573, 1048572)},
      {"genepop four digits after six", ImportKind::Genepop, gen + "a1 , 0918 0909\n", 6,
       msg::Format(Cli::ImportGenotypeWidth, "0918", 6)},
      {"genepop six digits after four", ImportKind::Genepop,
       "t\nL1\nL2\nPop\nA , 0918 0909\nB , 0909 095095\n", 6,
       msg::Format(Cli::ImportGenotypeWidth, "095095", 4)},
      {"genepop four digits in a six-digit line", ImportKind::Genepop, gen + "B , 180180 0950\n", 6,
       msg::Format(Cli::ImportGenotypeWidth, "0950", 6)},
      {"csv extra column", ImportKind::Csv, "Name,L1\nA,180/192,95/95\n", 2,
       msg::Format(Cli::ImportFieldCount, 2, 3)},
      {"csv missing column", ImportKind::Csv, "Name,L1,L2\nA,180/192\n", 2,
       msg::Format(Cli::ImportFieldCount, 3, 2)},
  };
}

TEST(ImportBadFiles, EachGetsItsLineAndReasonAndNothingIsWritten) {
  testsupport::TempDir dir;
  for (const BadFile& bad : BadFiles()) {
    const std::string input = dir.File("bad.txt");
    testsupport::WriteFileBytes(input, bad.text);
    const std::string output = dir.File("out.xlsx");
    try {
      app::ImportFile(input, output, bad.kind);
      ADD_FAILURE() << bad.name << " was accepted";
    } catch (const ImportError& e) {
      EXPECT_EQ(e.Line(), bad.line) << bad.name;
      EXPECT_EQ(e.Reason(), bad.reason) << bad.name;
    }
    EXPECT_FALSE(std::filesystem::exists(output)) << bad.name;
  }
}

TEST(ImportCsv, TableLayoutKeepsCellsAsTypedAndPadsNothing) {
  const exchange::ImportedTable t =
      exchange::ReadTableCsv("\xEF\xBB\xBFName,L1,L2\r\n\"Orin, early\",180/192,\r\nFuji,,AB\r\n");
  EXPECT_EQ(t.markers, (std::vector<std::string>{"L1", "L2"}));
  EXPECT_EQ(t.varieties, (std::vector<std::string>{"Orin, early", "Fuji"}));
  EXPECT_EQ(t.cells, (std::vector<std::vector<std::string>>{{"180/192", ""}, {"", "AB"}}));
  EXPECT_TRUE(t.populations.empty());
  EXPECT_EQ(exchange::GuessKind("x.csv", "2,3,1,3\n"), ImportKind::Genalex);
  EXPECT_EQ(exchange::GuessKind("x.csv", "Name,L1\n"), ImportKind::Csv);
  EXPECT_EQ(exchange::GuessKind("x.gen", "Name,L1\n"), ImportKind::Genepop);
  // Spreadsheets save "CSV UTF-8" with a byte-order mark before the counts.
  EXPECT_EQ(exchange::GuessKind("x.csv",
                                "\xEF\xBB\xBF"
                                "2,3,1,3\r\n"),
            ImportKind::Genalex);
}

// GenAlEx writes 0 for an allele not scored; a spreadsheet keeps "000" or
// "-0" as typed. Each is no allele, and a scored one is its number.
TEST(ImportGenalex, ZeroInAnySpellingIsUntyped) {
  const auto t = exchange::ReadGenalex(
      "1,5,1,5\nTrial 7,,,P\nInd,Pop,L1,\na,P,000,000\nb,P,-0,180\nc,P,00,0\nd,P,0180,192\n"
      "e,P,180,0\n");
  EXPECT_EQ(t.title, "Trial 7");
  EXPECT_EQ(t.cells, (std::vector<std::vector<std::string>>{{""}, {""}, {""}, {"180/192"}, {""}}));
}

// A GenAlEx file counts its samples in the full range a sheet holds, both
// when the first row tells the layout and when --format names it.
TEST(ImportGenalex, CountsBeyondSixteenBitsAreCounts) {
  std::string text = "1,40000,1,40000\nBig,,,P\nInd,Pop,L1,\n";
  for (int v = 1; v <= 40000; ++v) text += "s" + std::to_string(v) + ",P,150,152\n";
  EXPECT_EQ(exchange::GuessKind("big.csv", text), ImportKind::Genalex);
  const auto t = exchange::ReadGenalex(text);
  EXPECT_EQ(t.varieties.size(), 40000u);
  EXPECT_EQ(t.varieties.front(), "s1");
  EXPECT_EQ(t.populations.back(), "P");
}

// Spreadsheets under many European locales separate fields with ";", and
// "Unicode text" with tabs; the first row tells which, in either layout.
TEST(ImportCsv, SemicolonsAndTabsSeparateFieldsAsCommasDo) {
  for (const char* sep : {";", "\t"}) {
    std::string table = "Name;L1;L2\n\"Orin; early\";180/192;\nFuji;;95/95\n";
    std::string alex = "2;2;1;2\nt;;;p\nInd;Pop;L1;;L2;\nA;p;180;192;0;0\nB;p;1;2;3;4\n";
    for (auto* text : {&table, &alex})
      for (char& c : *text) c = c == ';' ? sep[0] : c;
    const auto t = exchange::ReadImport(exchange::GuessKind("t.csv", table), table);
    EXPECT_EQ(t.markers, (std::vector<std::string>{"L1", "L2"})) << sep;
    EXPECT_EQ(t.cells, (std::vector<std::vector<std::string>>{{"180/192", ""}, {"", "95/95"}}));
    EXPECT_EQ(t.varieties.front(), std::string("Orin") + sep + " early");
    ASSERT_EQ(exchange::GuessKind("t.csv", alex), ImportKind::Genalex) << sep;
    EXPECT_EQ(exchange::ReadGenalex(alex).cells,
              (std::vector<std::vector<std::string>>{{"180/192", ""}, {"1/2", "3/4"}}));
  }
  // A comma in a semicolon file's names stays in the name.
  EXPECT_EQ(exchange::ReadTableCsv("Name;L1,a;L2\nA;1/2;3/4\n").markers,
            (std::vector<std::string>{"L1,a", "L2"}));
}

// `utf8` in the encoding `to`, through iconv.
std::string Encoded(const std::string& utf8, const char* to) {
  const iconv_t cd = ::iconv_open(to, "UTF-8");
  std::string out(4 * utf8.size() + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  char* dst = out.data();
  size_t left = utf8.size(), room = out.size();
  EXPECT_NE(::iconv(cd, &in, &left, &dst, &room), static_cast<size_t>(-1)) << to;
  ::iconv_close(cd);
  out.resize(out.size() - room);
  return out;
}

// A CSV saved on a Japanese desktop is CP932, on a western one CP1252, as
// "Unicode text" UTF-16 with a byte-order mark: each is read as the UTF-8
// text it holds, the first two when named. Unnamed, a text that is not UTF-8
// is refused at its first such line with the encoding it likely has.
TEST(ImportEncodings, EachTextIsReadAsTheCharactersItHolds) {
  const std::string japanese = "Name,L1\nふじ,180/192\n紅玉,180/180\n";
  const std::string western = "Name,L1\nMüller,180/192\nCafé crème,180/180\n";
  const struct {
    std::string bytes, encoding, utf8;
  } read[] = {{"\xFF\xFE" + Encoded(japanese, "UTF-16LE"), "", japanese},
              {"\xFE\xFF" + Encoded(western, "UTF-16BE"), "CP932", western},
              {Encoded(japanese, "CP932"), "CP932", japanese},
              {Encoded(japanese, "SHIFT_JIS"), "SHIFT_JIS", japanese},
              {Encoded(western, "CP1252"), "CP1252", western},
              {western, "UTF-8", western},
              {"\xEF\xBB\xBF" + western, "CP1252", "\xEF\xBB\xBF" + western}};
  for (const auto& c : read)
    EXPECT_EQ(exchange::DecodeText(c.bytes, c.encoding, 1 << 20), c.utf8) << c.encoding;

  using msg::Cli;
  const auto notUtf8 = [](int line, const char* name, const char* option) {
    return std::make_pair(line, msg::Format(Cli::ImportNotUtf8, name, option));
  };
  EXPECT_EQ(Refusal(ImportKind::Csv, Encoded(japanese, "CP932")),
            notUtf8(2, "Shift_JIS (CP932)", "CP932"));
  EXPECT_EQ(Refusal(ImportKind::Csv, Encoded(western, "CP1252")),
            notUtf8(2, "CP1252 (Windows western)", "CP1252"));
  EXPECT_EQ(Refusal(ImportKind::Csv, "Name,L1\nA\x90,1/2\n"),
            notUtf8(2, "ISO-8859-1 (Latin-1)", "ISO-8859-1"));
  EXPECT_EQ(Refusal(ImportKind::Csv, Encoded(western, "UTF-16LE")),
            notUtf8(1, "UTF-16LE", "UTF-16LE"));
  EXPECT_EQ(Refusal(ImportKind::Csv, Encoded(western, "UTF-16BE")),
            notUtf8(1, "UTF-16BE", "UTF-16BE"));
  try {
    exchange::DecodeText("Name,L1\nA,1/2\nB\x81,1/2\n", "CP1252", 1 << 20);
    ADD_FAILURE() << "an undefined CP1252 byte was read";
  } catch (const ImportError& e) {
    EXPECT_EQ(e.Line(), 3);
    EXPECT_EQ(e.Reason(), msg::Format(Cli::ImportNotInEncoding, "CP1252"));
  }
}

// A workbook holds its texts as XML: bytes that are not UTF-8 (overlong
// forms, surrogates, past U+10FFFF) or a control character XML cannot hold
// would make one no program opens. Each is refused on its line; characters
// at the edges of what is allowed are read as they are.
// What a text that is not UTF-8 is refused with at `line`: the encoding it
// likely has and the option that reads it.
std::pair<int, std::string> NotUtf8(std::string_view text, int line) {
  const exchange::EncodingGuess guess = exchange::LikelyEncoding(text);
  return {line, msg::Format(msg::Cli::ImportNotUtf8, guess.name, guess.option)};
}

TEST(ImportText, OnlyTextAWorkbookHoldsIsRead) {
  for (const char* bad :
       {"\xC0\xAF", "\xC1\xBF", "\xE0\x80\xAF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xED\xBF\xBF",
        "\xF0\x80\x80\xAF", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
        "\xF7\xBF\xBF\xBF", "\xF8\x88\x80\x80\x80", "\xFF", "\xE3\x81"}) {
    const std::string csv = std::string("Name,M1\nA,1/2\nB") + bad + ",1/2\n";
    EXPECT_EQ(Refusal(ImportKind::Csv, csv), NotUtf8(csv, 3)) << bad;
    const std::string gen = std::string("t\rM1\r") + bad + "\rPop\r";
    EXPECT_EQ(Refusal(ImportKind::Genepop, gen), NotUtf8(gen, 3)) << bad;
  }
  for (const char control : {'\x01', '\x08', '\x0B', '\x0C', '\x0E', '\x1A', '\x1F'}) {
    const std::string text = std::string("2,1,1\nt\nInd,Pop,M1\nA") + control + ",p,1,2\n";
    EXPECT_EQ(Refusal(ImportKind::Genalex, text),
              std::make_pair(
                  4, msg::Format(msg::Cli::ImportControl, fmt::format("U+{:04X}", int(control)))));
  }
  for (const char* good :
       {"\xC2\x80", "\xDF\xBF", "\xE0\xA0\x80", "\xED\x9F\xBF", "\xEE\x80\x80", "\xEF\xBF\xBF",
        "\xF0\x90\x80\x80", "\xF4\x8F\xBF\xBF", "a\tb", "\x7F"}) {
    const auto t = exchange::ReadTableCsv(std::string("Name,M1\n") + good + ",1/2\n");
    EXPECT_EQ(t.varieties, std::vector<std::string>{good});
  }
}

// Old Mac files end lines with a lone CR: it ends a line as LF and CRLF do
// (CRLF one end, not two), and a fault's line counts every kind of end.
TEST(ImportText, EveryKindOfLineEndEndsALine) {
  const exchange::ImportedTable t = exchange::ReadTableCsv("Name,M1\rA,150/160\rB,150/150\r");
  EXPECT_EQ(t.markers, std::vector<std::string>{"M1"});
  EXPECT_EQ(t.varieties, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(t.cells, (std::vector<std::vector<std::string>>{{"150/160"}, {"150/150"}}));
  using msg::Cli;
  EXPECT_EQ(Refusal(ImportKind::Csv, "Name,M1\r\nA,1/2\rB,1/2\n\r\nC,1/2,3/4\r"),
            std::make_pair(5, msg::Format(Cli::ImportFieldCount, 2, 3)));
  EXPECT_EQ(Refusal(ImportKind::Genepop, "t\rL1\rPop\rA , 150160\r\rB , 15016\r"),
            std::make_pair(6, msg::Format(Cli::ImportGenotypeForm, "15016")));
  EXPECT_EQ(Refusal(ImportKind::Genalex, "1,2,1\r\n\rInd,Pop,L1\rA,p,1,2\r\nB,p,x,1\r"),
            std::make_pair(5, msg::Format(Cli::ImportNotNumeric, "x")));
  EXPECT_EQ(Refusal(ImportKind::Csv, "Name,M1\rA,\xFF\r"), NotUtf8("\xFF", 2));
}

// Spreadsheets pad a CSV with rows of bare commas: those are no varieties,
// in either CSV layout, nor a GENEPOP line of commas; a row with a genotype
// and no name still is one.
TEST(ImportCsv, RowsOfBareCommasAreNoVarieties) {
  const auto table = exchange::ReadTableCsv("Name,M1,M2\nA,1/2,3/4\n,,\n , ,\"\"\nB,,5/6\n,,\n");
  EXPECT_EQ(table.varieties, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(table.cells.size(), 2u);
  const auto alex =
      exchange::ReadGenalex("2,2,1\n,,\nInd,Pop,L1,,L2,\nA,p,1,2,3,4\n,,,,,\nB,p,1,2,0,0\n,,,\n");
  EXPECT_EQ(alex.varieties, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(alex.populations, (std::vector<std::string>{"p", "p"}));
  const auto gen = exchange::ReadGenepop("t\nL1\nPop\nA , 0102\n , ,\n,\nB , 0101\n");
  EXPECT_EQ(gen.varieties, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(exchange::ReadTableCsv("Name,M1\n,1/2\n").varieties, std::vector<std::string>{"#1"});
}

// Other programs write "Pop 1" or "POP north", and a spreadsheet that saved
// the file pads its lines with commas: each still opens a population, named
// by its text ("Pop n" for a number or none), but a marker or a variety whose
// name only begins with "pop", or is "Pop" with genotypes, stays what it is.
// Padding is no genotype, a comma inside them is. The title is kept.
TEST(ImportGenepop, PopLinesMayCarryMoreThanTheKeyword) {
  const auto t = exchange::ReadGenepop(
      "Apples 2020,,\nPopgene\nL2,,\nPop 1,,\nPoplar , 0101 0202,, \nPOP north\nPop , 0102 0000\n"
      "pop\t3\nC , 0202 0101\nPop\nD , 0202 0101\n");
  EXPECT_EQ(t.title, "Apples 2020");
  EXPECT_EQ(t.markers, (std::vector<std::string>{"Popgene", "L2"}));
  EXPECT_EQ(t.varieties, (std::vector<std::string>{"Poplar", "Pop", "C", "D"}));
  EXPECT_EQ(t.populations, (std::vector<std::string>{"Pop 1", "north", "Pop 3", "Pop 4"}));
  EXPECT_EQ(Refusal(ImportKind::Genepop, "t\nL1\nPop\nPopular 0101\n"),
            std::make_pair(4, msg::Format(msg::Cli::ImportFieldCount, 2, 1)));
  EXPECT_EQ(Refusal(ImportKind::Genepop, "t\nL1,L2\nPop\nA , 0101, 0202\n"),
            std::make_pair(4, msg::Format(msg::Cli::ImportNotNumeric, "0101,")));
}

// A table past what a workbook holds is refused at the line where it passes,
// before the rest of the file is read: a file of millions of short rows
// would otherwise take gigabytes first. Names count as cells, and so does the
// sheet of populations.
TEST(ImportLimits, ATableIsRefusedAtTheLineWhereItPassesAWorkbook) {
  using msg::Cli;
  std::string wide = "Name";
  for (int m = 1; m <= 16382; ++m) wide += ",L" + std::to_string(m);
  EXPECT_EQ(Refusal(ImportKind::Csv, wide + ",L16383\n"),
            std::make_pair(1, msg::Format(Cli::ImportTooManyMarkers, 16383, 16382)));
  EXPECT_EQ(exchange::ReadTableCsv(wide + std::string(100000, ',') + "\n").markers.size(), 16382u);
  EXPECT_EQ(Refusal(ImportKind::Genalex, "16383,1,1\n"),
            std::make_pair(1, msg::Format(Cli::ImportTooManyMarkers, 16383, 16382)));

  const exchange::ImportLimits small{2, 3, 10};
  EXPECT_EQ(Refusal(ImportKind::Genepop, "t\nL1\nL2, L3\nPop\n", small),
            std::make_pair(3, msg::Format(Cli::ImportTooManyMarkers, 3, 2)));
  // A title takes B2 and its row: the anchor and its row, the title 4, 2
  // markers 6, A 4 and its row on the sheet of populations 6.
  EXPECT_EQ(Refusal(ImportKind::Genalex, "2,2,1\nt\nInd,Pop,L1,,L2,\nA,p,1,2,3,4\n", small),
            std::make_pair(4, msg::Format(Cli::ImportTooManyCells, 16, 10)));
  // The fourth variety passes on line 5; line 6 is never read.
  EXPECT_EQ(Refusal(ImportKind::Csv, "Name,M1\nA,\nB,\nC,\nD,\nnot a row,1,2,3\n", small),
            std::make_pair(5, msg::Format(Cli::ImportTooManyVarieties, 4, 3)));
  // Counted as reading the workbook counts them, a row as a cell: the anchor,
  // its row and 2 markers, then each variety's row, name and genotypes: 4, 8, 11.
  EXPECT_EQ(Refusal(ImportKind::Csv, "Name,M1,M2\nA,1/2,3/4\nB,1/2,\nC,1/2,3/4\n", small),
            std::make_pair(3, msg::Format(Cli::ImportTooManyCells, 11, 10)));
  // The title takes B2 and its row, and the sheet of populations adds its row
  // of two heads, then a row, name and population a variety: 6, then A 4 + 6,
  // then B 3 (its second genotype is untyped) passes.
  EXPECT_EQ(Refusal(ImportKind::Genalex, "2,2,1\nt\nInd,Pop,L1,,L2,\nA,p,1,2,3,4\nB,p,1,2,0,0\n",
                    {2, 3, 17}),
            std::make_pair(5, msg::Format(Cli::ImportTooManyCells, 19, 17)));
  // Untyped places take memory too: 2, 4, then 6 on line 4.
  EXPECT_EQ(Refusal(ImportKind::Csv, "Name,M1,M2\nA,,\nB,,\nC,,\n", {2, 3, 100, 5}),
            std::make_pair(4, msg::Format(Cli::ImportTooManyPlaces, 6, 5)));
}

}  // namespace
