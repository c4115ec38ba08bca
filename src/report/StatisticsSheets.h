#pragma once
// The statistics sheets: allele frequencies with HE, HO and PIC (.all) and
// genotype frequencies (.gnt), one block per marker.
#include "report/RunContext.h"

namespace report {

enum class StatisticsSheet { Alleles, Genotypes };

void LayOutStatisticsSheet(RunContext& ctx, host::Worksheet& src, host::Worksheet& dst,
                            StatisticsSheet kind);
// Writes the statistics block of marker m to the .all and .gnt sheets.
void WriteMarkerStatistics(RunContext& ctx, int m);

}  // namespace report
