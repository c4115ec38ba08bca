#pragma once
// The error log sheet of a run.
#include "report/RunContext.h"
#include "store/Problems.h"

namespace report {

void LayOutErrorLog(RunContext& ctx, host::Worksheet& dst);
// One row: the problem's text, the variety's name, the marker's name (index 0:
// empty cell). Counted and raised in ctx.errors, also without a sheet.
void LogFindings(RunContext& ctx, const store::Finding& found);
void LogFindings(RunContext& ctx, const store::Findings& found);

}  // namespace report
