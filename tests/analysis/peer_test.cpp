// R as the peer of the analysis: adegenet's summary (alleles, Hobs, Hexp of the
// whole table and per population) and propShared, stats' hclust and cmdscale
// and ape's nj, on both example workbooks (exported to GENEPOP) and on
// adegenet's nancycats (imported).
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/GroupSummary.h"
#include "analysis/LocusSummary.h"
#include "analysis/Newick.h"
#include "analysis/Pcoa.h"
#include "analysis/TreeTesting.h"
#include "app/core/Import.h"
#include "app/core/Session.h"
#include "exchange/Adegenet.h"
#include "exchange/ExportFormat.h"
#include "support/Interop.h"

namespace analysis_test {
namespace {

using analysis::DistanceMatrix;
using analysis::TreeMethod;
using testsupport::RunCommand;
using Answers = std::map<std::string, std::vector<double>>;

struct Dataset {
  std::unique_ptr<store::GenotypeStore> store;
  std::vector<std::string> populations;
  std::string reader;  // an R expression giving the genind of the same genotypes
};

Dataset Read(const std::string& workbook, const std::string& reader) {
  app::Session session;
  session.Open(workbook);
  for (const std::string& name : session.SheetNames())
    if (app::IsSourceName(name)) {
      report::GenotypeRead read = session.ReadGenotypes(name);
      EXPECT_TRUE(read.findings.empty());
      return {std::move(read.store), read.populations, reader};
    }
  return {};
}

// An example workbook, which R reads as our GENEPOP export.
Dataset Example(const testsupport::TempDir& dir, const std::string& workbook) {
  Dataset data = Read(std::string(ALLELESCOPE_SOURCE_DIR) + "/examples/" + workbook,
                      "read.genepop('" + dir.File("x.gen") + "', ncode = 3, quiet = TRUE)");
  if (data.store)
    testsupport::WriteFileBytes(dir.File("x.gen"),
                                exchange::Export(*data.store, exchange::Format::Genepop, "X").text);
  return data;
}

Dataset Nancycats(const testsupport::TempDir& dir) {
  const std::string gen =
      RunCommand("Rscript -e 'cat(system.file(\"files/nancycats.gen\", package = \"adegenet\"))'")
          .out;
  app::ImportFile(gen, dir.File("cats.xlsx"), std::nullopt);
  return Read(dir.File("cats.xlsx"), "read.genepop('" + gen + "', ncode = 2, quiet = TRUE)");
}

// Every cell, row by row, in full precision, for R's read.table.
void WriteMatrix(const std::string& path, const DistanceMatrix& d) {
  std::string text;
  for (int i = 1; i <= d.VarietyCount(); ++i) {
    for (int j = 1; j <= d.VarietyCount(); ++j) text += fmt::format("{:.17g} ", *d.At(i, j));
    text += '\n';
  }
  testsupport::WriteFileBytes(path, text);
}

// The same distances, each moved by up to 0.001 in no pattern: no two
// joining criteria stay equal, so the neighbour-joining tree is unique.
DistanceMatrix Jittered(const DistanceMatrix& d) {
  DistanceMatrix out(Names(d.VarietyCount()));
  for (int i = 1; i <= d.VarietyCount(); ++i)
    for (int j = i + 1; j <= d.VarietyCount(); ++j) {
      const double x = std::sqrt(2.0) * (i * 1000 + j);
      out.Set(i, j, *d.At(i, j) + 1e-3 * (x - std::floor(x)));
    }
  return out;
}

// Each line of R's output: a key and its numbers (NA as not-a-number). "sumK"
// holds per locus the alleles, Hobs and Hexp of the population whose first
// individual is K, "sum0" those of the whole table.
Answers AskR(const testsupport::TempDir& dir, const std::string& reader) {
  const std::string script = fmt::format(R"(
suppressMessages({{ library(adegenet); library(ape) }})
put <- function(key, v) cat(key, sprintf("%.17g", as.vector(v)), "\n")
x <- {0}
figures <- function(key, y) {{ s <- summary(y); put(key, rbind(s$loc.n.all, s$Hobs, s$Hexp)) }}
figures("sum0", x)
for (p in levels(pop(x)))
  figures(paste0("sum", min(which(pop(x) == p))), x[pop(x) == p, drop = FALSE])
put("alleles", 1 - propShared(x))
load <- function(f) {{ m <- as.matrix(read.table(f)); v <- paste0("V", seq_len(nrow(m)));
  dimnames(m) <- list(v, v); m }}
d <- load("{1}/d.tsv"); v <- rownames(d)
put("upgma", as.matrix(cophenetic(hclust(as.dist(d), "average")))[v, v])
put("nj", cophenetic(nj(as.dist(d)))[v, v])
j <- nj(as.dist(load("{1}/j.tsv")))
put("jittered", cophenetic(j)[v, v])
put("topology", dist.topo(read.tree("{1}/j.nwk"), j))
p <- cmdscale(as.dist(d), k = 2, eig = TRUE)
put("eigenvalues", p$eig[1:2]); put("points", p$points)
)",
                                         reader, dir.Path());
  testsupport::WriteFileBytes(dir.File("peer.R"), script);
  const auto r = RunCommand("Rscript " + testsupport::Quote(dir.File("peer.R")));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  Answers out;
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream fields(line);
    std::string key;
    fields >> key;
    for (std::string number; fields >> number;)
      out[key].push_back(std::strtod(number.c_str(), nullptr));
  }
  return out;
}

void ExpectNear(const std::vector<double>& ours, const std::vector<double>& theirs,
                double tolerance, const std::string& what) {
  ASSERT_EQ(ours.size(), theirs.size()) << what;
  int off = 0;
  for (size_t k = 0; k < ours.size(); ++k)
    if (!(std::abs(ours[k] - theirs[k]) <= tolerance) && off++ < 5)
      ADD_FAILURE() << what << " at " << k << ": " << ours[k] << " against " << theirs[k];
}

