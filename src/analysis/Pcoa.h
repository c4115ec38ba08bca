#pragma once
// Principal coordinates (classical multidimensional scaling): the varieties
// placed on two axes so that the distances between them come as close to
// the matrix as two axes allow.
#include <array>
#include <optional>
#include <vector>

#include "analysis/Distances.h"

namespace analysis {

struct PrincipalCoordinates {
  // Of the doubly centred matrix of -d^2 / 2, largest first, one a variety.
  std::vector<double> eigenvalues;
  // The part of the variation the first two axes show: each eigenvalue over
  // the sum of the positive ones, 0 for an axis whose eigenvalue is not
  // positive.
  std::array<double, 2> shares = {0, 0};
  // Per variety (index v - 1) its place on the two axes; 0 on an axis whose
  // eigenvalue is not positive. Each axis points so that the variety
  // farthest out on it (the first of equals) lies on its positive side.
  std::vector<std::array<double, 2>> coordinates;
};

struct PcoaOutcome {
  std::optional<PrincipalCoordinates> pcoa;
  std::vector<VarietyPair> withoutDistance;
};

// Classical scaling of the distances: the first two axes and their shares.
PcoaOutcome PrincipalCoordinateAnalysis(const DistanceMatrix& d);

}  // namespace analysis
