// Tool bars and the status bar in a real frame, the bars' state in the preferences, and the idle
// processing of the event loop.
#include <gtest/gtest.h>

#include <QDockWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "FrameTestClasses.h"
#include "platform/framework/Controls.h"
#include "platform/framework/DC.h"
#include "platform/framework/StatusBar.h"
#include "platform/framework/ToolBar.h"
#include "platform/win/QtTestApplication.h"
#include "support/PlatformFakes.h"

namespace {

// Paints its owner-drawn panes green and notes what it was asked to draw.
class PaintingStatusBar : public CStatusBar {
 public:
  void DrawItem(DRAWITEMSTRUCT* item) override {
    drawn.push_back(item->itemID);
    rect = item->rcItem;
    CDC::FromHandle(item->hDC)->FillSolidRect(&item->rcItem, RGB(0, 255, 0));
  }
  std::vector<UINT> drawn;
  CRect rect;
};

struct BarsFixture : ::testing::Test {
  BarsFixture() {
    RegisterTestResources();
    main = new TestMainFrame;
    EXPECT_TRUE(main->LoadFrame(kMainResource));
    app.m_pMainWnd = main;
    mainHandle = main->m_hWnd;
    main->EnableDocking(CBRS_ALIGN_ANY);
    EXPECT_TRUE(toolBar.Create(main));
    EXPECT_TRUE(toolBar.LoadToolBar(kMainResource));
    toolBar.EnableDocking(CBRS_ALIGN_ANY);
    main->DockControlBar(&toolBar, AFX_IDW_DOCKBAR_TOP);
    const UINT panes[] = {ID_SEPARATOR, 57345};
    EXPECT_TRUE(statusBar.Create(main, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, 0));
    EXPECT_TRUE(statusBar.SetIndicators(panes, 2));
    main->MoveWindow(0, 0, 640, 480);
    main->ShowWindow(SW_SHOW);
    QApplication::processEvents();
    routeLog.clear();
  }
  ~BarsFixture() override { if (IsWindow(mainHandle)) main->DestroyWindow(); }
  QToolButton* Button(int index) {
    return qobject_cast<QToolButton*>(toolBar.Buttons()->widgetForAction(toolBar.Action(index)));
  }

  QtTestApplication qt;
  ScopedMemoryProfile store;
  TestApp app;
  TestMainFrame* main;
  HWND mainHandle;  // the frame deletes itself with its window
  CToolBar toolBar;
  PaintingStatusBar statusBar;
};

TEST_F(BarsFixture, ButtonsComeFromTheResourceRunCommandsAndGreyAtIdle) {
  ASSERT_EQ(toolBar.GetCount(), 3);
  EXPECT_EQ(toolBar.GetItemID(0), kToolUndo);
  EXPECT_EQ(toolBar.GetItemID(1), 0u);  // the separator
  EXPECT_EQ(toolBar.CommandToIndex(kToolRedo), 2);
  EXPECT_EQ(toolBar.Action(0)->toolTip(), "Undo");
  CRect undo;
  toolBar.GetItemRect(0, &undo);
  EXPECT_EQ(toolBar.OnToolHitTest(undo.TopLeft() + CPoint(2, 2), nullptr), 0);
  EXPECT_EQ(toolBar.OnToolHitTest(CPoint(-5, -5), nullptr), -1);

  QTest::mouseClick(Button(2), Qt::LeftButton);
  EXPECT_EQ(routeLog, std::vector<std::string>{"main 57644"});

  // The update handler greys the button at idle; a click then does nothing.
  main->redoEnabled = FALSE;
  app.OnIdle(0);
  EXPECT_FALSE(Button(2)->isEnabled());
  EXPECT_TRUE(Button(0)->isEnabled());
  routeLog.clear();
  QTest::mouseClick(Button(2), Qt::LeftButton);
  EXPECT_TRUE(routeLog.empty());
}

TEST_F(BarsFixture, BarsDockOnEverySideFloatAndComeBackFromThePreferences) {
  EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_ALIGN_TOP);
  main->DockControlBar(&toolBar, AFX_IDW_DOCKBAR_LEFT);
  QApplication::processEvents();
  EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_ALIGN_LEFT);
  EXPECT_EQ(toolBar.Buttons()->orientation(), Qt::Vertical);
  main->DockControlBar(&toolBar, AFX_IDW_DOCKBAR_BOTTOM);
  EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_ALIGN_BOTTOM);
  main->DockControlBar(&toolBar, AFX_IDW_DOCKBAR_RIGHT);
  EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_ALIGN_RIGHT);

  main->SaveBarState("Bars");
  EXPECT_FALSE(store->GetProfileString("Bars", "Layout", "").empty());

  main->FloatControlBar(&toolBar, CPoint(50, 60));
  EXPECT_TRUE(toolBar.IsFloating());
  EXPECT_EQ(toolBar.GetBarStyle() & CBRS_ALIGN_ANY, 0u);
  main->ShowControlBar(&statusBar, FALSE, TRUE);
  EXPECT_FALSE(statusBar.GetStyle() & WS_VISIBLE);

  // Restoring puts the tool bar back on the right.
  ASSERT_TRUE(main->LoadBarState("Bars"));
  QApplication::processEvents();
  EXPECT_FALSE(toolBar.IsFloating());
  EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_ALIGN_RIGHT);

  // A double-click on the grip floats the bar, and another docks it again.
  QWidget* grip = toolBar.Dock()->titleBarWidget();
  QTest::mouseDClick(grip, Qt::LeftButton);
  EXPECT_TRUE(toolBar.IsFloating());
  QTest::mouseDClick(grip, Qt::LeftButton);
  EXPECT_FALSE(toolBar.IsFloating());
}

