#include "report/TablePlacement.h"

#include "report/Layout.h"

namespace report {
namespace {

// How far the search for a misplaced corner goes: a table pasted to the wrong
// place starts near the top left, and the search must stay cheap on a sheet
// of a million rows.
constexpr int kSearchRows = 1000;
constexpr int kSearchColumns = 1000;

bool Filled(host::Worksheet& sheet, int row, int column) {
  return row <= host::kMaxRows && column <= host::kMaxColumns &&
         !sheet.Cell(row, column).Text().empty();
}

// A corner has a name to its right and one below it. Places on the expected
// head row or name column are part of a table at the right place, however
// incomplete, and are not offered as another corner.
bool LooksLikeCorner(host::Worksheet& sheet, int row, int column, const host::Range& anchor) {
  if (row == anchor.Row() && column >= anchor.Column()) return false;
  if (column == anchor.Column() && row >= anchor.Row()) return false;
  return Filled(sheet, row, column + 1) && Filled(sheet, row + 1, column);
}

// The first corner in reading order. A corner cell may itself be empty (the
// heads start right of it), so each filled cell also proposes the place left
// of it.
std::optional<std::string> FindCorner(host::Worksheet& sheet, const host::Range& anchor) {
  for (const auto& [row, cells] : sheet.Store().Rows()) {
    if (row > kSearchRows) break;
    for (const host::Cell& cell : cells.cells) {
      if (cell.column > kSearchColumns) break;
      if (host::IsEmpty(cell.value)) continue;
      for (int column : {cell.column - 1, int(cell.column)}) {
        if (column >= 1 && LooksLikeCorner(sheet, row, column, anchor))
          return sheet.Cell(row, column).Address();
      }
    }
  }
  return std::nullopt;
}

}  // namespace

TablePlacement CheckTablePlacement(host::Worksheet& source) {
  const host::Range anchor = Anchor(source);
  TablePlacement placement;
  placement.hasMarkers = !anchor.Offset(0, 1).Text().empty();
  placement.hasVarieties = !anchor.Offset(1, 0).Text().empty();
  if (!placement.Readable()) placement.seemsAt = FindCorner(source, anchor);
  return placement;
}

}  // namespace report
