#include "report/Bands.h"

namespace report {

CellPosition BandedCell(int i, int j, int varietyCount) {
  const int band = (j - 1) / kBandWidth;
  return {band * (varietyCount + 2) + i, (j - 1) % kBandWidth + 1};
}

int BandCount(int varietyCount) { return (varietyCount + kBandWidth - 1) / kBandWidth; }

void FillBandedCell(host::Worksheet& sheet, int i, int j, Palette colour, int varietyCount) {
  const CellPosition at = BandedCell(i, j, varietyCount);
  FillCell(Anchor(sheet).Offset(at.row, at.column), colour);
}

}  // namespace report