// One locus against adegenet's three figures; Hobs NaN where nobody is typed.
void ExpectLocus(int alleles, std::optional<double> ho, std::optional<double> he,
                 const double* peer, const std::string& at) {
  EXPECT_EQ(alleles, peer[0]) << at;
  ASSERT_EQ(ho.has_value(), !std::isnan(peer[1])) << at;
  if (ho) {
    EXPECT_NEAR(*ho, peer[1], 1e-12) << at;
    EXPECT_NEAR(*he, peer[2], 1e-12) << at;
  }
}

void ExpectLociLikeR(const Dataset& data, const Answers& r) {
  const store::GenotypeStore& s = *data.store;
  const analysis::LocusTable t = analysis::SummarizeLoci(s);
  ASSERT_EQ(r.at("sum0").size(), 3 * t.rows.size());
  for (size_t k = 0; k < t.rows.size(); ++k)
    ExpectLocus(t.rows[k].alleles, t.rows[k].ho, t.rows[k].he, &r.at("sum0")[3 * k],
                s.MarkerName(static_cast<int>(k) + 1));
  for (const analysis::GroupSummary& g : analysis::SummarizeGroups(s, data.populations)) {
    const std::string key = "sum" + std::to_string(g.varieties.front());
    ASSERT_EQ(r.count(key), 1u) << g.name;
    for (size_t k = 0; k < g.loci.size(); ++k)
      ExpectLocus(g.loci[k].alleles, g.loci[k].ho, g.loci[k].he, &r.at(key)[3 * k],
                  g.name + " " + s.MarkerName(static_cast<int>(k) + 1));
  }
}

std::vector<double> Cells(const DistanceMatrix& d) {
  std::vector<double> out;
  for (int i = 1; i <= d.VarietyCount(); ++i)
    for (int j = 1; j <= d.VarietyCount(); ++j) out.push_back(*d.At(i, j));
  return out;
}

void ExpectPcoaLikeR(const DistanceMatrix& d, const Answers& r) {
  const analysis::PrincipalCoordinates p = *analysis::PrincipalCoordinateAnalysis(d).pcoa;
  ExpectNear({p.eigenvalues[0], p.eigenvalues[1]}, r.at("eigenvalues"), 1e-9, "eigenvalues");
  const int n = d.VarietyCount();
  for (int axis = 0; axis < 2; ++axis) {
    std::vector<double> ours, theirs;
    double agreement = 0;
    for (int v = 0; v < n; ++v) {
      ours.push_back(p.coordinates[v][axis]);
      theirs.push_back(r.at("points")[axis * n + v]);
      agreement += ours.back() * theirs.back();
    }
    if (agreement < 0)  // R's axes point either way
      for (double& x : ours) x = -x;
    ExpectNear(ours, theirs, 1e-7, "axis " + std::to_string(axis + 1));
  }
}

void ExpectLikeR(const Dataset& data) {
  ASSERT_NE(data.store, nullptr);
  testsupport::TempDir dir;
  const DistanceMatrix d = VarietyDistances(*data.store, analysis::DistanceKind::Alleles);
  ASSERT_TRUE(d.PairsWithoutDistance().empty());
  const DistanceMatrix jittered = Jittered(d);
  WriteMatrix(dir.File("d.tsv"), d);
  WriteMatrix(dir.File("j.tsv"), jittered);
  const analysis::Tree nj = *analysis::BuildTree(jittered, TreeMethod::NeighbourJoining).tree;
  ASSERT_EQ(nj.tiedJoins, 0);
  testsupport::WriteFileBytes(dir.File("j.nwk"), analysis::WriteNewick(nj));
  const Answers r = AskR(dir, data.reader);

  ExpectLociLikeR(data, r);
  ExpectNear(Cells(d), r.at("alleles"), 1e-12, "1 - propShared");
  const analysis::Tree upgma = *analysis::BuildTree(d, TreeMethod::Upgma).tree;
  ExpectNear(PathLengths(upgma), r.at("upgma"), 1e-9, "UPGMA");
  ExpectNear(PathLengths(nj), r.at("jittered"), 1e-9, "NJ of the jittered distances");
  EXPECT_EQ(r.at("topology"), std::vector<double>{0});
  const analysis::Tree tied = *analysis::BuildTree(d, TreeMethod::NeighbourJoining).tree;
  // With equally good joins the tree is one of several, which ape may choose otherwise.
  if (tied.tiedJoins == 0) ExpectNear(PathLengths(tied), r.at("nj"), 1e-9, "NJ");
  ExpectPcoaLikeR(d, r);
}

bool HavePeers() {
  return exchange_test::HaveAdegenet() &&
         RunCommand("Rscript -e 'quit(status = !requireNamespace(\"ape\", quietly = TRUE))'")
                 .exitCode == 0;
}

TEST(RPeer, SlowExamplesMatchR) {
  if (!HavePeers()) GTEST_SKIP() << "Rscript with adegenet and ape is not installed";
  for (const char* workbook : {"ssr_example.xlsx", "chr_example.xlsx"}) {
    SCOPED_TRACE(workbook);
    testsupport::TempDir dir;
    ExpectLikeR(Example(dir, workbook));
  }
}

TEST(RPeer, SlowNancycatsWholeAndByPopulationMatchesR) {
  if (!HavePeers()) GTEST_SKIP() << "Rscript with adegenet and ape is not installed";
  testsupport::TempDir dir;
  const Dataset cats = Nancycats(dir);
  ASSERT_FALSE(cats.populations.empty());
  ExpectLikeR(cats);
}

}  // namespace
}  // namespace analysis_test
