// What is active after a scene's window closes: the user's last window with a scene, even when the
// 3D Objects window was worked in meanwhile, so that its scene's commands (File/Close among them)
// are at hand without a click into it.
#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <string>

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

// With two scenes left, the one whose window was used last becomes active, whichever was made
// first, and a click in the 3D Objects window in between neither activates a scene's window nor
// takes the place of the one used last.
TEST_F(SceneWindows, AfterAClosedSceneTheWindowUsedLastOfTwoScenesLeftIsActive) {
  main->MainWindow()->activateWindow();
  QApplication::processEvents();
  Key(Qt::Key_N);
  XDocument& first = Scene();
  Key(Qt::Key_N);
  XDocument& second = Scene();
  ASSERT_NE(&first, &second);
  QMdiSubWindow* objects = main->GetMDIClient()->Children().at(0)->SubWindow();
  const auto click = [](QMdiSubWindow* window) {
    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(window->width() / 2, 8));  // its title bar
    QApplication::processEvents();
  };
  const auto activeScene = [&] {
    const CDocument* active = main->GetActiveDocument();
    return active ? active->GetTitle().str() : std::string("no scene");
  };

  const struct {
    const char* how;
    XDocument* used;
    bool objectsBetween;
  } cases[] = {
      {"the first scene used last", &first, false},
      {"the second scene used last", &second, false},
      {"the first scene used last, then the 3D Objects window", &first, true},
      {"the second scene used last, then the 3D Objects window", &second, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    auto* used = dynamic_cast<CMDIChildWnd*>(Views(*c.used).at(0)->GetParentFrame());
    ASSERT_NE(used, nullptr);
    click(used->SubWindow());
    ASSERT_EQ(main->MDIGetActive(), used);
    if (c.objectsBetween) {
      click(objects);
      ASSERT_EQ(main->MDIGetActive()->SubWindow(), objects) << activeScene();
    }
    Key(Qt::Key_N);
    ASSERT_EQ(app.CountOpenScenes(), 3);
    Key(Qt::Key_F4);
    ASSERT_EQ(app.CountOpenScenes(), 2);
    EXPECT_EQ(activeScene(), c.used->GetTitle().str());
    EXPECT_EQ(main->MDIGetActive(), used);
  }
}

}  // namespace
