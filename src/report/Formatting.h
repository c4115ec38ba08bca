#pragma once
// The formatting procedures of the result sheets: clearing, painting, ruling,
// turning heads, and the order of the run's sheets. ClearResultSheet, DrawThinGrid and
// TurnHeadTexts are defined in terms of the active sheet and cell, as a user would
// apply them; everything else addresses its cells explicitly.
#include "host/Host.h"
#include "report/Layout.h"
#include "report/RunContext.h"

namespace report {

// Fills table cell (i, j) of `sheet` with a palette colour; tables wider than
// 250 columns are laid out in bands of 250 columns, varietyCount + 2 rows apart.
void FillBandedCell(host::Worksheet& sheet, int i, int j, Palette colour, int varietyCount);
// Every value, fill and border of the active sheet goes; other formats stay.
void ClearResultSheet(host::Application& app);
// A thin grid over the block that starts at the active cell.
void DrawThinGrid(host::Application& app);
// The header cells right of the active cell: centred, turned to read top to bottom.
void TurnHeadTexts(host::Application& app);
// Rules and turns the table whose corner is `corner` (DrawThinGrid when `ruled`, then TurnHeadTexts).
void FrameTable(host::Application& app, const host::Range& corner, bool ruled);
// Moves the source and output sheets of the run to the front in the fixed order.
void OrderResultSheets(host::Workbook& book, const RunSheets& sheets);

}  // namespace report
