// The mode filter on small images with known results.
#include <gtest/gtest.h>

#include <vector>

#include "scene/ModeFilter.h"

namespace {

TEST(ModeFilter, EachPixelTakesTheValueFirstToReachTheWindowsHighestCount) {
  // Rows stored bottom-up, read through a negative pitch.
  const std::vector<unsigned char> bottomUp{4, 4, 4, 2, 5, 3, 1, 2, 5, 5, 1, 3, 2, 2, 5};
  std::vector<unsigned char> out(15);
  ModeFilterPixels(out.data(), 5, bottomUp.data() + 10, -5, 1, 1, 5, 3);
  // At the top left corner 1 3 / 3 1 ties: 3 reaches two first.
  EXPECT_EQ(out, (std::vector<unsigned char>{3, 3, 2, 2, 5, 3, 4, 2, 2, 5, 4, 4, 4, 5, 5}));
}

TEST(ModeFilter, RgbPixelsBecomeTheirBinCentresAndPixelsOutsideTheAreaStay) {
  for (unsigned char value : {0, 1, 255}) {
    SCOPED_TRACE(int{value});
    // A 4 x 2 area in rows of 6 pixels.
    const std::vector<unsigned char> src(6 * 2 * 3, value);
    std::vector<unsigned char> dest(src.size(), 77);
    ModeFilterPixels(dest.data(), 6 * 3, src.data(), 6 * 3, 3, 2, 4, 2);
    const unsigned char centre[3] = {static_cast<unsigned char>(value == 255 ? 254 : 2),
                                     static_cast<unsigned char>(value == 255 ? 255 : 1),
                                     static_cast<unsigned char>(value == 255 ? 254 : 2)};
    for (std::size_t i = 0; i < dest.size(); ++i)
      EXPECT_EQ(dest[i], i / 3 % 6 < 4 ? centre[i % 3] : 77) << i;
  }
}

}  // namespace
