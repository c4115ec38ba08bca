#pragma once
// Allele and genotype statistics (.all, .gnt).
#include <string>

#include "host/RunContext.h"

namespace analysis {

void InformationSheetFormat(host::RunContext& ctx, host::Worksheet& src, host::Worksheet& dst,
                            const std::string& ex);
// Writes the statistics block of marker m to the .all and .gnt sheets.
void InformationOut(host::RunContext& ctx, int m);

}  // namespace analysis
