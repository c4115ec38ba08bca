#pragma once
// The sheets of how the varieties relate: the distance matrix (.dst) and the
// principal coordinates (.tree).
#include "analysis/Distances.h"
#include "host/Host.h"

namespace report {

// The matrix laid out like the pair sheet: names down from the corner and
// turned in the head row, heads frozen, three decimals; a pair without a
// distance stays empty.
void WriteDistanceSheet(host::Worksheet& source, host::Worksheet& sheet,
                        const analysis::DistanceMatrix& d);

// The first two principal coordinates of every variety and the share of the
// variation each axis shows, in a table below the area kept for pictures;
// without a distance for every pair, a line naming the first pair instead.
void WriteCoordinateSheet(host::Worksheet& source, host::Worksheet& sheet,
                          const analysis::DistanceMatrix& d);

// Where the coordinates table has its corner.
inline constexpr std::string_view kCoordinateCorner = "B44";

}  // namespace report
