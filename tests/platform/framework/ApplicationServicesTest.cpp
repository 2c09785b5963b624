// The application's services: the command line, files dropped on a window, the wait cursor, and
// help pages per topic, with Shift+F1 mode showing the help of the window clicked next.
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <fstream>
#include <iterator>

#include "platform/framework/CommandLine.h"
#include "platform/framework/DropFiles.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Help.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"
#include "platform/win/QtTestApplication.h"
#include "support/RecordingDesktop.h"

namespace {

CCommandLineInfo Parse(std::initializer_list<const char*> arguments) {
  CCommandLineInfo info;
  CWinApp::ParseArguments(std::vector<std::string>(arguments.begin(), arguments.end()), info);
  return info;
}

TEST(CommandLine, AFileOpensAndFlagsChooseTheCommand) {
  EXPECT_EQ(Parse({}).m_nShellCommand, CCommandLineInfo::FileNew);
  CCommandLineInfo open = Parse({"scene.tvr"});
  EXPECT_EQ(open.m_nShellCommand, CCommandLineInfo::FileOpen);
  EXPECT_EQ(open.m_strFileName, "scene.tvr");
  EXPECT_EQ(Parse({"-P", "scene.tvr"}).m_nShellCommand, CCommandLineInfo::FilePrint);
  EXPECT_EQ(Parse({"/home/me/scene.tvr"}).m_strFileName, "/home/me/scene.tvr");  // a path, not a switch
  CCommandLineInfo printTo = Parse({"-pt", "scene.tvr", "Printer", "Driver", "Port"});
  EXPECT_EQ(printTo.m_nShellCommand, CCommandLineInfo::FilePrintTo);
  EXPECT_EQ(printTo.m_strFileName, "scene.tvr");
  EXPECT_EQ(printTo.m_strPortName, "Port");
  EXPECT_EQ(Parse({"-dde"}).m_nShellCommand, CCommandLineInfo::FileDDE);
}

class DropTarget : public CWnd {
 public:
  void OnDropFiles(HDROP drop) {
    char name[8];
    const UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      const UINT length = DragQueryFile(drop, i, name, sizeof name);
      files.push_back(std::string(name) + " " + std::to_string(length));
    }
    DragQueryPoint(drop, &point);
    DragFinish(drop);
  }
  std::vector<std::string> files;
  POINT point{};
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DropTarget, CWnd)
  ON_WM_DROPFILES()
END_MESSAGE_MAP()

TEST(DropFiles, FilesDroppedOnAnAcceptingWindowReachItsHandler) {
  QtTestApplication qt;
  CWnd window;
  ASSERT_TRUE(window.Create("Window", WS_VISIBLE, {0, 0, 300, 200}, nullptr));
  DropTarget target;
  ASSERT_TRUE(target.Create("Target", WS_CHILD | WS_VISIBLE, {0, 0, 200, 100}, &window, 1));
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/tmp/a.tvr"), QUrl::fromLocalFile("/tmp/long-name.tvr")});
  // The desktop drags the files in, then drops them.
  auto dragAndDrop = [&] {
    QDragEnterEvent enter(QPoint(30, 40), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target.GetWidget(), &enter);
    QDropEvent drop(QPointF(30, 40), Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(target.GetWidget(), &drop);
  };
  dragAndDrop();
  EXPECT_TRUE(target.files.empty());  // not accepting files yet

  target.DragAcceptFiles();
  dragAndDrop();
  // Names longer than the buffer are cut; the length is the whole path's.
  EXPECT_EQ(target.files, (std::vector<std::string>{"/tmp/a. 10", "/tmp/lo 18"}));
  EXPECT_EQ(target.point.x, 30);
  EXPECT_EQ(target.point.y, 40);
}

TEST(WaitCursor, NestedWaitsShowItUntilTheOutermostEnds) {
  QtTestApplication qt;
  {
    CWaitCursor outer;
    {
      CWaitCursor inner;
      ASSERT_NE(QApplication::overrideCursor(), nullptr);
      EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

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
    frame = new CFrameWnd;
    EXPECT_TRUE(frame->Create("Frame", WS_VISIBLE, {0, 0, 300, 200}, nullptr));
    EXPECT_TRUE(panel.Create("Panel", WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, frame, AFX_IDW_PANE_FIRST));
    frame->RecalcLayout();
    QApplication::processEvents();
  }
  ~HelpFixture() override { frame->DestroyWindow(); }
  QtTestApplication qt;
  RecordingDesktop desktop;
  std::vector<std::string>& opened = desktop.urls;
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
