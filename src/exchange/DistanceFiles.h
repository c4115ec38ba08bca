#pragma once
// Distances between varieties and their principal coordinates as text files:
// tab-separated tables that spreadsheets and R read, and PHYLIP's square
// distance matrix, which phylogeny programs read. Numbers are written as the
// shortest text that reads back as the same value.
#include <string>
#include <vector>

#include "analysis/Distances.h"
#include "analysis/Pcoa.h"
#include "exchange/ExportFormat.h"

namespace exchange {

struct DistanceText {
  std::string text;
  std::vector<Renamed> varieties;  // names the format cannot hold, and what they became
};

// A head line of the names after an empty field, then each variety's name
// and its row; a pair without a distance is an empty field.
DistanceText DistanceTable(const analysis::DistanceMatrix& d);

// The number of varieties on the first line, then each variety's name and
// its row. Names hold no blanks; a name shorter than ten characters is padded
// to ten, so that readers that take the first ten characters as the name
// read the same as those that read up to the first blank. Every pair must
// have its distance.
DistanceText PhylipMatrix(const analysis::DistanceMatrix& d);

// A comment line "# share" with the part of the variation each axis shows,
// a head line "variety, axis 1, axis 2", then each variety's name and place.
DistanceText CoordinateTable(const std::vector<std::string>& names,
                             const analysis::PrincipalCoordinates& pcoa);

}  // namespace exchange
