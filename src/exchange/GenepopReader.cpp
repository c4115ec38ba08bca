// GENEPOP: a title line, marker names (one a line or comma-separated), then
// populations, each opened by a "Pop" line, of lines "name , genotype ...".
// A population is named by the text after "Pop" ("POP north"), and numbered
// in file order where the line has none.
#include <fmt/format.h>

#include <algorithm>
#include <optional>

#include "exchange/ImportFormat.h"
#include "exchange/TableBuilder.h"
#include "exchange/TextLines.h"
#include "messages/CliTexts.h"

namespace exchange {
namespace {

// The text after "Pop" on a Pop line, empty when it has none; nothing when
// the line is no Pop line. "Pop" stands in any case, alone or followed by a
// blank and more ("Pop 2", "POP north"), as other programs write it, and
// padded with commas. A comma followed by more is an individual's line,
// whatever its name.
std::optional<std::string_view> PopLine(std::string_view line) {
  const size_t comma = std::min(line.find(','), line.size());
  if (line.find_first_not_of(" \t,", comma) != std::string_view::npos) return std::nullopt;
  const std::string_view t = Trim(line.substr(0, comma));
  if (t.size() < 3) return std::nullopt;
  const bool keyword = (t[0] | 0x20) == 'p' && (t[1] | 0x20) == 'o' && (t[2] | 0x20) == 'p';
  if (!keyword || (t.size() > 3 && t[3] != ' ' && t[3] != '\t')) return std::nullopt;
  return Trim(t.substr(3));
}

// "POP north" is north; a bare Pop line or one with a number keeps the name
// "Pop n" that a population without one has.
std::string PopulationName(std::string_view text, int number) {
  if (text.empty()) return fmt::format("Pop {}", number);
  if (text.find_first_not_of("0123456789") == std::string_view::npos)
    return fmt::format("Pop {}", text);
  return std::string(text);
}

// "180192" -> "180/192"; zeros (an allele not scored) make the cell untyped.
// A file has one code width, set by its first genotype (`width` 0 before it).
std::string Cell(std::string_view token, int line, size_t& width) {
  for (char c : token)
    if (c < '0' || c > '9') throw ImportError(line, msg::Format(msg::Cli::ImportNotNumeric, token));
  if (token.size() != 4 && token.size() != 6)
    throw ImportError(line, msg::Format(msg::Cli::ImportGenotypeForm, token));
  if (width == 0) width = token.size();
  if (token.size() != width)
    throw ImportError(line, msg::Format(msg::Cli::ImportGenotypeWidth, token, width));
  const size_t half = token.size() / 2;
  const int a = WholeNumber(token.substr(0, half)).value();
  const int b = WholeNumber(token.substr(half)).value();
  return a == 0 || b == 0 ? std::string() : fmt::format("{}/{}", a, b);
}

// The genotypes after a name, one a marker. Every one is checked, but no
// more are kept than there are markers, however long the line.
std::vector<std::string> Genotypes(std::string_view text, size_t markers, int line, size_t& width) {
  std::vector<std::string> cells;
  size_t found = 0;
  for (size_t start = text.find_first_not_of(" \t"); start != std::string_view::npos;) {
    const size_t end = std::min(text.find_first_of(" \t", start), text.size());
    std::string cell = Cell(text.substr(start, end - start), line, width);
    if (cells.size() < markers) cells.push_back(std::move(cell));
    ++found;
    start = text.find_first_not_of(" \t", end);
  }
  if (found != markers)
    throw ImportError(line, msg::Format(msg::Cli::ImportFieldCount, markers, found));
  return cells;
}

void ReadIndividual(std::string_view line, int number, std::string_view population, size_t& width,
                    TableBuilder& t) {
  const size_t comma = line.find(',');
  if (comma == std::string_view::npos)
    throw ImportError(number, msg::Format(msg::Cli::ImportFieldCount, t.MarkerCount() + 1, 1));
  // A spreadsheet that saved the file pads the line with commas.
  std::string_view genotypes = line.substr(comma + 1);
  genotypes = genotypes.substr(0, genotypes.find_last_not_of(" \t,") + 1);
  t.AddVariety(Trim(line.substr(0, comma)), population,
               Genotypes(genotypes, t.MarkerCount(), number, width), number);
}

// The marker names after the title, up to the first Pop line; the text after
// its keyword, or nothing when the file ends before one.
std::optional<std::string_view> ReadMarkerNames(TextLines& lines, TableBuilder& t) {
  std::string_view line;
  while (lines.Next(line)) {
    if (const auto pop = PopLine(line)) return pop;
    for (size_t start = 0; start <= line.size();) {
      const size_t comma = std::min(line.find(',', start), line.size());
      const std::string_view name = Trim(line.substr(start, comma - start));
      if (!name.empty()) t.AddMarker(name, lines.Number());
      start = comma + 1;
    }
  }
  return std::nullopt;
}

}  // namespace

ImportedTable ReadGenepop(std::string_view text, const ImportLimits& limits) {
  TextLines lines(text);
  TableBuilder t(limits);
  std::string_view line;
  lines.Next(line);
  // A spreadsheet that saved the file pads the title with commas too.
  t.SetTitle(Trim(line.substr(0, line.find_last_not_of(" \t,") + 1)), 1);
  auto pop = ReadMarkerNames(lines, t);
  if (!pop) throw ImportError(lines.Number(), std::string(msg::Text(msg::Cli::ImportNoPop)));
  if (t.MarkerCount() == 0)
    throw ImportError(lines.Number(), std::string(msg::Text(msg::Cli::ImportNoLoci)));
  int number = 1;
  std::string population = PopulationName(*pop, number);
  size_t width = 0;
  while (lines.Next(line)) {
    if ((pop = PopLine(line))) {
      population = PopulationName(*pop, ++number);
    } else if (line.find_first_not_of(" \t,") != std::string_view::npos) {
      // A line of blanks and commas only is padding, as in a CSV.
      ReadIndividual(line, lines.Number(), population, width, t);
    }
  }
  return t.Take();
}

}  // namespace exchange
