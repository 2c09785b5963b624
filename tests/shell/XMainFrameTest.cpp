// The main frame with its real bars and menus: toolbar visibility and layout, the Window menu's
// tiling items, the toolbar buttons' settings clicks and the prompts of bars and menu items.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTimer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <vector>

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/Help.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"
#include "platform/win/ProfileStore.h"
#include "platform/win/QtTestApplication.h"
#include "platform/win/SystemInfo.h"
#include "platform/ddraw/Display.h"
#include "shell/StartupChecks.h"
#include "shell/WindowHelpers.h"
#include "shell/ObjectThumbnail.h"
#include "shell/XApp.h"
#include "shell/XMainFrame.h"

namespace {

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
END_MESSAGE_MAP()

struct MainFrameFixture : ::testing::Test {
  MainFrameFixture() : previousStore(SetProfileStore(&store)), previousInfo(SetSystemInfo(&info)) {
    winApp.programPath = TAVROLIN_BINARY_DIR "/bin/tavrolin";
  }
  ~MainFrameFixture() override {
    Close();
    SetSystemInfo(previousInfo);
    SetProfileStore(previousStore);
  }
  RecordingMainFrame* Open(int screenWidth) {
    info.screenSize = {screenWidth, 768};
    InitGlobals();
    frame = new RecordingMainFrame;
    EXPECT_TRUE(frame->LoadFrame(12));
    winApp.m_pMainWnd = frame;
    frame->MoveWindow(0, 0, 1000, 700);
    frame->ShowWindow(SW_SHOW);
    QApplication::processEvents();
    frame->posted.clear();
    return frame;
  }
  void Close() {
    if (!frame) return;
    frame->DestroyWindow();
    winApp.m_pMainWnd = nullptr;
    frame = nullptr;
  }
  std::vector<XToolBar*> Bars() {
    return {&frame->GetBeginnerToolBar(), &frame->GetMainToolBar(), &frame->GetInteractiveToolBar(),
            &frame->GetAdvancedToolBar(), &frame->GetFileToolBar()};
  }
  std::string Shown() {
    std::string shown;
    for (XToolBar* bar : Bars()) shown += XIsBarVisible(bar) ? '1' : '0';
    return shown;
  }
  QWidget* Button(XToolBar& bar, UINT command) {
    return bar.Buttons()->widgetForAction(bar.Action(bar.CommandToIndex(command)));
  }
  void Key(int key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(frame->GetWidget(), key, modifiers);
    QApplication::processEvents();
  }

