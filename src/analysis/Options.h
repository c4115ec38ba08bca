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

}  // namespace analysis
