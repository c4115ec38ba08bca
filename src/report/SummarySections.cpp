#include "report/SummarySections.h"

#include <string>

#include "messages/SummarySheetTexts.h"
#include "report/Formatting.h"
#include "report/Layout.h"

namespace report {
namespace summary {

void PutNumber(host::Range cell, std::optional<double> value, const char* format) {
  if (!value) return;
  cell.SetValue(*value);
  if (format && *format) cell.SetNumberFormatLocal(format);
}

void PutHeads(const host::Range& first, const std::string_view* heads, int count) {
  for (int k = 0; k < count; ++k) first.Offset(0, k).SetValue(heads[k]);
  first.Sheet()
      .GetRange(first, first.Offset(0, count - 1))
      .SetHorizontalAlignment(host::HorizontalAlignment::Center);
}

void Rule(host::Worksheet& sheet, int firstRow, int lastRow, int columns) {
  std::vector<host::Range::BorderSetting> grid;
  for (host::Edge edge : {host::Edge::Left, host::Edge::Top, host::Edge::Bottom, host::Edge::Right,
                          host::Edge::InsideVertical, host::Edge::InsideHorizontal}) {
    grid.push_back({edge, host::LineStyle::Continuous});
    grid.push_back({edge, host::BorderWeight::Thin});
  }
  sheet
      .GetRange(sheet.Cell(firstRow, kFirstColumn), sheet.Cell(lastRow, kFirstColumn + columns - 1))
      .SetBorders(grid);
}

void SetApart(host::Worksheet& sheet, int row, int columns) {
  const host::Range cells =
      sheet.GetRange(sheet.Cell(row, kFirstColumn), sheet.Cell(row, kFirstColumn + columns - 1));
  FillCell(cells, Palette::Grey);
  cells.SetBorders({{host::Edge::Top, host::LineStyle::Continuous},
                    {host::Edge::Top, host::BorderWeight::Medium},
                    {host::Edge::Bottom, host::LineStyle::Continuous},
                    {host::Edge::Bottom, host::BorderWeight::Thin}});
}

}  // namespace summary

namespace {

namespace texts = msg::sheet;
using summary::kFirstColumn;

std::string Joined(const store::GenotypeStore& s, const std::vector<int>& varieties) {
  std::string line;
  for (int v : varieties) line += (line.empty() ? "" : ", ") + s.VarietyName(v);
  return line;
}

int WriteNearPairs(host::Worksheet& sheet, int row, const store::GenotypeStore& s,
                   const std::vector<analysis::NearPair>& pairs) {
  sheet.Cell(row++, kFirstColumn).SetValue(texts::kNearTitle);
  if (pairs.empty()) {
    sheet.Cell(row, kFirstColumn).SetValue(texts::kNearNone);
    return row + 2;
  }
  constexpr int kHeads = static_cast<int>(std::size(texts::kNearHeads));
  summary::PutHeads(sheet.Cell(row, kFirstColumn), texts::kNearHeads, kHeads);
  const int headRow = row;
  for (const analysis::NearPair& pair : pairs)
    for (const analysis::TellingMarker& m : pair.markers) {
      host::Range first = sheet.Cell(++row, kFirstColumn);
      first.SetValue(std::string_view(s.VarietyName(pair.first)));
      first.Offset(0, 1).SetValue(std::string_view(s.VarietyName(pair.second)));
      first.Offset(0, 2).SetValue(std::string_view(s.MarkerName(m.marker)));
      // An untyped cell stays empty: it is a code of its own, shown as none.
      if (!m.first.empty()) first.Offset(0, 3).SetValue(s.GenotypeText(m.marker, m.first));
      if (!m.second.empty()) first.Offset(0, 4).SetValue(s.GenotypeText(m.marker, m.second));
    }
  summary::Rule(sheet, headRow, row, kHeads);
  return row + 2;
}

int WriteSmallestSet(host::Worksheet& sheet, int row, const store::GenotypeStore& s,
                     const analysis::MarkerChoice& choice) {
  const bool exact = choice.method == analysis::SearchMethod::Exact;
  sheet.Cell(row++, kFirstColumn)
      .SetValue(exact ? texts::kSmallestSetExact : texts::kSmallestSetGreedy);
  std::string line;
  for (const analysis::ChosenMarker& c : choice.chosen)
    line += (line.empty() ? "" : ", ") + s.MarkerName(c.marker);
  sheet.Cell(row, kFirstColumn).SetValue(line.empty() ? std::string(texts::kNoPairToTell) : line);
  return row + 2;
}

}  // namespace

int WriteIdentitySection(host::Worksheet& sheet, int row, const store::GenotypeStore& s,
                         const analysis::IdentityReport& identity) {
  sheet.Cell(row++, kFirstColumn).SetValue(texts::kIdenticalTitle);
  if (identity.identical.empty()) sheet.Cell(row++, kFirstColumn).SetValue(texts::kIdenticalNone);
  for (const std::vector<int>& group : identity.identical)
    sheet.Cell(row++, kFirstColumn).SetValue(Joined(s, group));
  row = WriteNearPairs(sheet, row + 1, s, identity.nearPairs);
  return WriteSmallestSet(sheet, row, s, identity.smallestSet);
}

int WriteGroupSection(host::Worksheet& sheet, int row, const store::GenotypeStore& s,
                      const std::vector<analysis::GroupSummary>& groups) {
  sheet.Cell(row++, kFirstColumn).SetValue(texts::kGroupsTitle);
  constexpr int kHeads = static_cast<int>(std::size(texts::kGroupHeads));
  summary::PutHeads(sheet.Cell(row, kFirstColumn), texts::kGroupHeads, kHeads);
  int blockStart = row;
  for (const analysis::GroupSummary& g : groups) {
    for (int m = 1; m <= s.MarkerCount(); ++m) {
      const analysis::GroupLocus& locus = g.loci[m - 1];
      host::Range first = sheet.Cell(++row, kFirstColumn);
      first.SetValue(std::string_view(g.name));
      first.Offset(0, 1).SetValue(std::string_view(s.MarkerName(m)));
      first.Offset(0, 2).SetValue(locus.typed);
      first.Offset(0, 3).SetValue(locus.alleles);
      summary::PutNumber(first.Offset(0, 4), locus.ho, "0.000");
      summary::PutNumber(first.Offset(0, 5), locus.he, "0.000");
      first.Offset(0, 6).SetValue(locus.privateAlleles);
    }
    summary::Rule(sheet, blockStart, row, kHeads);
    blockStart = row + 2;
    host::Range mean = sheet.Cell(++row, kFirstColumn);
    mean.SetValue(std::string_view(g.name));
    mean.Offset(0, 1).SetValue(texts::kSummaryMean);
    summary::PutNumber(mean.Offset(0, 2), g.means.typed, "0.00");
    summary::PutNumber(mean.Offset(0, 3), g.means.alleles, "0.00");
    summary::PutNumber(mean.Offset(0, 4), g.means.ho, "0.000");
    summary::PutNumber(mean.Offset(0, 5), g.means.he, "0.000");
    mean.Offset(0, 6).SetValue(g.means.privateAlleles);
    summary::SetApart(sheet, mean.Row(), kHeads);
  }
  return row + 2;
}

}  // namespace report
