#pragma once
// A drawing part (xl/drawings/drawingN.xml) holding the pictures the program
// placed on a sheet, each anchored at one cell with its size in EMU.
#include <string>
#include <vector>

#include "host/Worksheet.h"

namespace host::xlsx {

inline constexpr long long kEmuPerPixel = 9525;

// `imageRelIds[k]` relates picture k to its media part.
std::string DrawingXml(const std::vector<SheetImage>& images,
                       const std::vector<std::string>& imageRelIds);
// The sheet's <drawing> element; it declares its own relationship prefix, so
// it fits any root.
std::string DrawingElementXml(const std::string& relId);

}  // namespace host::xlsx
