#include <gtest/gtest.h>

#include "dof/ApertureLevels.h"

// The diameters of discs as large as each level's window; the windows' counts only feed these.
TEST(ApertureLevels, DiametersFollowTheDiscRule) {
  // The first two shapes (1 x 1, 1 x 3) and the last two of the table.
  EXPECT_DOUBLE_EQ(ApertureDiameters[0], 1.1283791670955126);
  EXPECT_DOUBLE_EQ(ApertureDiameters[1], 1.9544100476116797);
  EXPECT_DOUBLE_EQ(ApertureDiameters[12], 14.668929172241665);
  EXPECT_DOUBLE_EQ(ApertureDiameters[13], 15.756957549709801);
  EXPECT_DOUBLE_EQ(ApertureLevelDiameter(14), 16.925687506432688);
  EXPECT_DOUBLE_EQ(ApertureLevelDiameter(16), 19.182445840623714);
}

TEST(ApertureLevels, SequenceStepsOnceThroughTheTableThenTwice) {
  unsigned n = 0;
  for (unsigned expected : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 10u, 11u, 12u, 13u, 14u, 16u, 18u}) {
    n = ApertureNextLevel(n);
    EXPECT_EQ(n, expected);
  }
  // A walk up to the largest level ends past it instead of wrapping round to 0.
  EXPECT_EQ(ApertureNextLevel(65534), 65536u);
}
