// adegenet's summary() as the peer of the locus table: the observed alleles,
// Hobs and Hexp of both examples (exported to GENEPOP) and of adegenet's
// nancycats (imported), over the whole table and per population.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "analysis/GroupSummary.h"
#include "analysis/LocusSummary.h"
#include "app/core/Import.h"
#include "app/core/Session.h"
#include "exchange/Adegenet.h"
#include "exchange/ExportFormat.h"
#include "support/Interop.h"

namespace {

using testsupport::RunCommand;

// adegenet's figures of one locus; Hobs is NaN where nobody is typed.
struct PeerLocus {
  int alleles = 0;
  double hobs = 0, hexp = 0;
};

// Per population (by the number of its first individual, from 1) its loci;
// population 0 is the whole table.
using PeerFigures = std::map<int, std::vector<PeerLocus>>;

// `digits`: the digits of one allele in the file (our export writes three).
PeerFigures AdegenetFigures(const std::string& genepopFile, int digits) {
  const std::string script =
      "suppressMessages(library(adegenet)); x <- read.genepop('" + genepopFile +
      "', ncode = " + std::to_string(digits) +
      ", quiet = TRUE);"
      " put <- function(first, y) { s <- summary(y); cat(first, sprintf('%d %.17g %.17g',"
      " s$loc.n.all, s$Hobs, s$Hexp), '\\n') };"
      " put(0, x); if (!is.null(pop(x))) for (p in levels(pop(x)))"
      " put(min(which(pop(x) == p)), x[pop(x) == p, drop = FALSE])";
  const auto r = RunCommand("Rscript -e " + testsupport::Quote(script));
  PeerFigures out;
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    int first = 0;
    fields >> first;
    std::vector<PeerLocus> loci;
    std::string hobs, hexp;
    for (PeerLocus l; fields >> l.alleles >> hobs >> hexp;) {
      l.hobs = std::stod(hobs);
      l.hexp = std::stod(hexp);
      loci.push_back(l);
    }
    out[first] = loci;
  }
  return out;
}

void ExpectWholeTableAgrees(const store::GenotypeStore& s, const std::vector<PeerLocus>& peer) {
  const analysis::LocusTable t = analysis::SummarizeLoci(s);
  ASSERT_EQ(peer.size(), t.rows.size());
  for (size_t k = 0; k < peer.size(); ++k) {
    const std::string& name = s.MarkerName(static_cast<int>(k) + 1);
    EXPECT_EQ(t.rows[k].alleles, peer[k].alleles) << name;
    ASSERT_TRUE(t.rows[k].ho && t.rows[k].he) << name;
    EXPECT_NEAR(*t.rows[k].ho, peer[k].hobs, 1e-12) << name;
    EXPECT_NEAR(*t.rows[k].he, peer[k].hexp, 1e-12) << name;
  }
}

TEST(AdegenetPeer, SlowLocusFiguresOfBothExamples) {
  if (!exchange_test::HaveAdegenet()) GTEST_SKIP() << "Rscript with adegenet is not installed";
  for (const auto& [workbook, sheet] :
       {std::pair{"ssr_example.xlsx", "Apple.org"}, std::pair{"chr_example.xlsx", "Rice.org"}}) {
    SCOPED_TRACE(workbook);
    app::Session session;
    session.Open(std::string(ALLELESCOPE_SOURCE_DIR) + "/examples/" + workbook);
    const report::GenotypeRead read = session.ReadGenotypes(sheet);
    ASSERT_TRUE(read.findings.empty());
    testsupport::TempDir dir;
    testsupport::WriteFileBytes(
        dir.File("example.gen"),
        exchange::Export(*read.store, exchange::Format::Genepop, "Example").text);
    const PeerFigures peer = AdegenetFigures(dir.File("example.gen"), 3);
    ASSERT_TRUE(peer.count(0));
    ExpectWholeTableAgrees(*read.store, peer.at(0));
  }
}

TEST(AdegenetPeer, SlowNancycatsWholeAndByPopulation) {
  if (!exchange_test::HaveAdegenet()) GTEST_SKIP() << "Rscript with adegenet is not installed";
  const std::string sample =
      RunCommand("Rscript -e 'cat(system.file(\"files/nancycats.gen\", package = \"adegenet\"))'")
          .out;
  testsupport::TempDir dir;
  app::ImportFile(sample, dir.File("cats.xlsx"), std::nullopt);
  app::Session session;
  session.Open(dir.File("cats.xlsx"));
  std::string source;
  for (const std::string& name : session.SheetNames())
    if (app::IsSourceName(name)) source = name;
  const report::GenotypeRead read = session.ReadGenotypes(source);
  ASSERT_TRUE(read.findings.empty());
  const store::GenotypeStore& s = *read.store;
  const PeerFigures peer = AdegenetFigures(sample, 2);
  ASSERT_TRUE(peer.count(0));
  ExpectWholeTableAgrees(s, peer.at(0));

  const auto groups = analysis::SummarizeGroups(s, read.populations);
  ASSERT_EQ(groups.size() + 1, peer.size());
  for (const analysis::GroupSummary& g : groups) {
    ASSERT_TRUE(peer.count(g.varieties.front())) << g.name;
    const std::vector<PeerLocus>& loci = peer.at(g.varieties.front());
    ASSERT_EQ(loci.size(), g.loci.size());
    for (size_t k = 0; k < loci.size(); ++k) {
      const std::string at = g.name + " " + s.MarkerName(static_cast<int>(k) + 1);
      EXPECT_EQ(g.loci[k].alleles, loci[k].alleles) << at;
      if (g.loci[k].typed == 0) continue;  // adegenet: Hobs NaN, Hexp 1
      EXPECT_NEAR(*g.loci[k].ho, loci[k].hobs, 1e-12) << at;
      EXPECT_NEAR(*g.loci[k].he, loci[k].hexp, 1e-12) << at;
    }
  }
}

}  // namespace
