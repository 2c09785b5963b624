// Tool bars moved by the mouse: a floating bar's caption, its moves on the screen, docking by a
// double-click and by a drop on a side of the frame; docked bars side by side in a row.
#include <gtest/gtest.h>

#include <QCursor>
#include <QDockWidget>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <string>
#include <vector>

#include "FrameTestClasses.h"
#include "platform/framework/ToolBar.h"
#include "platform/win/QtTestApplication.h"
#include "support/PlatformFakes.h"

namespace {

constexpr UINT kLongResource = 57345;

void RegisterLongToolBar() {
  // Ten grey buttons: bars long enough that a row's share of room would cut them short.
  static const std::vector<std::string> rows(15, std::string(160, '.'));
  static const std::vector<const char*> pictures = [] {
    std::vector<const char*> lines = {"160 15 1 1", ". c #808080"};
    for (const std::string& row : rows) lines.push_back(row.c_str());
    return lines;
  }();
  static const ToolBarResource toolBar{kLongResource,
                                       16,
                                       15,
                                       {kToolUndo, kToolRedo, 0, kToolUndo, kToolRedo, kToolUndo, 0, kToolRedo,
                                        kToolUndo, kToolRedo, kToolUndo, kToolRedo},
                                       pictures.data()};
  AddToolBarResource(&toolBar);
}

// Where a widget stands each time it is shown.
struct ShowPlaces : QObject {
  explicit ShowPlaces(QWidget* widget) { widget->installEventFilter(this); }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) places.push_back(static_cast<QWidget*>(watched)->pos());
    return false;
  }
  std::vector<QPoint> places;
};

struct BarsFixture : ::testing::Test {
  BarsFixture() {
    RegisterTestResources();
    RegisterLongToolBar();
    main = new TestMainFrame;
    EXPECT_TRUE(main->LoadFrame(kMainResource));
    app.m_pMainWnd = main;
    mainHandle = main->m_hWnd;
    main->EnableDocking(CBRS_ALIGN_ANY);
    for (CToolBar* bar : {&first, &second}) {
      EXPECT_TRUE(bar->Create(main));
      EXPECT_TRUE(bar->LoadToolBar(kLongResource));
      bar->EnableDocking(CBRS_ALIGN_ANY);
    }
    second.SetWindowText("Second Bar");
    main->MoveWindow(0, 0, 780, 560);
    main->ShowWindow(SW_SHOW);
    app.OnFileNew();
    DockInARow();
  }
  ~BarsFixture() override {
    if (IsWindow(mainHandle)) main->DestroyWindow();
  }

  // The first bar on top, the second right after it.
  void DockInARow() {
    main->DockControlBar(&first, AFX_IDW_DOCKBAR_TOP);
    QApplication::processEvents();
    CRect rect;
    first.GetWindowRect(&rect);
    rect.OffsetRect(1, 0);
    main->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP, &rect);
    QApplication::processEvents();
  }
  static QRect Screen() { return QGuiApplication::primaryScreen()->availableGeometry(); }
  static QRect OnScreen(const QWidget* widget) { return {widget->mapToGlobal(QPoint(0, 0)), widget->size()}; }
  // The mouse's way from `from` to `to` (screen coordinates) with the left button held, pressed on
  // `widget`; the widget may move under the mouse meanwhile.
  static void Drag(QWidget* widget, QPoint from, QPoint to) {
    QCursor::setPos(from);
    QTest::mousePress(widget, Qt::LeftButton, {}, widget->mapFromGlobal(from));
    for (int step = 1; step <= 4; ++step) {
      const QPoint at = from + (to - from) * step / 4;
      QCursor::setPos(at);
      QTest::mouseMove(widget, widget->mapFromGlobal(at));
    }
    QTest::mouseRelease(widget, Qt::LeftButton, {}, widget->mapFromGlobal(to));
    QApplication::processEvents();
  }
  static void DoubleClick(QWidget* widget, QPoint at) {
    QCursor::setPos(widget->mapToGlobal(at));
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QApplication::processEvents();
  }

  QtTestApplication qt;
  ScopedMemoryProfile store;
  TestApp app;
  TestMainFrame* main;
  HWND mainHandle;
  CToolBar first;
  CToolBar second;
};

