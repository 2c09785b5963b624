#include <gtest/gtest.h>

#include <QClipboard>
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

}  // namespace
