// The 0/1 sheets (one ".zoo" sheet per marker): presence and absence of each
// genotype and each allele per variety, as phylogeny software reads them.
#include "report/Zoo.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/HostError.h"
#include "messages/InterfaceTexts.h"
#include "report/Formatting.h"
#include "report/SheetAccess.h"

namespace report {
namespace {

namespace sheet = msg::sheet;

// The symbols tested in the allele matrix; empty for an unknown data type,
// which writes no allele column at all.
std::u16string AlleleSymbols(const store::GenotypeStore& s, int m) {
  const int count = s.AlleleNum[m];
  if (s.DataType == "ssr") return store::AlleleAlphabet().substr(0, count);
  if (s.DataType == "chr") return s.AlleleText[m].substr(0, count);
  return {};
}

}  // namespace

void ZooSheetFormat(RunContext& ctx, int m, host::Worksheet& dst) {
  host::Application& app = *ctx.ExcelApp;
  const store::GenotypeStore& s = *ctx.store;
  const int n = s.VarietyCount;

  StartSheet(app, dst, sheet::kZoo);
  host::Range b2 = TitleCell(dst);
  // The title as the character sheet carries it (the source's when there is none).
  host::Worksheet* titled = ctx.sheets.ChrSheet ? ctx.sheets.ChrSheet : ctx.sheets.SrcSheet;
  if (titled != nullptr) b2.SetValue(TitleCell(*titled).Value());
  b2.Offset(0, 1).SetValue(std::string_view(s.MarkerName[m]));

  host::Range b4 = Anchor(dst);
  b4.SetValue(sheet::kTableCorner);
  for (int g = 1; g <= s.GenoNum[m]; ++g) {
    const std::string head = s.MakeGenoStr(m, s.GenoText(m, g));
    b4.Offset(0, g).SetValue(std::string_view(head));
  }
  for (int v = 1; v <= n; ++v) b4.Offset(v, 0).SetValue(std::string_view(s.VarietyName[v]));

  host::Range alleles = b4.Offset(n + 3, 0);
  alleles.SetValue(sheet::kTableCorner);
  if (s.DataType == "ssr") {
    for (int a = 1; a <= s.AlleleNum[m]; ++a) alleles.Offset(0, a).SetValue(s.AlleleValue[m][a]);
  } else if (s.DataType == "chr") {
    const std::u16string symbols = AlleleSymbols(s, m);
    for (size_t a = 0; a < symbols.size(); ++a) {
      const std::string symbol = store::ToUtf8(std::u16string_view(&symbols[a], 1));
      alleles.Offset(0, static_cast<int>(a) + 1).SetValue(std::string_view(symbol));
    }
  }
  for (int v = 1; v <= n; ++v) {
    alleles.Offset(v, 0).SetValue(std::string_view(s.VarietyName[v]));
  }
}

void ZooMake(RunContext& ctx) {
  const store::GenotypeStore& s = *ctx.store;
  const int n = s.VarietyCount;
  for (int m = 1; m <= s.MarkerCount; ++m) {
    host::Worksheet* sheet = nullptr;
    SheetOpen(ctx, sheet, s.MarkerName[m] + ".zoo");
    if (sheet == nullptr) throw host::HostError("ZooMake", "", "no sheet for " + s.MarkerName[m]);
    ZooSheetFormat(ctx, m, *sheet);
    sheet->Activate();
    ctx.Comment(msg::MarkerNameComment(m, s.MarkerName[m]));

    // Equal genotype texts share one id (the first slot holding the text), so
    // each cell is one integer comparison instead of a string comparison.
    const int genotypes = s.GenoNum[m];
    std::unordered_map<std::u16string_view, int> firstSlot;
    std::vector<int> slotId(genotypes + 1, 0);
    for (int g = 1; g <= genotypes; ++g) {
      slotId[g] = firstSlot.try_emplace(s.GenoText(m, g), g).first->second;
    }
    const std::u16string symbols = AlleleSymbols(s, m);

    for (int v = 1; v <= n; ++v) {
      const std::u16string& text = s.SourceData(v, m);
      const auto found = firstSlot.find(text);
      const int id = found == firstSlot.end() ? -1 : found->second;
      const int genotypeRow = 4 + v;
      const int alleleRow = 4 + n + 3 + v;
      // Up to 125,000 rows of these sheets: give each row exactly its cells.
      sheet->Store().ReserveRow(genotypeRow, genotypes + 1);
      sheet->Store().ReserveRow(alleleRow, symbols.size() + 1);
      for (int g = 1; g <= genotypes; ++g) {
        sheet->Cell(genotypeRow, 2 + g).SetValue(slotId[g] == id ? 1 : 0);
      }
      for (size_t a = 0; a < symbols.size(); ++a) {
        const bool present = text.find(symbols[a]) != std::u16string::npos;
        sheet->Cell(alleleRow, 3 + static_cast<int>(a)).SetValue(present ? 1 : 0);
      }
    }
  }
}

}  // namespace report
