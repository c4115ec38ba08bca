#pragma once
// The 0/1 sheets (one ".zoo" sheet per marker).
#include "report/RunContext.h"

namespace report {

void WriteZeroOneSheets(RunContext& ctx);
void LayOutZeroOneSheet(RunContext& ctx, int m, host::Worksheet& dst);

}  // namespace report
