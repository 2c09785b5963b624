// The prompt line in a real frame: its three-step blink and widening cycle on a stepped clock,
// and which prompt source it asks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>

#include "core/Globals.h"
#include "platform/framework/FrameWnd.h"
#include "platform/win/QtTestApplication.h"
#include "platform/win/TickCount.h"
#include "shell/XStatusBar.h"
#include "support/FatalCheck.h"

namespace {

DWORD now = 1000;
DWORD SteppedClock() { return now; }

struct Prompt {
  UINT id;
  COLORREF highlight;
  XStatusBar* bar;
};
void SetPrompt(void* argument) {
  auto* prompt = static_cast<Prompt*>(argument);
  prompt->bar->SetStatusText(prompt->id, nullptr, prompt->highlight);
}

struct StatusBarFixture : ::testing::Test {
  StatusBarFixture() : previousClock(SetTickSource(&SteppedClock)) {
    InitGlobals();
    frame.Create("Main", 0, {0, 0, 640, 480}, nullptr);
    const UINT panes[] = {0, 67};
    EXPECT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0));
    EXPECT_TRUE(bar.SetIndicators(panes, 2));
    frame.ShowWindow(SW_SHOW);
    QApplication::processEvents();
  }
  ~StatusBarFixture() override { SetTickSource(previousClock); }

  // One blink step later, with the prompt source setting the same prompt again.
  void Step() {
    now += 1500;
    bar.OnIdle();
  }
  bool Yellow(int pane) const {
    return !bar.GetPaneBackground(pane).transparent && bar.GetPaneBackground(pane).colour == 0x00FFFF;
  }

  QtTestApplication app;
  TickSource previousClock;
  CFrameWnd frame;
  XStatusBar bar;
};

TEST_F(StatusBarFixture, ANewPromptIsHighlightedWidenedAndThenBlinksTheHelpPaneOnAThreeStepCycle) {
  Prompt prompt{40038, 0, &bar};
  bar.PushModalStatusCallback(&SetPrompt, &prompt);
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptText(), "Choose New or Open... from the File menu");
  EXPECT_FALSE(bar.GetPaneBackground(0).transparent);
  EXPECT_EQ(bar.GetPaneBackground(0).colour, Globals::GetInfoBkColor());
  EXPECT_TRUE(bar.IsPromptWidened());

  // Pane 1 is yellow at steps 3, 5, 6, 8 and plain at 4, 7; pane 0 is widened again at 6.
  std::string pane1, widened;
  for (int step = 1; step <= 8; ++step) {
    Step();
    pane1 += Yellow(1) ? 'Y' : '.';
    widened += bar.IsPromptWidened() ? 'W' : '.';
    if (step == 3) {
      EXPECT_TRUE(bar.GetPaneBackground(0).transparent);
    }
  }
  EXPECT_EQ(pane1, "..Y.YY.Y");
  EXPECT_EQ(widened, "WW...WWW");

  // The same text with a highlight restarts the cycle from step 0.
  prompt.highlight = 0x0000FF;
  bar.OnIdle();
  EXPECT_EQ(bar.GetPaneBackground(0).colour, 0x0000FFu);
  for (int step = 0; step < 3; ++step) Step();
  EXPECT_FALSE(bar.GetPaneBackground(0).transparent);  // a prompt's own highlight stays
  bar.PopModalStatusCallback(&SetPrompt);
}

TEST_F(StatusBarFixture, SettingsOffLeavePaneZeroAloneAndHelpIdsStartAbove10000) {
  bar.SetStatusText(40038, nullptr, 0);
  ASSERT_TRUE(bar.IsPromptWidened());
  bar.SetPrefs(1500, FALSE, FALSE);  // turning expand off restores at once
  EXPECT_FALSE(bar.IsPromptWidened());
  EXPECT_TRUE(bar.GetPaneBackground(0).transparent);
  bar.SetStatusText(0, "Another prompt", 0);
  for (int step = 0; step < 6; ++step) Step();
  EXPECT_FALSE(bar.IsPromptWidened());
  EXPECT_TRUE(bar.GetPaneBackground(0).transparent);
  EXPECT_TRUE(bar.GetPaneBackground(1).transparent);
  // The settings are kept for the next start.
  XStatusBar next;
  DWORD duration;
  BOOL blink, expand;
  next.GetPrefs(&duration, &blink, &expand);
  EXPECT_EQ(duration, 1500u);
  EXPECT_FALSE(blink);
  EXPECT_FALSE(expand);
  bar.SetPrefs(1500, TRUE, TRUE);

  bar.SetStatusText(10000, "text", 0);
  EXPECT_EQ(bar.GetPaneHelpId(), 0u);
  bar.SetStatusText(10001, "text", 0);
  EXPECT_EQ(bar.GetPaneHelpId(), 75537u);
  EXPECT_EQ(bar.GetPromptText(), "text");
}

TEST_F(StatusBarFixture, TheModalSourceWinsOverTheWindowUnderTheCursorAndTheClockSurvivesTheWrap) {
  Prompt framePrompt{40038, 0, &bar};
  Prompt dialogPrompt{40225, 0, &bar};
  CWnd child;
  child.Create("Child", WS_CHILD | WS_VISIBLE, {10, 10, 200, 100}, &frame, 5);
  QApplication::processEvents();
  bar.RegisterStatusCallback(frame.GetSafeHwnd(), &SetPrompt, &framePrompt);

  // Over a child without a source of its own the frame's source answers.
  const QPoint inside = child.GetWidget()->mapToGlobal(QPoint(20, 20));
  QCursor::setPos(inside);
  ASSERT_EQ(WindowFromPoint({inside.x(), inside.y()}), &child);
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptId(), 40038u);

  now = 0xFFFFFF00u;
  bar.PushModalStatusCallback(&SetPrompt, &dialogPrompt);
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptId(), 40225u);
  EXPECT_FATAL(bar.PopModalStatusCallback(+[](void*) {}),
               "modalStatusCallbacks[modalStatusCallbacks.GetUpperBound()] == callback",
               "Modal status callbacks must be unregistered in reverse order of registration");
  now = 5;  // the counter wrapped: a step is due at once
  bar.OnIdle();
  Step();
  Step();
  EXPECT_TRUE(Yellow(1));  // step 3
  bar.PopModalStatusCallback(&SetPrompt);

  QCursor::setPos(QPoint(5000, 5000));
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptText(), " Ready");  // over the desktop
  bar.UnregisterStatusCallback(frame.GetSafeHwnd());
  EXPECT_FATAL(bar.UnregisterStatusCallback(frame.GetSafeHwnd()), "statusCallbacks.RemoveKey( hwnd )", "");
}

}  // namespace
