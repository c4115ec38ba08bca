// Importing other programs' files: adegenet's own GENEPOP sample gives the
// HE adegenet computes, our GenAlEx export comes back as the same genotypes,
// and a malformed file is refused with its line and leaves nothing behind.
#include "app/core/Import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "analysis/Statistics.h"
#include "app/core/Session.h"
#include "exchange/Adegenet.h"
#include "exchange/ExportFormat.h"
#include "exchange/ImportFormat.h"
#include "messages/CliTexts.h"
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
    for (int a = 1; a <= s.Marker(m).AlleleNum(); ++a)
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
      {"binary", ImportKind::Genepop, std::string("PK\x03\x04\0\0", 6) + "\n", 1,
       text(Cli::ImportBinary)},
      {"not utf8", ImportKind::Csv, "a,b\nc,\xff\n", 2, text(Cli::ImportBinary)},
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

TEST(ImportBadFiles, AnExistingWorkbookIsNeverOverwritten) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("t.csv"), "Name,L1\nA,180/192\n");
  testsupport::WriteFileBytes(dir.File("out.xlsx"), "mine");
  EXPECT_THROW(app::ImportFile(dir.File("t.csv"), dir.File("out.xlsx"), std::nullopt),
               std::runtime_error);
  EXPECT_EQ(testsupport::ReadFileBytes(dir.File("out.xlsx")), "mine");
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
}

}  // namespace
