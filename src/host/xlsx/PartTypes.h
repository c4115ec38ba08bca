#pragma once
// The relationship types and content types of the parts a save adds.
namespace host::xlsx {

inline constexpr const char* kWorksheetRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr const char* kWorksheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr const char* kStylesRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr const char* kStylesType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
inline constexpr const char* kDrawingRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing";
inline constexpr const char* kDrawingType =
    "application/vnd.openxmlformats-officedocument.drawing+xml";
inline constexpr const char* kImageRel =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/image";
// A relationship part that relates nothing yet.
inline constexpr const char* kEmptyRels =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>";

}  // namespace host::xlsx
