// summary, tree, distances and pcoa as a user types them on the bundled SSR
// example: each file holds what the analyses compute, in the shape its
// readers take, and the workbook is left alone; pairs without a distance
// write nothing a reader could mistake for a result.
#include <cctype>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/Distances.h"
#include "analysis/LocusSummary.h"
#include "analysis/Pcoa.h"
#include "app/core/Session.h"
#include "e2e/CliHarness.h"
#include "report/ReadGenotypes.h"

namespace {

using e2e::Cli;

const std::string kExample = std::string(ALLELESCOPE_SOURCE_DIR) + "/examples/ssr_example.xlsx";

store::GenotypeStore ExampleStore() {
  app::Session session;
  session.Open(kExample);
  return std::move(*session.ReadGenotypes("Apple.org").store);
}

// The lines of a text that ends with a line break, split into fields at
// `separator` (an empty last field included), or at runs of blanks.
std::vector<std::vector<std::string>> Rows(const std::string& text, char separator = ' ') {
  EXPECT_EQ(text.back(), '\n');
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream in(line + separator);
    auto& fields = rows.emplace_back();
    for (std::string field;
         separator == ' ' ? bool(in >> field) : bool(std::getline(in, field, separator));)
      fields.push_back(field);
  }
  return rows;
}

// The leaf names of a Newick tree: the labels that follow "(" or ",".
std::multiset<std::string> NewickLeaves(const std::string& newick) {
  std::multiset<std::string> leaves;
  for (size_t at = 0; at < newick.size(); ++at) {
    if (newick[at] != '(' && newick[at] != ',') continue;
    const size_t start = at + 1;
    if (start < newick.size() && newick[start] == '(') continue;
    if (newick[start] == '\'') {
      const size_t end = newick.find('\'', start + 1);
      leaves.insert(newick.substr(start + 1, end - start - 1));
    } else {
      leaves.insert(newick.substr(start, newick.find_first_of(":,)", start) - start));
    }
  }
  return leaves;
}

