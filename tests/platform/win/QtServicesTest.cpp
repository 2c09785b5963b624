#include <gtest/gtest.h>

#include <QClipboard>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QStyleHints>
#include <QToolTip>

#include "QtTestApplication.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Cursors.h"
#include "platform/win/QtCursors.h"
#include "platform/win/QtPlatform.h"
#include "platform/win/SystemInfo.h"

namespace {

// Undoes InstallQtPlatform at the end of a test.
struct QtPlatformInstalled {
  QtPlatformInstalled() { InstallQtPlatform(); }
  ~QtPlatformInstalled() {
    SetMessageBoxBackend(nullptr);
    SetSystemInfo(nullptr);
    SetClipboard(nullptr);
  }
};

QRect OpaqueBounds(const QImage& image) {
  QRect bounds;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) bounds |= QRect(x, y, 1, 1);
  return bounds;
}

TEST(QtCursors, ImagesAreThirtyTwoSquareWithTheHotSpotOnTheShape) {
  QtTestApplication app;
  const struct {
    UINT id;
    QPoint hotSpot;
  } cursors[] = {{104, {1, 1}}, {138, {15, 15}}, {139, {15, 15}}};
  QRect bounds[3];
  for (int i = 0; i < 3; ++i) {
    QCursor cursor = CursorFromHandle(LoadCursorResource(cursors[i].id));
    QImage image = cursor.pixmap().toImage();
    EXPECT_EQ(image.size(), QSize(32, 32)) << cursors[i].id;
    EXPECT_EQ(cursor.hotSpot(), cursors[i].hotSpot) << cursors[i].id;
    EXPECT_EQ(qAlpha(image.pixel(cursors[i].hotSpot)), 255) << cursors[i].id;
    bounds[i] = OpaqueBounds(image);
  }
  // The arrow's tip is its top left corner; the double arrows are centred on their hot spot,
  // one upright and one lying.
  EXPECT_EQ(bounds[0].topLeft(), QPoint(1, 1));
  EXPECT_EQ(bounds[1].center(), QPoint(15, 15));
  EXPECT_EQ(bounds[2].center(), QPoint(15, 15));
  EXPECT_GT(bounds[1].height(), bounds[1].width());
  EXPECT_GT(bounds[2].width(), bounds[2].height());

  EXPECT_EQ(CursorFromHandle(LoadStandardCursor(IDC_ARROW)).shape(), Qt::ArrowCursor);
  EXPECT_EQ(CursorFromHandle(nullptr).shape(), Qt::ArrowCursor);
  EXPECT_EQ(LoadCursorResource(105), nullptr);
}

TEST(QtSystemInfo, FollowsDesktopChangesWhileTheProgramRuns) {
  QtTestApplication app;
  QtPlatformInstalled installed;
  QGuiApplication::styleHints()->setMouseDoubleClickInterval(321);
  QGuiApplication::styleHints()->setStartDragDistance(6);
  QPalette palette = QToolTip::palette();
  palette.setColor(QPalette::ToolTipBase, QColor(10, 20, 30));
  QToolTip::setPalette(palette);

  EXPECT_EQ(GetDoubleClickTime(), 321u);
  EXPECT_EQ(GetSystemMetrics(SM_CXDRAG), 12);
  EXPECT_EQ(GetSystemMetrics(SM_CYDRAG), 12);
  EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(10, 20, 30));
  QGuiApplication::styleHints()->setMouseDoubleClickInterval(654);
  EXPECT_EQ(GetDoubleClickTime(), 654u);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), QGuiApplication::primaryScreen()->geometry().width());
}

TEST(QtClipboard, EmptyingClearsWhatAnotherProgramCopied) {
  {
    QtTestApplication app;
    QtPlatformInstalled installed;
    QGuiApplication::clipboard()->setText(QStringLiteral("copied"));
    ASSERT_EQ(QGuiApplication::clipboard()->text(), "copied");
    ASSERT_EQ(OpenClipboard(nullptr), TRUE);
    EXPECT_EQ(EmptyClipboard(), TRUE);
    EXPECT_EQ(CloseClipboard(), TRUE);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
  }
  QtPlatformInstalled withoutApplication;
  EXPECT_EQ(OpenClipboard(nullptr), FALSE);
}

}  // namespace
