// The main frame with its real bars and menus, driven by keys, clicks and commands: toolbar
// visibility and layout, the Window and File menus, settings clicks, prompts and help, the 3D
// Objects window and the palette on an 8-bit display. Then the prompt line in a plain frame: its
// blink and widening cycle on a stepped clock, and which prompt source it asks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <vector>

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "platform/ddraw/Display.h"
#include "platform/win/QtTestApplication.h"
#include "platform/win/TickCount.h"
#include "shell/ObjectThumbnail.h"
#include "shell/StartupChecks.h"
#include "shell/WindowHelpers.h"
#include "shell/XApp.h"
#include "shell/XMainFrame.h"
#include "support/FatalCheck.h"
#include "support/PlatformFakes.h"
#include "support/RecordingDesktop.h"

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
END_MESSAGE_MAP()

struct MainFrameFixture : ::testing::Test {
  MainFrameFixture() { winApp.programPath = TAVROLIN_BINARY_DIR "/bin/tavrolin"; }
  ~MainFrameFixture() override { Close(); }
  // The frame reads the screen size and the preferences itself as it is made.
  void Open(int screenWidth = 1024) {
    info->screenSize = {screenWidth, 768};
    frame = new RecordingMainFrame;
    EXPECT_TRUE(frame->LoadFrame(12));
    winApp.m_pMainWnd = frame;
    frame->MoveWindow(0, 0, 1000, 700);
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
    QCursor::setPos(widget->mapToGlobal(at));
    frame->GetStatusBar().OnIdle();
  }

  QtTestApplication app;
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
  QTest::mouseClick(Button(beginner, 33118), Qt::RightButton);  // Adjust Blurriness
  QTest::mouseClick(Button(beginner, 57643), Qt::RightButton);  // Undo: no settings
  QTest::mouseDClick(Button(beginner, 33110), Qt::LeftButton);  // Adjust Lens Zoom
  QApplication::processEvents();
  EXPECT_EQ(frame->posted, (std::vector<UINT>{33137, 2103, 2104}));
  EXPECT_FALSE(beginner.IsFloating());
  frame->posted.clear();

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
  expectSheetAt("Interactive", [&] { QTest::mouseClick(Button(beginner, 33066), Qt::RightButton); });
  Key(Qt::Key_B, kCtrlAlt);  // Beginner off: the others come up
  expectSheetAt("Front, Top, Left",
                [&] { QTest::mouseClick(Button(frame->GetAdvancedToolBar(), 33028), Qt::RightButton); });
  expectSheetAt("Ground", [&] { QTest::mouseDClick(Button(frame->GetInteractiveToolBar(), 33126), Qt::LeftButton); });
  expectSheetAt("General", [&] { frame->SendMessage(WM_COMMAND, 33129, 0); });
  EXPECT_TRUE(frame->posted.empty());
}

TEST_F(MainFrameFixture, BarsAndMenuItemsGiveTheirPromptsAndF1OpensTheHelpOfThePromptShown) {
  Open();
  XStatusBar& bar = frame->GetStatusBar();
  XToolBar& beginner = frame->GetBeginnerToolBar();
  const QPoint empty(2, beginner.GetWidget()->height() / 2);
  Hover(beginner.GetWidget(), empty);
  const QPoint emptyOnScreen = beginner.GetWidget()->mapToGlobal(empty);
  EXPECT_EQ(WindowFromPoint({emptyOnScreen.x(), emptyOnScreen.y()}), &beginner);
  EXPECT_EQ(bar.GetPromptId(), 40201u);
  Hover(frame->GetWidget(), QPoint(500, 400));
  EXPECT_EQ(bar.GetPromptText(), "Choose New or Open... from the File menu");

  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0xF000, 0), 1);
  bar.OnIdle();  // the menu's prompt stays while the menu is open
  EXPECT_EQ(bar.GetPromptText(), "Change the window size");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0xFF02, 0), 1);
  EXPECT_EQ(bar.GetPromptText(), "Activate this window");
  frame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptId(), 40038u);

  RecordingDesktop desktop;
  // A child window is active (the 3D Objects window): F1 still reaches the main frame.
  ASSERT_NE(frame->MDIGetActive(), nullptr);
  QWidget* undo = Button(beginner, 57643);
  Hover(undo, undo->rect().center());
  EXPECT_EQ(bar.GetPromptId(), 57643u);
  QTest::keyClick(frame->GetWidget(), Qt::Key_F1);
  frame->SendMessage(WM_COMMAND, 33016, 0);  // Help/Support
  ASSERT_EQ(desktop.urls.size(), 2u);
  EXPECT_TRUE(desktop.urls[0].ends_with("/123179.html"));
  EXPECT_TRUE(desktop.urls[1].ends_with("/98552.html"));
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
    if (withPalette) {
      winApp.palette = std::make_unique<CPalette>();
      ASSERT_TRUE(winApp.palette->CreatePalette(reinterpret_cast<LOGPALETTE*>(&fixed)));
    }
    Open();
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

  QtTestApplication app;
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
  // The settings are kept for the next start.
  XStatusBar next;
  DWORD duration;
  BOOL blink, expand;
  next.GetPrefs(&duration, &blink, &expand);
  EXPECT_EQ(duration, 1500u);
  EXPECT_FALSE(blink);
  EXPECT_FALSE(expand);
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
  CWnd child;
  child.Create("Child", WS_CHILD | WS_VISIBLE, {10, 10, 200, 100}, &frame, 5);
  QApplication::processEvents();
  bar.RegisterStatusCallback(frame.GetSafeHwnd(), &SetPrompt, &framePrompt);

  // Over a child without a source of its own the frame's source answers.
  const QPoint inside = child.GetWidget()->mapToGlobal(QPoint(20, 20));
  QCursor::setPos(inside);
  ASSERT_EQ(WindowFromPoint({inside.x(), inside.y()}), &child);
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptId(), 40038u);

  now = 0xFFFFFF00u;
  bar.PushModalStatusCallback(&SetPrompt, &dialogPrompt);
  bar.OnIdle();
  EXPECT_EQ(bar.GetPromptId(), 40225u);
  EXPECT_FATAL(bar.PopModalStatusCallback(+[](void*) {}),
               "modalStatusCallbacks[modalStatusCallbacks.GetUpperBound()] == callback",
               "Modal status callbacks must be unregistered in reverse order of registration");
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
  EXPECT_FATAL(bar.UnregisterStatusCallback(frame.GetSafeHwnd()), "statusCallbacks.RemoveKey( hwnd )", "");
}

}  // namespace
