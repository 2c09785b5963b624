// The press of a camera window's mouse as a machine, for the cases the window's real mouse events
// do not reach.
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

TEST(MousePressTest, DragsStartLateFarOrByTheTimerAndALostCaptureEndsAnyPress) {
  DWORD now = 1000;
  RecordingWindow window;
  MousePress press{window, {500, 4, 4}, [&] { return now; }};  // double-click time 500 ms, box 4 x 4
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
  press.DoubleClick();  // nothing waits for it
  press.CaptureLost();
  EXPECT_EQ(window.steps, Steps({"drag", "end", "drag", "end", "drag", "end lost", "end lost"}));
  EXPECT_EQ(window.timers, 4);
  EXPECT_FALSE(press.IsDown());
}

}  // namespace
