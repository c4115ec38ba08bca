// `allelescope summary` as a user types it: the TSV heads and numbers against
// the analysis, the workbook left as it was, and data problems writing nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/LocusSummary.h"
#include "app/core/Session.h"
#include "e2e/CliHarness.h"
#include "messages/CliTexts.h"
#include "store/Problems.h"

namespace {

using e2e::Cli;

std::vector<std::vector<std::string>> Fields(const std::string& text) {
  std::vector<std::vector<std::string>> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string>& fields = lines.emplace_back();
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(cell);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
  }
  return lines;
}

TEST(SummaryCli, TsvHoldsTheAnalysisInFullPrecisionAndLeavesTheWorkbookAlone) {
  testsupport::TempDir dir;
  const std::string path = dir.File("ssr.xlsx");
  testsupport::WriteFileBytes(path, testsupport::ReadFileBytes(std::string(ALLELESCOPE_SOURCE_DIR) +
                                                               "/examples/ssr_example.xlsx"));
  const std::string before = testsupport::ReadFileBytes(path);
  const auto r = Cli({"summary", path, "--format", "tsv"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(testsupport::ReadFileBytes(path), before);

  app::Session session;
  session.Open(path);
  const analysis::LocusTable want =
      analysis::SummarizeLoci(*session.ReadGenotypes("Apple.org").store);
  const auto lines = Fields(r.out);
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

TEST(SummaryCli, DataProblemsAreListedAndNothingIsWritten) {
  testsupport::TempDir dir;
  testsupport::WriteFileBytes(dir.File("t.csv"), "Name,L1\nA,180/192/200\nB,180/180\n");
  ASSERT_EQ(Cli({"import", dir.File("t.csv"), "-o", dir.File("t.xlsx")}).exitCode, 0);
  const auto r = Cli({"summary", dir.File("t.xlsx"), "--format", "tsv", "-o", dir.File("t.tsv")});
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.out, msg::Format(msg::Cli::ProblemLine,
                               store::ProblemText(store::Problem::NotDiploid), "A", "L1") +
                       "\n" + std::string(msg::Text(msg::Cli::NothingWritten)) + "\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("t.tsv")));
}

}  // namespace
