// The About box: the start-up splash that the main frame asks for and Help/About, each closed by
// whatever the user presses or clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>

#include "dialogs/DialogAbout.h"
#include "platform/framework/RunModal.h"
#include "shell/ShellTestSupport.h"
#include "shell/XMainFrame.h"

namespace shell_test {
namespace {

using AboutBox = StartedApp;

QWidget* SplashWindow(XApp& app) { return app.m_dialogAbout ? app.m_dialogAbout->GetWidget() : nullptr; }

TEST_F(AboutBox, TheSplashComesUpWithTheMainFrameAndAnyKeyClickOrItsTimeClosesIt) {
  WritePreferences(kSetUpBefore);
  ASSERT_TRUE(Start());
  QCoreApplication::processEvents();  // the main frame posted its request at creation
  QWidget* splash = SplashWindow(app);
  ASSERT_NE(splash, nullptr);
  EXPECT_TRUE(splash->isVisible());
  EXPECT_FALSE(splash->findChild<QLabel*>()->pixmap().isNull());
  QTest::mouseClick(splash->findChild<QLabel*>(), Qt::LeftButton);
  EXPECT_EQ(app.m_dialogAbout, nullptr);

  for (Qt::Key key : {Qt::Key_A, Qt::Key_Escape}) {
    XGetMainFrame()->SendMessage(WM_COMMAND, 2105);
    ASSERT_NE(SplashWindow(app), nullptr);
    QTest::keyClick(SplashWindow(app), key);
    EXPECT_EQ(app.m_dialogAbout, nullptr);
  }
  XGetMainFrame()->SendMessage(WM_COMMAND, 2105);
  app.m_dialogAbout->SendMessage(WM_TIMER, 1);
  EXPECT_EQ(app.m_dialogAbout, nullptr);
}

TEST_F(AboutBox, HelpAboutShowsTheVersionAndBuildDateAndClosesOnAClick) {
  WritePreferences(kSetUpBefore);
  ASSERT_TRUE(Start());
  QString version;
  RunModal(
      [&] {
        XGetMainFrame()->SendMessage(WM_COMMAND, 10008);
        return IDOK;
      },
      [&](QDialog* box) {
        const QList<QLabel*> labels = box->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), 2);
        version = labels[1]->text();
        QTest::mouseClick(labels[1], Qt::LeftButton);
      });
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(QRegularExpression("^version 1\\.3, [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4}$").match(version).hasMatch())
      << version.toStdString();
}

}  // namespace
}  // namespace shell_test
