#pragma once
// Clearing, painting, ruling and rotating the output sheets, and their order.
#include <string_view>

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
// The start of every output sheet's layout: activates dst, clears it and, when
// a kind is given, writes the kind into B1 and the description into C1.
void StartSheet(host::Application& app, host::Worksheet& dst, std::string_view kind,
                std::string_view description);
// Copies `from` on src to `to` on dst, values and formats, the way a user
// would: select, copy, select the target, paste. Leaves dst active.
void CopyBlock(host::Application& app, host::Worksheet& src, const host::Range& from,
               host::Worksheet& dst, const host::Range& to);
// Moves the source and output sheets of the run to the front in the fixed order.
void SheetsSort(host::Workbook& book, const host::SheetHandles& sheets);

}  // namespace format
