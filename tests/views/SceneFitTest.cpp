#include <gtest/gtest.h>

#include <cmath>

#include "views/SceneFit.h"

namespace {

TEST(SceneFitTest, FixedWindowsFitTheBoxAndAnEmptySceneUsesTheDefaultHeight) {
  const Transform front;  // looks along +z
  const BoundingBox box(Vector(-2, 0, 0), Vector(2, 1, 0));  // 4 x 1 across a Front window
  const auto fit = FitSceneBox(front, 1, box, 400, 200, 0.05, 0.1, 1, 1, 1.0);
  ASSERT_TRUE(fit.has_value());
  EXPECT_EQ(fit->height, 4.0);  // max(2 x 1, 1 x 4)
  const double r = std::sqrt(17.0) / 2;
  const double d = FillDistance(r, 1, 1, 0.05, 400, 200, 0.1);
  EXPECT_NEAR(fit->camera.t[0], 0.0, 1e-12);
  EXPECT_NEAR(fit->camera.t[1], 0.5, 1e-12);
  EXPECT_NEAR(fit->camera.t[2], -d, 1e-12);

  const auto empty = FitSceneBox(front, 3, BoundingBox(Vector(1, 1, 1), Vector(1, 1, 1)), 300, 300, 0.05, 0.1, 1, 1, 1.0);
  ASSERT_TRUE(empty.has_value());
  EXPECT_EQ(empty->height, 1.0);
  EXPECT_NEAR(empty->camera.t[2], 1 - FillDistance(0.5, 1, 1, 0.05, 300, 300, 0.1), 1e-12);
  EXPECT_FALSE(FitSceneBox(front, 1, box, 0, 200, 0.05, 0.1, 1, 1, 1.0).has_value());
}

}  // namespace
