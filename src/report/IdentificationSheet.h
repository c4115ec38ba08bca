#pragma once
// The identification sheet (.ukai): per variety f0 and P1.
#include "report/RunContext.h"

namespace report {

void LayOutIdentificationSheet(RunContext& ctx, host::Worksheet& src, host::Worksheet& dst);
void WriteIdentification(RunContext& ctx);

}  // namespace report
