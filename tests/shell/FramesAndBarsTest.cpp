// The main frame with its real bars and menus, driven by keys, clicks and commands: toolbar
// visibility and layout, the Window and File menus, settings clicks, prompts and help, the 3D
// Objects window with the files it lists and their thumbnails. Then the prompt line of a plain
// frame, child frames of a plain main frame, and the visibility of bars.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyleOption>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTextBrowser>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "core/XString.h"
#include "platform/framework/Archive.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/Document.h"
#include "platform/framework/Help.h"
#include "platform/framework/HelpWindow.h"
#include "platform/framework/MDIFrameWnd.h"
#include "platform/framework/MemFile.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/ScrollView.h"
#include "platform/ddraw/DDResults.h"
#include "platform/ddraw/TestSeams.h"
#include "platform/win/TickCount.h"
#include "scene/ObjectFile.h"
#include "shell/ObjectThumbnail.h"
#include "dialogs/WindowHelpers.h"
#include "shell/XApp.h"
#include "shell/XFrameWnd.h"
#include "shell/XMainFrame.h"
#include "platform/win/MessageBox.h"
#include "support/FatalCheck.h"
#include "support/PlatformFakes.h"
#include "support/PointerPath.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"

namespace {

constexpr Qt::KeyboardModifiers kCtrlAlt = Qt::ControlModifier | Qt::AltModifier;

// Notes the settings commands the toolbars post, besides those that open the Preferences sheet.
class RecordingMainFrame : public XMainFrame {
 public:
  void OnSettings(UINT id) { posted.push_back(id); }
  std::vector<UINT> posted;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RecordingMainFrame, XMainFrame)
  ON_COMMAND_RANGE(2103, 2105, OnSettings)
  ON_COMMAND_RANGE(10001, 10001, OnSettings)
  ON_COMMAND_RANGE(33137, 33137, OnSettings)
  ON_COMMAND_RANGE(33110, 33110, OnSettings)  // Adjust Lens Zoom itself
END_MESSAGE_MAP()

struct MainFrameFixture : ::testing::Test {
  MainFrameFixture() { winApp.programPath = TAVROLIN_BINARY_DIR "/bin/tavrolin"; }
  ~MainFrameFixture() override { Close(); }
  // The frame reads the screen size and the preferences itself as it is made.
  void Open(int screenWidth = 1024, int frameWidth = 1000) {
    info->screenSize = {screenWidth, 768};
    frame = new RecordingMainFrame;
    EXPECT_TRUE(frame->LoadFrame(12));
    winApp.m_pMainWnd = frame;
    frame->MoveWindow(0, 0, frameWidth, 700);
    frame->ShowWindow(SW_SHOW);
    QApplication::processEvents();
    frame->posted.clear();
  }
  void Close() {
    if (!frame) return;
    frame->DestroyWindow();
    winApp.m_pMainWnd = nullptr;
    frame = nullptr;
  }
  std::string Shown() {
    std::string shown;
    for (XToolBar* bar : {&frame->GetBeginnerToolBar(), &frame->GetMainToolBar(), &frame->GetInteractiveToolBar(),
                          &frame->GetAdvancedToolBar(), &frame->GetFileToolBar()})
      shown += XIsBarVisible(bar) ? '1' : '0';
    return shown;
  }
  // Each shown bar's side and rectangle, and whether every button of it is shown.
  std::string Layout() {
    std::ostringstream out;
    for (const auto& [bar, name] : Bars()) {
      if (!XIsBarVisible(bar)) continue;
      CRect rect;
      bar->GetWindowRect(&rect);
      out << name << " side " << std::hex << (bar->GetBarStyle() & CBRS_ALIGN_ANY) << std::dec << " at " << rect.left
          << "," << rect.top << " " << rect.Width() << "x" << rect.Height() << (AllButtonsShown(*bar) ? "" : " cut")
          << "; ";
    }
    return out.str();
  }
  // The shown bars docked on top, from left to right; each must start where the one before ends.
  std::string TopRow() {
    std::vector<std::pair<CRect, const char*>> row;
    for (const auto& [bar, name] : Bars()) {
      if (!XIsBarVisible(bar) || !(bar->GetBarStyle() & CBRS_ALIGN_TOP)) continue;
      CRect rect;
      bar->GetWindowRect(&rect);
      row.emplace_back(rect, name);
    }
    std::sort(row.begin(), row.end(), [](const auto& a, const auto& b) { return a.first.left < b.first.left; });
    std::string names;
    for (size_t i = 0; i < row.size(); ++i) {
      if (i > 0) {
        EXPECT_EQ(row[i].first.top, row[0].first.top) << row[i].second;
        EXPECT_EQ(row[i].first.left, row[i - 1].first.right) << row[i].second << " after " << row[i - 1].second;
      }
      names += (i > 0 ? " " : "") + std::string(row[i].second);
    }
    return names;
  }
  std::vector<std::pair<XToolBar*, const char*>> Bars() {
    return {{&frame->GetBeginnerToolBar(), "Beginner"},
            {&frame->GetFileToolBar(), "File"},
            {&frame->GetMainToolBar(), "Main"},
            {&frame->GetInteractiveToolBar(), "Interactive"},
            {&frame->GetAdvancedToolBar(), "Advanced"}};
  }
  static bool AllButtonsShown(XToolBar& bar) {
    for (int i = 0; i < bar.GetCount(); ++i)
      if (bar.GetItemID(i) != 0 && !bar.Buttons()->widgetForAction(bar.Action(i))->isVisible()) return false;
    return true;
  }
  QWidget* Button(XToolBar& bar, UINT command) {
    return bar.Buttons()->widgetForAction(bar.Action(bar.CommandToIndex(command)));
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(frame->GetWidget(), key, modifiers);
    QApplication::processEvents();
  }
  // Opens `menu` as the user does and finds its item whose text starts with `prefix`.
  static QAction* Item(QMenu* menu, const QString& prefix) {
    menu->popup(QPoint(10, 10));
    QApplication::processEvents();
    for (QAction* action : menu->actions())
      if (action->text().startsWith(prefix)) return action;
    return nullptr;
  }
  void Hover(QWidget* widget, QPoint at) {
    MovePointerAlongPath(widget->mapToGlobal(at));
    frame->GetStatusBar().OnIdle();
  }

