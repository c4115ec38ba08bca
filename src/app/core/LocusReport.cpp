#include "app/core/LocusReport.h"

#include <fmt/format.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "analysis/LocusSummary.h"

namespace app {

const std::vector<std::string> kLocusHeads = {
    "marker", "N",         "missing_pct", "Na",         "Ne", "Ho",    "He",     "uHe",      "PIC",
    "F",      "null_freq", "HWE_p",       "HWE_method", "PI", "PIsib", "PI_cum", "PIsib_cum"};

namespace {

using Line = std::vector<std::string>;
using Value = std::optional<double>;

// A number as the format shows it: the shortest text that reads back as the
// same double for TSV, a few decimals for reading (a tiny product in
// scientific notation, so it never reads as 0).
std::string Shown(Value value, TableFormat format, int column) {
  if (!value) return {};
  if (format == TableFormat::Tsv) return fmt::format("{}", *value);
  const std::string& head = kLocusHeads[static_cast<size_t>(column)];
  if (head == "N" || head == "Na") return fmt::format("{:g}", *value);
  if (head == "missing_pct") return fmt::format("{:.1f}", *value);
  if (head.ends_with("_cum")) return fmt::format("{:.3e}", *value);
  return fmt::format("{:.4f}", *value);
}

Line MarkerLine(const store::GenotypeStore& s, const analysis::LocusRow& r, TableFormat format) {
  const Value hweP = r.hwe ? Value(r.hwe->p) : std::nullopt;
  const Value values[] = {std::nullopt, r.typed, r.missingPct, r.alleles, r.ne,       r.ho,
                          r.he,         r.uhe,   r.pic,        r.f,       r.nullFreq, hweP,
                          std::nullopt, r.pi,    r.piSib,      r.piCum,   r.piSibCum};
  Line line{s.MarkerName(r.marker)};
  for (int k = 1; k < static_cast<int>(std::size(values)); ++k)
    line.push_back(Shown(values[k], format, k));
  if (r.hwe) line[12] = r.hwe->method == analysis::HweMethod::Exact ? "exact" : "mc";
  return line;
}

Line MeanLine(const analysis::LocusMeans& m, TableFormat format) {
  const Value values[] = {std::nullopt, m.typed, std::nullopt, m.alleles, m.ne,
                          m.ho,         m.he,    m.uhe,        m.pic,     m.f};
  Line line{"mean"};
  for (int k = 1; k < static_cast<int>(kLocusHeads.size()); ++k)
    line.push_back(k < static_cast<int>(std::size(values)) ? Shown(values[k], format, k) : "");
  return line;
}

// Tab-separated, or padded: the marker column to the left, the rest to the right.
std::string Joined(const std::vector<Line>& lines, TableFormat format) {
  std::vector<size_t> widths(kLocusHeads.size(), 0);
  for (const Line& line : lines)
    for (size_t k = 0; k < line.size(); ++k) widths[k] = std::max(widths[k], line[k].size());
  std::string text;
  for (const Line& line : lines) {
    std::string out;
    for (size_t k = 0; k < line.size(); ++k) {
      if (format == TableFormat::Tsv) {
        out += (k ? "\t" : "") + line[k];
      } else {
        out += k == 0 ? fmt::format("{:<{}}", line[k], widths[k])
                      : fmt::format("  {:>{}}", line[k], widths[k]);
      }
    }
    if (format == TableFormat::Text) out.erase(out.find_last_not_of(' ') + 1);
    text += out + "\n";
  }
  return text;
}

}  // namespace

LocusReport SummarizeSource(Session& session, const std::string& sheet, TableFormat format) {
  CheckedSource source = ReadCheckedSource(session, sheet);
  LocusReport report;
  report.problems = std::move(source.problems);
  if (!report.problems.empty()) return report;
  const store::GenotypeStore& s = *source.read.store;
  const analysis::LocusTable table = analysis::SummarizeLoci(s);
  std::vector<Line> lines{kLocusHeads};
  for (const analysis::LocusRow& r : table.rows) lines.push_back(MarkerLine(s, r, format));
  lines.push_back(MeanLine(table.means, format));
  report.text = Joined(lines, format);
  return report;
}

}  // namespace app
