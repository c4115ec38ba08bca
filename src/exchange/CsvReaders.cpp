// The two CSV layouts: GenAlEx (counts row, title row, heads, then name,
// population and two allele columns per marker) and AlleleScope's own table
// (a head row of marker names, a name column, "180/192" cells).
#include <fmt/format.h>

#include "exchange/ImportFormat.h"
#include "exchange/TextLines.h"
#include "messages/CliTexts.h"

namespace exchange {
namespace {

std::string TextOf(msg::Cli id) { return std::string(msg::Text(id)); }

// Trailing empty fields (spreadsheets pad rows to the widest) do not count.
std::vector<std::string> Fields(std::string_view line) {
  std::vector<std::string> f = CsvFields(line);
  while (f.size() > 1 && Trim(f.back()).empty()) f.pop_back();
  return f;
}

void CheckCount(const std::vector<std::string>& fields, size_t expected, int line) {
  if (fields.size() != expected)
    throw ImportError(line, msg::Format(msg::Cli::ImportFieldCount, expected, fields.size()));
}

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

}  // namespace

ImportedTable ReadGenalex(std::string_view text) {
  const std::vector<std::string_view> lines = TextLines(text);
  const std::vector<std::string> counts = Fields(lines[0]);
  if (counts.size() < 3 || !IsWholeNumber(Trim(counts[0])) || !IsWholeNumber(Trim(counts[1])))
    throw ImportError(1, TextOf(msg::Cli::ImportCountsRow));
  const int markers = std::stoi(counts[0]);
  const int samples = std::stoi(counts[1]);
  if (markers <= 0 || samples < 0) throw ImportError(1, TextOf(msg::Cli::ImportCountsRow));
  if (lines.size() < 3)
    throw ImportError(static_cast<int>(lines.size()) + 1, TextOf(msg::Cli::ImportCountsRow));
  ImportedTable t;
  const std::vector<std::string> heads = CsvFields(lines[2]);
  for (int m = 0; m < markers; ++m) {
    const size_t at = 2 + 2 * static_cast<size_t>(m);
    const std::string name = at < heads.size() ? std::string(Trim(heads[at])) : std::string();
    if (name.empty()) throw ImportError(3, TextOf(msg::Cli::ImportEmptyName));
    t.markers.push_back(name);
  }
  for (size_t i = 3; i < lines.size(); ++i) {
    if (Trim(lines[i]).empty()) continue;
    const int line = static_cast<int>(i) + 1;
    const std::vector<std::string> f = Fields(lines[i]);
    CheckCount(f, 2 + 2 * t.markers.size(), line);
    t.varieties.emplace_back(Trim(f[0]));
    if (t.varieties.back().empty()) t.varieties.back() = fmt::format("#{}", t.varieties.size());
    t.populations.emplace_back(Trim(f[1]));
    t.cells.push_back(GenalexCells(f, t.markers.size(), line));
  }
  if (static_cast<int>(t.varieties.size()) != samples)
    throw ImportError(static_cast<int>(lines.size()),
                      msg::Format(msg::Cli::ImportTooFewRows, samples, t.varieties.size()));
  return t;
}

ImportedTable ReadTableCsv(std::string_view text) {
  const std::vector<std::string_view> lines = TextLines(text);
  ImportedTable t;
  const std::vector<std::string> heads = Fields(lines[0]);
  for (size_t m = 1; m < heads.size(); ++m) {
    if (Trim(heads[m]).empty()) throw ImportError(1, TextOf(msg::Cli::ImportEmptyName));
    t.markers.emplace_back(Trim(heads[m]));
  }
  if (t.markers.empty()) throw ImportError(1, TextOf(msg::Cli::ImportNoLoci));
  for (size_t i = 1; i < lines.size(); ++i) {
    if (Trim(lines[i]).empty()) continue;
    // Spreadsheets pad rows with empty fields; beyond that a row holds a
    // field per head, no fewer and no more.
    std::vector<std::string> f = CsvFields(lines[i]);
    const size_t used = Fields(lines[i]).size();
    if (f.size() < heads.size() || used > heads.size())
      throw ImportError(static_cast<int>(i) + 1,
                        msg::Format(msg::Cli::ImportFieldCount, heads.size(),
                                    f.size() < heads.size() ? f.size() : used));
    f.resize(heads.size());
    t.varieties.emplace_back(Trim(f[0]));
    if (t.varieties.back().empty()) t.varieties.back() = fmt::format("#{}", t.varieties.size());
    std::vector<std::string> cells;
    for (size_t m = 1; m < f.size(); ++m) cells.emplace_back(Trim(f[m]));
    t.cells.push_back(std::move(cells));
  }
  return t;
}

ImportKind GuessKind(std::string_view fileName, std::string_view text) {
  if (fileName.ends_with(".gen") || fileName.ends_with(".GEN") || fileName.ends_with(".genepop"))
    return ImportKind::Genepop;
  const std::vector<std::string> first = CsvFields(text.substr(0, text.find('\n')));
  const bool counts = first.size() >= 3 && IsWholeNumber(Trim(first[0])) &&
                      IsWholeNumber(Trim(first[1])) && IsWholeNumber(Trim(first[2]));
  return counts ? ImportKind::Genalex : ImportKind::Csv;
}

ImportedTable ReadImport(ImportKind kind, std::string_view text) {
  switch (kind) {
    case ImportKind::Genepop:
      return ReadGenepop(text);
    case ImportKind::Genalex:
      return ReadGenalex(text);
    case ImportKind::Csv:
      break;
  }
  return ReadTableCsv(text);
}

}  // namespace exchange
