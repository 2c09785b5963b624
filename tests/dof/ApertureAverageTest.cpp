#include <gtest/gtest.h>

#include "dof/ApertureAverage.h"
#include "support/FatalCheck.h"

TEST(ApertureAverage, RoundsEachChannelToTheNearestWithHalvesUp) {
  const DWORD pair[] = {0xFF000000, 0x00010201};
  EXPECT_EQ(ApertureAverage32(pair, 0, 2, 1), 0x00010101u);
  const DWORD triple[] = {0, 0, 0x00010101};
  EXPECT_EQ(ApertureAverage32(triple, 0, 3, 1), 0u);
  EXPECT_EQ(ApertureAverage32(triple, 4, 1, 3), 0u);

  // Two rows of two 3-byte pixels, bottom-up with a padded pitch.
  const BYTE rows[2][8] = {{10, 20, 30, 11, 21, 31, 99, 99}, {12, 22, 32, 14, 23, 30, 99, 99}};
  BYTE result[3];
  EXPECT_EQ(ApertureAverage24(result, rows[1], -8, 2, 2), result);
  EXPECT_EQ(result[0], 12);  // 47 / 4 = 11.75
  EXPECT_EQ(result[1], 22);  // 86 / 4 = 21.5, half up
  EXPECT_EQ(result[2], 31);  // 123 / 4 = 30.75

  // 5:5:5 ignores bit 15 on the way in and clears it on the way out; 5:6:5 keeps 6 green bits.
  const WORD rgb555[] = {0x8000 | 31 << 10 | 1, 0x8000 | 30 << 10 | 2 << 5};
  EXPECT_EQ(ApertureAverage16(rgb555, 0, 0x7C00, 0x03E0, 0x001F, 2, 1), 31 << 10 | 1 << 5 | 1);
  const WORD rgb565[] = {63 << 5, 60 << 5, 31 << 11};
  EXPECT_EQ(ApertureAverage16(rgb565, 0, 0xF800, 0x07E0, 0x001F, 3, 1), 10 << 11 | 41 << 5);
}

TEST(ApertureAverage, RefusesOtherSixteenBitLayouts) {
  const WORD pixel = 0;
  EXPECT_FATAL(ApertureAverage16(&pixel, 0, 0xF800, 0x03E0, 0x001F, 1, 1),
               "GMask == 0x000007E0 && BMask == 0x0000001F", "Pixel format not supported");
}
