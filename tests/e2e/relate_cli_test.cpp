// tree, distances and pcoa as a user types them on the bundled SSR example:
// each file holds what the analyses compute, in the shape its readers take;
// data problems and pairs without a distance write nothing a reader could
// mistake for a result.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "analysis/Distances.h"
#include "analysis/Pcoa.h"
#include "app/core/Session.h"
#include "e2e/CliHarness.h"
#include "messages/CliTexts.h"
#include "report/ReadGenotypes.h"

namespace {

using e2e::Cli;

const std::string kExample = std::string(ALLELESCOPE_SOURCE_DIR) + "/examples/ssr_example.xlsx";

store::GenotypeStore ExampleStore() {
  app::Session session;
  session.Open(kExample);
  return std::move(*session.ReadGenotypes("Apple.org").store);
}

// Every field, an empty last one included.
std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> fields(1);
  for (const char c : text) {
    if (c == separator)
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

// The lines of a text that ends with a line break, split into fields.
std::vector<std::vector<std::string>> Rows(const std::string& text, char separator) {
  std::vector<std::vector<std::string>> rows;
  EXPECT_EQ(text.back(), '\n');
  for (const std::string& line : Split(text.substr(0, text.size() - 1), '\n'))
    rows.push_back(Split(line, separator));
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

TEST(RelateCli, TreesOfTheExampleHoldEveryVarietyOnce) {
  const store::GenotypeStore s = ExampleStore();
  std::multiset<std::string> names;
  for (int v = 1; v <= s.VarietyCount(); ++v) names.insert(s.VarietyName(v));
  testsupport::TempDir dir;
  struct Case {
    std::vector<std::string> options;
    std::string output;
  };
  const Case cases[] = {{{"--method", "nj"}, "-"},
                        {{"--method", "upgma", "--distance", "markers"}, dir.File("u.tre")},
                        {{"--bootstrap", "10"}, dir.File("b.nwk")}};
  for (const Case& c : cases) {
    std::vector<std::string> args{"tree", kExample, "-o", c.output};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const auto r = Cli(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string newick = c.output == "-" ? r.out : testsupport::ReadFileBytes(c.output);
    SCOPED_TRACE(newick);
    ASSERT_GT(newick.size(), 2U);
    EXPECT_EQ(newick.substr(newick.size() - 2), ";\n");
    EXPECT_EQ(NewickLeaves(newick), names);
  }
  // Every join but the root carries its support: n - 3 of an unrooted tree.
  const std::string bootstrapped = testsupport::ReadFileBytes(dir.File("b.nwk"));
  int labelled = 0;
  for (size_t at = 0; at + 1 < bootstrapped.size(); ++at)
    labelled += bootstrapped[at] == ')' && std::isdigit(bootstrapped[at + 1]) ? 1 : 0;
  EXPECT_EQ(labelled, s.VarietyCount() - 3);
}

TEST(RelateCli, DistanceFilesHoldTheMatrixTheAnalysisComputes) {
  const store::GenotypeStore s = ExampleStore();
  const int n = s.VarietyCount();
  testsupport::TempDir dir;
  const auto table = Cli({"distances", kExample});
  ASSERT_EQ(table.exitCode, 0) << table.err;
  const auto phylip =
      Cli({"distances", kExample, "--distance", "markers", "-o", dir.File("d.phy")});
  ASSERT_EQ(phylip.exitCode, 0) << phylip.err;

  const auto tsv = Rows(table.out, '\t');
  ASSERT_EQ(tsv.size(), static_cast<size_t>(n + 1));
  EXPECT_EQ(tsv[0][0], "");
  const auto phy = Rows(testsupport::ReadFileBytes(dir.File("d.phy")), '\n');
  ASSERT_EQ(phy.size(), static_cast<size_t>(n + 1));
  EXPECT_EQ(phy[0][0], std::to_string(n));

  const analysis::DistanceMatrix alleles =
      analysis::VarietyDistances(s, analysis::DistanceKind::Alleles);
  const analysis::DistanceMatrix markers =
      analysis::VarietyDistances(s, analysis::DistanceKind::Markers);
  for (int i = 1; i <= n; ++i) {
    ASSERT_EQ(tsv[i].size(), static_cast<size_t>(n + 1));
    EXPECT_EQ(tsv[0][i], s.VarietyName(i));
    EXPECT_EQ(tsv[i][0], s.VarietyName(i));
    const std::vector<std::string> fields = Split(phy[i][0], ' ');
    std::vector<std::string> tokens;
    for (const std::string& f : fields)
      if (!f.empty()) tokens.push_back(f);
    ASSERT_EQ(tokens.size(), static_cast<size_t>(n + 1));
    EXPECT_EQ(tokens[0], s.VarietyName(i));
    for (int j = 1; j <= n; ++j) {
      // The shortest text that reads back as the same number: exactly equal.
      EXPECT_EQ(std::stod(tsv[i][j]), *alleles.At(i, j)) << i << "," << j;
      EXPECT_EQ(std::stod(tokens[j]), *markers.At(i, j)) << i << "," << j;
    }
  }
}

TEST(RelateCli, CoordinatesAndSharesAreThoseOfTheAnalysis) {
  const store::GenotypeStore s = ExampleStore();
  testsupport::TempDir dir;
  const auto r = Cli({"pcoa", kExample, "-o", dir.File("p.tsv")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const auto rows = Rows(testsupport::ReadFileBytes(dir.File("p.tsv")), '\t');
  const auto pcoa = analysis::PrincipalCoordinateAnalysis(
                        analysis::VarietyDistances(s, analysis::DistanceKind::Alleles))
                        .pcoa;
  ASSERT_TRUE(pcoa);
  ASSERT_EQ(rows.size(), static_cast<size_t>(s.VarietyCount() + 2));
  EXPECT_EQ(rows[0], (std::vector<std::string>{"# share", rows[0][1], rows[0][2]}));
  EXPECT_EQ(std::stod(rows[0][1]), pcoa->shares[0]);
  EXPECT_EQ(std::stod(rows[0][2]), pcoa->shares[1]);
  EXPECT_EQ(rows[1], (std::vector<std::string>{"variety", "axis 1", "axis 2"}));
  for (int v = 1; v <= s.VarietyCount(); ++v) {
    EXPECT_EQ(rows[v + 1][0], s.VarietyName(v));
    EXPECT_EQ(std::stod(rows[v + 1][1]), pcoa->coordinates[v - 1][0]);
    EXPECT_EQ(std::stod(rows[v + 1][2]), pcoa->coordinates[v - 1][1]);
  }
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

TEST(RelateCli, PicturesAreWrittenByTheirExtension) {
  const int n = ExampleStore().VarietyCount();
  testsupport::TempDir dir;
  struct Case {
    std::vector<std::string> args;
    bool tall;  // a tree: one row per variety
  };
  const Case cases[] = {
      {{"tree", kExample, "-o", dir.File("nj.svg")}, true},
      {{"tree", kExample, "--method", "upgma", "--bootstrap", "5", "-o", dir.File("up.PNG")}, true},
      {{"pcoa", kExample, "-o", dir.File("map.svg")}, false},
      {{"pcoa", kExample, "--distance", "markers", "-o", dir.File("map.png")}, false}};
  for (const Case& c : cases) {
    const std::string& path = c.args.back();
    SCOPED_TRACE(path);
    const auto r = Cli(c.args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string bytes = testsupport::ReadFileBytes(path);
    if (path.ends_with(".svg")) {
      EXPECT_EQ(bytes.rfind("<?xml", 0), 0U);
      EXPECT_NE(bytes.find("<svg"), std::string::npos);
      EXPECT_NE(bytes.find("</svg>"), std::string::npos);
      continue;
    }
    ASSERT_GT(bytes.size(), 24U);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    const auto [width, height] = PngSize(bytes);
    EXPECT_GE(width, 300);
    EXPECT_LE(width, 3000);
    EXPECT_GE(height, c.tall ? 10 * n : 300);
    EXPECT_LE(height, c.tall ? 40 * n + 400 : 3000);
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

TEST(RelateCli, OtherFilesDataProblemsAndMissingDistancesWriteNothing) {
  testsupport::TempDir dir;
  // An extension no command writes is refused with the ones that are written.
  const auto svg = Cli({"tree", kExample, "-o", dir.File("t.pdf")});
  EXPECT_EQ(svg.exitCode, 2);
  EXPECT_NE(svg.err.find(msg::Format(msg::Cli::OutputExtension, dir.File("t.pdf"),
                                     ".nwk, .tre, .svg, .png")),
            std::string::npos)
      << svg.err;

  testsupport::WriteFileBytes(dir.File("bad.csv"), "Name,L1\nA,180/192/200\nB,180/180\n");
  ASSERT_EQ(Cli({"import", dir.File("bad.csv"), "-o", dir.File("bad.xlsx")}).exitCode, 0);
  // A and C share no typed marker.
  testsupport::WriteFileBytes(dir.File("gap.csv"),
                              "Name,L1,L2\nA,180/192,\nB,180/180,95/95\nC,,95/101\n");
  ASSERT_EQ(Cli({"import", dir.File("gap.csv"), "-o", dir.File("gap.xlsx")}).exitCode, 0);
  const std::string noDistance = msg::Format(msg::Cli::PairWithoutDistance, "A", "C");
  for (const std::string command : {"tree", "pcoa", "distances"}) {
    SCOPED_TRACE(command);
    const std::string out = dir.File(command == "tree" ? "x.nwk" : "x.phy");
    const auto bad = Cli({command, dir.File("bad.xlsx"), "-o", command == "pcoa" ? "-" : out});
    EXPECT_EQ(bad.exitCode, 3);
    EXPECT_NE(bad.out.find(msg::Text(msg::Cli::NothingWritten)), std::string::npos);
    const auto gap = Cli({command, dir.File("gap.xlsx"), "-o", command == "pcoa" ? "-" : out});
    EXPECT_EQ(gap.exitCode, 3);
    const std::string said = gap.out + gap.err;
    EXPECT_NE(said.find(noDistance), std::string::npos) << said;
    EXPECT_NE(said.find(msg::Text(msg::Cli::NeedsEveryDistance)), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(out));
  }
  // A table can leave the field empty, and says so.
  const auto table = Cli({"distances", dir.File("gap.xlsx")});
  EXPECT_EQ(table.exitCode, 3);
  EXPECT_EQ(Rows(table.out, '\t')[1], (std::vector<std::string>{"A", "0", "0.5", ""}));
  EXPECT_NE(table.err.find(noDistance), std::string::npos);
  EXPECT_NE(table.err.find(msg::Format(msg::Cli::DistancesLeftEmpty, 1)), std::string::npos);
}

}  // namespace
