#include <gtest/gtest.h>

#include <numbers>

#include "core/Transform.h"
#include "support/FatalCheck.h"
#include "views/DragPreconditions.h"

namespace {

TEST(DragPreconditionsTest, EachModeNeedsItsTargetAndWindow) {
  DragConditions nothing;  // a perspective Camera window, nothing picked or selected
  nothing.fStop = 8.0;
  // Object modes need a target; camera and lens modes run.
  const bool expectedBare[20] = {0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1};
  for (int mode = 0; mode < 20; ++mode) EXPECT_EQ(DragModeAccepted(mode, nothing), expectedBare[mode]) << mode;

  DragConditions fixed = nothing;
  fixed.cameraKind = false;
  fixed.selectedCount = 1;
  fixed.trackSceneExtents = true;
  const bool expectedFixed[20] = {1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1};
  for (int mode = 0; mode < 20; ++mode) EXPECT_EQ(DragModeAccepted(mode, fixed), expectedFixed[mode]) << mode;
  fixed.trackSceneExtents = false;
  EXPECT_TRUE(DragModeAccepted(8, fixed));
  EXPECT_TRUE(DragModeAccepted(16, fixed));

  DragConditions towards = nothing;
  towards.picked = true;
  towards.selectedCount = 1;
  EXPECT_TRUE(DragModeAccepted(13, towards));
  towards.pickedIsSelected = true;
  EXPECT_FALSE(DragModeAccepted(13, towards));
  towards.selectedCount = 2;
  EXPECT_FALSE(DragModeAccepted(2, towards));

  DragConditions lens = nothing;
  lens.autoFocus = lens.autoAperture = true;
  EXPECT_FALSE(DragModeAccepted(17, lens));
  EXPECT_FALSE(DragModeAccepted(19, lens));
  lens = nothing;
  lens.fStop = 0.0;
  EXPECT_FALSE(DragModeAccepted(17, lens));
  lens.orthographic = true;
  EXPECT_FALSE(DragModeAccepted(18, lens));
  EXPECT_FATAL(DragModeAccepted(-1, lens), "0", "");
}

TEST(DragPreconditionsTest, ConstantHeightNeedsASightOffTheGroundPlane) {
  const Transform level(1, 0, 0, 0, 0, 1, 0, 3, 0, 0, 1, 0);
  EXPECT_TRUE(IsSightHorizontal(level));
  EXPECT_FALSE(IsSightHorizontal(Transform(0.1, Vector(1, 0, 0)) * level));
  DragConditions c;
  c.picked = true;
  c.sightHorizontal = true;
  EXPECT_FALSE(DragModeAccepted(11, c));
}

}  // namespace