  XApp winApp;
  ScopedMemoryProfile store;
  ScopedSystemInfo info;
  RecordingMainFrame* frame = nullptr;
};

TEST_F(MainFrameFixture, TheBeginnerToolbarExcludesTheOthersAndTheChoiceSurvivesARestart) {
  XWritePrefString(XPref::MAX_FPS.section, XPref::MAX_FPS.key, "20");
  Open();
  EXPECT_EQ(Globals::GetMaxFps(), 20u);
  EXPECT_EQ(Shown(), "10000");
  EXPECT_FALSE(frame->IsCommandEnabled(59392));
  Key(Qt::Key_B, kCtrlAlt);  // Beginner off: the others by their keys
  EXPECT_EQ(Shown(), "01110");
  Key(Qt::Key_M, kCtrlAlt);  // Main off
  EXPECT_EQ(Shown(), "00110");
  Close();
  Open();
  EXPECT_EQ(Shown(), "00110");
  Key(Qt::Key_B, kCtrlAlt);
  EXPECT_EQ(Shown(), "10000");
}

TEST_F(MainFrameFixture, FloatingToolbarsHideAndShowByTheirKeysAndStayFloating) {
  Open();
  Key(Qt::Key_B, kCtrlAlt);
  frame->SendMessage(WM_COMMAND, 32986);  // Float All
  ASSERT_TRUE(frame->GetMainToolBar().IsFloating());
  for (const char* shown : {"00110", "01110"}) {
    Key(Qt::Key_M, kCtrlAlt);
    EXPECT_EQ(Shown(), shown);
    EXPECT_TRUE(frame->GetMainToolBar().IsFloating());
  }
}

TEST_F(MainFrameFixture, AHiddenToolbarKeepsItsPlaceWhileTheOthersAreLaidOutAgain) {
  Open();
  frame->MoveWindow(40, 30, 1000, 700);
  Key(Qt::Key_B, kCtrlAlt);  // Beginner off, the four others on
  CRect before;
  frame->GetBeginnerToolBar().GetWindowRect(&before);
  // Each toggle and Reset All floats every docked bar, the hidden one too, and docks them again.
  for (int round = 0; round < 3; ++round) {
    Key(Qt::Key_M, kCtrlAlt);
    Key(Qt::Key_M, kCtrlAlt);
    frame->SendMessage(WM_COMMAND, 32987);  // Reset All
    CRect now;
    frame->GetBeginnerToolBar().GetWindowRect(&now);
    EXPECT_EQ(now.left, before.left) << "round " << round;
    EXPECT_EQ(now.top, before.top) << "round " << round;
  }
  EXPECT_EQ(Shown(), "01110");
}

TEST_F(MainFrameFixture, ResetAllPutsInteractiveOnTheRightOnlyBelow800Pixels) {
  for (int width : {799, 800}) {
    SCOPED_TRACE(width);
    Open(width);
    frame->SendMessage(WM_COMMAND, 32986);  // Float All
    frame->SendMessage(WM_COMMAND, 32987);  // Reset All
    const DWORD interactive = frame->GetInteractiveToolBar().GetBarStyle();
    EXPECT_EQ((interactive & CBRS_ALIGN_RIGHT) != 0, width == 799);
    EXPECT_EQ((interactive & CBRS_ALIGN_TOP) != 0, width == 800);
    EXPECT_TRUE(frame->GetAdvancedToolBar().GetBarStyle() & CBRS_ALIGN_LEFT);
    EXPECT_TRUE(frame->GetFileToolBar().GetBarStyle() & CBRS_ALIGN_TOP);
    Close();
  }
}

// Hidden on the first run, the Beginner toolbar stays hidden after a restart, and the frame made
// anew from the preferences lays the others out as Reset All does: File, Main and, on a screen 800
// pixels wide or more, Interactive follow each other on top, every bar showing all its buttons.
TEST_F(MainFrameFixture, ARestartLaysTheToolbarsOutAsResetAllDoes) {
  const struct {
    int screen, frame;
    const char* top;
  } cases[] = {{1920, 1000, "File Main Interactive"}, {760, 760, "File Main"}};
  for (const auto& each : cases) {
    SCOPED_TRACE(each.screen);
    XWritePrefBool(XPref::SHOW_BEGINNER_TOOLBAR.section, XPref::SHOW_BEGINNER_TOOLBAR.key, 1);  // as on a first run
    XWritePrefBool(XPref::SHOW_FILE_TOOLBAR.section, XPref::SHOW_FILE_TOOLBAR.key, 0);
    Open(each.screen, each.frame);
    Key(Qt::Key_B, kCtrlAlt);  // Beginner off
    Key(Qt::Key_F, kCtrlAlt);  // File on
    Close();
    Open(each.screen, each.frame);
    EXPECT_EQ(Shown(), "01111");
    const std::string restarted = Layout();
    EXPECT_EQ(TopRow(), each.top);
    EXPECT_EQ(restarted.find("cut"), std::string::npos) << restarted;
    frame->SendMessage(WM_COMMAND, 32987);  // Reset All
    QApplication::processEvents();
    EXPECT_EQ(restarted, Layout());
    Close();
  }
}

TEST_F(MainFrameFixture, TheFileMenuListsRecentScenesAndFourVisibleWindowsMakeTileReadTile) {
  winApp.LoadStdProfileSettings(4);
  winApp.AddToRecentFileList("/nowhere/Garden.tvr");
  Open();
  QMenu* file = frame->GetMenuPopup(0);
  QAction* garden = Item(file, "&1 Garden.tvr");
  ASSERT_NE(garden, nullptr);
  EXPECT_TRUE(garden->isEnabled());
  file->hide();

  // The 3D Objects window, opened at start-up, counts as one; a minimised window does not.
  ASSERT_NE(frame->GetObjects3DView(), nullptr);
  std::vector<CMDIChildWnd*> children;
  for (int i = 0; i < 4; ++i) {
    children.push_back(new CMDIChildWnd);
    ASSERT_TRUE(children.back()->LoadFrame(14, WS_OVERLAPPEDWINDOW, frame));
    children.back()->ShowWindow(SW_SHOW);
  }
  children[3]->ShowWindow(SW_MINIMIZE);
  QMenu* window = frame->GetWindowMenuPopup();
  ASSERT_NE(window, nullptr);
  ASSERT_NE(Item(window, "&Tile"), nullptr);
  EXPECT_EQ(Item(window, "&Tile")->text().toStdString(), "&Tile\tCtrl+T");
  EXPECT_FALSE(Item(window, "Tile &V")->isEnabled());
  window->hide();
  children[2]->ShowWindow(SW_HIDE);
  EXPECT_EQ(Item(window, "&Tile")->text().toStdString(), "&Tile Horizontal\tCtrl+T");
  EXPECT_TRUE(Item(window, "Tile &V")->isEnabled());
  window->hide();
}

TEST_F(MainFrameFixture, SettingsClicksPostTheirCommandsOrOpenPreferencesAtTheirPages) {
  Open();
  XToolBar& beginner = frame->GetBeginnerToolBar();
  QTest::mouseClick(Button(beginner, 33128), Qt::RightButton);  // Size Object
  QTest::mouseClick(Button(beginner, 57643), Qt::RightButton);  // Undo: no settings
  QTest::mouseClick(Button(beginner, 33110), Qt::LeftButton);  // Adjust Lens Zoom: its settings only
  QTest::mouseDClick(Button(beginner, 33110), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(frame->posted, (std::vector<UINT>{33137, 2104}));
  EXPECT_FALSE(beginner.IsFloating());
  frame->posted.clear();
  // A single click runs the tool once the double-click time has passed.
  info->doubleClickTime = 50;
  QTest::mouseClick(Button(beginner, 33110), Qt::LeftButton);
  EXPECT_TRUE(frame->posted.empty());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !frame->posted.empty(); }));
  EXPECT_EQ(frame->posted, std::vector<UINT>{33110});
  frame->posted.clear();

  // The command that opens Preferences is posted: the sheet is looked for until it is up.
  std::string shown;
  std::function<void()> whenUp = [&] {
    QWidget* sheet = QApplication::activeModalWidget();
    if (!sheet) return QTimer::singleShot(10, whenUp);
    const QTabBar* tabs = sheet->findChild<QTabBar*>();
    shown = tabs->tabText(tabs->currentIndex()).toStdString();
    EXPECT_FALSE(sheet->windowIcon().isNull());  // the program's, as every dialog's
    EXPECT_EQ(sheet->windowIcon().pixmap(32).toImage(), frame->GetWidget()->windowIcon().pixmap(32).toImage());
    for (QPushButton* button : sheet->findChildren<QPushButton*>())
      if (button->text() == "Cancel") QTest::mouseClick(button, Qt::LeftButton);
  };
  QTimer::singleShot(0, whenUp);
  QTest::mouseClick(Button(beginner, 33066), Qt::RightButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.empty(); }));
  EXPECT_EQ(shown, "Interactive");
  EXPECT_TRUE(frame->posted.empty());
}

