#pragma once
// Sizes a result sheet to what was written on it: columns wide enough that no
// number shows as ### and no label is cut by its neighbour, head rows tall
// enough for their turned texts. Runs on the sheets a run writes, never on the
// user's own.
#include <string>
#include <string_view>

#include "host/Host.h"

namespace report {

// How wide a text shows, in widths of the default font's digit: narrow marks
// count less, capitals and East Asian characters more.
double TextExtent(std::string_view utf8);
// How wide a number shows under a number format code ("General" or empty for
// the spreadsheet's general format).
double NumberExtent(double value, const std::string& formatCode);

// Sizes the columns and head rows of `sheet` to what it holds.
void FitSheet(host::Worksheet& sheet);
// Fits a sheet nothing in the run writes again and lets the workbook keep it
// compactly until the save: its cells need not stay in memory meanwhile. A
// missing sheet, or one already finished, is left as it is.
void FitAndFinish(host::Worksheet* sheet);

}  // namespace report
