// GENEPOP: a title line, marker names (one a line or comma-separated), then
// populations, each opened by a "Pop" line, of lines "name , genotype ...".
#include <fmt/format.h>

#include <sstream>

#include "exchange/ImportFormat.h"
#include "exchange/TextLines.h"
#include "messages/CliTexts.h"

namespace exchange {
namespace {

bool IsPopLine(std::string_view line) {
  const std::string_view t = Trim(line);
  return t.size() == 3 && (t[0] == 'P' || t[0] == 'p') && (t[1] == 'O' || t[1] == 'o') &&
         (t[2] == 'P' || t[2] == 'p');
}

// "180192" -> "180/192"; zeros (an allele not scored) make the cell untyped.
std::string Cell(const std::string& token, int line) {
  for (char c : token)
    if (c < '0' || c > '9') throw ImportError(line, msg::Format(msg::Cli::ImportNotNumeric, token));
  if (token.size() != 4 && token.size() != 6)
    throw ImportError(line, msg::Format(msg::Cli::ImportGenotypeForm, token));
  const size_t half = token.size() / 2;
  const int a = std::stoi(token.substr(0, half));
  const int b = std::stoi(token.substr(half));
  return a == 0 || b == 0 ? std::string() : fmt::format("{}/{}", a, b);
}

void ReadIndividual(std::string_view line, int number, const std::string& population,
                    ImportedTable& t) {
  const size_t comma = line.find(',');
  if (comma == std::string_view::npos)
    throw ImportError(number, msg::Format(msg::Cli::ImportFieldCount, t.markers.size() + 1, 1));
  std::string name(Trim(line.substr(0, comma)));
  // An empty name would end the variety column of the source sheet.
  if (name.empty()) name = fmt::format("#{}", t.varieties.size() + 1);
  std::istringstream tokens{std::string(line.substr(comma + 1))};
  std::vector<std::string> cells;
  for (std::string token; tokens >> token;) cells.push_back(Cell(token, number));
  if (cells.size() != t.markers.size())
    throw ImportError(number,
                      msg::Format(msg::Cli::ImportFieldCount, t.markers.size(), cells.size()));
  t.varieties.push_back(std::move(name));
  t.populations.push_back(population);
  t.cells.push_back(std::move(cells));
}

}  // namespace

ImportedTable ReadGenepop(std::string_view text) {
  const std::vector<std::string_view> lines = TextLines(text);
  ImportedTable t;
  size_t i = 1;  // line 1 is the title
  for (; i < lines.size() && !IsPopLine(lines[i]); ++i) {
    std::istringstream names{std::string(lines[i])};
    for (std::string name; std::getline(names, name, ',');)
      if (!Trim(name).empty()) t.markers.emplace_back(Trim(name));
  }
  if (i >= lines.size())
    throw ImportError(static_cast<int>(lines.size()),
                      std::string(msg::Text(msg::Cli::ImportNoPop)));
  if (t.markers.empty())
    throw ImportError(static_cast<int>(i) + 1, std::string(msg::Text(msg::Cli::ImportNoLoci)));
  int population = 0;
  for (; i < lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    if (IsPopLine(lines[i])) {
      ++population;
    } else if (!Trim(lines[i]).empty()) {
      ReadIndividual(lines[i], number, fmt::format("Pop {}", population), t);
    }
  }
  return t;
}

}  // namespace exchange
