#pragma once
// The error log sheet of a run.
#include <string>

#include "host/RunContext.h"

namespace host {

void ErrorSheetFormat(RunContext& ctx, Worksheet& dst);
// One row: message, variety name, marker name (index 0: empty cell).
void ErrorOut(RunContext& ctx, const std::string& message, int variety, int marker);

}  // namespace host