TEST_F(BarsFixture, StatusPanesByIdWithTheirTextsAndRectangles) {
  EXPECT_EQ(statusBar.GetCount(), 2);
  EXPECT_EQ(statusBar.CommandToIndex(57345), 1);
  EXPECT_EQ(statusBar.CommandToIndex(99), -1);
  EXPECT_EQ(statusBar.GetPaneText(1), " Ready");
  UINT id = 1, style = 0;
  int width = 0;
  statusBar.GetPaneInfo(0, id, style, width);
  EXPECT_EQ(id, 0u);
  EXPECT_TRUE(style & SBPS_STRETCH);
  statusBar.SetPaneInfo(0, 0, SBPS_STRETCH, 0);
  statusBar.SetPaneText(0, "Prompt");
  QApplication::processEvents();
  // The stretching pane takes the room the fixed pane leaves; SB_GETRECT answers the same.
  CRect first, second, byMessage;
  statusBar.GetItemRect(0, &first);
  statusBar.GetItemRect(1, &second);
  EXPECT_LT(first.right, second.left + 1);
  EXPECT_GT(first.Width(), second.Width());
  EXPECT_TRUE(statusBar.SendMessage(SB_GETRECT, 1, reinterpret_cast<LPARAM>(&byMessage)));
  EXPECT_EQ(byMessage, second);
  EXPECT_FALSE(statusBar.SendMessage(SB_GETRECT, 5, reinterpret_cast<LPARAM>(&byMessage)));

  // An owner-drawn pane is painted by the bar's DrawItem, in the bar's coordinates.
  statusBar.SetPaneStyle(1, SBT_OWNERDRAW);
  const QImage shot = statusBar.GetWidget()->grab().toImage();
  ASSERT_FALSE(statusBar.drawn.empty());
  EXPECT_EQ(statusBar.drawn.back(), 1u);
  EXPECT_EQ(statusBar.rect, second);
  EXPECT_EQ(shot.pixelColor(second.CenterPoint().x, second.CenterPoint().y), QColor(0, 255, 0));
}

TEST_F(BarsFixture, IdleCountsRiseUntilDeclinedAndStartAgainAfterInput) {
  app.idleRounds = 3;
  QWidget* target = main->MDIGetActive() ? main->GetActiveView()->GetWidget() : main->GetWidget();
  // A key and a posted message arrive after the loop fell idle, each starting the count again;
  // a timer alone does not. Then the program ends through its main window.
  QTimer::singleShot(50, [&] { QTest::keyClick(target, Qt::Key_A); });
  QTimer::singleShot(100, [&] { main->PostMessage(WM_COMMAND, kForMainFrame); });
  QTimer::singleShot(150, [] {});
  QTimer::singleShot(200, [&] { main->PostMessage(WM_CLOSE); });
  app.Run();
  EXPECT_EQ(app.idleCounts, (std::vector<LONG>{0, 1, 2, 0, 1, 2, 0, 1, 2}));
  EXPECT_EQ(routeLog, std::vector<std::string>{"main 40103"});
  EXPECT_FALSE(IsWindow(mainHandle));
}

}  // namespace