TEST_F(MainFrameFixture, BarsAndMenuItemsGiveTheirPromptsAndF1OpensTheHelpOfThePromptShown) {
  winApp.LoadStdProfileSettings(4);
  winApp.AddToRecentFileList("/nowhere/Garden.tvr");
  winApp.AddToRecentFileList("/nowhere/Pond.tvr");
  Open();
  XStatusBar& bar = frame->GetStatusBar();
  XToolBar& beginner = frame->GetBeginnerToolBar();
  const QPoint empty(2, beginner.GetWidget()->height() / 2);
  Hover(beginner.GetWidget(), empty);
  EXPECT_EQ(bar.GetPromptId(), 40201u);
  Hover(frame->GetWidget(), QPoint(500, 400));
  EXPECT_EQ(bar.GetPromptText(), "Choose New or Open... from the File menu");

  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0xF000, 0), 1);
  bar.OnIdle();  // the menu's prompt stays while the menu is open
  EXPECT_EQ(bar.GetPromptText(), "Change the window size");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptId(), 40038u);

  // Items the framework adds to the menus, selected: the recent scenes, the window list. Keys
  // select them: from Qt 6.8 on, a popup just opened ignores a test's mouse.
  const auto hovered = [&](QMenu* menu, const char* prefix) {
    QAction* item = Item(menu, prefix);
    if (!item) return std::string("no item ") + prefix;
    for (int step = 0; step < menu->actions().size() && menu->activeAction() != item; ++step)
      QTest::keyClick(menu, Qt::Key_Down);
    const std::string prompt = bar.GetPromptText().str();
    menu->hide();
    return prompt;
  };
  EXPECT_EQ(hovered(frame->GetMenuPopup(0), "&1 Pond.tvr"), "Open this document");
  EXPECT_EQ(hovered(frame->GetMenuPopup(0), "&2 Garden.tvr"), "Open this document");
  EXPECT_EQ(hovered(frame->GetWindowMenuPopup(), "&1 "), "Activate this window");

  // A child window is active (the 3D Objects window): F1 still reaches the main frame, and the
  // help opens in the program's own window, browser or not.
  ASSERT_NE(frame->MDIGetActive(), nullptr);
  QWidget* undo = Button(beginner, 57643);
  Hover(undo, undo->rect().center());
  EXPECT_EQ(bar.GetPromptId(), 57643u);
  QTest::keyClick(frame->GetWidget(), Qt::Key_F1);
  QTextBrowser* help = VisibleHelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->documentTitle(), "Undo");
  // The help window and the child windows carry the program's icon.
  const QImage icon = frame->GetWidget()->windowIcon().pixmap(32).toImage();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(help->windowIcon().pixmap(32).toImage(), icon);
  EXPECT_EQ(frame->MDIGetActive()->GetWidget()->windowIcon().pixmap(32).toImage(), icon);
  EXPECT_TRUE(help->toPlainText().contains("Undo the previous edit"));
  frame->SendMessage(WM_COMMAND, 33016, 0);  // Help/Support
  EXPECT_EQ(help->documentTitle(), "Support");
  ShowHelp(HELP_QUIT, 0);
  EXPECT_EQ(VisibleHelpWindow(), nullptr);
}

// The mouse on a greyed menu item shows that item's prompt, not the one of the item before.
TEST_F(MainFrameFixture, AGreyedMenuItemUnderTheMouseShowsItsOwnPrompt) {
  Open();
  XStatusBar& bar = frame->GetStatusBar();
  QMenu* file = frame->GetMenuPopup(0);
  QAction* save = Item(file, "&Save");
  ASSERT_NE(save, nullptr);
  ASSERT_FALSE(save->isEnabled());  // no scene is open
  QTest::keyClick(file, Qt::Key_Down);  // New
  ASSERT_EQ(bar.GetPromptText(), "Create a new scene");
  const QRect item = file->actionGeometry(save);
  MovePointerAlongPath(file->mapToGlobal(item.center()));
  EXPECT_EQ(bar.GetPromptText(), "Save the active scene");
  // A key selects another item; the mouse moving on the greyed one shows its prompt again.
  QTest::keyClick(file, Qt::Key_Down);
  ASSERT_NE(bar.GetPromptText(), "Save the active scene");
  MovePointerAlongPath(file->mapToGlobal(item.center() + QPoint(1, 0)));
  EXPECT_EQ(bar.GetPromptText(), "Save the active scene");
  file->hide();
}

