#pragma once
// The few markers of a source that tell its varieties apart.
#include <string>
#include <vector>

#include "app/core/Session.h"
#include "app/core/SourceCheck.h"

namespace app {

struct TellingMarker {
  std::string name;
  int pairsLeft;  // pairs the whole set tells apart that the markers so far do not
};

struct MarkerSearch {
  std::vector<DataProblem> problems;  // any: nothing else is filled in
  bool exact = true;                  // every subset weighed, or a greedy cover
  int markers = 0;
  int varieties = 0;
  std::vector<TellingMarker> chosen;  // in the order chosen
  // Varieties that no marker tells apart, a group each; single varieties left out.
  std::vector<std::vector<std::string>> inseparable;
};

// Searches the source `sheet` of the session's workbook. Throws as
// Session::ReadGenotypes does.
MarkerSearch SearchMarkers(Session& session, const std::string& sheet);

// The choice in the user's words, a line each (every line ends in '\n'): the
// markers with the pairs each leaves, then the varieties no marker tells apart.
std::string DescribeChoice(const MarkerSearch& search);

}  // namespace app
