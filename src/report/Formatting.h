#pragma once
// The formatting procedures of the result sheets: clearing, painting, ruling,
// turning heads, and the order of the run's sheets. ClearSheet, KeisenA and
// Kaiten are defined in terms of the active sheet and cell, as a user would
// apply them; everything else addresses its cells explicitly.
#include "host/Host.h"
#include "report/Layout.h"
#include "report/RunContext.h"

namespace report {

// Fills table cell (i, j) of `sheet` with a palette colour; tables wider than
// 250 columns are laid out in bands of 250 columns, varietyCount + 2 rows apart.
void PaintCell(host::Worksheet& sheet, int i, int j, Palette colour, int varietyCount);
// Every value, fill and border of the active sheet goes; other formats stay.
void ClearSheet(host::Application& app);
// A thin grid over the block that starts at the active cell.
void KeisenA(host::Application& app);
// The header cells right of the active cell: centred, turned to read top to bottom.
void Kaiten(host::Application& app);
// Rules and turns the table whose corner is `corner` (KeisenA when `ruled`, then Kaiten).
void FrameTable(host::Application& app, const host::Range& corner, bool ruled);
// Moves the source and output sheets of the run to the front in the fixed order.
void SheetsSort(host::Workbook& book, const RunSheets& sheets);

}  // namespace report
