// The main window's menus, toolbar buttons and keys in the started program, used as a user uses
// them: menus opened, buttons clicked, keys typed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/framework/MessageLoop.h"
#include "platform/win/TickCount.h"
#include "support/ScriptedFileDialogs.h"
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
// `whileOpen` looks at the program while the dialog is up.
std::string DialogOpenedBy(const std::function<void()>& user, const std::function<void()>& whileOpen = {}) {
  std::string title = "(none)";
  WithModalDialog(user, [&](QDialog* window) {
    title = window->windowTitle().toStdString();
    if (whileOpen) whileOpen();
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
  // A toolbar click runs once the time for a double click has passed.
  EXPECT_TRUE(QTest::qWaitFor([&] { return app.GetInteractiveMode() == 3; }));
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

// The status prompt while the keys move the menu's highlight onto its item starting with `prefix`.
std::string PromptOf(SceneWindows& program, QMenu* menu, const QString& prefix) {
  SceneWindows::HighlightByKeys(menu, SceneWindows::Item(menu, prefix));
  const std::string prompt = program.main->GetStatusBar().GetPromptText().str();
  menu->hide();
  return prompt;
}

TEST_F(SceneWindows, SaveAsKeepsTheShippedTutorialAndNeverStartsInTheProgramsFolder) {
  ScriptedFileDialogs dialogs;
  const std::string program = app.programPath.GetDirectory().str();
  const std::string tutorial = program + "/Tutorial1.tvr";
  std::ifstream shipped(tutorial, std::ios::binary);
  const std::string before{std::istreambuf_iterator<char>(shipped), {}};
  ASSERT_FALSE(before.empty());

  // The tutorial opened from the program's folder, which the Open dialog leaves current.
  dialogs.Answer({tutorial});
  Key(Qt::Key_O);
  ASSERT_EQ(app.CountOpenScenes(), 1);
  XDocument& scene = Scene();
  EXPECT_EQ(PromptOf(*this, OpenMenu("&File"), "Save &As"), "Save the active scene with a new name");

  const std::string mine = folder / "My tutorial.tvr";
  dialogs.Answer({mine});
  QMenu* file = OpenMenu("&File");
  QAction* saveAs = Item(file, "Save &As...");
  ASSERT_NE(saveAs, nullptr);
  EXPECT_TRUE(saveAs->isEnabled());
  saveAs->trigger();
  file->hide();
  QApplication::processEvents();
  ASSERT_EQ(dialogs.requests.size(), 2u);
  EXPECT_FALSE(dialogs.requests[1].open);
  EXPECT_EQ(dialogs.requests[1].fileName, "Tutorial1.tvr");
  EXPECT_TRUE(std::filesystem::equivalent(dialogs.startFolders[1], std::getenv("HOME")))
      << dialogs.startFolders[1];
  EXPECT_EQ(scene.GetPathName().str(), mine);
  EXPECT_TRUE(std::filesystem::exists(mine));
  std::ifstream after(tutorial, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), before);

  // The next dialog starts where the scene went.
  Key(Qt::Key_O);
  ASSERT_EQ(dialogs.startFolders.size(), 3u);
  EXPECT_EQ(dialogs.startFolders[2], folder.Path());
}

// Save As leaves the program's own folder for the home folder, and only that one: a folder below
// it, or one whose name merely begins with its name, is the user's and the dialog starts there.
TEST_F(SceneWindows, SaveAsStartsInTheCurrentFolderUnlessItIsTheProgramsOwn) {
  ScriptedFileDialogs dialogs;  // every Save As is cancelled
  const std::string program = folder / "Tavrolin";
  app.programPath = (program + "/tavrolin").c_str();
  Key(Qt::Key_N);
  ASSERT_EQ(app.CountOpenScenes(), 1);
  const struct {
    std::string current, start;
  } cases[] = {{program, std::getenv("HOME")}, {program + "/Scenes", program + "/Scenes"}, {program + "2", program + "2"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.current);
    std::filesystem::create_directories(c.current);
    ASSERT_TRUE(SetCurrentDirectory(c.current.c_str()));
    QMenu* file = OpenMenu("&File");
    QAction* saveAs = Item(file, "Save &As...");
    ASSERT_NE(saveAs, nullptr);
    saveAs->trigger();
    file->hide();
    QApplication::processEvents();
    ASSERT_FALSE(dialogs.startFolders.empty());
    EXPECT_TRUE(std::filesystem::equivalent(dialogs.startFolders.back(), c.start)) << dialogs.startFolders.back();
  }
  EXPECT_EQ(dialogs.startFolders.size(), 3u);
}

// What the user does while a click in a camera window waits to be told from a double click is
// carried out once the click is done, in the order it was done: the keys' and the menu's commands
// act on the selection the click left, and a right press on an object opens its sheet.
TEST_F(SceneWindows, CommandsAndRightPressesGivenWhileAClickIsDecidedRunAfterItInOrder) {
  Key(Qt::Key_N);
  X3DView& camera = *Views(Scene()).at(0);
  camera.ImportFile(TAVROLIN_BINARY_DIR "/Objects/Cube.ulm");
  XDocument& doc = Scene();
  ASSERT_EQ(doc.GetSelectedCount(), 1);
  const Ptr<GroupSO> cube = doc.GetSelected(0);
  const int groups = doc.GetScene()->GetGroups().GetCount();
  QWidget* window = camera.GetWidget();
  const QPoint centre = window->rect().center(), corner(5, 5);
  auto selectNone = [&] {
    QMenu* edit = OpenMenu("&Edit");
    Item(edit, "Select &None")->trigger();
    edit->hide();
    QApplication::processEvents();
  };
  auto rightPress = [&] {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(centre), window->mapToGlobal(QPointF(centre)), Qt::RightButton,
                      Qt::RightButton, {});
    QApplication::sendEvent(window, &press);
  };
  struct Case {
    const char* what;
    bool selectedBefore;
    QPoint clickAt;
    std::function<void()> input;
    std::string after;  // whether the cube is selected (or removed), and the dialog shown
  };
  const std::vector<Case> cases = {
      {"Select None after a click on the selected cube", true, centre, selectNone, "0 (none)"},
      {"Ctrl+Z after clearing the selection", true, corner, [&] { Key(Qt::Key_Z); }, "1 (none)"},
      {"a right press on the cube", false, corner, rightPress, "0 Edit Object"},
      // The sheet the right press opens is closed before the Delete given after it removes the cube.
      {"a right press on the cube, then Delete", false, centre,
       [&] {
         rightPress();
         Key(Qt::Key_Delete, {});
       },
       "removed Edit Object"},
      {"Delete after selecting the cube", false, centre, [&] { Key(Qt::Key_Delete, {}); }, "removed (none)"},
  };
  DWORD now = 1000;
  const TickSource clock = SetTickSource([&now] { return now; });
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (doc.GetScene()->GetGroups().GetCount() != groups) Key(Qt::Key_Z);  // the cube a case removed
    doc.SelectOnly(c.selectedBefore ? cube : Ptr<GroupSO>(), FALSE, 0);
    views_test::SendMouse(window, QEvent::MouseButtonPress, c.clickAt, Qt::LeftButton);
    views_test::SendMouse(window, QEvent::MouseButtonRelease, c.clickAt, Qt::NoButton);
    c.input();
    // The time for a double click passes, and the pointer moves while the window still holds the
    // mouse: the click is done.
    EXPECT_TRUE(camera.IsMouseDown());
    std::string sheetLost;  // a command that ran while the dialog was up took its object away
    const std::string dialog = DialogOpenedBy(
        [&] {
          now += 600;
          views_test::SendMouse(window, QEvent::MouseMove, c.clickAt, Qt::LeftButton);
          QApplication::processEvents();
        },
        [&] {
          if (doc.GetScene()->GetGroups().GetCount() != groups) sheetLost = " over a removed cube";
        });
    const bool present = doc.GetScene()->GetGroups().GetCount() == groups;
    EXPECT_EQ((present ? std::to_string(doc.IsSelected(cube)) : "removed") + " " + dialog + sheetLost, c.after);
  }
  SetTickSource(clock);
}

}  // namespace
