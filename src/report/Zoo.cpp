// The 0/1 sheets (one ".zoo" sheet per marker): presence and absence of each
// genotype and each allele per variety, as phylogeny software reads them.
#include "report/Zoo.h"

#include <string>
#include <string_view>

#include "analysis/ZeroOne.h"
#include "host/HostError.h"
#include "messages/InterfaceTexts.h"
#include "report/Formatting.h"
#include "report/SheetAccess.h"
#include "report/SheetFit.h"

namespace report {
namespace {

namespace texts = msg::sheet;

// The allele heads: sizes for SSR data, the symbols for character data.
void WriteAlleleHeads(const host::Range& corner, const store::GenotypeStore& s, int m) {
  const store::MarkerTable& table = s.Marker(m);
  for (int a = 1; a <= table.AlleleNum(); ++a) {
    if (s.Kind() == store::DataKind::Ssr) {
      corner.Offset(0, a).SetValue(table.AlleleValue(a));
    } else {
      const std::string symbol = store::ToUtf8(table.AlleleSymbol(a));
      corner.Offset(0, a).SetValue(std::string_view(symbol));
    }
  }
}

void WriteMatrices(host::Worksheet& sheet, const analysis::ZeroOneMatrices& zoo) {
  const int n = zoo.varieties;
  const int alleles = static_cast<int>(zoo.alleles.size());
  const host::Range anchor = Anchor(sheet);
  for (int v = 1; v <= n; ++v) {
    const int genotypeRow = anchor.Row() + v;
    const int alleleRow = anchor.Row() + n + 3 + v;
    // Up to 125,000 rows of these sheets: give each row exactly its cells.
    sheet.Store().ReserveRow(genotypeRow, zoo.genotypes + 1);
    sheet.Store().ReserveRow(alleleRow, alleles + 1);
    for (int g = 1; g <= zoo.genotypes; ++g) {
      sheet.Cell(genotypeRow, anchor.Column() + g).SetValue(zoo.Genotype(v, g));
    }
    for (int a = 1; a <= alleles; ++a) {
      sheet.Cell(alleleRow, anchor.Column() + a).SetValue(zoo.Allele(v, a));
    }
  }
}

}  // namespace

void ZooSheetFormat(RunContext& ctx, int m, host::Worksheet& dst) {
  const store::GenotypeStore& s = *ctx.store;
  const int n = s.VarietyCount();

  StartSheet(*ctx.ExcelApp, dst, texts::kZoo);
  host::Range title = TitleCell(dst);
  // The title as the character sheet carries it (the source's when there is none).
  host::Worksheet* titled = ctx.sheets.ChrSheet ? ctx.sheets.ChrSheet : ctx.sheets.SrcSheet;
  if (titled != nullptr) title.SetValue(TitleCell(*titled).Value());
  title.Offset(0, 1).SetValue(std::string_view(s.MarkerName(m)));

  host::Range genotypes = Anchor(dst);
  genotypes.SetValue(texts::kTableCorner);
  const store::MarkerTable& table = s.Marker(m);
  for (int g = 1; g <= table.GenoNum(); ++g) {
    const std::string head = s.MakeGenoStr(m, table.GenoText(g));
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

void ZooMake(RunContext& ctx) {
  const store::GenotypeStore& s = *ctx.store;
  for (int m = 1; m <= s.MarkerCount(); ++m) {
    host::Worksheet* sheet = nullptr;
    SheetOpen(ctx, sheet, s.MarkerName(m) + ".zoo");
    if (sheet == nullptr) throw host::HostError("ZooMake", "", "no sheet for " + s.MarkerName(m));
    ZooSheetFormat(ctx, m, *sheet);
    ctx.Comment(msg::MarkerNameComment(m, s.MarkerName(m)));
    WriteMatrices(*sheet, analysis::ZeroOne(s, m));
    // Nothing writes to a 0/1 sheet again: it is laid out now, and its half
    // million cells need not stay in memory until the save.
    FitAndFinish(*sheet);
  }
}

}  // namespace report