// While a menu is open, the prompt line shows the prompt of the command under the mouse and is
// empty for the menu itself (opened by its title, no item under the mouse), a submenu entry and a
// separator; once the menu closes, the idle prompt is back.
TEST_F(MainFrameFixture, AnOpenMenuShowsTheCommandsPromptsAndNothingForItsTitleSubmenusAndSeparators) {
  Open();
  XStatusBar& bar = frame->GetStatusBar();
  Hover(frame->GetWidget(), QPoint(500, 400));
  ASSERT_EQ(bar.GetPromptText(), "Choose New or Open... from the File menu");
  QMenuBar* menuBar = frame->MainWindow()->menuBar();
  QMenu* window = frame->GetWindowMenuPopup();
  const QPoint title = menuBar->actionGeometry(window->menuAction()).center();
  MovePointerAlongPath(menuBar->mapToGlobal(title));
  QTest::mouseClick(menuBar, Qt::LeftButton, {}, title);
  ASSERT_TRUE(window->isVisible());
  bar.OnIdle();  // the application timer
  EXPECT_EQ(bar.GetPromptText().str(), "") << "title clicked";
  // The item starting with `prefix`, or the one `offset` places after it.
  const auto item = [&](const QString& prefix, qsizetype offset = 0) {
    const QList<QAction*> items = window->actions();
    for (qsizetype i = 0; i + offset < items.size(); ++i)
      if (items[i]->text().startsWith(prefix)) return items[i + offset];
    return static_cast<QAction*>(nullptr);
  };
  const struct {
    const char* where;
    QAction* item;
    const char* prompt;
  } steps[] = {
      {"command", item("&3D Objects"), "Show or hide the window of 3D objects to drag into a scene"},
      {"submenu entry", item("&Zoom"), ""},
      {"command", item("&Arrange Icons"), "Arrange the icons of minimized windows"},
      {"separator", item("Zoom &Out", 1), ""},
      {"command", item("&3D Objects"), "Show or hide the window of 3D objects to drag into a scene"},
  };
  // The pointer rests where it went until the prompt line shows `prompt`, or a while: a submenu
  // that opened as the pointer passed its entry keeps that entry selected a moment longer, so that
  // a hand can slip into the submenu.
  const auto moveTo = [&](QPoint at, const std::string& prompt) {
    MovePointerAlongPath(window->mapToGlobal(at));
    (void)QTest::qWaitFor([&] {
      bar.OnIdle();
      return bar.GetPromptText().str() == prompt;
    });
  };
  for (const auto& step : steps) {
    ASSERT_NE(step.item, nullptr) << step.where;
    moveTo(window->actionGeometry(step.item).center(), step.prompt);
    EXPECT_EQ(bar.GetPromptText().str(), step.prompt) << step.where;
  }
  moveTo(QPoint(window->width() + 20, window->height() / 2), "");
  EXPECT_EQ(bar.GetPromptText().str(), "") << "off the menu";
  QTest::keyClick(window, Qt::Key_Escape);
  ASSERT_FALSE(window->isVisible());
  Hover(frame->GetWidget(), QPoint(500, 400));
  EXPECT_EQ(bar.GetPromptText(), "Choose New or Open... from the File menu");
}

// Shift+F1, then a click on a toolbar button: the button's help, and the tool does not run. The
// help window is a window of its own beside the main window, whole on the screen.
TEST_F(MainFrameFixture, ContextHelpOnAToolbarButtonShowsItsTopicBesideTheFrameWithoutRunningTheTool) {
  Open();
  info->doubleClickTime = 50;
  frame->MoveWindow(0, 0, 300, 400);
  QApplication::processEvents();
  QTest::keyClick(frame->GetWidget(), Qt::Key_F1, Qt::ShiftModifier);
  ASSERT_TRUE(InContextHelpMode());
  QTest::mouseClick(Button(frame->GetBeginnerToolBar(), 33110), Qt::LeftButton);  // Adjust Lens Zoom
  EXPECT_FALSE(InContextHelpMode());
  QTest::qWait(150);  // past the double-click time, when a click runs its tool
  EXPECT_TRUE(frame->posted.empty());
  QTextBrowser* help = VisibleHelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->documentTitle().toStdString(), "Adjust Lens Zoom");
  EXPECT_EQ(help->parentWidget(), nullptr);
  const QRect main = frame->GetWidget()->frameGeometry();
  EXPECT_EQ(help->frameGeometry().left(), main.right() + 1);
  EXPECT_EQ(help->frameGeometry().top(), std::max(main.top(), help->screen()->availableGeometry().top()));
  EXPECT_TRUE(help->screen()->availableGeometry().contains(help->frameGeometry()));
  ShowHelp(HELP_QUIT, 0);

  // With no room beside the main window: at the screen's edge, clear of the menus and bars.
  frame->MoveWindow(0, 0, 700, 500);
  QApplication::processEvents();
  QTest::keyClick(frame->GetWidget(), Qt::Key_F1, Qt::ShiftModifier);
  QTest::mouseClick(Button(frame->GetBeginnerToolBar(), 57643), Qt::LeftButton);  // Undo
  help = VisibleHelpWindow();
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->documentTitle().toStdString(), "Undo");
  const QRect area = help->screen()->availableGeometry();
  EXPECT_TRUE(area.contains(help->frameGeometry()));
  EXPECT_LE(area.right() - help->frameGeometry().right(), 10);
  const QWidget* bars = frame->GetBeginnerToolBar().GetWidget();
  EXPECT_GT(help->frameGeometry().top(), bars->mapToGlobal(QPoint(0, bars->height())).y() - 1);
  ShowHelp(HELP_QUIT, 0);
}

TEST_F(MainFrameFixture, TheObjectsWindowListsSortedKeepsItsListAndLeavesAnUncoveredWindowActive) {
  Open();
  Objects3DView* view = frame->GetObjects3DView();
  ASSERT_NE(view, nullptr);
  CListCtrl& list = view->GetListCtrl();
  ASSERT_GE(list.GetItemCount(), 24);
  for (int i = 1; i < list.GetItemCount(); ++i) {
    const auto* before = reinterpret_cast<Objects3DView::ObjectRecord*>(list.GetItemData(i - 1));
    const auto* after = reinterpret_cast<Objects3DView::ObjectRecord*>(list.GetItemData(i));
    EXPECT_LE(CompareObjectLabels(before->label, after->label, 0), 0);
  }
  const int count = list.GetItemCount();
  CFrameWnd* objects = view->GetParentFrame();
  objects->SendMessage(WM_CLOSE);  // the close box hides it
  QApplication::processEvents();
  EXPECT_FALSE(objects->IsWindowVisible());
  Key(Qt::Key_J);
  EXPECT_TRUE(objects->IsWindowVisible());
  EXPECT_EQ(frame->GetObjects3DView(), view);
  EXPECT_EQ(list.GetItemCount(), count);

  objects->MoveWindow(0, 0, 300, 200);
  auto* camera = new CMDIChildWnd;
  ASSERT_TRUE(camera->LoadFrame(14, WS_OVERLAPPEDWINDOW, frame));
  camera->ShowWindow(SW_SHOW);
  for (const bool covering : {false, true}) {
    SCOPED_TRACE(covering);
    const CRect place = covering ? CRect(200, 100, 500, 300) : CRect(400, 0, 700, 200);
    camera->MoveWindow(&place);
    Key(Qt::Key_J);  // hide
    ASSERT_FALSE(objects->IsWindowVisible());
    frame->MDIActivate(camera);
    QApplication::processEvents();
    Key(Qt::Key_J);  // show again
    EXPECT_TRUE(objects->IsWindowVisible());
    EXPECT_EQ(frame->MDIGetActive(), covering ? objects : camera);
  }
}