  QtTestApplication app;
  XApp winApp;
  MemoryProfileStore store;
  ProfileStore* previousStore;
  HeadlessSystemInfo info;
  SystemInfo* previousInfo;
  RecordingMainFrame* frame = nullptr;
};

TEST_F(MainFrameFixture, TheBeginnerToolbarExcludesTheOthersAndTheChoiceSurvivesARestart) {
  Open(1024);
  EXPECT_EQ(Shown(), "10000");
  EXPECT_FALSE(frame->IsCommandEnabled(59392));

  Key(Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);  // Beginner off: the others by their keys
  EXPECT_EQ(Shown(), "01110");
  Key(Qt::Key_M, Qt::ControlModifier | Qt::AltModifier);  // Main off
  EXPECT_EQ(Shown(), "00110");

  Close();
  Open(1024);
  EXPECT_EQ(Shown(), "00110");
  Key(Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(Shown(), "10000");
}

TEST_F(MainFrameFixture, ResetAllPutsInteractiveOnTheRightOnlyBelow800Pixels) {
  for (int width : {799, 800}) {
    Open(width);
    frame->GetInteractiveToolBar().GetDockingFrame();
    frame->SendMessage(WM_COMMAND, 32986);  // Float All
    frame->SendMessage(WM_COMMAND, 32987);  // Reset All
    const DWORD interactive = frame->GetInteractiveToolBar().GetBarStyle();
    EXPECT_EQ((interactive & CBRS_ALIGN_ANY) != 0, true);
    EXPECT_EQ((interactive & CBRS_ALIGN_RIGHT) != 0, width == 799) << width;
    EXPECT_EQ((interactive & CBRS_ALIGN_TOP) != 0, width == 800) << width;
    EXPECT_TRUE(frame->GetAdvancedToolBar().GetBarStyle() & CBRS_ALIGN_LEFT);
    EXPECT_TRUE(frame->GetFileToolBar().GetBarStyle() & CBRS_ALIGN_TOP);
    Close();
  }
}

TEST_F(MainFrameFixture, FourVisibleWindowsMakeTileReadTileAndGreyTileVertical) {
  Open(1024);
  std::vector<CMDIChildWnd*> children;
  // The 3D Objects window, opened at start-up, counts as one.
  ASSERT_NE(frame->GetObjects3DView(), nullptr);
  for (int i = 0; i < 4; ++i) {
    auto* child = new CMDIChildWnd;
    ASSERT_TRUE(child->LoadFrame(14, WS_OVERLAPPEDWINDOW, frame));
    child->ShowWindow(SW_SHOW);
    children.push_back(child);
  }
  children[3]->ShowWindow(SW_MINIMIZE);  // a minimised window does not count
  QApplication::processEvents();
  QMenu* window = frame->GetWindowMenuPopup();
  ASSERT_NE(window, nullptr);
  auto item = [&](UINT id) -> QAction* {
    for (QAction* action : window->actions())
      if (action->text().startsWith(id == 33018 ? "&Tile" : "Tile &V")) return action;
    return nullptr;
  };
  window->popup(QPoint(10, 10));
  QApplication::processEvents();
  ASSERT_NE(item(33018), nullptr);
  EXPECT_EQ(item(33018)->text().toStdString(), "&Tile\tCtrl+T");
  EXPECT_FALSE(item(33019)->isEnabled());
  window->hide();

  children[2]->ShowWindow(SW_HIDE);
  window->popup(QPoint(10, 10));
  QApplication::processEvents();
  EXPECT_EQ(item(33018)->text().toStdString(), "&Tile Horizontal\tCtrl+T");
  EXPECT_TRUE(item(33019)->isEnabled());
  window->hide();
}

TEST_F(MainFrameFixture, RightAndDoubleClicksOnButtonsPostTheirSettingsCommands) {
  Open(1024);
  XToolBar& beginner = frame->GetBeginnerToolBar();
  QTest::mouseClick(Button(beginner, 33128), Qt::RightButton);  // Size Object
  QTest::mouseClick(Button(beginner, 33118), Qt::RightButton);  // Adjust Blurriness
  QTest::mouseClick(Button(beginner, 57643), Qt::RightButton);  // Undo: no settings
  QTest::mouseDClick(Button(beginner, 33110), Qt::LeftButton);  // Adjust Lens Zoom
  QApplication::processEvents();
  EXPECT_EQ(frame->posted, (std::vector<UINT>{33137, 2103, 2104}));
  EXPECT_FALSE(beginner.IsFloating());
}

TEST_F(MainFrameFixture, SettingsClicksAndTheMenuOpenPreferencesAtTheirPages) {
  Open(1024);
  const auto expectSheetAt = [&](const char* tab, const std::function<void()>& user) {
    // The command may be posted: the sheet is looked for until it is up.
    std::string shown;
    std::function<void()> whenUp = [&] {
      QWidget* sheet = QApplication::activeModalWidget();
      if (!sheet) return QTimer::singleShot(10, whenUp);
      const QTabBar* tabs = sheet->findChild<QTabBar*>();
      shown = tabs->tabText(tabs->currentIndex()).toStdString();
      for (QPushButton* button : sheet->findChildren<QPushButton*>())
        if (button->text() == "Cancel") QTest::mouseClick(button, Qt::LeftButton);
    };
    QTimer::singleShot(0, whenUp);
    user();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown.empty(); }));
    EXPECT_EQ(shown, tab);
  };
  expectSheetAt("Interactive", [&] { QTest::mouseClick(Button(frame->GetBeginnerToolBar(), 33066), Qt::RightButton); });
  Key(Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);  // Beginner off: the others come up
  expectSheetAt("Front, Top, Left",
                [&] { QTest::mouseClick(Button(frame->GetAdvancedToolBar(), 33028), Qt::RightButton); });
  expectSheetAt("Ground", [&] { QTest::mouseDClick(Button(frame->GetInteractiveToolBar(), 33126), Qt::LeftButton); });
  expectSheetAt("General", [&] { frame->SendMessage(WM_COMMAND, 33129, 0); });
  EXPECT_TRUE(frame->posted.empty());
}

TEST_F(MainFrameFixture, ConstructionReadsTheGlobalPreferences) {
  XWritePrefString(XPref::MAX_FPS.section, XPref::MAX_FPS.key, "20");
  const XMainFrame unshown;
  EXPECT_EQ(Globals::GetMaxFps(), 20u);
}

TEST_F(MainFrameFixture, F1OpensTheHelpOfThePromptShownAndSupportHasItsOwnPage) {
  Open(1024);
  std::vector<std::string> pages;
  const DesktopOpener previous = SetDesktopOpener([&](const std::string& url) {
    pages.push_back(url.substr(url.find_last_of('/') + 1));
    return true;
  });
  // A child window is active (the 3D Objects window): F1 still reaches the main frame.
  ASSERT_NE(frame->MDIGetActive(), nullptr);
  QWidget* undo = Button(frame->GetBeginnerToolBar(), 57643);
  QCursor::setPos(undo->mapToGlobal(undo->rect().center()));
  frame->GetStatusBar().OnIdle();
  QTest::keyClick(frame->GetWidget(), Qt::Key_F1);
  frame->SendMessage(WM_COMMAND, 33016, 0);
  SetDesktopOpener(previous);
  EXPECT_EQ(pages, (std::vector<std::string>{"123179.html", "98552.html"}));
}

