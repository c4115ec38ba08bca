// The two CSV layouts: GenAlEx (counts row, title row, heads, then name,
// population and two allele columns per marker) and AlleleScope's own table
// (a head row of marker names, a name column, "180/192" cells).
#include <utility>

#include "exchange/ImportFormat.h"
#include "exchange/TableBuilder.h"
#include "exchange/TextLines.h"
#include "messages/CliTexts.h"

namespace exchange {
namespace {

std::string TextOf(msg::Cli id) { return std::string(msg::Text(id)); }

std::string Allele(const std::string& field, int line) {
  const std::string_view a = Trim(field);
  if (!IsWholeNumber(a)) throw ImportError(line, msg::Format(msg::Cli::ImportNotNumeric, a));
  return std::string(a);
}

std::vector<std::string> GenalexCells(const std::vector<std::string>& f, size_t markers, int line) {
  std::vector<std::string> cells;
  for (size_t m = 0; m < markers; ++m) {
    const std::string a = Allele(f[2 + 2 * m], line);
    const std::string b = Allele(f[3 + 2 * m], line);
    cells.push_back(a == "0" || b == "0" ? std::string() : a + "/" + b);
  }
  return cells;
}

// The numbers of markers and samples of a GenAlEx counts row.
std::pair<size_t, size_t> GenalexCounts(std::string_view line) {
  const CsvRow counts = SplitCsv(line, 3);
  const auto markers = counts.used >= 3 ? WholeNumber(Trim(counts.fields[0])) : std::nullopt;
  const auto samples = counts.used >= 3 ? WholeNumber(Trim(counts.fields[1])) : std::nullopt;
  if (!markers || !samples || *markers <= 0 || *samples < 0)
    throw ImportError(1, TextOf(msg::Cli::ImportCountsRow));
  return {static_cast<size_t>(*markers), static_cast<size_t>(*samples)};
}

// The GenAlEx head row (line 3) names each marker above its first allele column.
void GenalexMarkers(std::string_view line, size_t markers, TableBuilder& t) {
  const CsvRow heads = SplitCsv(line, 2 + 2 * markers);
  for (size_t m = 0; m < markers; ++m) {
    const size_t at = 2 + 2 * m;
    const std::string_view name = at < heads.fields.size() ? Trim(heads.fields[at]) : "";
    if (name.empty()) throw ImportError(3, TextOf(msg::Cli::ImportEmptyName));
    t.AddMarker(name, 3);
  }
}

}  // namespace

ImportedTable ReadGenalex(std::string_view text, const ImportLimits& limits) {
  TextLines lines(text);
  std::string_view line;
  lines.Next(line);
  const auto [markers, samples] = GenalexCounts(line);
  TableBuilder t(limits);
  t.CheckMarkers(markers, 1);
  if (!lines.Next(line) || !lines.Next(line))  // the title row, then the heads
    throw ImportError(lines.Number() + 1, TextOf(msg::Cli::ImportCountsRow));
  GenalexMarkers(line, markers, t);
  const size_t fields = 2 + 2 * markers;
  while (lines.Next(line)) {
    const CsvRow row = SplitCsv(line, fields);
    if (row.blank) continue;
    if (row.used != fields)
      throw ImportError(lines.Number(), msg::Format(msg::Cli::ImportFieldCount, fields, row.used));
    t.AddVariety(Trim(row.fields[0]), Trim(row.fields[1]),
                 GenalexCells(row.fields, markers, lines.Number()), lines.Number());
  }
  if (t.VarietyCount() != samples)
    throw ImportError(lines.Number(),
                      msg::Format(msg::Cli::ImportTooFewRows, samples, t.VarietyCount()));
  return t.Take();
}

ImportedTable ReadTableCsv(std::string_view text, const ImportLimits& limits) {
  TextLines lines(text);
  TableBuilder t(limits);
  std::string_view line;
  lines.Next(line);
  const CsvRow heads = SplitCsv(line, limits.markers + 1);
  t.CheckMarkers(heads.used - 1, 1);
  for (size_t m = 1; m < heads.used; ++m) {
    if (Trim(heads.fields[m]).empty()) throw ImportError(1, TextOf(msg::Cli::ImportEmptyName));
    t.AddMarker(Trim(heads.fields[m]), 1);
  }
  if (t.MarkerCount() == 0) throw ImportError(1, TextOf(msg::Cli::ImportNoLoci));
  while (lines.Next(line)) {
    const CsvRow row = SplitCsv(line, heads.used);
    if (row.blank) continue;
    // Spreadsheets pad rows with empty fields; beyond that a row holds a
    // field per head, no fewer and no more.
    if (row.count < heads.used || row.used > heads.used)
      throw ImportError(lines.Number(), msg::Format(msg::Cli::ImportFieldCount, heads.used,
                                                    row.count < heads.used ? row.count : row.used));
    std::vector<std::string> cells;
    for (size_t m = 1; m < heads.used; ++m) cells.emplace_back(Trim(row.fields[m]));
    t.AddVariety(Trim(row.fields[0]), std::move(cells), lines.Number());
  }
  return t.Take();
}

ImportKind GuessKind(std::string_view fileName, std::string_view text) {
  if (fileName.ends_with(".gen") || fileName.ends_with(".GEN") || fileName.ends_with(".genepop"))
    return ImportKind::Genepop;
  // Spreadsheets save "CSV UTF-8" with a byte-order mark before the counts.
  text = WithoutByteOrderMark(text);
  const CsvRow first = SplitCsv(text.substr(0, text.find_first_of("\r\n")), 3);
  const bool counts = first.count >= 3 && IsWholeNumber(Trim(first.fields[0])) &&
                      IsWholeNumber(Trim(first.fields[1])) && IsWholeNumber(Trim(first.fields[2]));
  return counts ? ImportKind::Genalex : ImportKind::Csv;
}

ImportedTable ReadImport(ImportKind kind, std::string_view text, const ImportLimits& limits) {
  switch (kind) {
    case ImportKind::Genepop:
      return ReadGenepop(text, limits);
    case ImportKind::Genalex:
      return ReadGenalex(text, limits);
    case ImportKind::Csv:
      break;
  }
  return ReadTableCsv(text, limits);
}

}  // namespace exchange