// The Window menu opened with a click on its title, its entries of the list of windows, and the
// one whose text starts with `prefix` highlighted by the keys.
struct WindowMenu {
  QMenu* menu = nullptr;
  std::string list;  // the listed entries' texts, each followed by ';'
  QAction* highlighted = nullptr;
};
WindowMenu OpenWindowMenu(XMainFrame& frame, const QString& prefix) {
  WindowMenu open;
  QMenuBar* menuBar = frame.MainWindow()->menuBar();
  open.menu = frame.GetWindowMenuPopup();
  QTest::mouseClick(menuBar, Qt::LeftButton, {}, menuBar->actionGeometry(open.menu->menuAction()).center());
  QApplication::processEvents();
  for (QAction* action : open.menu->actions())
    if (action->data().toUInt() >= AFX_IDM_FIRST_MDICHILD) open.list += action->text().toStdString() + ";";
  for (qsizetype step = 0; step < open.menu->actions().size(); ++step) {
    QAction* active = open.menu->activeAction();
    if (active && active->text().startsWith(prefix)) {
      open.highlighted = active;
      break;
    }
    QTest::keyClick(open.menu, Qt::Key_Down);
  }
  return open;
}

// An entry of the Window menu's list of windows tells what it does the same way in the prompt
// line, in help mode and with F1: "Activate this window".
TEST_F(MainFrameFixture, HelpOnAnEntryOfTheWindowListShowsTheTextOfItsPrompt) {
  Open();
  XStatusBar& bar = frame->GetStatusBar();
  const struct {
    const char* how;
    bool helpMode;  // Shift+F1 first, then the entry chosen; else F1 on the highlighted entry
  } cases[] = {{"help mode", true}, {"F1", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    ShowHelp(HELP_QUIT, 0);
    if (c.helpMode) QTest::keyClick(frame->GetWidget(), Qt::Key_F1, Qt::ShiftModifier);
    const WindowMenu open = OpenWindowMenu(*frame, "&1 ");
    ASSERT_NE(open.highlighted, nullptr) << open.list;
    bar.OnIdle();
    EXPECT_EQ(bar.GetPromptText(), "Activate this window");
    EXPECT_EQ(InContextHelpMode(), c.helpMode);
    QTest::keyClick(open.menu, c.helpMode ? Qt::Key_Return : Qt::Key_F1);
    QApplication::processEvents();
    EXPECT_FALSE(InContextHelpMode());
    QTextBrowser* help = VisibleHelpWindow();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->documentTitle().toStdString(), "Activate this window");
    EXPECT_TRUE(help->toPlainText().contains("Activate this window")) << help->toPlainText().toStdString();
    if (open.menu->isVisible()) QTest::keyClick(open.menu, Qt::Key_Escape);
  }
  ShowHelp(HELP_QUIT, 0);
}

// The Window menu lists the child windows shown, numbered in the order they were made; the 3D
// Objects window hidden by its close box is left out until Ctrl+J shows it again in its place.
TEST_F(MainFrameFixture, TheWindowListHoldsOnlyTheWindowsShown) {
  Open();
  CFrameWnd* objects = frame->GetObjects3DView()->GetParentFrame();
  auto* camera = new CMDIChildWnd;
  ASSERT_TRUE(camera->LoadFrame(14, WS_OVERLAPPEDWINDOW, frame));
  camera->SetWindowText("Camera");
  camera->ShowWindow(SW_SHOW);
  QApplication::processEvents();
  CRect place;
  objects->GetWindowRect(&place);
  const auto clickCloseBox = [&] {
    auto* window = qobject_cast<QMdiSubWindow*>(objects->GetWidget());
    QStyleOptionTitleBar option;
    option.initFrom(window);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = window->windowFlags();
    option.titleBarState = window->windowState();
    option.rect = QRect(0, 0, window->width(), window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, window));
    const QPoint box =
        window->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarCloseButton, window).center();
    QTest::mouseMove(window, box);
    QTest::mouseClick(window, Qt::LeftButton, {}, box);
    QApplication::processEvents();
  };
  const struct {
    const char* step;
    std::function<void()> act;
    const char* list;
    bool objectsShown;
  } steps[] = {
      {"both shown", [] {}, "&1 3D Objects;&2 Camera;", true},
      {"3D Objects closed", clickCloseBox, "&1 Camera;", false},
      {"Ctrl+J", [&] { Key(Qt::Key_J); }, "&1 3D Objects;&2 Camera;", true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.step);
    step.act();
    ASSERT_EQ(static_cast<bool>(objects->IsWindowVisible()), step.objectsShown);
    frame->MDIActivate(camera);
    const WindowMenu open = OpenWindowMenu(*frame, "&1 ");
    EXPECT_EQ(open.list, step.list);
    // The first entry leads to a window that is shown.
    ASSERT_NE(open.highlighted, nullptr);
    QTest::keyClick(open.menu, Qt::Key_Return);
    QApplication::processEvents();
    CMDIChildWnd* active = frame->MDIGetActive();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active, step.objectsShown ? objects : camera);
    EXPECT_TRUE(active->IsWindowVisible());
  }
  CRect again;
  objects->GetWindowRect(&again);
  EXPECT_EQ(again, place);
}

