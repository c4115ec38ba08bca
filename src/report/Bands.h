#pragma once
// The band layout of wide tables: a table of more than 250 columns (the pair
// matrix of more than 250 varieties) continues below itself in bands of 250
// columns, varietyCount + 2 rows apart; every band repeats all the rows.
#include "host/Host.h"
#include "report/Layout.h"

namespace report {

inline constexpr int kBandWidth = 250;

struct CellPosition {
  int row;
  int column;
};
// Where table cell (i, j) stands, as an offset from the table's anchor.
CellPosition BandedCell(int i, int j, int varietyCount);
// Number of bands: 0 for no variety, at most 2 within the variety limit.
int BandCount(int varietyCount);
// Fills table cell (i, j) of `sheet` with a palette colour.
void FillBandedCell(host::Worksheet& sheet, int i, int j, Palette colour, int varietyCount);

}  // namespace report
