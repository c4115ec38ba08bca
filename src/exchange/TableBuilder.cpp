#include "exchange/TableBuilder.h"

#include <fmt/format.h>

#include <algorithm>

#include "messages/CliTexts.h"

namespace exchange {

void TableBuilder::CheckMarkers(size_t count, int line) const {
  if (count > limits_.markers)
    throw ImportError(line, msg::Format(msg::Cli::ImportTooManyMarkers, count, limits_.markers));
}

void TableBuilder::AddMarker(std::string_view name, int line) {
  CheckMarkers(table_.markers.size() + 1, line);
  CountCells(1, line);
  table_.markers.emplace_back(name);
}

void TableBuilder::AddVariety(std::string_view name, std::vector<std::string> cells, int line) {
  const size_t number = table_.varieties.size() + 1;
  if (number > limits_.varieties)
    throw ImportError(line,
                      msg::Format(msg::Cli::ImportTooManyVarieties, number, limits_.varieties));
  places_ += cells.size();
  if (places_ > limits_.places)
    throw ImportError(line, msg::Format(msg::Cli::ImportTooManyPlaces, places_, limits_.places));
  // The variety's row, its name and its typed genotypes.
  CountCells(2 + cells.size() - static_cast<size_t>(std::count(cells.begin(), cells.end(), "")),
             line);
  table_.varieties.push_back(name.empty() ? fmt::format("#{}", number) : std::string(name));
  table_.cells.push_back(std::move(cells));
}

void TableBuilder::AddVariety(std::string_view name, std::string_view population,
                              std::vector<std::string> cells, int line) {
  AddVariety(name, std::move(cells), line);
  // The sheet of populations: its row of two heads, then the variety's row
  // with its name and, when it has one, its population.
  CountCells((table_.populations.empty() ? 3 : 0) + 2 + !population.empty(), line);
  table_.populations.emplace_back(population);
}

void TableBuilder::SetTitle(std::string_view title, int line) {
  if (title.empty()) return;
  CountCells(2, line);  // B2 and its row
  table_.title = title;
}

void TableBuilder::CountCells(size_t added, int line) {
  cells_ += added;
  if (cells_ > limits_.cells)
    throw ImportError(line, msg::Format(msg::Cli::ImportTooManyCells, cells_, limits_.cells));
}

}  // namespace exchange
