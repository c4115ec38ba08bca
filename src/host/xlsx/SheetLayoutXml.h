#pragma once
// The sheet's layout elements the model holds (column widths, frozen panes),
// written in place of the file's own. Row heights travel with the rows.
#include <string>
#include <string_view>
#include <vector>

#include "host/Worksheet.h"
#include "host/xlsx/SheetExtra.h"

namespace host::xlsx {

// Whether the model holds the sheet's element `localName`, so the copy the
// file had must not be written as well.
bool ModelOwns(const Worksheet& sheet, std::string_view localName);

// The elements the model holds for a sheet read from a file, built on the
// file's own where it had one (a frozen pane keeps the view's zoom and tab).
std::vector<XlsxSheetExtra::Element> ModelLayoutElements(const Worksheet& sheet,
                                                         const XlsxSheetExtra& extra);

// <sheetViews> of a sheet new to the package.
std::string NewSheetViewsXml(const Worksheet& sheet, bool tabSelected);
// <cols> from the model's widths; empty when it has none.
std::string ColsXml(const Worksheet& sheet);

}  // namespace host::xlsx