// A view of a kind that saved window layouts do not know.
class PlainView : public CView {
  DECLARE_DYNCREATE(PlainView)
 public:
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(PlainView, CView)

// Lets the test run the start-up step that creates DirectDraw.
struct DirectXStep : XApp {
  using XApp::CreateDirectX;
};

TEST_F(MainFrameFixture, FailedChecksOfTheShellReportTheCheckByItsFixedText) {
  Open();
  CDocument document;
  document.m_bAutoDelete = FALSE;
  auto* plainFrame = new XFrameWnd;
  CCreateContext context;
  context.m_pNewViewClass = RUNTIME_CLASS(PlainView);
  context.m_pCurrentDoc = &document;
  ASSERT_TRUE(plainFrame->LoadFrame(14, WS_OVERLAPPEDWINDOW, frame, &context));
  const auto storeLayout = [&] {
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    ar.m_pDocument = &document;
    plainFrame->SerializeLayout(ar, &document);
  };
  const std::string generic = std::to_string(static_cast<DWORD>(DDERR_GENERIC) & 0xFFFF);

  const struct {
    std::function<void()> fail;
    const char* expression;
    std::string detail;
  } cases[] = {
      {[&] {
         DDFailNext(DDCall::SetCooperativeLevel, 1, DDERR_GENERIC);
         (winApp.*&DirectXStep::CreateDirectX)();
       },
       "lpDD->SetCooperativeLevel( pMainFrame->m_hWnd, DDSCL_NORMAL )", generic},
      {storeLayout, "ISKINDOF( view, XScrollView )", "Add support for new view type"},
      {[&] { frame->GetObjects3DView()->OnInitialUpdate(); }, "!GetListCtrl().SetImageList( &largeIcons, LVSIL_NORMAL )",
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    EXPECT_FATAL(c.fail(), c.expression, c.detail);
    DDClearFaults();
  }
  plainFrame->DestroyWindow();
}

// Appends `value` as `size` little-endian bytes.
void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int size = 4) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A version 3 object file with one part; the thumbnail is white with a red pixel at the top-left
// and the bottom-left colour along its bottom row.
std::vector<std::uint8_t> ObjectFile(std::uint16_t bits = 24) {
  std::vector<std::uint8_t> out(ObjectFileNotice().begin(), ObjectFileNotice().end());
  Put(out, 3);
  Put(out, 2);
  out.insert(out.end(), {0, 0, 0, 0, 1, 0});
  Put(out, 1);
  out.insert(out.end(), {4, 'S', 'e', 'a', 't', 1, 'B', 'M'});
  out.resize(out.size() + 12);
  for (std::uint32_t field : {40, 48, 48}) Put(out, field);
  Put(out, 1, 2);
  Put(out, bits, 2);
  out.resize(out.size() + 24);
  for (int pixel = 0; pixel < 48 * 48; ++pixel) {  // bottom row first; blue, green, red
    if (pixel < 48)
      out.insert(out.end(), {10, 20, 30});
    else if (pixel == 47 * 48)
      out.insert(out.end(), {0, 0, 255});
    else
      out.insert(out.end(), {255, 255, 255});
  }
  out.insert(out.end(), {'x', 'o', 'f', ' '});
  return out;
}

// The object file's own checks are the object reader's; here what the list adds to them.
TEST(ObjectThumbnail, OtherFilesAreSkippedShortOrNot24BitOnesDamagedAndTheBottomLeftColourIsTransparent) {
  ObjectThumbnail thumbnail;
  std::vector<std::uint8_t> other = ObjectFile();
  other[5] ^= 1;
  EXPECT_EQ(ReadObjectThumbnail(other, &thumbnail), ObjectListing::kSkipped);
  other.resize(kObjectFileNoticeSize - 1);
  EXPECT_EQ(ReadObjectThumbnail(other, &thumbnail), ObjectListing::kDamaged);
  EXPECT_EQ(ReadObjectThumbnail(ObjectFile(8), &thumbnail), ObjectListing::kDamaged);

  ASSERT_EQ(ReadObjectThumbnail(ObjectFile(), &thumbnail), ObjectListing::kListed);
  const std::size_t bottomLeft = 47 * 48;
  EXPECT_TRUE(thumbnail.transparent[bottomLeft]);
  EXPECT_TRUE(thumbnail.transparent[bottomLeft + 47]);
  EXPECT_EQ(thumbnail.rgb[bottomLeft * 3 + 2], 0);  // made black
  EXPECT_FALSE(thumbnail.transparent[0]);
  EXPECT_EQ(thumbnail.rgb[0], 255);  // the red top-left pixel, rows top down and red first
  EXPECT_EQ(thumbnail.rgb[2], 0);
  EXPECT_FALSE(thumbnail.transparent[48 * 20]);
}

// Notes each box's icon and whether the wait cursor showed as it came up.
struct CursorNotingBoxes final : MessageBoxBackend {
  CursorNotingBoxes() : previous(SetMessageBoxBackend(this)) {}
  ~CursorNotingBoxes() override { SetMessageBoxBackend(previous); }
  int Show(HWND, const char*, const char*, UINT style) override {
    const QCursor* cursor = QApplication::overrideCursor();
    icons.push_back(style & MB_ICONMASK);
    waiting.push_back(cursor && cursor->shape() == Qt::WaitCursor);
    return IDOK;
  }
  MessageBoxBackend* previous;
  std::vector<UINT> icons;
  std::vector<bool> waiting;
};

TEST_F(MainFrameFixture, ListingTheObjectsFolderWaitsAndADamagedFileIsAnError) {
  TemporaryFolder program;
  std::filesystem::create_directories(program / "bin");
  std::filesystem::create_directories(program / "Objects");
  for (const auto& [name, bytes] : {std::pair{"Seat.ulm", ObjectFile()}, std::pair{"Broken.ulm", ObjectFile(8)}})
    std::ofstream(program / "Objects/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  winApp.programPath = (program / "bin/tavrolin").c_str();
  CursorNotingBoxes boxes;
  Open();
  EXPECT_EQ(boxes.icons, std::vector<UINT>{MB_ICONHAND});
  EXPECT_EQ(boxes.waiting, std::vector<bool>{true});
  EXPECT_EQ(frame->GetObjects3DView()->GetListCtrl().GetItemCount(), 1);
}

TEST(ObjectThumbnail, LabelsSortWithoutRegardToCase) {
  EXPECT_LT(CompareObjectLabels("apple", "Banana", 0), 0);
  EXPECT_GT(CompareObjectLabels("apple", "Banana", 1), 0);
  EXPECT_EQ(CompareObjectLabels("Chair", "chair", 0), 0);
  EXPECT_LT(CompareObjectLabels("Car", "cart", 0), 0);
}

DWORD now = 1000;
DWORD SteppedClock() { return now; }

struct Prompt {
  UINT id;
  COLORREF highlight;
  XStatusBar* bar;
};
void SetPrompt(void* argument) {
  auto* prompt = static_cast<Prompt*>(argument);
  prompt->bar->SetStatusText(prompt->id, nullptr, prompt->highlight);
}

struct StatusBarFixture : ::testing::Test {
  StatusBarFixture() : previousClock(SetTickSource(&SteppedClock)) {
    InitGlobals();
    frame.Create("Main", 0, {0, 0, 640, 480}, nullptr);
    const UINT panes[] = {0, 67};
    EXPECT_TRUE(bar.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0));
    EXPECT_TRUE(bar.SetIndicators(panes, 2));
    frame.ShowWindow(SW_SHOW);
    QApplication::processEvents();
  }
  ~StatusBarFixture() override { SetTickSource(previousClock); }

  // One blink step later, with the prompt source setting the same prompt again.
  void Step() {
    now += 1500;
    bar.OnIdle();
  }
  bool Yellow(int pane) const {
    return !bar.GetPaneBackground(pane).transparent && bar.GetPaneBackground(pane).colour == 0x00FFFF;
  }

  TickSource previousClock;
  CFrameWnd frame;
  XStatusBar bar;
};

TEST_F(StatusBarFixture, ANewPromptIsHighlightedWidenedAndThenBlinksTheHelpPaneOnAThreeStepCycle) {
  Prompt prompt{40038, 0, &bar};
  bar.PushModalStatusCallback(&SetPrompt, &prompt);
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptText(), "Choose New or Open... from the File menu");
  EXPECT_FALSE(bar.GetPaneBackground(0).transparent);
  EXPECT_EQ(bar.GetPaneBackground(0).colour, Globals::GetInfoBkColor());
  EXPECT_TRUE(bar.IsPromptWidened());

