#pragma once
// The combination sheet (.cmb): for every two varieties, the number of markers
// that tell them apart, coloured when few markers do.
#include "report/RunContext.h"

namespace report {

void LayOutPairSheet(RunContext& ctx, host::Worksheet& src, host::Worksheet& dst);
void WritePairCounts(RunContext& ctx);

// The combination matrix is cut into bands of 250 column varieties, stacked
// downwards VarietyCount + 2 rows apart; every band repeats all row varieties.
inline constexpr int kBandWidth = 250;
struct CellPosition {
  int row;
  int column;
};
// Sheet row and column of the cell for row variety r and column variety c.
CellPosition PairCell(int r, int c, int varietyCount);
// Number of bands: 0 for no variety, at most 2 within the variety limit.
int BandCount(int varietyCount);

}  // namespace report
