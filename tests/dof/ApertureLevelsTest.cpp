#include <gtest/gtest.h>

#include "dof/ApertureLevels.h"

// Diameters of discs as large as each level's window (the map tests walk every level); a walk up
// to the largest level ends past it instead of wrapping round to 0.
TEST(ApertureLevels, DiametersFollowTheDiscRuleAndTheSequenceDoesNotWrap) {
  EXPECT_DOUBLE_EQ(ApertureDiameters[0], 1.1283791670955126);
  EXPECT_DOUBLE_EQ(ApertureDiameters[13], 15.756957549709801);
  EXPECT_DOUBLE_EQ(ApertureLevelDiameter(16), 19.182445840623714);
  EXPECT_EQ(ApertureNextLevel(13), 14u);
  EXPECT_EQ(ApertureNextLevel(14), 16u);
  EXPECT_EQ(ApertureNextLevel(65534), 65536u);
}
