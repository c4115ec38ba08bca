#pragma once
// The sheets of how the varieties relate: the distance matrix (.dst) and the
// principal coordinates (.tree).
#include <string>
#include <vector>

#include "analysis/Distances.h"
#include "host/Host.h"

namespace report {

// The matrix laid out like the pair sheet: names down from the corner and
// turned in the head row, heads frozen, three decimals; a pair without a
// distance stays empty.
void WriteDistanceSheet(host::Worksheet& source, host::Worksheet& sheet,
                        const analysis::DistanceMatrix& d);

// The pictures of the UPGMA and neighbour-joining trees and of the map (its
// points coloured by `populations`, see report/Groups.h) side by side from B4,
// and below them the first two principal coordinates of every variety and
// the share of the variation each axis shows; without a distance for every
// pair, no pictures and a line naming the first pair instead of the table.
void WriteCoordinateSheet(host::Worksheet& source, host::Worksheet& sheet,
                          const analysis::DistanceMatrix& d,
                          const std::vector<std::string>& populations);

// The coordinates table's corner is in column B, at this row or, when the
// pictures reach lower, on the second row below the tallest.
inline constexpr int kCoordinateRow = 44;

}  // namespace report
