#include <gtest/gtest.h>

#include <cstring>

#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QScreen>
#include <QStyleHints>
#include <QToolTip>

#include "QtTestApplication.h"
#include "platform/win/Clipboard.h"
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

TEST(QtClipboard, ABitmapIsOfferedAsItsFileAndAsAnImage) {
  QtTestApplication app;
  QtPlatformInstalled installed;
  // A 2 x 1 bitmap at 3780 dots per metre: a blue pixel, a red one, two bytes of padding.
  const BYTE dib[48] = {40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                        0xC4, 0x0E, 0, 0, 0xC4, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0};
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof dib);
  std::memcpy(GlobalLock(block), dib, sizeof dib);
  GlobalUnlock(block);
  ASSERT_EQ(OpenClipboard(nullptr), TRUE);
  EXPECT_EQ(SetClipboardData(CF_DIB, block), block);
  CloseClipboard();

  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  const QByteArray file = data->data("image/bmp");
  ASSERT_EQ(file.size(), 14 + 48);
  EXPECT_EQ(file.left(2), "BM");
  EXPECT_EQ(file.mid(14), QByteArray(reinterpret_cast<const char*>(dib), sizeof dib));
  const QImage image = qvariant_cast<QImage>(data->imageData());
  ASSERT_EQ(image.size(), QSize(2, 1));
  EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
  EXPECT_EQ(image.pixel(1, 0) & 0xFFFFFF, 0xFF0000u);
}

}  // namespace
