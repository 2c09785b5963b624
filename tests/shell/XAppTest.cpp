#include <gtest/gtest.h>

#include <new>

#include "core/NoMemoryHandler.h"
#include "scene/GroupSO.h"
#include "shell/XApp.h"
#include "shell/XMainFrame.h"
#include "support/FatalCheck.h"
#include "support/PlatformFakes.h"

namespace {

// A copied scene group: counts its deletions.
int deleted = 0;
struct CountedGroup : GroupSO {
  ~CountedGroup() override { ++deleted; }
};

TEST(XApp, HoldsTheLowMemoryReserveForItsLifeAndEmptiesItsClipboardOnAShortage) {
  ScriptedProcesses processes;
  const std::new_handler before = std::get_new_handler();
  {
    XApp app;
    EXPECT_TRUE(NoMemoryReserveHeld());
    EXPECT_EQ(std::get_new_handler(), &NoMemoryNewHandler);
    EXPECT_EQ(XGetApp(), &app);
    EXPECT_NE(app.programPath.Find("shell_tests"), -1);

    ASSERT_EQ(Direct3DRMCreate(&app.lpD3DRM), D3DRM_OK);
    deleted = 0;
    Ptr<GroupSO> kept = new CountedGroup;
    app.objectClipboard.AddTail(kept);
    app.objectClipboard.AddTail(new CountedGroup);
    NoMemoryHandler(1);
    EXPECT_EQ(app.objectClipboard.GetCount(), 0);
    EXPECT_EQ(deleted, 1);  // the other one is still held here
  }
  EXPECT_FALSE(NoMemoryReserveHeld());
  EXPECT_EQ(std::get_new_handler(), before);
  EXPECT_FATAL(XGetApp(), "app", "");
  CWinApp other("Other");
  EXPECT_FATAL(XGetApp(), "ISKINDOF( app, XApp )", "");
}

TEST(XApp, TheMainFrameIsTheThreadsMainWindow) {
  EXPECT_EQ(XGetMainFrame(), nullptr);  // no application
  XApp app;
  EXPECT_EQ(XGetMainFrame(), nullptr);
  XMainFrame frame;
  app.m_pMainWnd = &frame;
  EXPECT_EQ(XGetMainFrame(), &frame);
  CFrameWnd plain;
  app.m_pMainWnd = &plain;
  EXPECT_FATAL(XGetMainFrame(), "!wnd || ISKINDOF( wnd, XMainFrame )", "");
}

}  // namespace
