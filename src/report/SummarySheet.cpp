#include "report/SummarySheet.h"

#include <optional>
#include <string>

#include "analysis/LocusSummary.h"
#include "messages/SummarySheetTexts.h"
#include "report/Layout.h"
#include "report/SummarySections.h"

namespace report {
namespace {

namespace texts = msg::sheet;
using summary::kFirstColumn;
using summary::PutNumber;

constexpr int kColumns = static_cast<int>(std::size(texts::kSummaryColumns));
constexpr int kMethodColumn = 12;  // counted from the marker column, 0
// The number format of each column; the marker (first) and the method have none.
constexpr const char* kFormats[kColumns] = {
    "",      "0",     "0.0",    "0", "0.000",  "0.000",  "0.000",     "0.000",    "0.000",
    "0.000", "0.000", "0.0000", "",  "0.0000", "0.0000", "0.000E+00", "0.000E+00"};
constexpr const char kMeanFormat[] = "0.00";

void PutLocusRow(host::Range marker, const analysis::LocusRow& r, const store::GenotypeStore& s) {
  marker.SetValue(std::string_view(s.MarkerName(r.marker)));
  const std::optional<double> hweP = r.hwe ? std::optional<double>(r.hwe->p) : std::nullopt;
  const std::optional<double> values[kColumns] = {
      std::nullopt, r.typed, r.missingPct, r.alleles, r.ne,       r.ho,
      r.he,         r.uhe,   r.pic,        r.f,       r.nullFreq, hweP,
      std::nullopt, r.pi,    r.piSib,      r.piCum,   r.piSibCum};
  for (int k = 1; k < kColumns; ++k) PutNumber(marker.Offset(0, k), values[k], kFormats[k]);
  if (r.hwe)
    marker.Offset(0, kMethodColumn)
        .SetValue(r.hwe->method == analysis::HweMethod::Exact ? texts::kHweExact
                                                              : texts::kHweChain);
}

void PutMeans(host::Range label, const analysis::LocusMeans& m) {
  label.SetValue(texts::kSummaryMean);
  const std::optional<double> values[] = {m.typed, std::nullopt, m.alleles, m.ne, m.ho,
                                          m.he,    m.uhe,        m.pic,     m.f};
  for (int k = 0; k < static_cast<int>(std::size(values)); ++k)
    PutNumber(label.Offset(0, k + 1), values[k], k < 3 ? kMeanFormat : kFormats[k + 1]);
}

// The table from the anchor: heads, a row per marker, the means. Returns the
// means' row.
int WriteLocusTable(host::Worksheet& sheet, const store::GenotypeStore& s,
                    const analysis::LocusTable& table) {
  const host::Range anchor = Anchor(sheet);
  std::string_view heads[kColumns];
  for (int k = 0; k < kColumns; ++k) heads[k] = texts::kSummaryColumns[k].head;
  summary::PutHeads(anchor, heads, kColumns);
  int row = 0;
  for (const analysis::LocusRow& r : table.rows) PutLocusRow(anchor.Offset(++row, 0), r, s);
  summary::Rule(sheet, anchor.Row(), anchor.Row() + row, kColumns);
  host::Range means = anchor.Offset(row + 1, 0);
  PutMeans(means, table.means);
  summary::SetApart(sheet, means.Row(), kColumns);
  return means.Row();
}

// A line per column, then the chain's standard errors where a marker has one.
int WriteLegend(host::Worksheet& sheet, int row, const store::GenotypeStore& s,
                const analysis::LocusTable& table) {
  sheet.Cell(row++, kFirstColumn).SetValue(texts::kSummaryLegend);
  for (const texts::SummaryColumn& column : texts::kSummaryColumns) {
    sheet.Cell(row, kFirstColumn).SetValue(column.head);
    sheet.Cell(row++, kFirstColumn + 1).SetValue(column.meaning);
  }
  bool noted = false;
  for (const analysis::LocusRow& r : table.rows) {
    if (!r.hwe || r.hwe->method != analysis::HweMethod::Chain) continue;
    if (!noted) sheet.Cell(++row, kFirstColumn).SetValue(texts::kChainNote);
    noted = true;
    sheet.Cell(++row, kFirstColumn).SetValue(std::string_view(s.MarkerName(r.marker)));
    PutNumber(sheet.Cell(row, kFirstColumn + 1), r.hwe->standardError, "0.00000");
  }
  return row + (noted ? 2 : 1);
}

std::string MarkersNeeded(std::string_view label, std::optional<int> markers, int n) {
  std::string line(label);
  line += " (N = " + std::to_string(n) + " varieties): ";
  line += markers ? std::to_string(*markers) : std::string(texts::kNotReached);
  return line;
}

int WriteInformative(host::Worksheet& sheet, int row, const store::GenotypeStore& s,
                     const analysis::LocusTable& table) {
  sheet.Cell(row++, kFirstColumn).SetValue(texts::kInformativeTitle);
  summary::PutHeads(sheet.Cell(row, kFirstColumn), texts::kInformativeHeads,
                    static_cast<int>(std::size(texts::kInformativeHeads)));
  const int headRow = row;
  for (const analysis::InformativeStep& step : table.informative) {
    host::Range marker = sheet.Cell(++row, kFirstColumn);
    marker.SetValue(std::string_view(s.MarkerName(step.marker)));
    const double values[] = {step.pi, step.piCum, step.piSib, step.piSibCum};
    for (int k = 0; k < 4; ++k)
      PutNumber(marker.Offset(0, k + 1), values[k], k % 2 == 0 ? "0.0000" : "0.000E+00");
  }
  summary::Rule(sheet, headRow, row, 5);
  const int n = s.VarietyCount();
  sheet.Cell(row + 1, kFirstColumn)
      .SetValue(MarkersNeeded(texts::kMarkersForPi, table.markersForPi, n));
  sheet.Cell(row + 2, kFirstColumn)
      .SetValue(MarkersNeeded(texts::kMarkersForPiSib, table.markersForPiSib, n));
  return row + 4;
}

}  // namespace

int WriteSummarySheet(host::Worksheet& source, host::Worksheet& sheet,
                      const store::GenotypeStore& s, const std::vector<std::string>& groupOf) {
  StartSheet(sheet, texts::kSum);
  CopyBlock(source, TitleCell(source), sheet, TitleCell(sheet));
  const analysis::LocusTable table = analysis::SummarizeLoci(s);
  int row = WriteLocusTable(sheet, s, table) + 2;
  FreezeHeads(sheet);
  row = WriteLegend(sheet, row, s, table);
  row = WriteInformative(sheet, row, s, table);
  const analysis::IdentityReport identity = analysis::FindIdentity(s);
  row = WriteIdentitySection(sheet, row, s, identity);
  const std::vector<analysis::GroupSummary> groups = analysis::SummarizeGroups(s, groupOf);
  if (!groups.empty()) WriteGroupSection(sheet, row, s, groups);
  return static_cast<int>(identity.identical.size());
}

}  // namespace report
