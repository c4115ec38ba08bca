// R as the peer of the distances, trees and principal coordinates: adegenet's
// propShared, stats' hclust and cmdscale and ape's nj, on both example
// workbooks and on adegenet's nancycats imported from a GENEPOP file.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/Distances.h"
#include "analysis/Newick.h"
#include "analysis/Pcoa.h"
#include "analysis/TreeTesting.h"
#include "analysis/Trees.h"
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

bool HaveApe() {
  return RunCommand("Rscript -e 'quit(status = !requireNamespace(\"ape\", quietly = TRUE))'")
             .exitCode == 0;
}

// nancycats as a GENEPOP file of three-digit alleles, written by R.
constexpr const char* kWriteNancycats = R"(
suppressMessages(library(adegenet)); data(nancycats); x <- nancycats
g <- genind2df(x, sep = "/", usepop = FALSE)
code <- function(v) ifelse(is.na(v), "000000", sapply(strsplit(v, "/"), function(a)
  sprintf("%03d%03d", as.integer(a[1]), as.integer(a[2]))))
cells <- sapply(g, code)
lines <- c("nancycats", locNames(x), "Pop",
           paste(indNames(x), ",", apply(cells, 1, paste, collapse = " ")))
writeLines(lines, commandArgs(TRUE)[1])
)";

struct Dataset {
  std::unique_ptr<store::GenotypeStore> store;
  std::string reader;  // an R expression giving the genind of the same genotypes
};

report::GenotypeRead ReadSource(app::Session& session, const std::string& path) {
  session.Open(path);
  for (const std::string& name : session.SheetNames())
    if (app::IsSourceName(name)) return session.ReadGenotypes(name);
  return {};
}

// An example workbook, which R reads as our GENEPOP export.
Dataset Example(const testsupport::TempDir& dir, const std::string& workbook) {
  app::Session session;
  report::GenotypeRead read =
      ReadSource(session, std::string(ALLELESCOPE_SOURCE_DIR) + "/examples/" + workbook);
  EXPECT_TRUE(read.findings.empty());
  const std::string file = dir.File("example.gen");
  testsupport::WriteFileBytes(
      file, exchange::Export(*read.store, exchange::Format::Genepop, "Example").text);
  return {std::move(read.store), "read.genepop('" + file + "', ncode = 3, quiet = TRUE)"};
}

// nancycats as R writes it, imported; R keeps its own copy.
Dataset Nancycats(const testsupport::TempDir& dir) {
  testsupport::WriteFileBytes(dir.File("write.R"), kWriteNancycats);
  const auto written = RunCommand("Rscript " + testsupport::Quote(dir.File("write.R")) + " " +
                                  testsupport::Quote(dir.File("cats.gen")));
  EXPECT_EQ(written.exitCode, 0) << written.err;
  app::ImportFile(dir.File("cats.gen"), dir.File("cats.xlsx"), exchange::ImportKind::Genepop);
  app::Session session;
  report::GenotypeRead read = ReadSource(session, dir.File("cats.xlsx"));
  EXPECT_TRUE(read.findings.empty());
  return {std::move(read.store), "{data(nancycats); nancycats}"};
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

// Each line of R's output: a key and its numbers (NA as not-a-number).
std::map<std::string, std::vector<double>> AskR(const testsupport::TempDir& dir,
                                                const std::string& reader) {
  const std::string script = fmt::format(R"(
suppressMessages({{ library(adegenet); library(ape) }})
put <- function(key, v) cat(key, sprintf("%.17g", as.vector(v)), "\n")
x <- {0}
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
  std::map<std::string, std::vector<double>> out;
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

std::vector<double> Cells(const DistanceMatrix& d) {
  std::vector<double> out;
  for (int i = 1; i <= d.VarietyCount(); ++i)
    for (int j = 1; j <= d.VarietyCount(); ++j) out.push_back(*d.At(i, j));
  return out;
}

void ExpectPcoaLikeR(const DistanceMatrix& d, const std::map<std::string, std::vector<double>>& r) {
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
    // R's axes point either way.
    if (agreement < 0)
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
  const auto r = AskR(dir, data.reader);

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

bool HavePeers() { return exchange_test::HaveAdegenet() && HaveApe(); }

TEST(RelatePeer, SlowExamplesMatchR) {
  if (!HavePeers()) GTEST_SKIP() << "Rscript with adegenet and ape is not installed";
  for (const char* workbook : {"ssr_example.xlsx", "chr_example.xlsx"}) {
    SCOPED_TRACE(workbook);
    testsupport::TempDir dir;
    ExpectLikeR(Example(dir, workbook));
  }
}

TEST(RelatePeer, SlowNancycatsMatchesR) {
  if (!HavePeers()) GTEST_SKIP() << "Rscript with adegenet and ape is not installed";
  testsupport::TempDir dir;
  ExpectLikeR(Nancycats(dir));
}

}  // namespace
}  // namespace analysis_test
