// GENEPOP: a title line, marker names (one a line or comma-separated), then
// populations, each opened by a "Pop" line, of lines "name , genotype ...".
// Populations are numbered in file order: text after "Pop" is no name.
#include <fmt/format.h>

#include <algorithm>

#include "exchange/ImportFormat.h"
#include "exchange/TableBuilder.h"
#include "exchange/TextLines.h"
#include "messages/CliTexts.h"

namespace exchange {
namespace {

// "Pop" in any case, alone or followed by a blank and more ("Pop 2",
// "POP north"), as other programs write it, and padded with commas. A comma
// followed by more is an individual's line, whatever its name.
bool IsPopLine(std::string_view line) {
  const size_t comma = std::min(line.find(','), line.size());
  if (line.find_first_not_of(" \t,", comma) != std::string_view::npos) return false;
  const std::string_view t = Trim(line.substr(0, comma));
  if (t.size() < 3) return false;
  const bool keyword = (t[0] | 0x20) == 'p' && (t[1] | 0x20) == 'o' && (t[2] | 0x20) == 'p';
  return keyword && (t.size() == 3 || t[3] == ' ' || t[3] == '\t');
}

// "180192" -> "180/192"; zeros (an allele not scored) make the cell untyped.
std::string Cell(std::string_view token, int line) {
  for (char c : token)
    if (c < '0' || c > '9') throw ImportError(line, msg::Format(msg::Cli::ImportNotNumeric, token));
  if (token.size() != 4 && token.size() != 6)
    throw ImportError(line, msg::Format(msg::Cli::ImportGenotypeForm, token));
  const size_t half = token.size() / 2;
  const int a = WholeNumber(token.substr(0, half)).value();
  const int b = WholeNumber(token.substr(half)).value();
  return a == 0 || b == 0 ? std::string() : fmt::format("{}/{}", a, b);
}

// The genotypes after a name, one a marker. Every one is checked, but no
// more are kept than there are markers, however long the line.
std::vector<std::string> Genotypes(std::string_view text, size_t markers, int line) {
  std::vector<std::string> cells;
  size_t found = 0;
  for (size_t start = text.find_first_not_of(" \t"); start != std::string_view::npos;) {
    const size_t end = std::min(text.find_first_of(" \t", start), text.size());
    std::string cell = Cell(text.substr(start, end - start), line);
    if (cells.size() < markers) cells.push_back(std::move(cell));
    ++found;
    start = text.find_first_not_of(" \t", end);
  }
  if (found != markers)
    throw ImportError(line, msg::Format(msg::Cli::ImportFieldCount, markers, found));
  return cells;
}

void ReadIndividual(std::string_view line, int number, std::string_view population,
                    TableBuilder& t) {
  const size_t comma = line.find(',');
  if (comma == std::string_view::npos)
    throw ImportError(number, msg::Format(msg::Cli::ImportFieldCount, t.MarkerCount() + 1, 1));
  // A spreadsheet that saved the file pads the line with commas.
  std::string_view genotypes = line.substr(comma + 1);
  genotypes = genotypes.substr(0, genotypes.find_last_not_of(" \t,") + 1);
  t.AddVariety(Trim(line.substr(0, comma)), population,
               Genotypes(genotypes, t.MarkerCount(), number), number);
}

// The marker names after the title, up to the first Pop line; false when the
// file ends before one.
bool ReadMarkerNames(TextLines& lines, TableBuilder& t) {
  std::string_view line;
  while (lines.Next(line)) {
    if (IsPopLine(line)) return true;
    for (size_t start = 0; start <= line.size();) {
      const size_t comma = std::min(line.find(',', start), line.size());
      const std::string_view name = Trim(line.substr(start, comma - start));
      if (!name.empty()) t.AddMarker(name, lines.Number());
      start = comma + 1;
    }
  }
  return false;
}

}  // namespace

ImportedTable ReadGenepop(std::string_view text, const ImportLimits& limits) {
  TextLines lines(text);
  TableBuilder t(limits);
  std::string_view line;
  lines.Next(line);  // the title
  if (!ReadMarkerNames(lines, t))
    throw ImportError(lines.Number(), std::string(msg::Text(msg::Cli::ImportNoPop)));
  if (t.MarkerCount() == 0)
    throw ImportError(lines.Number(), std::string(msg::Text(msg::Cli::ImportNoLoci)));
  int population = 1;
  while (lines.Next(line)) {
    if (IsPopLine(line)) {
      ++population;
    } else if (line.find_first_not_of(" \t,") != std::string_view::npos) {
      // A line of blanks and commas only is padding, as in a CSV.
      ReadIndividual(line, lines.Number(), fmt::format("Pop {}", population), t);
    }
  }
  return t.Take();
}

}  // namespace exchange
