#include <gtest/gtest.h>

#include "platform/win/QtTestApplication.h"
#include "shell/WindowHelpers.h"
#include "support/FatalCheck.h"

namespace {

TEST(WindowHelpers, TheControlUnderThePointIsTheLastVisibleOneWithAnId) {
  QtTestApplication app;
  CWnd dialog, groupBox, label, button, hidden, noId;
  ASSERT_TRUE(dialog.Create("Dialog", 0, {100, 100, 400, 300}, nullptr));
  groupBox.Create("Group", WS_CHILD | WS_VISIBLE, {10, 10, 200, 150}, &dialog, 11);
  button.Create("Button", WS_CHILD | WS_VISIBLE, {20, 20, 100, 50}, &dialog, 12);
  hidden.Create("Hidden", WS_CHILD, {20, 20, 100, 50}, &dialog, 13);
  noId.Create("Static", WS_CHILD | WS_VISIBLE, {20, 20, 100, 50}, &dialog, 0xFFFF);
  label.Create("Label", WS_CHILD | WS_VISIBLE, {150, 100, 190, 140}, &dialog, 14);
  dialog.ShowWindow(SW_SHOW);

  CWnd* child = &dialog;
  EXPECT_EQ(XChildWindowFromPoint(&dialog, {30, 30}, &child, nullptr), 12);
  EXPECT_EQ(child, &button);
  EXPECT_EQ(XChildWindowFromPoint(&dialog, {30, 30}, &child, &button), 11);
  EXPECT_EQ(XChildWindowFromPoint(&dialog, {190, 140}, &child, nullptr), 11);  // right and bottom are outside
  EXPECT_EQ(XChildWindowFromPoint(&dialog, {250, 30}, &child, nullptr), -1);
  EXPECT_EQ(child, nullptr);
  EXPECT_FATAL(XChildWindowFromPoint(nullptr, {0, 0}, &child, nullptr), "parent", "");
  EXPECT_FATAL(XChildWindowFromPoint(&dialog, {0, 0}, nullptr, nullptr), "child", "");
}

TEST(WindowHelpers, ADockedBarShowsItselfAndAFloatingOneItsFrame) {
  QtTestApplication app;
  CFrameWnd frame;
  CMiniDockFrameWnd floating;
  CControlBar docked, floated, orphan;
  frame.Create("Main", 0, {0, 0, 400, 300}, nullptr);
  floating.Create("Tools", 0, {0, 0, 100, 40}, nullptr);
  docked.Create("Docked", WS_CHILD | WS_VISIBLE, {0, 0, 400, 20}, &frame, 1);
  floated.Create("Floating", WS_CHILD | WS_VISIBLE, {0, 0, 100, 20}, &floating, 2);
  orphan.Create("Orphan", WS_VISIBLE, {0, 0, 10, 10}, nullptr);

  EXPECT_TRUE(XIsBarVisible(&docked));  // the frame itself is not shown yet
  docked.ShowWindow(SW_HIDE);
  EXPECT_FALSE(XIsBarVisible(&docked));
  EXPECT_FALSE(XIsBarVisible(&floated));
  floating.ShowWindow(SW_SHOW);
  EXPECT_TRUE(XIsBarVisible(&floated));
  EXPECT_FATAL(XIsBarVisible(&orphan), "dockFrm", "");
}

}  // namespace
