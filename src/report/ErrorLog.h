#pragma once
// The error log sheet of a run.
#include <string_view>

#include "report/RunContext.h"

namespace report {

void ErrorSheetFormat(RunContext& ctx, host::Worksheet& dst);
// One row: message, variety name, marker name (index 0: empty cell).
void ErrorOut(RunContext& ctx, std::string_view message, int variety, int marker);

}  // namespace report
