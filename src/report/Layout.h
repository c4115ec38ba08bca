#pragma once
// What every result sheet's layout shares: where its table stands, the
// palette colours the sheets use, the text put that keeps a text exactly as
// given, and the start and block copy every layout begins with.
#include <string_view>

#include "host/Host.h"
#include "messages/SheetTexts.h"

namespace report {

// The title cell, and the corner of every table: names run down from below
// it, marker heads to its right, cell (r, c) is the anchor moved by (r, c).
inline constexpr std::string_view kTitleCell = "B2";
inline constexpr std::string_view kTableAnchor = "B4";

// The table's anchor cell and the title cell of a sheet.
inline host::Range Anchor(host::Worksheet& sheet) { return sheet.GetRange(kTableAnchor); }
inline host::Range TitleCell(host::Worksheet& sheet) { return sheet.GetRange(kTitleCell); }

// Indexes of the classic 56-colour palette the result sheets use.
enum class Palette : int {
  None = static_cast<int>(host::ColorIndex::None),
  Red = 3,
  BrightGreen = 4,
  Yellow = 6,
  Turquoise = 8,
  Grey = 15,
};

// Gives one cell a solid palette fill.
void FillCell(const host::Range& cell, Palette colour);
// Keeps the head row and the name column in view while the table scrolls.
void FreezeHeads(host::Worksheet& sheet);

// Puts a text exactly as given: an empty text leaves the cell alone, and a
// text that itself starts with an apostrophe keeps it (the host takes one
// leading apostrophe as the mark that keeps a text a text).
void PutText(host::Range cell, std::string_view text);

// Writes the corner mark into the source's table corner when it is empty:
// the layouts copy the name column down from the corner, and an empty corner
// would end that column at once. A heading the user put there stays.
void MarkEmptyCorner(host::Worksheet& source);

// The start of every output sheet's layout: clears the sheet and writes its
// kind into B1 and its description into C1. The sheet becomes the one the
// workbook shows, so a workbook saved as a new file opens on the sheet laid
// out last.
void StartSheet(host::Worksheet& sheet, const msg::sheet::SheetTitle& title);
// Copies `from` on src to `to` on dst, values and formats, through the host's
// clipboard. Leaves dst the sheet the workbook shows.
void CopyBlock(host::Worksheet& src, const host::Range& from, host::Worksheet& dst,
               const host::Range& to);

// The same with values only, the copy ended afterwards.
void CopyValues(host::Worksheet& src, const host::Range& from, host::Worksheet& dst,
                const host::Range& to);

}  // namespace report