  // Pane 1 is yellow at steps 3, 5, 6, 8 and plain at 4, 7; pane 0 is widened again at 6.
  std::string pane1, widened;
  for (int step = 1; step <= 8; ++step) {
    Step();
    pane1 += Yellow(1) ? 'Y' : '.';
    widened += bar.IsPromptWidened() ? 'W' : '.';
    if (step == 3) {
      EXPECT_TRUE(bar.GetPaneBackground(0).transparent);
    }
  }
  EXPECT_EQ(pane1, "..Y.YY.Y");
  EXPECT_EQ(widened, "WW...WWW");

  // The same text with a highlight restarts the cycle from step 0.
  prompt.highlight = 0x0000FF;
  bar.OnIdle();
  EXPECT_EQ(bar.GetPaneBackground(0).colour, 0x0000FFu);
  for (int step = 0; step < 3; ++step) Step();
  EXPECT_FALSE(bar.GetPaneBackground(0).transparent);  // a prompt's own highlight stays
  bar.PopModalStatusCallback(&SetPrompt);
}

TEST_F(StatusBarFixture, SettingsOffLeavePaneZeroAloneAndHelpIdsStartAbove10000) {
  bar.SetStatusText(40038, nullptr, 0);
  ASSERT_TRUE(bar.IsPromptWidened());
  bar.SetPrefs(1500, FALSE, FALSE);  // turning expand off restores at once
  EXPECT_FALSE(bar.IsPromptWidened());
  EXPECT_TRUE(bar.GetPaneBackground(0).transparent);
  bar.SetStatusText(0, "Another prompt", 0);
  for (int step = 0; step < 6; ++step) Step();
  EXPECT_FALSE(bar.IsPromptWidened());
  EXPECT_TRUE(bar.GetPaneBackground(0).transparent);
  EXPECT_TRUE(bar.GetPaneBackground(1).transparent);
  bar.SetPrefs(1500, TRUE, TRUE);

  bar.SetStatusText(10000, "text", 0);
  EXPECT_EQ(bar.GetPaneHelpId(), 0u);
  bar.SetStatusText(10001, "text", 0);
  EXPECT_EQ(bar.GetPaneHelpId(), 75537u);
  EXPECT_EQ(bar.GetPromptText(), "text");
}

TEST_F(StatusBarFixture, TheModalSourceWinsOverTheWindowUnderTheCursorAndTheClockSurvivesTheWrap) {
  Prompt framePrompt{40038, 0, &bar};
  Prompt dialogPrompt{40225, 0, &bar};
  bar.RegisterStatusCallback(frame.GetSafeHwnd(), &SetPrompt, &framePrompt);
  QCursor::setPos(frame.GetWidget()->mapToGlobal(QPoint(20, 20)));
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptId(), 40038u);

  now = 0xFFFFFF00u;
  bar.PushModalStatusCallback(&SetPrompt, &dialogPrompt);
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptId(), 40225u);
  now = 5;  // the counter wrapped: a step is due at once
  bar.OnIdle();
  Step();
  Step();
  EXPECT_TRUE(Yellow(1));  // step 3
  bar.PopModalStatusCallback(&SetPrompt);

  QCursor::setPos(QPoint(5000, 5000));
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptText(), " Ready");  // over the desktop
  bar.UnregisterStatusCallback(frame.GetSafeHwnd());
}

// Notes the prompt shown each time the status bar's panes are painted.
struct PaintedPrompts : QObject {
  explicit PaintedPrompts(XStatusBar& watched) : bar(watched) {
    for (QWidget* pane : bar.GetWidget()->findChildren<QWidget*>()) pane->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted.push_back(bar.GetPromptId());
    return false;
  }
  XStatusBar& bar;
  std::vector<UINT> painted;
};

// While input keeps the queue busy the prompt still follows: a key that finds the refresh overdue
// (more than 200 ms, or the tick count wrapped past 0 since) refreshes it and paints the new prompt
// before the key is handled; one that comes sooner leaves both alone.
TEST_F(MainFrameFixture, AKeyThatFindsTheRefreshOverdueRefreshesAndPaintsThePromptFirst) {
  Open();
  XStatusBar& bar = frame->GetStatusBar();
  Prompt prompt{40038, 0, &bar};
  bar.PushModalStatusCallback(&SetPrompt, &prompt);
  const TickSource previous = SetTickSource(&SteppedClock);
  now = 0xFFFFFF80u;
  XApp::TimerProc(nullptr, 0, 0, 0);
  QApplication::processEvents();
  PaintedPrompts watch(bar);
  const struct {
    const char* what;
    DWORD later;
    UINT prompt;
    UINT shown;
  } cases[] = {
      {"wrapped past 0 after 144 ms", 0x90, 40225, 40225},
      {"200 ms later", 200, 40038, 40225},
      {"201 ms after the refresh", 1, 40038, 40038},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    watch.painted.clear();
    prompt.id = c.prompt;
    now += c.later;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(frame->GetWidget(), &press);
    EXPECT_EQ(bar.GetPromptId(), c.shown);
    const bool refreshed = c.shown == c.prompt;
    EXPECT_EQ(std::count(watch.painted.begin(), watch.painted.end(), c.shown) > 0, refreshed);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Shift, Qt::NoModifier);
    QApplication::sendEvent(frame->GetWidget(), &release);
    QApplication::processEvents();
  }
  SetTickSource(previous);
  bar.PopModalStatusCallback(&SetPrompt);
}


// Stands in for a camera view: its state is one number.
class RecordingView : public CScrollView {
  DECLARE_DYNCREATE(RecordingView)
 public:
  void OnDraw(CDC*) override {}
  void Serialize(CArchive& ar) override { ar.IsStoring() ? ar << state : ar >> state; }
  DWORD state = 0;
};
IMPLEMENT_DYNCREATE(RecordingView, CScrollView)

class MainWithCommands : public CMDIFrameWnd {
 public:
  void OnGreyed(CCmdUI* ui) { ui->Enable(FALSE); }
  void OnRun() { ++runs; }
  void OnUpdateNothing(CCmdUI*) {}
  int runs = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MainWithCommands, CMDIFrameWnd)
  ON_UPDATE_COMMAND_UI(33018, OnGreyed)
  ON_COMMAND(33018, OnRun)
  ON_UPDATE_COMMAND_UI(33019, OnUpdateNothing)
  ON_COMMAND(33019, OnRun)
  ON_COMMAND(33125, OnRun)
