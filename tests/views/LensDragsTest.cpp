// The lens drags (Focus Camera, Adjust Lens Zoom, Adjust Blurriness) dragged round after round in
// a camera window.
#include <gtest/gtest.h>

#include <string>

#include "support/FatalCheck.h"
#include "views/CameraLengths.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

// Drag after drag the same way lengthens the lens value until it stops at the longest length a
// scene keeps; the window goes on showing the scene, the scene keeps the value through a save, and
// a drag the other way shortens it again.
TEST_F(SceneWindows, LensDragsStopLengtheningWhereTheSceneCanStillKeepTheLens) {
  struct LensDrag {
    const char* name;
    Qt::Key key;  // with Alt
    double CameraFields::*value;
    bool downLengthens;
    double longest;  // the longest the scene keeps
  };
  const LensDrag drags[] = {{"Focus Camera", Qt::Key_8, &CameraFields::focus, false, kLargestFocusDistance},
                            {"Adjust Lens Zoom", Qt::Key_9, &CameraFields::focal, true, kLargestCameraLength},
                            {"Adjust Blurriness", Qt::Key_0, &CameraFields::fstop, true, kLargestCameraLength}};
  for (const LensDrag& lens : drags) {
    SCOPED_TRACE(lens.name);
    Key(Qt::Key_N);
    X3DView* view = Views(Scene()).at(0);
    view->ImportFile(TAVROLIN_BINARY_DIR "/Objects/Cube.ulm");
    QWidget* window = view->GetWidget();
    const QPoint top(window->width() / 2, 10), bottom(window->width() / 2 + 12, window->height() - 10);
    const QPoint from = lens.downLengthens ? top : bottom, to = lens.downLengthens ? bottom : top;
    auto drag = [&](QPoint start, QPoint end) {
      views_test::SendMouse(window, QEvent::MouseButtonPress, start, Qt::LeftButton);
      views_test::SendMouse(window, QEvent::MouseMove, start + QPoint(6, end.y() > start.y() ? 6 : -6),
                            Qt::LeftButton);
      views_test::SendMouse(window, QEvent::MouseMove, end, Qt::LeftButton);
      views_test::SendMouse(window, QEvent::MouseButtonRelease, end, Qt::NoButton);
    };
    // A camera without blur has no focus to move: blur it first.
    Key(Qt::Key_0, Qt::AltModifier);
    drag(top, top + QPoint(0, 60));
    ASSERT_NE(view->settings.fstop, 0.0);
    Key(lens.key, Qt::AltModifier);

    std::string fatal;
    int rounds = 0;
    double value = -1.0;
    try {
      for (; rounds < 3000 && view->settings.*lens.value != value; ++rounds) {
        value = view->settings.*lens.value;
        drag(from, to);
      }
    } catch (const FatalCheckFailed& failure) {
      fatal = failure.report.expression;
    }
    ASSERT_EQ(fatal, "");
    EXPECT_LT(rounds, 3000);  // it stopped growing
    EXPECT_EQ(value, lens.longest);

    XDocument* reopened = Reopen(Scene(), Save(Scene()));
    ASSERT_NE(reopened, nullptr);
    view = Views(*reopened).at(0);
    EXPECT_EQ(view->settings.*lens.value, value);
    window = view->GetWidget();
    drag(to, from);
    EXPECT_LT(view->settings.*lens.value, value);
    view->GetDocument()->OnCloseDocument();
  }
}

}  // namespace
