#pragma once
// The statistics sheets: allele frequencies with HE, HO and PIC (.all) and
// genotype frequencies (.gnt), one block per marker.
#include "host/Host.h"
#include "store/GenotypeStore.h"

namespace report {

enum class StatisticsSheet { Alleles, Genotypes };

// Clears `sheet` and writes its kind and the source's title.
void LayOutStatisticsSheet(host::Worksheet& source, host::Worksheet& sheet, StatisticsSheet kind);
// Writes the statistics block of marker m to the .all and .gnt sheets.
void WriteMarkerStatistics(const store::GenotypeStore& s, int m, host::Worksheet& alleles,
                           host::Worksheet& genotypes);

}  // namespace report
