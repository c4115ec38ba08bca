#pragma once
// An imported table as a reader builds it, marker by marker and variety by
// variety, each time checked against what a workbook holds: the reader stops
// at the line where the table passes a limit, before it has taken the memory
// of the rest of the file.
#include <string>
#include <string_view>
#include <vector>

#include "exchange/ImportFormat.h"

namespace exchange {

class TableBuilder {
 public:
  explicit TableBuilder(const ImportLimits& limits) : limits_(limits) {}

  // Throws ImportError at `line` when `count` markers would not fit, before a
  // head row's names are taken.
  void CheckMarkers(size_t count, int line) const;
  void AddMarker(std::string_view name, int line);
  // A blank name becomes "#n", n the variety's number: an empty one would end
  // the variety column of the source sheet. `cells` holds one per marker.
  void AddVariety(std::string_view name, std::vector<std::string> cells, int line);
  // ... and the variety's population, for the sheet of populations.
  void AddVariety(std::string_view name, std::string_view population,
                  std::vector<std::string> cells, int line);

  // The title, a cell of its own in a row of its own when it is not blank.
  void SetTitle(std::string_view title, int line);

  size_t MarkerCount() const { return table_.markers.size(); }
  size_t VarietyCount() const { return table_.varieties.size(); }
  ImportedTable Take() { return std::move(table_); }

 private:
  void CountCells(size_t added, int line);

  ImportLimits limits_;
  ImportedTable table_;
  // Counted as the workbook's reader counts them, a row as a cell: the
  // source sheet's anchor and the row of markers it stands in.
  size_t cells_ = 2;
  size_t places_ = 0;
};

}  // namespace exchange
