// The main window's menus, toolbar buttons and keys in the started program, used as a user uses
// them: menus opened, buttons clicked, keys typed.
#include <gtest/gtest.h>

#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

TEST_F(SceneWindows, TheInteractiveModesComeAliveInMenuAndToolbarOnceThereIsAScene) {
  // Opened with no scene, the Interactive menu and the toolbar grey the modes.
  QMenu* interactive = OpenMenu("&Interactive");
  ASSERT_NE(Item(interactive, "Move Object\t"), nullptr);
  EXPECT_FALSE(Item(interactive, "Move Object\t")->isEnabled());
  interactive->hide();
  app.OnIdle(0);
  QWidget* move = Button(main->GetBeginnerToolBar(), 33065);
  ASSERT_NE(move, nullptr);
  EXPECT_FALSE(move->isEnabled());

  Key(Qt::Key_N);
  interactive = OpenMenu("&Interactive");
  EXPECT_TRUE(Item(interactive, "Move Object\t")->isEnabled());
  EXPECT_TRUE(Item(interactive, "Rotate Object\t")->isChecked());  // the mode in force
  interactive->hide();
  app.OnIdle(0);
  QTest::mouseClick(move, Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(app.GetInteractiveMode(), 3);
  app.OnIdle(0);
  EXPECT_TRUE(main->GetBeginnerToolBar().Action(main->GetBeginnerToolBar().CommandToIndex(33065))->isChecked());
}

}  // namespace
