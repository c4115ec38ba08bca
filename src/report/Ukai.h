#pragma once
// The identification sheet (.ukai): per variety f0 and P1.
#include "report/RunContext.h"

namespace report {

void UKaiSheetFormat(RunContext& ctx, host::Worksheet& src, host::Worksheet& dst);
void UKaiCal(RunContext& ctx);

}  // namespace report
