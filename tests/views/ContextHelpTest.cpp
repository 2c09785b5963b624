// Context help in the main window: after Shift+F1 a click in a camera window shows the topic of the
// prompt the window gives for the point it hits, what a press there would do, and carries out
// nothing; a click on a menu title opens the menu, whose command chosen shows its topic, as does a
// command's shortcut key.
#include <gtest/gtest.h>

#include "platform/framework/MessageLoop.h"
#include "scene/MeshSO.h"
#include "support/PointerPath.h"
#include "support/RecordingHelp.h"
#include "views/SceneWindowsFixture.h"

namespace {

using views_test::SceneWindows;

// The title `text` of the main window's menu bar.
QAction* MenuTitle(QMenuBar* bar, const QString& text) {
  for (QAction* top : bar->actions())
    if (top->text() == text) return top;
  return nullptr;
}

// The topics the help window was asked to show.
std::vector<DWORD> Topics(const RecordingHelp& help) {
  std::vector<DWORD> shown;
  for (const HelpPage& page : help.pages) shown.push_back(page.topic);
  return shown;
}

// Shift+F1, then a click on the menu bar's title `text`: its menu, open in help mode.
QMenu* HelpClickOnMenuTitle(SceneWindows& program, const QString& text) {
  QMenuBar* bar = program.main->MainWindow()->menuBar();
  QAction* title = MenuTitle(bar, text);
  if (!title) return nullptr;
  program.Key(Qt::Key_F1, Qt::ShiftModifier);
  const QPoint at = bar->actionGeometry(title).center();
  MovePointerAlongPath(bar->mapToGlobal(at));
  QTest::mouseClick(bar, Qt::LeftButton, {}, at);
  QApplication::processEvents();
  return title->menu()->isVisible() && InContextHelpMode() ? title->menu() : nullptr;
}

// Chooses `item` of the open `menu` with the mouse or with the keys.
void ChooseInOpenMenu(QMenu* menu, QAction* item, bool byMouse) {
  if (byMouse) {
    const QPoint on = menu->actionGeometry(item).center();
    MovePointerAlongPath(menu->mapToGlobal(on));
    // The click comes once the item shows selected: a submenu that opened as the pointer passed
    // its entry keeps that entry selected a moment longer.
    (void)QTest::qWaitFor([&] { return menu->activeAction() == item; });
    QTest::mouseClick(menu, Qt::LeftButton, {}, on);
  } else {
    SceneWindows::HighlightByKeys(menu, item);
    QTest::keyClick(menu, Qt::Key_Return);
  }
  QApplication::processEvents();
  QApplication::processEvents();
}

TEST_F(SceneWindows, AHelpClickInACameraWindowShowsTheTopicOfThePromptAtThePointItHits) {
  RecordingHelp help;
  Key(Qt::Key_N);
  X3DView* view = Views(Scene()).at(0);
  Ptr<GroupSO> box(new GroupSO);  // at the centre of the new window's sight
  box->AddVisual(Ptr<MeshSO>(new MeshSO(8, 0.05, 0.1, 0xFF0000FF)));
  Scene().AddGroup(box, FALSE, FALSE, 0);
  Key(Qt::Key_3);  // Move Object
  ASSERT_EQ(app.GetInteractiveMode(), 3);
  QWidget* widget = view->GetWidget();
  const QPoint centre(widget->width() / 2, widget->height() / 2), corner(4, 4);

  const struct {
    const char* what;
    QPoint at;
    int selected;
    UINT prompt;  // the prompt of Move Object for what the click hits
  } cases[] = {
      {"the box", centre, 0, 40066},
      {"nothing, nothing selected", corner, 0, 40057},
      {"nothing, the box selected", corner, 1, 40067},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.selected) Scene().SelectOnly(box, FALSE, 0);
    ASSERT_EQ(Scene().GetSelectedCount(), c.selected);
    help.pages.clear();
    QTest::keyClick(widget, Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_TRUE(InContextHelpMode());
    QTest::mouseMove(widget, c.at);
    QTest::mouseClick(widget, Qt::LeftButton, {}, c.at);
    QApplication::processEvents();
    EXPECT_FALSE(InContextHelpMode());
    ASSERT_EQ(help.pages.size(), 1u);
    EXPECT_EQ(help.pages[0].topic, 0x10000 + c.prompt);
    // The click selected nothing and moved nothing.
    EXPECT_EQ(Scene().GetSelectedCount(), c.selected);
    EXPECT_FALSE(view->IsMouseDown());
  }
}

// After Shift+F1 a click on a menu title opens the menu, still in help mode; the command chosen
// from it, by the mouse or by the keys, shows its topic and does not run. Closing the menu without
// a choice ends the mode.
TEST_F(SceneWindows, AHelpClickOnAMenuTitleOpensTheMenuAndTheCommandChosenShowsItsTopic) {
  RecordingHelp help;
  QWidget* objects = main->GetObjects3DView()->GetParentFrame()->GetWidget();
  ASSERT_TRUE(objects->isVisible());

  enum class Choice { Click, Keys, Escape };
  const struct {
    const char* what;
    const char* title;
    const char* item;
    Choice choice;
    DWORD topic;  // 0: none
  } cases[] = {
      {"File/New clicked", "&File", "&New", Choice::Click, 0x10000 + 57600},
      {"Window/3D Objects by the keys", "&Window", "&3D Objects", Choice::Keys, 0x10000 + 33125},
      {"File/Open highlighted, then Esc", "&File", "&Open", Choice::Escape, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    help.pages.clear();
    QMenu* menu = HelpClickOnMenuTitle(*this, c.title);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(help.pages.empty());
    QAction* item = Item(menu, c.item);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isEnabled());
    if (c.choice == Choice::Escape) {
      HighlightByKeys(menu, item);
      QTest::keyClick(menu, Qt::Key_Escape);
      QApplication::processEvents();
      QApplication::processEvents();
    } else {
      ChooseInOpenMenu(menu, item, c.choice == Choice::Click);
    }
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(InContextHelpMode());
    EXPECT_EQ(Topics(help), c.topic ? std::vector<DWORD>{c.topic} : std::vector<DWORD>{});
    // Nothing ran: no new scene, the 3D Objects window still shown, no dialog.
    EXPECT_EQ(OpenFrames(), 0);
    EXPECT_TRUE(objects->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

// After Shift+F1 a command's shortcut key shows the command's topic and does not run, as the
// command chosen from a menu does; Esc ends the mode, and the key runs its command again.
TEST_F(SceneWindows, InHelpModeACommandsKeyShowsItsTopicInsteadOfRunningIt) {
  RecordingHelp help;
  Key(Qt::Key_N);
  XDocument& scene = Scene();
  DropObject("Cube", *Views(scene).at(0));  // an edit to undo, selected as it landed
  const auto groups = [&] { return scene.GetScene()->GetGroups().GetCount(); };
  const auto before = groups();
  ASSERT_EQ(scene.GetSelectedCount(), 1);
  QWidget* objects = main->GetObjects3DView()->GetParentFrame()->GetWidget();
  ASSERT_TRUE(objects->isVisible());

  const struct {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    UINT command;
  } cases[] = {
      {"Ctrl+N, File/New", Qt::Key_N, Qt::ControlModifier, 57600},
      {"Ctrl+Z, Edit/Undo", Qt::Key_Z, Qt::ControlModifier, 57643},
      {"Del, Edit/Delete", Qt::Key_Delete, Qt::NoModifier, 57632},
      {"Ctrl+J, Window/3D Objects", Qt::Key_J, Qt::ControlModifier, 33125},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    help.pages.clear();
    Key(Qt::Key_F1, Qt::ShiftModifier);
    ASSERT_TRUE(InContextHelpMode());
    Key(c.key, c.modifiers);
    EXPECT_FALSE(InContextHelpMode());
    EXPECT_EQ(Topics(help), std::vector<DWORD>{HID_BASE_COMMAND + c.command});
    // Nothing ran: one scene, its object neither undone nor deleted, the 3D Objects window shown.
    EXPECT_EQ(OpenFrames(), 1);
    EXPECT_EQ(groups(), before);
    EXPECT_EQ(scene.GetSelectedCount(), 1);
    EXPECT_TRUE(objects->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }

  help.pages.clear();
  Key(Qt::Key_F1, Qt::ShiftModifier);
  Key(Qt::Key_Escape, Qt::NoModifier);
  EXPECT_FALSE(InContextHelpMode());
  Key(Qt::Key_N);
  EXPECT_EQ(OpenFrames(), 2);
  EXPECT_TRUE(help.pages.empty());
}

// In help mode the menus of the bar can be walked, by the Right key or by the pointer moving onto
// the next title: the mode lasts, and the command chosen from the next menu shows its topic.
TEST_F(SceneWindows, InHelpModeTheCommandChosenAfterMovingToTheNextMenuShowsItsTopic) {
  RecordingHelp help;
  QMenuBar* bar = main->MainWindow()->menuBar();
  QWidget* objects = main->GetObjects3DView()->GetParentFrame()->GetWidget();
  QWidget* statusBar = main->GetStatusBar().GetWidget();
  ASSERT_TRUE(objects->isVisible());
  ASSERT_TRUE(statusBar->isVisible());

  const struct {
    const char* what;
    const char* title;
    bool byPointer;  // else by the Right key
    const char* next;
    const char* item;
    UINT command;
  } cases[] = {
      {"Right key, Interactive to Window, 3D Objects", "&Interactive", false, "&Window", "&3D Objects", 33125},
      {"pointer, Edit to View, Status Bar", "&Edit", true, "&View", "&Status Bar", 59393},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    help.pages.clear();
    QMenu* first = HelpClickOnMenuTitle(*this, c.title);
    ASSERT_NE(first, nullptr);
    QAction* nextTitle = MenuTitle(bar, c.next);
    ASSERT_NE(nextTitle, nullptr);
    if (c.byPointer) {
      // The open menu holds the pointer: it hears the moves over the bar and passes them on.
      MovePointerAlongPath(bar->mapToGlobal(bar->actionGeometry(nextTitle).center()));
    } else {
      QTest::keyClick(first, Qt::Key_Right);
    }
    QApplication::processEvents();
    QApplication::processEvents();
    QMenu* next = nextTitle->menu();
    ASSERT_TRUE(next->isVisible());
    EXPECT_FALSE(first->isVisible());
    EXPECT_TRUE(InContextHelpMode());
    QAction* item = Item(next, c.item);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->isEnabled());
    ChooseInOpenMenu(next, item, c.byPointer);
    EXPECT_FALSE(next->isVisible());
    EXPECT_FALSE(InContextHelpMode());
    EXPECT_EQ(Topics(help), std::vector<DWORD>{HID_BASE_COMMAND + c.command});
    // Nothing ran: the 3D Objects window and the status bar still shown.
    EXPECT_TRUE(objects->isVisible());
    EXPECT_TRUE(statusBar->isVisible());
  }
}

// In help mode the entries the program adds to its menus are commands too: a window of the Window
// menu's list is not activated, a recent scene of the File menu not opened; each shows its topic.
TEST_F(SceneWindows, InHelpModeAnEntryOfTheWindowListOrTheRecentScenesShowsItsTopic) {
  ScriptedFileDialogs files;
  files.Answer({folder / "older.tvr", folder / "newer.tvr"});
  for (int saved = 0; saved < 2; ++saved) {
    Key(Qt::Key_N);
    Key(Qt::Key_S);
    Scene().OnCloseDocument();
  }
  Key(Qt::Key_N);
  ASSERT_EQ(app.CountOpenScenes(), 1);
  CMDIChildWnd* active = main->MDIGetActive();
  ASSERT_NE(active, nullptr);
  RecordingHelp help;

  const struct {
    const char* what;
    const char* title;
    const char* item;
    bool byMouse;
    UINT command;
  } cases[] = {
      {"the first window of the Window list", "&Window", "&1 ", true, AFX_IDM_FIRST_MDICHILD},
      // The first recent entry is the menu's own item; those after it are the list's.
      {"the second recent scene", "&File", "&2 older.tvr", false, 57617},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    help.pages.clear();
    QMenu* menu = HelpClickOnMenuTitle(*this, c.title);
    ASSERT_NE(menu, nullptr);
    QAction* item = Item(menu, c.item);
    ASSERT_NE(item, nullptr);
    ASSERT_FALSE(item->isChecked());  // not the active window
    ChooseInOpenMenu(menu, item, c.byMouse);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(InContextHelpMode());
    EXPECT_EQ(Topics(help), std::vector<DWORD>{HID_BASE_COMMAND + c.command});
    EXPECT_EQ(main->MDIGetActive(), active);
    EXPECT_EQ(app.CountOpenScenes(), 1);
    EXPECT_EQ(OpenFrames(), 1);
  }
}

}  // namespace
