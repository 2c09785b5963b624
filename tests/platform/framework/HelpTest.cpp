// Help requests open a page per topic on the desktop; Shift+F1 mode shows the help of the window
// clicked next.
#include <gtest/gtest.h>

#include <QTest>
#include <QUrl>
#include <fstream>
#include <iterator>

#include "platform/framework/FrameWnd.h"
#include "platform/framework/Help.h"
#include "platform/framework/MessageLoop.h"
#include "platform/win/QtTestApplication.h"

namespace {

class HelpfulPanel : public CWnd {
 public:
  LRESULT OnHelpHitTest(WPARAM, LPARAM) { return 0x10000 + 12; }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(HelpfulPanel, CWnd)
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

std::string PageText(const std::string& url) {
  std::ifstream in(QUrl(QString::fromStdString(url)).toLocalFile().toStdString());
  return {std::istreambuf_iterator<char>(in), {}};
}

struct HelpFixture : ::testing::Test {
  HelpFixture() {
    previous = SetDesktopOpener([this](const std::string& url) {
      opened.push_back(url);
      return true;
    });
    frame = new CFrameWnd;
    EXPECT_TRUE(frame->Create("Frame", WS_VISIBLE, {0, 0, 300, 200}, nullptr));
    EXPECT_TRUE(panel.Create("Panel", WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, frame, AFX_IDW_PANE_FIRST));
    frame->RecalcLayout();
    QApplication::processEvents();
  }
  ~HelpFixture() override {
    frame->DestroyWindow();
    SetDesktopOpener(previous);
  }
  QtTestApplication qt;
  DesktopOpener previous;
  std::vector<std::string> opened;
  CFrameWnd* frame;
  HelpfulPanel panel;
};

TEST_F(HelpFixture, TopicsAndContentsOpenTheirPages) {
  frame->WinHelp(98672, HELP_CONTEXT);
  frame->SendMessage(WM_COMMAND, ID_HELP_FINDER);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_NE(opened[0].find("98672.html"), std::string::npos);
  EXPECT_NE(PageText(opened[0]).find("help topic 98672"), std::string::npos);
  EXPECT_NE(PageText(opened[1]).find("help contents"), std::string::npos);
}

TEST_F(HelpFixture, ContextHelpShowsTheTopicOfTheWindowClickedOrNothingAfterEscape) {
  frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
  EXPECT_TRUE(InContextHelpMode());
  QTest::keyClick(panel.GetWidget(), Qt::Key_Escape);
  EXPECT_FALSE(InContextHelpMode());
  EXPECT_TRUE(opened.empty());

  frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
  QTest::mouseClick(panel.GetWidget(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(InContextHelpMode());
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_NE(PageText(opened[0]).find("help topic 65548"), std::string::npos);
}

}  // namespace
