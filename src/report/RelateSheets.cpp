#include "report/RelateSheets.h"

#include <string>
#include <utility>

#include "analysis/Pcoa.h"
#include "report/Formatting.h"
#include "report/RelatePictures.h"

namespace report {
namespace {

namespace texts = msg::sheet;

constexpr char kDistanceFormat[] = "0.000";
constexpr char kCoordinateFormat[] = "0.0000";
constexpr char kShareFormat[] = "0.0%";

void StartWithTitle(host::Worksheet& source, host::Worksheet& sheet,
                    const texts::SheetTitle& title) {
  StartSheet(sheet, title);
  CopyBlock(source, TitleCell(source), sheet, TitleCell(sheet));
}

}  // namespace

void WriteDistanceSheet(host::Worksheet& source, host::Worksheet& sheet,
                        const analysis::DistanceMatrix& d) {
  StartWithTitle(source, sheet, texts::kDst);
  const int n = d.VarietyCount();
  host::Range corner = Anchor(sheet);
  corner.SetValue(texts::kTableCorner);
  for (int v = 1; v <= n; ++v) {
    corner.Offset(v, 0).SetValue(std::string_view(d.Name(v)));
    corner.Offset(0, v).SetValue(std::string_view(d.Name(v)));
  }
  FrameTable(corner, true);
  // Row by row, so that the sheet's rows grow left to right.
  for (int i = 1; i <= n; ++i)
    for (int j = 1; j <= n; ++j)
      if (const auto distance = d.At(i, j))
        sheet.Cell(corner.Row() + i, corner.Column() + j).SetValue(*distance);
  if (n > 0)
    sheet.GetRange(corner.Offset(1, 1), corner.Offset(n, n)).SetNumberFormatLocal(kDistanceFormat);
  FreezeHeads(sheet);
}

void WriteCoordinateSheet(host::Worksheet& source, host::Worksheet& sheet,
                          const analysis::DistanceMatrix& d,
                          const std::vector<std::string>& populations) {
  StartWithTitle(source, sheet, texts::kTree);
  const analysis::PcoaOutcome done = analysis::PrincipalCoordinateAnalysis(d);
  // Set even when empty: the pictures of an earlier run go.
  std::vector<host::SheetImage> pictures = TreeSheetPictures(d, done, populations);
  host::Range corner = sheet.Cell(RowBelowPictures(pictures, kCoordinateRow), 2);
  sheet.SetImages(std::move(pictures));
  if (!done.pcoa) {
    const analysis::VarietyPair& pair = done.withoutDistance.front();
    corner.SetValue(texts::kNoCoordinates);
    corner.Offset(1, 0).SetValue(std::string_view(pair.firstName));
    corner.Offset(2, 0).SetValue(std::string_view(pair.secondName));
    return;
  }
  const analysis::PrincipalCoordinates& pcoa = *done.pcoa;
  corner.SetValue(texts::kTableCorner);
  corner.Offset(1, 0).SetValue(texts::kShareOfVariation);
  for (int axis = 0; axis < 2; ++axis) {
    corner.Offset(0, axis + 1).SetValue(texts::kAxisHeads[axis]);
    corner.Offset(1, axis + 1).SetValue(pcoa.shares[axis]);
    for (int v = 1; v <= d.VarietyCount(); ++v)
      corner.Offset(v + 1, axis + 1).SetValue(pcoa.coordinates[v - 1][axis]);
  }
  for (int v = 1; v <= d.VarietyCount(); ++v)
    corner.Offset(v + 1, 0).SetValue(std::string_view(d.Name(v)));
  sheet.GetRange(corner.Offset(1, 1), corner.Offset(1, 2)).SetNumberFormatLocal(kShareFormat);
  sheet.GetRange(corner.Offset(2, 1), corner.Offset(d.VarietyCount() + 1, 2))
      .SetNumberFormatLocal(kCoordinateFormat);
  DrawThinGrid(corner);
}

}  // namespace report
