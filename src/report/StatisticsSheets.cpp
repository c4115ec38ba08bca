// Allele and genotype statistics: per marker the allele frequencies, HE, HO
// and PIC on the .all sheet and the genotype frequencies on the .gnt sheet.
#include "report/StatisticsSheets.h"

#include <string>
#include <string_view>
#include <vector>

#include "analysis/Statistics.h"
#include "report/Formatting.h"
#include "store/GenotypeStore.h"

namespace report {

namespace {

// Rows each marker owns on the two sheets, the last of each block left empty.
constexpr int kAlleleBlockRows = 7;
constexpr int kGenotypeBlockRows = 4;

// The head of marker m's block: its name, then the row labels beside it.
template <typename Labels>
host::Range BlockHead(host::Worksheet& sheet, int blockRows, const store::GenotypeStore& s, int m,
                      const Labels& labels) {
  host::Range head = Anchor(sheet).Offset(blockRows * (m - 1), 0);
  PutText(head, s.MarkerName(m));
  int row = 0;
  for (std::string_view label : labels) head.Offset(row++, 1).SetValue(label);
  return head;
}

void WriteAlleleBlock(host::Worksheet& all, const store::GenotypeStore& s, int m,
                      const analysis::MarkerStatistics& stats) {
  const store::MarkerTable& table = s.Marker(m);
  host::Range head = BlockHead(all, kAlleleBlockRows, s, m, msg::sheet::kAlleleLabels);
  for (int a = 1; a <= table.AlleleCount(); ++a) {
    host::Range column = head.Offset(0, 1 + a);
    if (s.Kind() == store::DataKind::Ssr) {
      column.SetValue(static_cast<int>(table.AlleleValue(a)));
    } else {
      PutText(column, store::ToUtf8(table.AlleleSymbol(a)));
    }
    column.Offset(1, 0).SetValue(static_cast<int>(table.AlleleTally(a)));
    column.Offset(2, 0).SetValue(store::RoundHalfEven(stats.alleleRates[a - 1], 4));
  }
  // A marker no variety was typed at has nothing to divide by: its HE, HO
  // and PIC cells stay empty.
  if (stats.he) head.Offset(3, 2).SetValue(store::RoundHalfEven(*stats.he, 3));
  if (stats.pic) head.Offset(5, 2).SetValue(store::RoundHalfEven(*stats.pic, 3));
  if (stats.ho) head.Offset(4, 2).SetValue(store::RoundHalfEven(*stats.ho, 3));
}

void WriteGenotypeBlock(host::Worksheet& gnt, const store::GenotypeStore& s, int m,
                        const analysis::MarkerStatistics& stats) {
  const store::MarkerTable& table = s.Marker(m);
  host::Range head = BlockHead(gnt, kGenotypeBlockRows, s, m, msg::sheet::kGenotypeLabels);
  for (int g = 1; g <= table.GenotypeCount(); ++g) {
    host::Range column = head.Offset(0, 1 + g);
    const std::string text = s.GenotypeText(m, table.GenotypeCode(g));
    // SSR texts carry their apostrophe on purpose; character codes are plain text.
    if (s.Kind() == store::DataKind::Ssr) {
      column.SetValue(std::string_view(text));
    } else {
      PutText(column, text);
    }
    column.Offset(1, 0).SetValue(static_cast<int>(table.GenotypeTally(g)));
    column.Offset(2, 0).SetValue(store::RoundHalfEven(stats.genotypeRates[g - 1], 4));
  }
}

}  // namespace

void LayOutStatisticsSheet(host::Worksheet& source, host::Worksheet& sheet, StatisticsSheet kind) {
  StartSheet(sheet, kind == StatisticsSheet::Alleles ? msg::sheet::kAll : msg::sheet::kGnt);
  // The value only, not the source cell's formatting.
  host::Range title = TitleCell(sheet);
  const host::CellValue value = TitleCell(source).Value();
  if (const auto* text = std::get_if<std::string>(&value)) {
    PutText(title, *text);
  } else if (!host::IsEmpty(value)) {
    title.SetValue(value);
  }
}

void WriteMarkerStatistics(const store::GenotypeStore& s, int m, host::Worksheet& alleles,
                           host::Worksheet& genotypes) {
  const analysis::MarkerStatistics stats = analysis::MarkerStats(s, m);
  WriteAlleleBlock(alleles, s, m, stats);
  WriteGenotypeBlock(genotypes, s, m, stats);
}

}  // namespace report
