#pragma once
// Replacing the drawing of a sheet whose pictures the model holds: the old
// drawing, its relationships and the media no other part uses leave the
// package; a new drawing with the pictures, its relationships and media come
// in, with their content types and the sheet's relationship to the drawing.
#include <string>
#include <vector>

#include "host/Worksheet.h"
#include "host/xlsx/ContentTypesPart.h"
#include "host/xlsx/PackageParts.h"
#include "host/xlsx/PartNames.h"

namespace host::xlsx {

struct DrawingEdit {
  const PartReader& read;
  const std::vector<std::string>& entryNames;
  PartNames& names;
  ContentTypesEditor& contentTypes;
  StructureEdit& edit;
};

// Returns the relationship id of the sheet's new drawing; empty for no pictures.
std::string ReplaceSheetDrawing(DrawingEdit& drawing, const std::string& sheetPart,
                                const std::vector<SheetImage>& images);

}  // namespace host::xlsx
