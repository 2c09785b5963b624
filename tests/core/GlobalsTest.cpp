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
  profile->WriteProfileString("Interactive", "RotateWithTracking(yes/no)", "yes");
  profile->WriteProfileString("Interactive", "MaximumUpdates(fps,1-64)", "65");
  InitGlobals();
  using namespace Globals;
  EXPECT_EQ(std::make_tuple(Globals::GetDoubleClickTime(), GetDragWidth(), GetDragHeight(), GetRotateWithTracking(),
                            GetPushPullObjectParallel(), GetMaxFps()),
            std::make_tuple(300u, 3, 5, true, false, 12u));
  EXPECT_EQ(*profile->Data().Find("Interactive", "MaximumUpdates(fps,1-64)"), "12");
  EXPECT_EQ(GetCursor138(), LoadCursorResource(138));
  system->doubleClickTime = 700;  // the user changed it meanwhile
  InitGlobals();
  EXPECT_EQ(Globals::GetDoubleClickTime(), 700u);
}

}  // namespace
