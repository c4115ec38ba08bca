// Importing other programs' files: adegenet's own GENEPOP sample gives the
// HE adegenet computes, each layout reads its cells as typed, and a malformed
// file is refused with its line and leaves nothing behind.
#include "app/core/Import.h"

#include <fmt/format.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <filesystem>
#include <sstream>

#include "analysis/Statistics.h"
#include "app/core/Session.h"
#include "exchange/Adegenet.h"
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

// Each variety finds its row of the Groups sheet by name, the k-th of a
// repeated name the k-th row of that name, wherever the user moved it; a
// variety the sheet does not list has no population.
TEST(ImportGroups, EachVarietyFindsItsRowByName) {
  const auto s = exchange_test::ConvertedSsr({"A", "B", "A", "C"}, {"L1"},
                                             {{"1/2"}, {"1/2"}, {"1/1"}, {"2/2"}});
  EXPECT_EQ(report::PopulationsOf(s, {{"A", "p"}, {"C", "r"}, {"A", "q"}, {"D", "s"}}),
            (std::vector<std::string>{"p", "", "q", "r"}));
}

// Each malformed file is refused with its line and reason, and no workbook
// is written. Faults count every kind of line end (old Mac files end lines
// with a lone CR, CRLF is one end). A GENEPOP variety whose name only begins
// with "Pop" is a variety; a comma inside its genotypes is no padding.
TEST(ImportBadFiles, EachGetsItsLineAndReasonAndNothingIsWritten) {
  using msg::Cli;
  auto text = [](Cli id) { return std::string(msg::Text(id)); };
  const std::string gen = "title\nL1\nL2\nPop\nA , 180192 095095\n";
  const std::string alex = "2,2,1,2\nt,,,p\nInd,Pop,L1,,L2,\nA,p,180,192,95,95\n";
  const struct {
    ImportKind kind;
    std::string text;
    int line;
    std::string reason;
  } bad[] = {
      {ImportKind::Csv, "", 1, text(Cli::ImportEmpty)},
      {ImportKind::Csv, "\xEF\xBB\xBF", 1, text(Cli::ImportEmpty)},
      {ImportKind::Genalex, "\xEF\xBB\xBF", 1, text(Cli::ImportEmpty)},
      {ImportKind::Genepop, "\xEF\xBB\xBF\r\n \n", 1, text(Cli::ImportEmpty)},
      {ImportKind::Genepop, std::string("PK\x03\x04\0\0", 6) + "\n", 1, text(Cli::ImportBinary)},
      {ImportKind::Csv, "a,b\nc,\xff\n", 2,
       msg::Format(Cli::ImportNotUtf8, "CP1252 (Windows western)", "CP1252")},
      {ImportKind::Genepop, "title\nL1\nL2\n", 3, text(Cli::ImportNoPop)},
      {ImportKind::Genepop, gen + "B , 180180 09", 6, msg::Format(Cli::ImportGenotypeForm, "09")},
      {ImportKind::Genepop, gen + "B , 180180\n", 6, msg::Format(Cli::ImportFieldCount, 2, 1)},
      {ImportKind::Genepop, gen + "B , 18a180 095095\n", 6,
       msg::Format(Cli::ImportNotNumeric, "18a180")},
      {ImportKind::Genalex, alex + "B,p,180,192,95\n", 5, msg::Format(Cli::ImportFieldCount, 6, 5)},
      {ImportKind::Genalex, alex, 4, msg::Format(Cli::ImportTooFewRows, 2, 1)},
      {ImportKind::Genalex, alex + "B,p,180,x,95,95\n", 5, msg::Format(Cli::ImportNotNumeric, "x")},
      {ImportKind::Genalex, "a,b,c\n", 1, text(Cli::ImportCountsRow)},
      {ImportKind::Genalex, "1,1048573,1\nt\nInd,Pop,L1,\n", 1,
       msg::Format(Cli::ImportTooManyVarieties, 1048573, 1048572)},
      {ImportKind::Genepop, gen + "a1 , 0918 0909\n", 6,
       msg::Format(Cli::ImportGenotypeWidth, "0918", 6)},
      {ImportKind::Genepop, "t\nL1\nL2\nPop\nA , 0918 0909\nB , 0909 095095\n", 6,
       msg::Format(Cli::ImportGenotypeWidth, "095095", 4)},
      {ImportKind::Genepop, gen + "B , 180180 0950\n", 6,
       msg::Format(Cli::ImportGenotypeWidth, "0950", 6)},
      {ImportKind::Csv, "Name,L1\nA,180/192,95/95\n", 2, msg::Format(Cli::ImportFieldCount, 2, 3)},
      {ImportKind::Csv, "Name,L1,L2\nA,180/192\n", 2, msg::Format(Cli::ImportFieldCount, 3, 2)},
      {ImportKind::Csv, "Name,M1\r\nA,1/2\rB,1/2\n\r\nC,1/2,3/4\r", 5,
       msg::Format(Cli::ImportFieldCount, 2, 3)},
      {ImportKind::Genepop, "t\rL1\rPop\rA , 150160\r\rB , 15016\r", 6,
       msg::Format(Cli::ImportGenotypeForm, "15016")},
      {ImportKind::Genalex, "1,2,1\r\n\rInd,Pop,L1\rA,p,1,2\r\nB,p,x,1\r", 5,
       msg::Format(Cli::ImportNotNumeric, "x")},
      {ImportKind::Genepop, "t\nL1\nPop\nPopular 0101\n", 4,
       msg::Format(Cli::ImportFieldCount, 2, 1)},
      {ImportKind::Genepop, "t\nL1,L2\nPop\nA , 0101, 0202\n", 4,
       msg::Format(Cli::ImportNotNumeric, "0101,")},
  };
  testsupport::TempDir dir;
  const std::string input = dir.File("bad.txt"), output = dir.File("out.xlsx");
  for (const auto& b : bad) {
    SCOPED_TRACE(b.text);
    testsupport::WriteFileBytes(input, b.text);
    try {
      app::ImportFile(input, output, b.kind);
      ADD_FAILURE() << "accepted";
    } catch (const ImportError& e) {
      EXPECT_EQ(e.Line(), b.line);
      EXPECT_EQ(e.Reason(), b.reason);
    }
    EXPECT_FALSE(std::filesystem::exists(output));
  }
}

