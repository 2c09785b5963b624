#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "views/MousePress.h"

namespace {

// Records what the window is told, one word per call.
class RecordingWindow : public MousePressClient {
 public:
  void ArmPressTimer(DWORD) override { ++timers; }
  void StartDrag() override { steps.push_back("drag"); }
  void DragMove(POINT p) override { steps.push_back("move " + std::to_string(p.x) + "," + std::to_string(p.y)); }
  void Clicks(int clicks) override { steps.push_back("clicks " + std::to_string(clicks)); }
  void EndPress(bool released) override { steps.push_back(released ? "end" : "end lost"); }

  std::vector<std::string> steps;
  int timers = 0;
};

using Steps = std::vector<std::string>;

class MousePressTest : public ::testing::Test {
 protected:
  // Double-click time 500 ms, drag box 4 x 4; the clock starts near its wrap.
  DWORD now = 0xFFFFFF00u;
  RecordingWindow window;
  MousePress press{window, {500, 4, 4}, [this] { return now; }};
};

TEST_F(MousePressTest, AReleaseInsideTheBoxInTimeIsAClickOnceNoDoubleClickFollows) {
  press.Press({100, 100});
  press.Move({103, 90});  // far up, but not across: still inside the box
  now += 300;             // the clock wraps meanwhile
  press.Release({103, 90});
  EXPECT_TRUE(window.steps.empty());
  press.Timeout();
  EXPECT_EQ(window.steps, Steps({"clicks 1"}));
  EXPECT_FALSE(press.IsDown());
  // A move beyond the box also settles a waiting click.
  press.Press({0, 0});
  press.Release({0, 0});
  press.Move({5, 5});
  EXPECT_EQ(window.steps, Steps({"clicks 1", "clicks 1"}));
}

TEST_F(MousePressTest, ADoubleClickIsOneCallWithTwoClicks) {
  press.Press({10, 10});
  press.Release({10, 10});
  press.DoubleClick();
  press.Release({10, 10});
  press.Timeout();
  EXPECT_EQ(window.steps, Steps({"clicks 2"}));
  // A double click while nothing waits for one starts nothing.
  press.DoubleClick();
  EXPECT_EQ(window.steps.size(), 1u);
}

TEST_F(MousePressTest, ADragNeedsBothDistancesOrTheTime) {
  press.Press({100, 100});
  press.Move({160, 102});  // a long purely horizontal move
  EXPECT_TRUE(window.steps.empty());
  press.Move({105, 105});
  press.Move({110, 120});
  press.Release({110, 120});
  EXPECT_EQ(window.steps, Steps({"drag", "move 105,105", "move 110,120", "end"}));

  window.steps.clear();
  press.Press({100, 100});
  now += 501;
  press.Move({101, 100});
  EXPECT_EQ(window.steps, Steps({"drag", "move 101,100"}));

  press.Release({101, 100});
  window.steps.clear();
  press.Press({0, 0});
  press.Timeout();
  press.Press({9, 9});  // a second press during a drag starts nothing
  press.Release({0, 0});
  EXPECT_EQ(window.steps, Steps({"drag", "end"}));
  EXPECT_EQ(window.timers, 3);
}

TEST_F(MousePressTest, AReleaseLateOrFarIsADragThatEndsAtOnce) {
  press.Press({0, 0});
  now += 600;
  press.Release({0, 0});
  press.Press({0, 0});
  press.Release({-5, 5});
  EXPECT_EQ(window.steps, Steps({"drag", "end", "drag", "end"}));
}

TEST_F(MousePressTest, LosingTheMouseEndsAnyPressWithoutAClick) {
  press.Press({0, 0});
  press.Timeout();
  press.CaptureLost();
  press.Move({50, 50});
  press.Release({50, 50});
  press.Press({0, 0});
  press.Release({0, 0});
  press.CaptureLost();
  press.Timeout();
  press.CaptureLost();
  EXPECT_EQ(window.steps, Steps({"drag", "end lost", "end lost"}));
  EXPECT_FALSE(press.IsDown());
}

}  // namespace