END_MESSAGE_MAP()

struct ChildFrameFixture : ::testing::Test {
  ChildFrameFixture() {
    document.m_bAutoDelete = FALSE;
    main = new MainWithCommands;
    EXPECT_TRUE(main->LoadFrame(57344));
    winApp.m_pMainWnd = main;
    main->MoveWindow(0, 0, 800, 600);
    main->ShowWindow(SW_SHOW);
  }
  ~ChildFrameFixture() override {
    main->DestroyWindow();
    winApp.m_pMainWnd = nullptr;
  }
  template <class Frame>
  Frame* OpenFrame() {
    auto* frame = new Frame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(RecordingView);
    context.m_pCurrentDoc = &document;
    EXPECT_TRUE(frame->LoadFrame(14, WS_OVERLAPPEDWINDOW, main, &context));
    return frame;
  }
  static RecordingView* ViewOf(CFrameWnd* frame) {
    return static_cast<RecordingView*>(frame->GetDlgItem(AFX_IDW_PANE_FIRST));
  }
  std::vector<BYTE> Store(XFrameWnd* frame) {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      ar.m_pDocument = &document;
      frame->SerializeLayout(ar, &document);
    }
    const auto length = static_cast<std::size_t>(file.GetLength());
    const std::unique_ptr<BYTE, decltype(&std::free)> block(file.Detach(), &std::free);
    return {block.get(), block.get() + length};
  }
  void Load(XFrameWnd* frame, std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &document;
    frame->SerializeLayout(ar, &document);
  }

  CWinApp winApp;
  CDocument document;
  MainWithCommands* main;
};

TEST_F(ChildFrameFixture, ASavedLayoutRoundTripsByteForByteLoadsHiddenWhenAskedAndANewerOneIsRefused) {
  XFrameWnd* first = OpenFrame<XFrameWnd>();
  first->InitialUpdateFrame(&document, TRUE);
  first->MoveWindow(30, 40, 300, 200);
  ViewOf(first)->state = 0xA5A5;
  const std::vector<BYTE> saved = Store(first);
  // Identity (schema word + handle reference), schema, placement, then the view's four bytes.
  ASSERT_GE(saved.size(), 4u + 4u + 44u + 4u);

  XFrameWnd* second = OpenFrame<XFrameWnd>();
  Load(second, saved);
  EXPECT_EQ(ViewOf(second)->state, 0xA5A5u);
  second->InitialUpdateFrame(&document, TRUE);
  first->DestroyWindow();
  EXPECT_EQ(Store(second), saved);

  XFrameWnd* hidden = OpenFrame<XFrameWnd>();
  Load(hidden, saved);
  hidden->InitialUpdateFrame(&document, FALSE);
  EXPECT_FALSE(hidden->IsWindowVisible());

  XFrameWnd* reader = OpenFrame<XFrameWnd>();
  std::vector<BYTE> newer = saved;
  const std::size_t schemaAt = newer.size() - 4 - 44 - 4;
  ASSERT_EQ(newer[schemaAt + 3], 0x80);
  newer[schemaAt] = 1;
  ScriptedMessageBoxes boxes;
  EXPECT_THROW(Load(reader, newer), CArchiveException);
  ASSERT_EQ(boxes.boxes.size(), 1u) << "the newer layout is told about";
  EXPECT_EQ(boxes.boxes[0].text, XString(40243u).str());
  newer[schemaAt + 3] = 0;
  newer[schemaAt] = 0;
  EXPECT_NO_THROW(Load(reader, newer));
  EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(ChildFrameFixture, NewFramesGetTheirOwnFirstPlacementACloseCommandIsPostedAndGreyedCommandsDoNotRun) {
  XFrameWndNullSize* camera = OpenFrame<XFrameWndNullSize>();
  EXPECT_EQ(camera->placement.showCmd, static_cast<UINT>(SW_SHOW));
  EXPECT_EQ(camera->placement.rcNormalPosition.right, 0);

  XFrameWnd* frame = OpenFrame<XFrameWnd>();
  frame->InitialUpdateFrame(&document, TRUE);
  frame->closeCommand = 33125;
  frame->SendMessage(WM_CLOSE);
  QApplication::processEvents();
  EXPECT_TRUE(::IsWindow(frame->GetSafeHwnd()));
  EXPECT_EQ(main->runs, 1);

  frame->SendMessage(WM_COMMAND, 33018);  // greyed by its update handler
  EXPECT_EQ(main->runs, 1);
  frame->SendMessage(WM_COMMAND, 33019);  // its update handler never calls Enable
  EXPECT_EQ(main->runs, 2);
}

// A camera window's frame names no place of its own: it comes up at the client's default place,
// most of the client, not at a toolkit's small preferred size.
TEST_F(ChildFrameFixture, ACameraFrameShowsAtTheDefaultPlaceAndTheObjectsFrameAtItsOwn) {
  XFrameWndNullSize* camera = OpenFrame<XFrameWndNullSize>();
  camera->InitialUpdateFrame(&document, TRUE);
  XFrameWnd* objects = OpenFrame<XFrameWnd>();
  objects->InitialUpdateFrame(&document, TRUE);
  QApplication::processEvents();
  RECT shown, own;
  camera->GetWindowRect(&shown);
  main->GetMDIClient()->ScreenToClient(&shown);
  objects->GetWindowRect(&own);
  main->GetMDIClient()->ScreenToClient(&own);
  CRect client;
  main->GetMDIClient()->GetClientRect(&client);
  EXPECT_EQ(shown.left, 0);
  EXPECT_EQ(shown.top, 0);
  EXPECT_GT(shown.right - shown.left, client.Width() / 2);
  EXPECT_GT(shown.bottom - shown.top, client.Height() / 2);
  EXPECT_EQ(CRect(own), CRect(160, 120, 480, 360));
}

TEST(WindowHelpers, ADockedBarShowsItselfAndAFloatingOneItsFrame) {
  CFrameWnd frame;
  CMiniDockFrameWnd floating;
  CControlBar docked, floated;
  frame.Create("Main", 0, {0, 0, 400, 300}, nullptr);
  floating.Create("Tools", 0, {0, 0, 100, 40}, nullptr);
  docked.Create("Docked", WS_CHILD | WS_VISIBLE, {0, 0, 400, 20}, &frame, 1);
  floated.Create("Floating", WS_CHILD | WS_VISIBLE, {0, 0, 100, 20}, &floating, 2);

  EXPECT_TRUE(XIsBarVisible(&docked));  // the frame itself is not shown yet
  docked.ShowWindow(SW_HIDE);
  EXPECT_FALSE(XIsBarVisible(&docked));
  EXPECT_FALSE(XIsBarVisible(&floated));
  floating.ShowWindow(SW_SHOW);
  EXPECT_TRUE(XIsBarVisible(&floated));
}

}  // namespace
