// The press of a camera window's mouse as a machine: the click that waits for a double click, the
// drag that starts late, far or by the timer, and the press that a lost capture ends. The drag box
// itself is driven through the window's real mouse events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "views/MousePress.h"

namespace {

using Steps = std::vector<std::string>;

// Records what the window is told, one word per call.
class RecordingWindow : public MousePressClient {
 public:
  void ArmPressTimer(DWORD) override { ++timers; }
  void StartDrag() override { steps.push_back("drag"); }
  void DragMove(POINT p) override { steps.push_back("move " + std::to_string(p.x) + "," + std::to_string(p.y)); }
  void Clicks(int clicks) override { steps.push_back("clicks " + std::to_string(clicks)); }
  void EndPress(bool released) override { steps.push_back(released ? "end" : "end lost"); }

  Steps steps;
  int timers = 0;
};

class MousePressTest : public ::testing::Test {
 protected:
  // Double-click time 500 ms, drag box 4 x 4; the clock starts near its wrap.
  DWORD now = 0xFFFFFF00u;
  RecordingWindow window;
  MousePress press{window, {500, 4, 4}, [this] { return now; }};
};

TEST_F(MousePressTest, AClickWaitsForADoubleClickAcrossTheClocksWrap) {
  press.Press({100, 100});
  press.Move({103, 90});  // far up, but not across: still inside the box
  now += 300;             // the clock wraps meanwhile
  press.Release({103, 90});
  EXPECT_TRUE(window.steps.empty());
  press.Timeout();
  EXPECT_FALSE(press.IsDown());
  press.Press({0, 0});  // a move beyond the box also settles a waiting click
  press.Release({0, 0});
  press.Move({5, 5});
  press.Press({10, 10});
  press.Release({10, 10});
  press.DoubleClick();
  press.Release({10, 10});
  press.Timeout();
  press.DoubleClick();  // nothing waits for it: starts nothing
  EXPECT_EQ(window.steps, Steps({"clicks 1", "clicks 1", "clicks 2"}));
}

TEST_F(MousePressTest, ADragStartsLateFarOrByTheTimerAndALostCaptureEndsAnyPress) {
  press.Press({0, 0});
  now += 600;
  press.Release({0, 0});
  press.Press({0, 0});
  press.Release({-5, 5});
  press.Press({0, 0});
  press.Timeout();
  press.Press({9, 9});  // a second press during a drag starts nothing
  press.CaptureLost();
  press.Move({50, 50});
  press.Release({50, 50});
  press.Press({0, 0});
  press.Release({0, 0});
  press.CaptureLost();  // a click that waited is lost too
  press.Timeout();
  press.CaptureLost();
  EXPECT_EQ(window.steps, Steps({"drag", "end", "drag", "end", "drag", "end lost", "end lost"}));
  EXPECT_EQ(window.timers, 4);
  EXPECT_FALSE(press.IsDown());
}

}  // namespace