TEST_F(MainFrameFixture, BarsAndMenuItemsGiveTheirPrompts) {
  Open(1024);
  XStatusBar& bar = frame->GetStatusBar();
  XToolBar& beginner = frame->GetBeginnerToolBar();
  QWidget* undo = Button(beginner, 57643);
  QCursor::setPos(undo->mapToGlobal(undo->rect().center()));
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptId(), 57643u);
  const QPoint empty = beginner.GetWidget()->mapToGlobal(QPoint(2, beginner.GetWidget()->height() / 2));
  QCursor::setPos(empty);
  bar.OnIdle();
  EXPECT_EQ(WindowFromPoint({empty.x(), empty.y()}), &beginner);
  EXPECT_EQ(bar.GetPromptId(), 40201u);
  QCursor::setPos(frame->GetWidget()->mapToGlobal(QPoint(500, 400)));
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptText(), "Choose New or Open... from the File menu");

  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0xF000, 0), 1);
  bar.OnIdle();  // the menu's prompt stays while the menu is open
  EXPECT_EQ(bar.GetPromptText(), "Change the window size");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0xFF02, 0), 1);
  EXPECT_EQ(bar.GetPromptText(), "Activate this window");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptId(), 40038u);
}

TEST_F(MainFrameFixture, TheObjectsWindowListsTheFolderSortedAndHidingKeepsTheList) {
  Open(1024);
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
  CFrameWnd* window = view->GetParentFrame();
  window->SendMessage(WM_CLOSE);  // the close box hides it
  QApplication::processEvents();
  EXPECT_FALSE(window->IsWindowVisible());
  Key(Qt::Key_J, Qt::ControlModifier);
  EXPECT_TRUE(window->IsWindowVisible());
  EXPECT_EQ(frame->GetObjects3DView(), view);
  EXPECT_EQ(list.GetItemCount(), count);
}

TEST_F(MainFrameFixture, ShowingTheObjectsWindowLeavesTheUsersWindowActiveOnlyWhileTheListIsUncovered) {
  Open(1024);
  ASSERT_NE(frame->GetObjects3DView(), nullptr);
  CFrameWnd* objects = frame->GetObjects3DView()->GetParentFrame();
  objects->MoveWindow(0, 0, 300, 200);
  auto* camera = new CMDIChildWnd;
  ASSERT_TRUE(camera->LoadFrame(14, WS_OVERLAPPEDWINDOW, frame));
  camera->ShowWindow(SW_SHOW);
  struct Case {
    CRect cameraPlace;
    bool cameraStaysActive;
  };
  for (const Case& c : {Case{{400, 0, 700, 200}, true}, Case{{200, 100, 500, 300}, false}}) {
    camera->MoveWindow(&c.cameraPlace);
    Key(Qt::Key_J, Qt::ControlModifier);  // hide
    ASSERT_FALSE(objects->IsWindowVisible());
    frame->MDIActivate(camera);
    QApplication::processEvents();
    Key(Qt::Key_J, Qt::ControlModifier);  // show again
    EXPECT_TRUE(objects->IsWindowVisible());
    EXPECT_EQ(frame->MDIGetActive(), c.cameraStaysActive ? camera : objects) << c.cameraPlace.left;
  }
}

TEST_F(MainFrameFixture, ComingToTheFrontOnAn8BitDisplayPutsTheFixedPaletteIntoTheDisplays) {
  const SIZE screen = DDDisplaySize();
  const int bits = static_cast<int>(DDDisplayBitsPerPixel());
  ASSERT_TRUE(DDSetDisplayMode(8, screen.cx, screen.cy));
  PALETTEENTRY before[256], after[256];
  DDGetDisplayPalette(before);
  struct {
    WORD version = 0x300;
    WORD count = 256;
    PALETTEENTRY entries[256];
  } fixed;
  BuildFixedPalette(fixed.entries);
  for (const bool withPalette : {false, true}) {
    winApp.palette.reset();
    if (withPalette) {
      winApp.palette = std::make_unique<CPalette>();
      ASSERT_TRUE(winApp.palette->CreatePalette(reinterpret_cast<LOGPALETTE*>(&fixed)));
    }
    Open(1024);
    frame->GetWidget()->activateWindow();
    QApplication::processEvents();
    DDGetDisplayPalette(after);
    // Red at 190 only once realised; the explicit entries keep the display's own colours.
    EXPECT_EQ(after[190].peRed == 255 && after[190].peGreen == 0, withPalette);
    EXPECT_EQ(after[3].peRed, before[3].peRed);
    Close();
  }
  DDSetDisplayPalette(0, 256, before);
  winApp.palette.reset();
  ASSERT_TRUE(DDSetDisplayMode(bits, screen.cx, screen.cy));
}

TEST_F(MainFrameFixture, TheFileMenuListsTheRecentScenes) {
  winApp.LoadStdProfileSettings(4);
  winApp.AddToRecentFileList("/nowhere/Garden.tvr");
  Open(1024);
  QMenu* file = frame->GetMenuPopup(0);
  file->popup(QPoint(10, 10));
  QApplication::processEvents();
  QAction* garden = nullptr;
  for (QAction* action : file->actions())
    if (action->text() == "&1 Garden.tvr") garden = action;
  ASSERT_NE(garden, nullptr);
  EXPECT_TRUE(garden->isEnabled());
  file->hide();
}

}  // namespace