// Bars that share a row sit next to each other, each as long as its buttons: when they are floated
// and docked again one after the other, and when the frame grows.
TEST_F(BarsFixture, DockedBarsSitSideBySideWithEveryButtonShown) {
  main->MoveWindow(0, 0, 600, 560);
  for (CToolBar* bar : {&first, &second}) {
    CRect rect;
    bar->GetWindowRect(&rect);
    main->FloatControlBar(bar, rect.TopLeft());
  }
  DockInARow();
  main->MoveWindow(0, 0, 790, 560);
  QApplication::processEvents();

  const QRect one = OnScreen(first.Dock());
  const QRect two = OnScreen(second.Dock());
  EXPECT_EQ(two.top(), one.top());
  EXPECT_LE(one.width(), first.Dock()->sizeHint().width());
  EXPECT_GE(two.left(), one.right() + 1);
  EXPECT_LE(two.left(), one.right() + 1 + 8) << "the second bar lies " << two.left() - one.right() << " px away";
  for (CToolBar* bar : {&first, &second})
    for (int i = 0; i < bar->GetCount(); ++i)
      EXPECT_TRUE(bar->GetItemID(i) == 0 || bar->Buttons()->widgetForAction(bar->Action(i))->isVisible()) << i;
}

// Floating, a bar is a small window with a caption that shows its title. A drag on the caption or
// on the window's edge moves it whole, inside the screen; a double-click docks it where it was
// docked; a drop on a side of the frame docks it there, and a docked bar dragged into the frame's
// work area floats where it is let go.
TEST_F(BarsFixture, AFloatingBarMovesInsideTheScreenAndDocksWhereItIsLetGo) {
  QDockWidget* dock = second.Dock();
  // A double-click on a button leaves the bar docked; one off the buttons floats it.
  DoubleClick(second.Buttons()->widgetForAction(second.Action(0)), QPoint(4, 4));
  EXPECT_FALSE(second.IsFloating());
  DoubleClick(dock->titleBarWidget(), QPoint(2, 2));
  ASSERT_TRUE(second.IsFloating());
  QApplication::processEvents();  // the dock widget's own edge handler is made by now
  QWidget* caption = dock->titleBarWidget();
  EXPECT_LE(caption->geometry().bottom(), second.Buttons()->geometry().top());
  EXPECT_GE(caption->width(), caption->fontMetrics().horizontalAdvance(QStringLiteral("Second Bar")));
  EXPECT_EQ(dock->windowTitle(), QStringLiteral("Second Bar"));
  const QImage picture = caption->grab().toImage();
  EXPECT_NE(picture.pixelColor(1, 1), dock->palette().color(QPalette::Window));

  const QSize size = dock->size();
  struct Move {
    const char* what;
    QPoint press;  // in the dock widget
    QPoint by;
  };
  const Move moves[] = {{"by the caption", caption->geometry().center(), {40, 120}},
                        {"by the left edge", {0, dock->height() / 2}, {30, -20}},
                        {"by the bottom edge", {dock->width() / 2, dock->height() - 1}, {-10, 25}}};
  for (const Move& move : moves) {
    const QPoint before = dock->pos();
    const QPoint from = dock->mapToGlobal(move.press);
    Drag(dock, from, from + move.by);
    EXPECT_EQ(dock->pos(), before + move.by) << move.what;
    EXPECT_EQ(dock->size(), size) << move.what;
    EXPECT_TRUE(second.IsFloating()) << move.what;
  }
  // Past the screen's right edge, it stops at the edge.
  const QPoint from = dock->mapToGlobal(caption->geometry().center());
  Drag(dock, from, QPoint(Screen().right() + 200, from.y()));
  EXPECT_TRUE(Screen().contains(OnScreen(dock))) << OnScreen(dock).right();
  EXPECT_EQ(OnScreen(dock).right(), Screen().right());
  main->FloatControlBar(&second, CPoint(Screen().right() - 10, Screen().bottom() - 10));
  EXPECT_TRUE(Screen().contains(OnScreen(dock)));

  DoubleClick(caption, caption->rect().center());
  EXPECT_FALSE(second.IsFloating());
  EXPECT_TRUE(second.GetBarStyle() & CBRS_ALIGN_TOP);

  // Dragged from its grip onto the frame's left side, then into the work area.
  QApplication::processEvents();
  const QRect frame = OnScreen(main->GetWidget());
  Drag(dock, dock->mapToGlobal(QPoint(2, 2)), QPoint(frame.left() + 4, frame.center().y()));
  EXPECT_FALSE(second.IsFloating());
  EXPECT_TRUE(second.GetBarStyle() & CBRS_ALIGN_LEFT);
  EXPECT_EQ(main->DockBarAt(CPoint(frame.center().x(), frame.center().y())), 0u);
  QApplication::processEvents();
  const QPoint drop(frame.left() + 100, frame.center().y());
  Drag(dock, dock->mapToGlobal(QPoint(2, 2)), drop);
  EXPECT_TRUE(second.IsFloating());
  EXPECT_EQ(dock->pos(), drop - QPoint(2, 2));
  // Dropped on the top row, it docks after the bar there.
  QApplication::processEvents();
  const QRect row = OnScreen(first.Dock());
  Drag(dock, dock->mapToGlobal(caption->geometry().center()), row.center());
  EXPECT_FALSE(second.IsFloating());
  EXPECT_TRUE(second.GetBarStyle() & CBRS_ALIGN_TOP);
  QApplication::processEvents();
  EXPECT_GT(OnScreen(dock).left(), row.left());
}