TEST(SummaryCli, TsvHoldsTheAnalysisInFullPrecisionAndLeavesTheWorkbookAlone) {
  testsupport::TempDir dir;
  const std::string path = e2e::CopyOf(dir, "examples/ssr_example.xlsx");
  const std::string before = testsupport::ReadFileBytes(path);
  const auto r = Cli({"summary", path, "--format", "tsv"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(testsupport::ReadFileBytes(path), before);
  const analysis::LocusTable want = analysis::SummarizeLoci(ExampleStore());
  const auto lines = Rows(r.out, '\t');
  ASSERT_EQ(lines.size(), want.rows.size() + 2);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')),
            "marker\tN\tmissing_pct\tNa\tNe\tHo\tHe\tuHe\tPIC\tF\tnull_freq\tHWE_p\tHWE_method\t"
            "PI\tPIsib\tPI_cum\tPIsib_cum");
  for (size_t k = 0; k < want.rows.size(); ++k) {
    const analysis::LocusRow& row = want.rows[k];
    const std::vector<std::string>& got = lines[k + 1];
    ASSERT_EQ(got.size(), 17u) << k;
    EXPECT_EQ(got[1], std::to_string(row.typed));
    EXPECT_EQ(std::stod(got[6]), *row.he) << got[0];  // read back exactly
    EXPECT_EQ(std::stod(got[8]), *row.pic) << got[0];
    EXPECT_EQ(std::stod(got[11]), row.hwe->p) << got[0];
    EXPECT_EQ(std::stod(got[16]), *row.piSibCum) << got[0];
  }
  const std::vector<std::string>& mean = lines.back();
  EXPECT_EQ(mean[0], "mean");
  EXPECT_EQ(std::stod(mean[5]), *want.means.ho);
  EXPECT_EQ(mean[2], "");  // no mean of the missing share
}

// The width and height a PNG's header gives, after its signature.
std::pair<int, int> PngSize(const std::string& png) {
  const auto number = [&](size_t at) {
    int value = 0;
    for (size_t i = at; i < at + 4; ++i) value = value * 256 + static_cast<unsigned char>(png[i]);
    return value;
  };
  return {number(16), number(20)};
}

// A tree is written as Newick, SVG or PNG by its file's extension, a map as
// SVG or PNG; a Newick tree holds every variety once.
TEST(RelateCli, TreesAndPicturesAreWrittenByTheirExtension) {
  const store::GenotypeStore s = ExampleStore();
  const int n = s.VarietyCount();
  std::multiset<std::string> names;
  for (int v = 1; v <= n; ++v) names.insert(s.VarietyName(v));
  testsupport::TempDir dir;
  const std::vector<std::string> cases[] = {
      {"tree", "--method", "nj", "-o", "-"},
      {"tree", "--method", "upgma", "--distance", "markers", "-o", dir.File("u.tre")},
      {"tree", "--bootstrap", "10", "-o", dir.File("b.nwk")},
      {"tree", "-o", dir.File("nj.svg")},
      {"tree", "--method", "upgma", "--bootstrap", "5", "-o", dir.File("up.PNG")},
      {"pcoa", "-o", dir.File("map.svg")},
      {"pcoa", "--distance", "markers", "-o", dir.File("map.png")}};
  for (std::vector<std::string> args : cases) {
    const std::string path = args.back();
    SCOPED_TRACE(path);
    args.insert(args.begin() + 1, kExample);
    const auto r = Cli(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = path == "-" ? r.out : testsupport::ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 24U);
    if (path.ends_with(".svg")) {
      EXPECT_EQ(bytes.rfind("<?xml", 0), 0U);
      EXPECT_NE(bytes.find("<svg"), std::string::npos);
      EXPECT_NE(bytes.find("</svg>"), std::string::npos);
    } else if (path.ends_with("PNG") || path.ends_with("png")) {
      EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
      const auto [width, height] = PngSize(bytes);
      const bool tall = args[0] == "tree";  // one row per variety
      EXPECT_GE(width, 300);
      EXPECT_LE(width, 3000);
      EXPECT_GE(height, tall ? 10 * n : 300);
      EXPECT_LE(height, tall ? 40 * n + 400 : 3000);
    } else {
      EXPECT_EQ(bytes.substr(bytes.size() - 2), ";\n");
      EXPECT_EQ(NewickLeaves(bytes), names);
    }
  }
  // Every join but the root carries its support: n - 3 of an unrooted tree.
  const std::string bootstrapped = testsupport::ReadFileBytes(dir.File("b.nwk"));
  int labelled = 0;
  for (size_t at = 0; at + 1 < bootstrapped.size(); ++at)
    labelled += bootstrapped[at] == ')' && std::isdigit(bootstrapped[at + 1]) ? 1 : 0;
  EXPECT_EQ(labelled, n - 3);
}

// The shortest text that reads back as the same number: each is exactly equal.
TEST(RelateCli, DistanceAndCoordinateFilesHoldWhatTheAnalysisComputes) {
  const store::GenotypeStore s = ExampleStore();
  const int n = s.VarietyCount();
  testsupport::TempDir dir;
  const auto table = Cli({"distances", kExample});
  ASSERT_EQ(table.exitCode, 0) << table.err;
  ASSERT_EQ(Cli({"distances", kExample, "--distance", "markers", "-o", dir.File("d.phy")}).exitCode,
            0);
  ASSERT_EQ(Cli({"pcoa", kExample, "-o", dir.File("p.tsv")}).exitCode, 0);
  const auto tsv = Rows(table.out, '\t');
  const auto phy = Rows(testsupport::ReadFileBytes(dir.File("d.phy")));
  const auto map = Rows(testsupport::ReadFileBytes(dir.File("p.tsv")), '\t');
  ASSERT_EQ(tsv.size(), static_cast<size_t>(n + 1));
  ASSERT_EQ(phy.size(), static_cast<size_t>(n + 1));
  ASSERT_EQ(map.size(), static_cast<size_t>(n + 2));
  EXPECT_EQ(tsv[0][0], "");
  EXPECT_EQ(phy[0][0], std::to_string(n));
  const analysis::DistanceMatrix alleles =
      analysis::VarietyDistances(s, analysis::DistanceKind::Alleles);
  const analysis::DistanceMatrix markers =
      analysis::VarietyDistances(s, analysis::DistanceKind::Markers);
  const auto pcoa = analysis::PrincipalCoordinateAnalysis(alleles).pcoa;
  ASSERT_TRUE(pcoa);
  EXPECT_EQ(map[0], (std::vector<std::string>{"# share", map[0][1], map[0][2]}));
  EXPECT_EQ(std::stod(map[0][1]), pcoa->shares[0]);
  EXPECT_EQ(std::stod(map[0][2]), pcoa->shares[1]);
  EXPECT_EQ(map[1], (std::vector<std::string>{"variety", "axis 1", "axis 2"}));
  for (int i = 1; i <= n; ++i) {
    ASSERT_EQ(tsv[i].size(), static_cast<size_t>(n + 1));
    EXPECT_EQ(tsv[0][i], s.VarietyName(i));
    EXPECT_EQ(tsv[i][0], s.VarietyName(i));
    const std::vector<std::string>& tokens = phy[i];
    ASSERT_EQ(tokens.size(), static_cast<size_t>(n + 1));
    EXPECT_EQ(tokens[0], s.VarietyName(i));
    for (int j = 1; j <= n; ++j) {
      EXPECT_EQ(std::stod(tsv[i][j]), *alleles.At(i, j)) << i << "," << j;
      EXPECT_EQ(std::stod(tokens[j]), *markers.At(i, j)) << i << "," << j;
    }
    EXPECT_EQ(map[i + 1][0], s.VarietyName(i));
    EXPECT_EQ(std::stod(map[i + 1][1]), pcoa->coordinates[i - 1][0]);
    EXPECT_EQ(std::stod(map[i + 1][2]), pcoa->coordinates[i - 1][1]);
  }
}

// The .tree sheet's pictures as openpyxl sees them: "images ROW,COLUMN ...",
// then how many media files the package holds.
constexpr char kPicturesOfTree[] = R"(import sys, zipfile, openpyxl
ws = openpyxl.load_workbook(sys.argv[1])['Apple.tree']
anchors = [i.anchor._from for i in ws._images]
print(len(anchors), ' '.join(f'{a.row + 1},{a.col + 1}' for a in anchors))
print(sum(n.startswith('xl/media/') for n in zipfile.ZipFile(sys.argv[1]).namelist()))
)";

