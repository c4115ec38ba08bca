#pragma once
// The 0/1 sheets (one ".zoo" sheet per marker).
#include "report/RunContext.h"

namespace report {

void ZooMake(RunContext& ctx);
void ZooSheetFormat(RunContext& ctx, int m, host::Worksheet& dst);

}  // namespace report
