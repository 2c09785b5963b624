// The main window's menus, toolbar buttons and keys in the started program, used as a user uses
// them: menus opened, buttons clicked, keys typed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <string>

#include "platform/framework/MessageLoop.h"
#include "support/RecordingHelp.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

// Runs `user` (which opens a modal dialog) while `act` waits for the dialog and then closes it.
void WithModalDialog(const std::function<void()>& user, const std::function<void(QDialog*)>& act) {
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* window = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!window || !window->isVisible()) return;
    poll.stop();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));  // laid out and placed
    act(window);
  });
  poll.start(20);
  user();
  QApplication::processEvents();
}

// The title of the modal dialog that `user` opens, closed again by Escape; "(none)" when none opens.
std::string DialogOpenedBy(const std::function<void()>& user) {
  std::string title = "(none)";
  WithModalDialog(user, [&](QDialog* window) {
    title = window->windowTitle().toStdString();
    QTest::keyClick(window, Qt::Key_Escape);
  });
  return title;
}

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
}

TEST_F(SceneWindows, TheKeysTheMenusShowRunTheirCommandsAndShiftF1BeginsContextHelp) {
  RecordingHelp help;
  Key(Qt::Key_N);
  X3DView& camera = *Views(Scene()).at(0);
  Key(Qt::Key_0);
  EXPECT_EQ(app.GetInteractiveMode(), 0);  // Size Object
  for (int key : {Qt::Key_Equal, Qt::Key_Equal, Qt::Key_Minus}) Key(key);  // Ctrl with the plus and minus keys
  EXPECT_EQ(camera.GetZoomNumerator().cy, 2);
  QAction* zoom = Item(OpenMenu("&Window"), "&Zoom");
  ASSERT_NE(zoom, nullptr);
  zoom->menu()->actions().at(4)->trigger();  // 500%
  QApplication::processEvents();
  EXPECT_EQ(camera.GetZoomNumerator().cy, 5);
  EXPECT_EQ(DialogOpenedBy([&] { Key(Qt::Key_L); }), "Edit Lights");
  QAction* about = Item(OpenMenu("&Help"), "&About");  // for a user who missed the splash
  ASSERT_NE(about, nullptr);
  EXPECT_NE(DialogOpenedBy([&] { about->trigger(); QApplication::processEvents(); }), "(none)");

  // Shift+F1 begins context help; in a dialog the next click shows the topic of the button it hits.
  Key(Qt::Key_F1, Qt::ShiftModifier);
  EXPECT_TRUE(InContextHelpMode());
  Key(Qt::Key_Escape, {});
  EXPECT_FALSE(InContextHelpMode());
  std::string title;
  bool helpMode = false, stillOpen = false;
  WithModalDialog([&] { Key(Qt::Key_H); }, [&](QDialog* window) {
    title = window->windowTitle().toStdString();
    QTest::keyClick(window, Qt::Key_F1, Qt::ShiftModifier);
    helpMode = InContextHelpMode();
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
      if (button->text() == "Close") QTest::mouseClick(button, Qt::LeftButton);
    stillOpen = window->isVisible();
    QTest::keyClick(window, Qt::Key_Escape);
  });
  EXPECT_EQ(title, "Edit History");
  EXPECT_TRUE(helpMode && stillOpen);
  EXPECT_TRUE(help.Opened(0x10000 + 32808));
}

}  // namespace
