#include <gtest/gtest.h>

#include "dialogs/DialogServices.h"
#include "document/XDocument.h"
#include "platform/win/TickCount.h"
#include "shell/DocTemplates.h"
#include "shell/ShellTestSupport.h"
#include "shell/XMainFrame.h"

namespace shell_test {
namespace {

DWORD now = 0;
DWORD Now() { return now; }

// The main frame's status-bar work, counted.
struct CountingFrame : XMainFrame {
  void OnStatusBarIdle() override { ++refreshes; }
  int refreshes = 0;
};

TEST(AppTimer, ARefreshIsOverdueAfterMoreThan200MsAlsoAcrossTheTickWrap) {
  XApp app;
  CountingFrame frame;
  app.m_pMainWnd = &frame;
  TickSource previous = SetTickSource(&Now);
  MSG msg{};
  now = 0xFFFFFF00u;
  XApp::TimerProc(nullptr, 0, 0, 0);
  const int afterTimer = frame.refreshes;
  now += 200;  // wrapped past 0
  app.PreTranslateMessage(&msg);
  EXPECT_EQ(frame.refreshes, afterTimer);
  now += 1;
  app.PreTranslateMessage(&msg);
  EXPECT_EQ(frame.refreshes, afterTimer + 1);
  app.PreTranslateMessage(&msg);
  EXPECT_EQ(frame.refreshes, afterTimer + 1);

  // Idle time refreshes only when there is no timer.
  app.m_applTimerId = 7;
  EXPECT_TRUE(app.OnIdle(0));  // the framework's own idle work first
  EXPECT_FALSE(app.OnIdle(1));
  EXPECT_EQ(frame.refreshes, afterTimer + 1);
  app.m_applTimerId = 0;
  app.OnIdle(1);
  EXPECT_EQ(frame.refreshes, afterTimer + 2);
  SetTickSource(previous);
  app.m_pMainWnd = nullptr;
}

struct OpenScenes : StartedApp {
  OpenScenes() {
    WritePreferences(kSetUpBefore);
    EXPECT_TRUE(Start());
  }
  XDocument* NewScene() { return static_cast<XDocument*>(app.GetDocTemplate(0)->docTemplate->OpenDocumentFile(nullptr)); }
};

TEST_F(OpenScenes, TheModeAndGroundSwitchesReachEverySceneOnlyWhenTheyChange) {
  XDocument* first = NewScene();
  XDocument* second = NewScene();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(app.CountOpenScenes(), 2);
  EXPECT_NE(first->GetTitle(), second->GetTitle());

  app.SetShowGround(TRUE);
  EXPECT_TRUE(first->HasGround() && second->HasGround());
  first->RemoveGround(FALSE);
  app.SetShowGround(TRUE);  // unchanged: no scene is told
  EXPECT_FALSE(first->HasGround());
  app.SetShowGround(FALSE);
  EXPECT_FALSE(second->HasGround());

  // The cylinder shows around the one selected group in the rotate-about mode.
  Ptr<GroupSO> group = new GroupSO;
  first->AddGroup(group, TRUE, FALSE, 0);
  app.SetInteractiveMode(XApp::rotateObjectAbout);
  EXPECT_TRUE(first->IsRotObjAboutCylShown());
  EXPECT_FALSE(second->IsRotObjAboutCylShown());
  // New cylinder preferences while the mode shows it: the scene keeps showing the rebuilt mesh.
  app.LoadAboutCylinderPrefs();
  EXPECT_TRUE(first->IsRotObjAboutCylShown());
  app.SetInteractiveMode(1);
  EXPECT_FALSE(first->IsRotObjAboutCylShown());
}

TEST_F(OpenScenes, ThePreferencePagesReachTheRunningApplication) {
  DialogServices* services = GetDialogServices();
  ASSERT_NE(services, nullptr);
  XDocument* scene = NewScene();
  ASSERT_NE(scene, nullptr);
  EXPECT_EQ(services->CountOpenScenes(), 1);
  EXPECT_EQ(services->GetActiveDocument(), scene);  // its camera window is the active one
  services->SetStatusBarPrefs(700, FALSE, TRUE);
  DWORD duration = 0;
  BOOL blink = TRUE, expand = FALSE;
  XGetMainFrame()->GetStatusBar().GetPrefs(&duration, &blink, &expand);
  EXPECT_EQ(duration, 700u);
  EXPECT_FALSE(blink);
  EXPECT_TRUE(expand);
}

}  // namespace
}  // namespace shell_test
