// Principal coordinates of distance matrices whose embedding is known.
#include "analysis/Pcoa.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "analysis/TreeTesting.h"

namespace analysis_test {
namespace {

using analysis::PrincipalCoordinateAnalysis;
using Point = std::array<double, 2>;

analysis::DistanceMatrix Between(const std::vector<Point>& points) {
  std::vector<double> upper;
  for (size_t i = 0; i < points.size(); ++i)
    for (size_t j = i + 1; j < points.size(); ++j)
      upper.push_back(std::hypot(points[i][0] - points[j][0], points[i][1] - points[j][1]));
  return Matrix(upper, Names(static_cast<int>(points.size())));
}

struct Known {
  const char* what;
  analysis::DistanceMatrix d;
  std::vector<double> eigenvalues;
  Point shares;
  // Centred, each axis pointing to the variety farthest out; empty where
  // the axes are not unique.
  std::vector<Point> coordinates;
};

TEST(Pcoa, KnownEmbeddings) {
  const Known cases[] = {
      {"a line",
       Between({{0, 0}, {1, 0}, {3, 0}, {7, 0}}),
       {28.75, 0, 0, 0},
       {1, 0},
       {{-2.75, 0}, {-1.75, 0}, {0.25, 0}, {4.25, 0}}},
      {"a 4 by 2 rectangle",
       Between({{0, 0}, {4, 0}, {4, 2}, {0, 2}}),
       {16, 4, 0, 0},
       {0.8, 0.2},
       {}},
      // A star of unit arms: no plane holds it, and the negative eigenvalue
      // takes no share.
      {"a star", Matrix({1, 1, 1, 2, 2, 2}, Names(4)), {2, 2, 0, -0.25}, {0.5, 0.5}, {}},
  };
  for (const Known& c : cases) {
    const analysis::PcoaOutcome out = PrincipalCoordinateAnalysis(c.d);
    ASSERT_TRUE(out.pcoa.has_value()) << c.what;
    const analysis::PrincipalCoordinates& p = *out.pcoa;
    ASSERT_EQ(p.eigenvalues.size(), c.eigenvalues.size()) << c.what;
    for (size_t k = 0; k < p.eigenvalues.size(); ++k)
      EXPECT_NEAR(p.eigenvalues[k], c.eigenvalues[k], 1e-12) << c.what << " " << k;
    for (int axis = 0; axis < 2; ++axis) EXPECT_NEAR(p.shares[axis], c.shares[axis], 1e-12);
    for (size_t v = 0; v < c.coordinates.size(); ++v)
      for (int axis = 0; axis < 2; ++axis)
        EXPECT_NEAR(p.coordinates[v][axis], c.coordinates[v][axis], 1e-6) << c.what << " " << v;
  }
}

}  // namespace
}  // namespace analysis_test
