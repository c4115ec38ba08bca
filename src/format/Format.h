#pragma once
// Clearing, painting, ruling and rotating the output sheets, and their order.
#include "host/Host.h"
#include "host/RunContext.h"

namespace format {

// Fills table cell (i, j) of `sheet` with a palette colour; tables wider than
// 250 columns are laid out in bands of 250 columns, varietyCount + 2 rows apart.
void PaintCell(host::Worksheet& sheet, int i, int j, int colour, int varietyCount);
// Every value, fill and border of the active sheet goes; other formats stay.
void ClearSheet(host::Application& app);
// A thin grid over the block that starts at the active cell.
void KeisenA(host::Application& app);
// The header cells right of the active cell: centred, turned to read top to bottom.
void Kaiten(host::Application& app);
// Moves the source and output sheets of the run to the front in the fixed order.
void SheetsSort(host::Workbook& book, const host::SheetHandles& sheets);

}  // namespace format