TEST(RelateCli, RelateRunShowsThreePicturesOnTheTreeSheetAndARunWithoutItNone) {
  if (!testsupport::HaveOpenpyxl()) GTEST_SKIP() << "python3-openpyxl is not installed";
  testsupport::TempDir dir;
  const std::string book = dir.File("apple.xlsx");
  testsupport::WriteFileBytes(book, testsupport::ReadFileBytes(kExample));
  ASSERT_EQ(Cli({"run", book, "--relate", "-q"}).exitCode, 0);
  const auto with = testsupport::RunPython(kPicturesOfTree, {book});
  ASSERT_EQ(with.exitCode, 0) << with.err;
  // Side by side from B4, each in a column of its own.
  EXPECT_EQ(with.out.substr(0, 8), "3 4,2 4,") << with.out;
  EXPECT_EQ(with.out.substr(with.out.size() - 2), "3\n") << with.out;
  // Run again, the pictures are replaced, not added to.
  ASSERT_EQ(Cli({"run", book, "--relate", "-q"}).exitCode, 0);
  EXPECT_EQ(testsupport::RunPython(kPicturesOfTree, {book}).out, with.out);
  ASSERT_EQ(Cli({"run", book, "-q"}).exitCode, 0);
  EXPECT_EQ(testsupport::RunPython(kPicturesOfTree, {book}).out, "0 \n0\n");
}

// An extension no command writes is refused with the ones that are written;
// a pair without a distance writes nothing but a table with the field empty.
TEST(RelateCli, OtherFilesAndMissingDistancesWriteNothing) {
  testsupport::TempDir dir;
  const auto pdf = Cli({"tree", kExample, "-o", dir.File("t.pdf")});
  EXPECT_EQ(pdf.exitCode, 2);
  EXPECT_TRUE(e2e::Has(
      pdf.err, msg::Format(msg::Cli::OutputExtension, dir.File("t.pdf"), ".nwk, .tre, .svg, .png")))
      << pdf.err;
  // A and C share no typed marker.
  const std::string gap =
      e2e::Imported(dir, "Name,L1,L2\nA,180/192,\nB,180/180,95/95\nC,,95/101\n");
  const std::string noDistance = msg::Format(msg::Cli::PairWithoutDistance, "A", "C");
  for (const std::string command : {"tree", "pcoa", "distances"}) {
    const std::string out = dir.File(command == "tree"   ? "x.nwk"
                                     : command == "pcoa" ? "x.tsv"
                                                         : "x.phy");
    const auto r = Cli({command, gap, "-o", out});
    EXPECT_EQ(r.exitCode, 3) << command;
    EXPECT_TRUE(e2e::Has(r.out + r.err, noDistance)) << r.out + r.err;
    EXPECT_TRUE(e2e::Has(r.out + r.err, e2e::Says(msg::Cli::NeedsEveryDistance))) << command;
    EXPECT_FALSE(std::filesystem::exists(out)) << command;
  }
  const auto table = Cli({"distances", gap});
  EXPECT_EQ(table.exitCode, 3);
  EXPECT_EQ(Rows(table.out, '\t')[1], (std::vector<std::string>{"A", "0", "0.5", ""}));
  EXPECT_TRUE(e2e::Has(table.err, noDistance));
  EXPECT_TRUE(e2e::Has(table.err, msg::Format(msg::Cli::DistancesLeftEmpty, 1)));
}

}  // namespace
