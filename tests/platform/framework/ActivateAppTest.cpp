// The program hears when it comes to the front or goes to the background.
#include <gtest/gtest.h>

#include <QApplication>
#include <QtGui/qevent.h>

#include "FrameTestClasses.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/MessageLoop.h"
#include "platform/win/QtTestApplication.h"

namespace {

class ActivationFrame : public CFrameWnd {
 public:
  void OnActivateApp(BOOL active, DWORD) { heard.push_back(active); }
  std::vector<BOOL> heard;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ActivationFrame, CFrameWnd)
  ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

void DesktopSays(Qt::ApplicationState state) {
  QApplicationStateChangeEvent event(state);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
}

TEST(ActivateApp, TheMainWindowHearsEachChangeBetweenFrontAndBackgroundOnce) {
  QtTestApplication qt;
  TestApp app;
  RegisterTestResources();
  auto* frame = new ActivationFrame;
  ASSERT_TRUE(frame->LoadFrame(kMainResource));
  app.m_pMainWnd = frame;
  InstallInputFilter();
  DesktopSays(Qt::ApplicationInactive);
  frame->heard.clear();
  for (Qt::ApplicationState state : {Qt::ApplicationHidden, Qt::ApplicationSuspended, Qt::ApplicationActive,
                                     Qt::ApplicationActive, Qt::ApplicationInactive})
    DesktopSays(state);
  EXPECT_EQ(frame->heard, (std::vector<BOOL>{TRUE, FALSE}));
  frame->DestroyWindow();
}

}  // namespace
