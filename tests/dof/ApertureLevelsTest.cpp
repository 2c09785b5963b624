#include <gtest/gtest.h>

#include "dof/ApertureLevels.h"

// The diameters of discs as large as each level's window; the windows' counts only feed these.
TEST(ApertureLevels, DiametersFollowTheDiscRule) {
  const double expected[kApertureTableLevels] = {
      1.1283791670955126, 1.9544100476116797, 3.385137501286538,  4.370193722368317, 5.641895835477563,
      6.6755811781245455, 7.898654169668588,  8.95623198216277,   10.155412503859614, 11.227230955528665,
      12.412170838050638, 13.493452297211721, 14.668929172241665, 15.756957549709801};
  for (unsigned n = 0; n < kApertureTableLevels; ++n)
    EXPECT_DOUBLE_EQ(ApertureDiameters[n], expected[n]) << n;
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
