// adegenet reads our GENEPOP and STRUCTURE files of both example workbooks
// and finds the alleles and allele counts of their .all tables.
#include <gtest/gtest.h>

#include "app/core/Session.h"
#include "exchange/Adegenet.h"
#include "exchange/ExportFormat.h"
#include "support/Interop.h"

namespace {

struct Case {
  const char* workbook;
  const char* sheet;
  exchange::Format format;
};

class AdegenetReadsExport : public testing::TestWithParam<Case> {};

std::string Reader(const Case& c, const store::GenotypeStore& s) {
  if (c.format == exchange::Format::Genepop) return "read.genepop(f, ncode = 3, quiet = TRUE)";
  return "read.structure(f, n.ind = " + std::to_string(s.VarietyCount()) +
         ", n.loc = " + std::to_string(s.MarkerCount()) +
         ", onerowperind = TRUE, col.lab = 1, col.pop = 0, row.marknames = 1,"
         " NA.char = '-9', ask = FALSE, quiet = TRUE)";
}

// The allele index of a written allele: its size, or its number when the
// marker was written as numbers.
int IndexOf(const store::MarkerTable& table, int written, bool renumbered) {
  if (renumbered) return written;
  for (int a = 1; a <= table.AlleleCount(); ++a)
    if (table.AlleleValue(a) == written) return a;
  return 0;
}

TEST_P(AdegenetReadsExport, AllelesAndCountsMatchTheAlleleTables) {
  if (!exchange_test::HaveAdegenet()) GTEST_SKIP() << "Rscript with adegenet is not installed";
  const Case c = GetParam();
  app::Session session;
  session.Open(std::string(ALLELESCOPE_SOURCE_DIR) + "/examples/" + c.workbook);
  const report::GenotypeRead read = session.ReadGenotypes(c.sheet);
  ASSERT_TRUE(read.findings.empty());
  const store::GenotypeStore& s = *read.store;
  const exchange::Exported e = exchange::Export(s, c.format, "Example");

  testsupport::TempDir dir;
  const std::string file =
      dir.File(c.format == exchange::Format::Genepop ? "example.gen" : "example.str");
  testsupport::WriteFileBytes(file, e.text);
  const auto loci = exchange_test::AdegenetCounts(Reader(c, s), file);
  ASSERT_EQ(static_cast<int>(loci.size()), s.MarkerCount());
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    const store::MarkerTable& table = s.Marker(m);
    bool renumbered = false;
    for (const auto& r : e.alleles) renumbered = renumbered || r.marker == m;
    EXPECT_EQ(loci[m - 1].alleles, table.AlleleCount()) << s.MarkerName(m);
    ASSERT_EQ(static_cast<int>(loci[m - 1].counts.size()), table.AlleleCount()) << s.MarkerName(m);
    for (const auto& [written, count] : loci[m - 1].counts) {
      const int a = IndexOf(table, written, renumbered);
      ASSERT_GE(a, 1) << s.MarkerName(m) << " allele " << written;
      EXPECT_EQ(count, table.AlleleTally(a)) << s.MarkerName(m) << " allele " << written;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Examples, AdegenetReadsExport,
    testing::Values(Case{"ssr_example.xlsx", "Apple.org", exchange::Format::Genepop},
                    Case{"ssr_example.xlsx", "Apple.org", exchange::Format::Structure},
                    Case{"chr_example.xlsx", "Rice.org", exchange::Format::Genepop},
                    Case{"chr_example.xlsx", "Rice.org", exchange::Format::Structure}));

}  // namespace
