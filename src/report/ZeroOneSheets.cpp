// The 0/1 sheets (one ".zoo" sheet per marker): presence and absence of each
// genotype and each allele per variety, as phylogeny software reads them.
#include "report/ZeroOneSheets.h"

#include <string>
#include <string_view>

#include "analysis/ZeroOne.h"
#include "messages/InterfaceTexts.h"
#include "report/Formatting.h"
#include "report/SheetFit.h"

namespace report {
namespace {

namespace texts = msg::sheet;

// The allele heads: sizes for SSR data, the symbols for character data.
void WriteAlleleHeads(const host::Range& corner, const store::GenotypeStore& s, int m) {
  const store::MarkerTable& table = s.Marker(m);
  for (int a = 1; a <= table.AlleleCount(); ++a) {
    if (s.Kind() == store::DataKind::Ssr) {
      corner.Offset(0, a).SetValue(table.AlleleValue(a));
    } else {
      const std::string symbol = store::ToUtf8(table.AlleleSymbol(a));
      corner.Offset(0, a).SetValue(std::string_view(symbol));
    }
  }
}

void WriteMatrices(host::Worksheet& sheet, const analysis::ZeroOneMatrices& matrices) {
  const int n = matrices.varieties;
  const int alleles = static_cast<int>(matrices.alleles.size());
  const host::Range anchor = Anchor(sheet);
  for (int v = 1; v <= n; ++v) {
    const int genotypeRow = anchor.Row() + v;
    const int alleleRow = anchor.Row() + n + 3 + v;
    // Up to 125,000 rows of these sheets: give each row exactly its cells.
    sheet.Store().ReserveRow(genotypeRow, matrices.genotypes + 1);
    sheet.Store().ReserveRow(alleleRow, alleles + 1);
    for (int g = 1; g <= matrices.genotypes; ++g) {
      sheet.Cell(genotypeRow, anchor.Column() + g).SetValue(matrices.Genotype(v, g));
    }
    for (int a = 1; a <= alleles; ++a) {
      sheet.Cell(alleleRow, anchor.Column() + a).SetValue(matrices.Allele(v, a));
    }
  }
}

}  // namespace

void LayOutZeroOneSheet(host::Worksheet& sheet, const store::GenotypeStore& s, int m,
                        host::Worksheet& titled) {
  const int n = s.VarietyCount();
  StartSheet(sheet, texts::kZeroOne);
  host::Range title = TitleCell(sheet);
  title.SetValue(TitleCell(titled).Value());
  title.Offset(0, 1).SetValue(std::string_view(s.MarkerName(m)));

  host::Range genotypes = Anchor(sheet);
  genotypes.SetValue(texts::kTableCorner);
  const store::MarkerTable& table = s.Marker(m);
  for (int g = 1; g <= table.GenotypeCount(); ++g) {
    const std::string head = s.GenotypeText(m, table.GenotypeCode(g));
    genotypes.Offset(0, g).SetValue(std::string_view(head));
  }
  host::Range alleles = genotypes.Offset(n + 3, 0);
  alleles.SetValue(texts::kTableCorner);
  WriteAlleleHeads(alleles, s, m);
  for (int v = 1; v <= n; ++v) {
    genotypes.Offset(v, 0).SetValue(std::string_view(s.VarietyName(v)));
    alleles.Offset(v, 0).SetValue(std::string_view(s.VarietyName(v)));
  }
}

void WriteZeroOneSheets(const store::GenotypeStore& s, OutputSheets& outputs,
                        host::Worksheet& titled, Progress& progress) {
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    host::Worksheet& sheet = outputs.Open(s.MarkerName(m) + ".zoo");
    LayOutZeroOneSheet(sheet, s, m, titled);
    progress.Comment(msg::MarkerNameComment(m, s.MarkerName(m)));
    WriteMatrices(sheet, analysis::ZeroOneMatricesOf(s, m));
    // Nothing writes to a 0/1 sheet again: it is laid out now, and its half
    // million cells need not stay in memory until the save.
    FitAndFinish(&sheet);
  }
}

}  // namespace report
