#pragma once
// The optional analyses: 0/1 matrices, pairwise combination check, Ukai probability.
#include "host/RunContext.h"

namespace analysis {

void ZooMake(host::RunContext& ctx);
void ZooSheetFormat(host::RunContext& ctx, int m, host::Worksheet& dst);

void CombinationSheetFormat(host::RunContext& ctx, host::Worksheet& src, host::Worksheet& dst);
void CombinationMake(host::RunContext& ctx);

void UKaiSheetFormat(host::RunContext& ctx, host::Worksheet& src, host::Worksheet& dst);
void UKaiCal(host::RunContext& ctx);

// The combination matrix is cut into bands of 250 column varieties, stacked
// downwards VarietyCount + 2 rows apart; every band repeats all row varieties.
inline constexpr int kCombinationBandWidth = 250;
struct CombinationLayout {
  int row;
  int column;
};
// Sheet row and column of the cell for row variety r and column variety c.
CombinationLayout CombinationCell(int r, int c, int varietyCount);
// Number of bands: 0 for no variety, at most 2 within the variety limit.
int CombinationBands(int varietyCount);

// The "Literature" line of the .ukai sheet. Only the author and the method are
// confirmed; complete it with year, journal, volume and pages once the
// publication is verified.
inline constexpr char kUkaiReference[] =
    "Ukai: variety identification theory (probability that varieties are identified by their "
    "marker types)";

}  // namespace analysis