// A table as one line: "title|markers|variety@population:cells;...", "-" for
// an untyped cell.
std::string Shown(const exchange::ImportedTable& t) {
  std::string text = t.title + "|";
  for (const std::string& marker : t.markers) text += marker + ",";
  for (size_t v = 0; v < t.varieties.size(); ++v) {
    text += "|" + t.varieties[v] + (t.populations.empty() ? "" : "@" + t.populations[v]) + ":";
    for (const std::string& cell : t.cells[v]) text += (cell.empty() ? "-" : cell) + " ";
  }
  return text;
}

// What each layout reads: cells as typed, padding as nothing.
// - CSV: a byte-order mark, quoted names, CRLF or a lone CR; spreadsheets
//   under many European locales separate fields with ";", "Unicode text"
//   with tabs (the first row tells which, in either layout), and pad a CSV
//   with rows of bare commas, which are no varieties (a genotype without a
//   name still is one).
// - GenAlEx: 0 in any spelling a spreadsheet keeps ("000", "-0") is untyped.
// - GENEPOP: "Pop 1", "POP north" or "pop<TAB>3" each open a population named
//   by its text ("Pop n" for a number or none); a marker or variety whose name
//   only begins with "pop", or is "Pop" with genotypes, stays what it is, and
//   padding commas are no genotype. The title is kept.
TEST(ImportReaders, EachLayoutReadsItsCellsAsTypedAndPadsNothing) {
  std::vector<std::pair<std::string, std::string>> reads = {
      {"\xEF\xBB\xBFName,L1,L2\r\n\"Orin, early\",180/192,\r\nFuji,,AB\r\n",
       "|L1,L2,|Orin, early:180/192 - |Fuji:- AB "},
      {"Name;L1,a;L2\nA;1/2;3/4\n", "|L1,a,L2,|A:1/2 3/4 "},
      {"Name,M1\rA,150/160\rB,150/150\r", "|M1,|A:150/160 |B:150/150 "},
      {"Name,M1,M2\nA,1/2,3/4\n,,\n , ,\"\"\nB,,5/6\n,,\n", "|M1,M2,|A:1/2 3/4 |B:- 5/6 "},
      {"Name,M1\n,1/2\n", "|M1,|#1:1/2 "},
      {"2,2,1\n,,\nInd,Pop,L1,,L2,\nA,p,1,2,3,4\n,,,,,\nB,p,1,2,0,0\n,,,\n",
       "|L1,L2,|A@p:1/2 3/4 |B@p:1/2 - "},
      {"1,5,1,5\nTrial 7,,,P\nInd,Pop,L1,\na,P,000,000\nb,P,-0,180\nc,P,00,0\nd,P,0180,192\n"
       "e,P,180,0\n",
       "Trial 7|L1,|a@P:- |b@P:- |c@P:- |d@P:180/192 |e@P:- "},
      {"t\nL1\nPop\nA , 0102\n , ,\n,\nB , 0101\n", "t|L1,|A@Pop 1:1/2 |B@Pop 1:1/1 "},
      {"Apples 2020,,\nPopgene\nL2,,\nPop 1,,\nPoplar , 0101 0202,, \nPOP north\nPop , 0102 0000\n"
       "pop\t3\nC , 0202 0101\nPop\nD , 0202 0101\n",
       "Apples 2020|Popgene,L2,|Poplar@Pop 1:1/1 2/2 |Pop@north:1/2 - |C@Pop 3:2/2 1/1 "
       "|D@Pop 4:2/2 1/1 "},
  };
  for (const char sep : {';', '\t'}) {
    std::string table = "Name;L1;L2\n\"Orin; early\";180/192;\nFuji;;95/95\n";
    std::string alex = "2;2;1;2\nt;;;p\nInd;Pop;L1;;L2;\nA;p;180;192;0;0\nB;p;1;2;3;4\n";
    for (auto* text : {&table, &alex})
      for (char& c : *text) c = c == ';' ? sep : c;
    reads.emplace_back(table,
                       "|L1,L2,|Orin" + std::string(1, sep) + " early:180/192 - |Fuji:- 95/95 ");
    reads.emplace_back(alex, "t|L1,L2,|A@p:180/192 - |B@p:1/2 3/4 ");
  }
  for (const auto& [text, shown] : reads) {
    const bool genepop = text.find("\nPop") != std::string::npos && text[0] != '2';
    EXPECT_EQ(
        Shown(exchange::ReadImport(exchange::GuessKind(genepop ? "t.gen" : "t.csv", text), text)),
        shown)
        << text;
  }
  EXPECT_EQ(exchange::GuessKind("x.csv", "2,3,1,3\n"), ImportKind::Genalex);
  EXPECT_EQ(exchange::GuessKind("x.csv", "Name,L1\n"), ImportKind::Csv);
  // Spreadsheets save "CSV UTF-8" with a byte-order mark before the counts.
  EXPECT_EQ(exchange::GuessKind("x.csv",
                                "\xEF\xBB\xBF"
                                "2,3,1,3\r\n"),
            ImportKind::Genalex);
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
  EXPECT_EQ(Refusal(ImportKind::Csv, "Name,M1\rA,\xFF\r"), NotUtf8("\xFF", 2));
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
