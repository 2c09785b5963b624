#include <gtest/gtest.h>

#include <tuple>

#include "core/Globals.h"
#include "platform/win/Cursors.h"
#include "support/PlatformFakes.h"

namespace {

TEST(Globals, InitGlobalsCapturesTheSystemAndThePreferences) {
  ScopedMemoryProfile profile;
  ScopedSystemInfo system;
  system->doubleClickTime = 300;
  system->dragDistance = {3, 5};
  system->tooltipBackground = RGB(1, 2, 3);
  system->screenSize = {1280, 1024};
  system->logicalDpi = {96, 120};
  profile->WriteProfileString("Interactive", "RotateWithTracking(yes/no)", "yes");
  profile->WriteProfileString("Interactive", "ObjectQualityBias", "-4");
  profile->WriteProfileString("Interactive", "MaximumUpdates(fps,1-64)", "65");
  profile->WriteProfileString("Interactive", "MinimumUpdates(fps,0-24)", "25");
  InitGlobals();
  using namespace Globals;
  EXPECT_EQ(std::make_tuple(Globals::GetDoubleClickTime(), GetDragWidth(), GetDragHeight(), GetInfoBkColor(),
                            GetLogPixelsX(), GetLogPixelsY(), GetScreenWidth(), GetScreenHeight()),
            std::make_tuple(300u, 3, 5, RGB(1, 2, 3), 96, 120, 1280, 1024));
  EXPECT_EQ(std::make_tuple(GetRotateWithTracking(), GetPushPullObjectParallel(), GetMaxFps(), GetMinFps(),
                            GetTrackSceneExtents(), GetGroundTrackSceneExtents(), GetObjectQualityBias(),
                            GetObjectQuality256Colors(), GetDitherAlways()),
            std::make_tuple(true, false, 12u, 4u, true, true, -4L, true, true));
  EXPECT_EQ(*profile->Data().Find("Interactive", "MaximumUpdates(fps,1-64)"), "12");
  EXPECT_EQ(GetCursor138(), LoadCursorResource(138));
  system->doubleClickTime = 700;  // the user changed it meanwhile
  InitGlobals();
  EXPECT_EQ(Globals::GetDoubleClickTime(), 700u);
}

}  // namespace
