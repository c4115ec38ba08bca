// Distance and coordinate files as their readers take them: names a format
// cannot hold changed and listed, a missing distance never written as 0.
#include <gtest/gtest.h>

#include "exchange/DistanceFiles.h"

namespace {

// "A b" holds a blank, "=x" would run as a formula in a spreadsheet; the
// first and third have no distance.
analysis::DistanceMatrix Three() {
  analysis::DistanceMatrix d({"A b", "=x", "Long name here"});
  d.Set(1, 2, 0.25);
  d.Set(2, 3, 1.0 / 3);
  return d;
}

TEST(DistanceFiles, TableAndPhylipChangeOnlyTheNamesTheyCannotHold) {
  const exchange::DistanceText table = exchange::DistanceTable(Three());
  EXPECT_EQ(table.text,
            "\tA b\t'=x\tLong name here\n"
            "A b\t0\t0.25\t\n"
            "'=x\t0.25\t0\t0.3333333333333333\n"
            "Long name here\t\t0.3333333333333333\t0\n");
  ASSERT_EQ(table.varieties.size(), 1U);
  EXPECT_EQ(table.varieties[0].to, "'=x");

  analysis::DistanceMatrix full = Three();
  full.Set(1, 3, -0.0);
  const exchange::DistanceText phylip = exchange::PhylipMatrix(full);
  EXPECT_EQ(phylip.text,
            "3\n"
            "A_b        0 0.25 0\n"
            "=x         0.25 0 0.3333333333333333\n"
            "Long_name_here 0 0.3333333333333333 0\n");
  EXPECT_EQ(phylip.varieties.size(), 2U);
}

TEST(DistanceFiles, CoordinatesFollowTheirShares) {
  analysis::PrincipalCoordinates pcoa;
  pcoa.shares = {0.75, 0.25};
  pcoa.coordinates = {{0.5, -0.0}, {-0.5, 0.125}};
  EXPECT_EQ(exchange::CoordinateTable({"P1", "P2"}, pcoa).text,
            "# share\t0.75\t0.25\n"
            "variety\taxis 1\taxis 2\n"
            "P1\t0.5\t0\n"
            "P2\t-0.5\t0.125\n");
}

}  // namespace
