// Adjust Lens Zoom dragged round after round in a camera window.
#include <gtest/gtest.h>

#include <string>

#include "support/FatalCheck.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

// Drag after drag down the window lengthens the focal length until it stops; the window goes on
// showing the scene, the scene keeps the lens through a save, and a drag up shortens it again.
TEST_F(SceneWindows, AdjustLensZoomStopsLengtheningWhereTheWindowCanStillShowTheScene) {
  Key(Qt::Key_N);
  X3DView* view = Views(Scene()).at(0);
  view->ImportFile(TAVROLIN_BINARY_DIR "/Objects/Cube.ulm");
  Key(Qt::Key_9, Qt::AltModifier);  // Adjust Lens Zoom
  QWidget* window = view->GetWidget();
  const QPoint top(window->width() / 2, 10), bottom(window->width() / 2 + 12, window->height() - 10);
  auto drag = [&](QPoint from, QPoint to) {
    views_test::SendMouse(window, QEvent::MouseButtonPress, from, Qt::LeftButton);
    views_test::SendMouse(window, QEvent::MouseMove, from + QPoint(6, to.y() > from.y() ? 6 : -6), Qt::LeftButton);
    views_test::SendMouse(window, QEvent::MouseMove, to, Qt::LeftButton);
    views_test::SendMouse(window, QEvent::MouseButtonRelease, to, Qt::NoButton);
  };

  std::string fatal;
  int rounds = 0;
  double focal = 0.0;
  try {
    for (; rounds < 2000 && view->settings.focal != focal; ++rounds) {
      focal = view->settings.focal;
      drag(top, bottom);
    }
  } catch (const FatalCheckFailed& failure) {
    fatal = failure.report.expression;
  }
  ASSERT_EQ(fatal, "");
  EXPECT_LT(rounds, 2000);  // it stopped growing
  EXPECT_GT(focal, 1000.0);

  XDocument* reopened = Reopen(Scene(), Save(Scene()));
  ASSERT_NE(reopened, nullptr);
  view = Views(*reopened).at(0);
  EXPECT_EQ(view->settings.focal, focal);
  window = view->GetWidget();
  drag(bottom, top);
  EXPECT_LT(view->settings.focal, focal);
}

}  // namespace
