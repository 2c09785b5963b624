// What is active after a scene's window closes: the user's last window with a scene, even when the
// 3D Objects window was worked in meanwhile, so that its scene's commands (File/Close among them)
// are at hand without a click into it.
#include <gtest/gtest.h>

#include <QMdiSubWindow>

#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

TEST_F(SceneWindows, AfterAClosedSceneTheWindowOfTheSceneLeftIsActiveAndItsCloseIsAtHand) {
  main->MainWindow()->activateWindow();
  QApplication::processEvents();
  Key(Qt::Key_N);
  XDocument& first = Scene();
  CFrameWnd* firstWindow = Views(first).at(0)->GetParentFrame();
  QMdiSubWindow* objects = main->GetMDIClient()->Children().at(0)->SubWindow();
  const auto fileClose = [&] {
    QMenu* file = OpenMenu("&File");
    QAction* close = Item(file, "&Close");
    return std::pair{file, close};
  };

  const struct {
    const char* how;
    bool objectsBetween;  // the 3D Objects window is clicked between the two scenes
    bool byKey;           // the window's close key rather than File/Close
  } cases[] = {
      {"File/Close", false, false},
      {"File/Close after a click in the 3D Objects window", true, false},
      {"the close key after a click in the 3D Objects window", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    if (c.objectsBetween) {
      QTest::mouseClick(objects, Qt::LeftButton, {}, QPoint(objects->width() / 2, 8));  // its title bar
      ASSERT_EQ(main->MDIGetActive()->SubWindow(), objects);
    }
    Key(Qt::Key_N);
    ASSERT_NE(&Scene(), &first);
    if (c.byKey) {
      Key(Qt::Key_F4);
    } else {
      // Down to the item and Enter: Qt 6.8 takes no click on a menu that has only just opened
      // under a pointer that has not moved there.
      const auto [file, close] = fileClose();
      for (int i = 0; i < file->actions().size() && file->activeAction() != close; ++i)
        QTest::keyClick(file, Qt::Key_Down);
      ASSERT_EQ(file->activeAction(), close);
      QTest::keyClick(file, Qt::Key_Return);
    }
    QApplication::processEvents();
    ASSERT_EQ(app.CountOpenScenes(), 1);
    EXPECT_EQ(main->MDIGetActive(), firstWindow);
    EXPECT_EQ(main->GetActiveDocument(), &first);
    const auto [file, close] = fileClose();
    EXPECT_TRUE(close->isEnabled());
    file->hide();
  }
}

}  // namespace
