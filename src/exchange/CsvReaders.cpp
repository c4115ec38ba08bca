// The two CSV layouts: GenAlEx (counts row, title row, heads, then name,
// population and two allele columns per marker) and AlleleScope's own table
// (a head row of marker names, a name column, "180/192" cells).
#include <fmt/format.h>

#include <utility>

#include "exchange/ImportFormat.h"
#include "exchange/TableBuilder.h"
#include "exchange/TextLines.h"
#include "messages/CliTexts.h"

namespace exchange {
namespace {

std::string TextOf(msg::Cli id) { return std::string(msg::Text(id)); }

// An allele of a GenAlEx row: 0 in any spelling ("000", "-0") is no allele.
int Allele(const std::string& field, int line) {
  const std::string_view a = Trim(field);
  const auto value = WholeNumber(a);
  if (!value) throw ImportError(line, msg::Format(msg::Cli::ImportNotNumeric, a));
  return *value;
}

std::vector<std::string> GenalexCells(const std::vector<std::string>& f, size_t markers, int line) {
  std::vector<std::string> cells;
  for (size_t m = 0; m < markers; ++m) {
    const int a = Allele(f[2 + 2 * m], line);
    const int b = Allele(f[3 + 2 * m], line);
    cells.push_back(a == 0 || b == 0 ? std::string() : fmt::format("{}/{}", a, b));
  }
  return cells;
}

// The numbers of markers and samples of a GenAlEx counts row, in the full
// range of a count: a file of more samples than a sheet holds is told so.
std::pair<size_t, size_t> GenalexCounts(std::string_view line, char delimiter,
                                        const ImportLimits& limits) {
  const CsvRow counts = SplitCsv(line, 3, delimiter);
  const auto markers = counts.used >= 3 ? Count(Trim(counts.fields[0])) : std::nullopt;
  const auto samples = counts.used >= 3 ? Count(Trim(counts.fields[1])) : std::nullopt;
  if (!markers || !samples || *markers == 0)
    throw ImportError(1, TextOf(msg::Cli::ImportCountsRow));
  if (*samples > limits.varieties)
    throw ImportError(1, msg::Format(msg::Cli::ImportTooManyVarieties, *samples, limits.varieties));
  return {*markers, *samples};
}

// The GenAlEx head row (line 3) names each marker above its first allele column.
void GenalexMarkers(std::string_view line, char delimiter, size_t markers, TableBuilder& t) {
  const CsvRow heads = SplitCsv(line, 2 + 2 * markers, delimiter);
  for (size_t m = 0; m < markers; ++m) {
    const size_t at = 2 + 2 * m;
    const std::string_view name = at < heads.fields.size() ? Trim(heads.fields[at]) : "";
    if (name.empty()) throw ImportError(3, TextOf(msg::Cli::ImportEmptyName));
    t.AddMarker(name, 3);
  }
}

// A whole number as text, of any size: what a counts row starts with.
bool IsNumberText(std::string_view s) {
  return Count(s.starts_with('-') ? s.substr(1) : s).has_value();
}

}  // namespace

ImportedTable ReadGenalex(std::string_view text, const ImportLimits& limits) {
  TextLines lines(text);
  std::string_view line;
  lines.Next(line);
  const char delimiter = CsvDelimiter(line);
  const auto [markers, samples] = GenalexCounts(line, delimiter, limits);
  TableBuilder t(limits);
  t.CheckMarkers(markers, 1);
  if (!lines.Next(line)) throw ImportError(2, TextOf(msg::Cli::ImportCountsRow));
  t.SetTitle(Trim(SplitCsv(line, 1, delimiter).fields[0]), 2);
  if (!lines.Next(line)) throw ImportError(3, TextOf(msg::Cli::ImportCountsRow));
  GenalexMarkers(line, delimiter, markers, t);
  const size_t fields = 2 + 2 * markers;
  while (lines.Next(line)) {
    const CsvRow row = SplitCsv(line, fields, delimiter);
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
  const char delimiter = CsvDelimiter(line);
  const CsvRow heads = SplitCsv(line, limits.markers + 1, delimiter);
  t.CheckMarkers(heads.used - 1, 1);
  for (size_t m = 1; m < heads.used; ++m) {
    if (Trim(heads.fields[m]).empty()) throw ImportError(1, TextOf(msg::Cli::ImportEmptyName));
    t.AddMarker(Trim(heads.fields[m]), 1);
  }
  if (t.MarkerCount() == 0) throw ImportError(1, TextOf(msg::Cli::ImportNoLoci));
  while (lines.Next(line)) {
    const CsvRow row = SplitCsv(line, heads.used, delimiter);
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
  const std::string_view line = text.substr(0, text.find_first_of("\r\n"));
  const CsvRow first = SplitCsv(line, 3, CsvDelimiter(line));
  const bool counts = first.count >= 3 && IsNumberText(Trim(first.fields[0])) &&
                      IsNumberText(Trim(first.fields[1])) && IsNumberText(Trim(first.fields[2]));
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