// While a docked bar is dragged it holds the mouse capture (the prompt and the cursor stay its own)
// and a window of its own outlines where it would land, following the mouse: across the frame in the
// work area, upright over the frame's left side. The release lets the capture go and the outline
// with it.
TEST_F(BarsFixture, ADockedBarDraggedOutlinesWhereItWouldLandAndHoldsTheCapture) {
  const QRect frame = OnScreen(main->GetWidget());
  const struct {
    const char* where;
    QPoint to;
    bool upright;
  } drags[] = {{"work area", QPoint(frame.left() + 200, frame.center().y()), false},
               {"left side", QPoint(frame.left() + 4, frame.center().y()), true}};
  for (const auto& drag : drags) {
    SCOPED_TRACE(drag.where);
    DockInARow();
    QDockWidget* dock = second.Dock();
    const QRect docked = OnScreen(dock);
    const QPoint from = docked.topLeft() + QPoint(2, 2);
    QCursor::setPos(from);
    QTest::mousePress(dock, Qt::LeftButton, {}, QPoint(2, 2));
    std::vector<QRect> outlines;
    for (const QPoint at : {drag.to - QPoint(0, 30), drag.to}) {
      QCursor::setPos(at);
      QTest::mouseMove(dock, dock->mapFromGlobal(at));
      EXPECT_EQ(CWnd::GetCapture(), &second);
      EXPECT_FALSE(second.IsFloating());
      for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window != dock && window != main->GetWidget() && window->geometry().contains(at))
          outlines.push_back(window->geometry());
    }
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[1].topLeft() - outlines[0].topLeft(), QPoint(0, 30));
    EXPECT_EQ(outlines[1].height() > outlines[1].width(), drag.upright);
    EXPECT_EQ(outlines[1].size(), drag.upright ? docked.size().transposed() : docked.size());
    QTest::mouseRelease(dock, Qt::LeftButton, {}, dock->mapFromGlobal(drag.to));
    QApplication::processEvents();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    for (QWidget* window : QApplication::topLevelWidgets())
      EXPECT_FALSE(window->isVisible() && window->geometry() == outlines[1]);
  }
}

// A bar that floats is shown first where it floats, never where it floated before: a window
// manager may keep a window where it was first shown. A hidden bar floats hidden.
TEST_F(BarsFixture, AFloatingBarIsFirstShownWhereItFloats) {
  QDockWidget* dock = second.Dock();
  main->FloatControlBar(&second, CPoint(Screen().right() - 10, Screen().top()));
  main->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP);
  QApplication::processEvents();

  ShowPlaces shows(dock);
  const QRect frame = OnScreen(main->GetWidget());
  const QPoint drop(frame.left() + 100, frame.center().y());
  Drag(dock, dock->mapToGlobal(QPoint(2, 2)), drop);
  ASSERT_TRUE(second.IsFloating());
  EXPECT_EQ(shows.places, std::vector<QPoint>{drop - QPoint(2, 2)});

  main->DockControlBar(&second, AFX_IDW_DOCKBAR_TOP);
  main->ShowControlBar(&second, FALSE, FALSE);
  QApplication::processEvents();
  shows.places.clear();
  main->FloatControlBar(&second, CPoint(50, 60));
  QApplication::processEvents();
  EXPECT_TRUE(second.IsFloating());
  EXPECT_TRUE(dock->isHidden());
  EXPECT_TRUE(shows.places.empty());
  EXPECT_EQ(dock->pos(), QPoint(50, 60));
}

}  // namespace
