// Messages reach the handlers of the class chain; activation, dropped files, command line, cursor, help.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include "platform/framework/CommandLine.h"
#include "platform/framework/DropFiles.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Help.h"
#include "platform/framework/HelpWindow.h"
#include "platform/framework/KeyCodes.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/PeekMessage.h"
#include "platform/framework/WaitCursor.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WindowClasses.h"
#include "platform/framework/Wnd.h"
#include "platform/win/Cursors.h"
#include "platform/win/QtMessageBox.h"
#include "platform/win/QtTestApplication.h"
#include "platform/win/TickCount.h"
#include "support/TemporaryFolder.h"

namespace {

std::vector<std::string> log;

class BaseWindow : public CWnd {
 public:
  void OnSize(UINT, int cx, int cy) { log.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy)); }
  void OnKeyDown(UINT key, UINT, UINT) {
    log.push_back("base key " + std::to_string(key) + (GetKeyState(VK_SHIFT) < 0 ? " shift" : ""));
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(BaseWindow, CWnd)
  ON_WM_SIZE()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

constexpr UINT kPing = WM_USER + 1;

class TestWindow : public BaseWindow {
 public:
  int OnCreate(LPCREATESTRUCT cs) {
    log.push_back(std::string("create ") + cs->lpszName);
    return refuse ? -1 : 0;
  }
  void OnDestroy() { log.push_back("destroy " + std::to_string(GetDlgCtrlID())); }
  void OnLButtonDown(UINT flags, CPoint p) {
    log.push_back("down " + std::to_string(p.x) + "," + std::to_string(p.y) + ((flags & MK_CONTROL) ? " ctrl" : ""));
    SetCapture();
  }
  void OnLButtonUp(UINT, CPoint p) {
    log.push_back("up " + std::to_string(p.x) + "," + std::to_string(p.y));
    ReleaseCapture();
  }
  void OnCaptureChanged(CWnd*) { log.push_back("capture lost"); }
  void OnKeyDown(UINT key, UINT, UINT) { log.push_back("key " + std::to_string(key)); }
  void OnKillFocus(CWnd*) { log.push_back("focus lost"); }
  void OnTimer(UINT_PTR id) {
    log.push_back("timer " + std::to_string(id));
    KillTimer(id);
  }
  void OnClose() {
    log.push_back("close");
    if (!keepOpen) CWnd::OnClose();
  }
  void OnActivateApp(BOOL active, DWORD) { log.push_back(active ? "front" : "back"); }
  LRESULT OnPing(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + static_cast<WPARAM>(l)); }
  bool refuse = false;
  bool keepOpen = false;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestWindow, BaseWindow)
  ON_WM_CREATE()
  ON_WM_DESTROY()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_CAPTURECHANGED()
  ON_WM_KEYDOWN()
  ON_WM_KILLFOCUS()
  ON_WM_TIMER()
  ON_WM_CLOSE()
  ON_WM_ACTIVATEAPP()
  ON_MESSAGE(kPing, OnPing)
END_MESSAGE_MAP()

class KeyOnlyInBase : public BaseWindow {};

struct WindowFixture : ::testing::Test {
  WindowFixture() {
    EXPECT_TRUE(window.Create("Top", WS_VISIBLE, {10, 10, 210, 160}, nullptr));
    EXPECT_TRUE(child.Create("Child", WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, &window, 7));
    QApplication::processEvents();
    log.clear();
  }
  QtTestApplication qt;
  TestWindow window;
  TestWindow child;
};

TEST_F(WindowFixture, InputReachesTheHandlersOfTheClassChain) {
  QTest::mouseClick(child.GetWidget(), Qt::LeftButton, Qt::ControlModifier, QPoint(12, 34));
  EXPECT_EQ(log, (std::vector<std::string>{"down 12,34 ctrl", "up 12,34", "capture lost"}));
  EXPECT_EQ(CWnd::GetCapture(), nullptr);
  child.SetCapture();
  EXPECT_EQ(CWnd::GetCapture(), &child);
  log.clear();
  window.SetCapture();  // another window takes it
  EXPECT_EQ(log, std::vector<std::string>{"capture lost"});
  ReleaseCapture();

  log.clear();
  QTest::keyClick(child.GetWidget(), Qt::Key_Q);
  EXPECT_EQ(log, std::vector<std::string>{"key 81"});
  // A class without its own key handler gets its base's.
  KeyOnlyInBase plain;
  plain.Create("Plain", WS_CHILD | WS_VISIBLE, {0, 0, 50, 50}, &window, 8);
  log.clear();
  QTest::keyClick(plain.GetWidget(), Qt::Key_5, Qt::ShiftModifier);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back(), "base key 53 shift");

  log.clear();
  window.MoveWindow(10, 10, 300, 200);
  QApplication::processEvents();
  EXPECT_EQ(log, std::vector<std::string>{"size 300x200"});

  // The window under a point: the child over its parent, the parent beside it.
  POINT inChild{70, 70}, beside{150, 120};  // the child beyond the later sibling at 0..50
  child.ClientToScreen(&inChild);
  window.ClientToScreen(&beside);
  EXPECT_EQ(WindowFromPoint(inChild), &child);
  EXPECT_EQ(WindowFromPoint(beside), &window);

  EXPECT_EQ(window.SendMessage(kPing, 2, 3), 5);
  EXPECT_EQ(::SendMessage(child.m_hWnd, kPing, 4, 5), 9);

  window.GetWidget()->activateWindow();
  child.SetFocus();
  QApplication::processEvents();
  log.clear();
  window.SetFocus();
  QApplication::processEvents();
  EXPECT_EQ(log, std::vector<std::string>{"focus lost"});
}

TEST_F(WindowFixture, AWindowClassNamesItsTraitsAndGivesItsCursor) {
  const char* plain = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_BYTEALIGNCLIENT);
  EXPECT_STREQ(plain, AfxRegisterWndClass(0x100B));  // the same traits, the same class
  const char* pointing = AfxRegisterWndClass(0x100B, LoadStandardCursor(IDC_ARROW));
  EXPECT_STRNE(plain, pointing);

  CWnd arrow;
  ASSERT_TRUE(arrow.Create(pointing, "Arrow", WS_CHILD | WS_VISIBLE, {0, 0, 10, 10}, &window, 3));
  EXPECT_TRUE(arrow.GetWidget()->testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(arrow.GetWidget()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(WindowFixture, PeekedInputWaitsAndWhatIsNotTakenReachesItsWindowAfterwards) {
  // Messages carry the tick count of their arrival, from the clock tests drive (near the wrap).
  const TickSource previous = SetTickSource([] { return DWORD{0xFFFFFFF0u}; });
  QTest::keyClick(child.GetWidget(), Qt::Key_A);
  EXPECT_EQ(GetMessageTime(), 0xFFFFFFF0u);
  log.clear();
  // A release and a key wait in the queue.
  QCoreApplication::postEvent(child.GetWidget(), new QMouseEvent(QEvent::MouseButtonRelease, QPointF(20, 30),
                                                                 QPointF(20, 30), Qt::LeftButton, Qt::NoButton, {}));
  QCoreApplication::postEvent(child.GetWidget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Q, {}, "q"));
  MSG msg{};
  ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_LBUTTONUP, WM_LBUTTONUP, PM_NOREMOVE));
  EXPECT_EQ(msg.hwnd, child.m_hWnd);
  EXPECT_EQ(GET_X_LPARAM(msg.lParam), 20);
  EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 30);
  EXPECT_EQ(msg.time, 0xFFFFFFF0u);
  SetTickSource(previous);
  EXPECT_FALSE(PeekMessage(&msg, window.m_hWnd, 0, 0, PM_NOREMOVE));  // nothing for the parent
  ASSERT_TRUE(PeekMessage(&msg, child.m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>('Q'));
  EXPECT_FALSE(PeekMessage(&msg, child.m_hWnd, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE));
  EXPECT_TRUE(log.empty());  // looking delivers nothing

  QApplication::processEvents();
  EXPECT_EQ(log, std::vector<std::string>{"up 20,30"});  // the key was taken
}

TEST_F(WindowFixture, TheMainWindowHearsEachChangeBetweenFrontAndBackgroundOnce) {
  CWinApp app("Test");
  app.m_pMainWnd = &window;
  const auto desktopSays = [](Qt::ApplicationState state) {
    QApplicationStateChangeEvent event(state);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &event);
  };
  desktopSays(Qt::ApplicationInactive);
  log.clear();
  for (Qt::ApplicationState state : {Qt::ApplicationHidden, Qt::ApplicationSuspended, Qt::ApplicationActive,
                                     Qt::ApplicationActive, Qt::ApplicationInactive})
    desktopSays(state);
  EXPECT_EQ(log, (std::vector<std::string>{"front", "back"}));
  app.m_pMainWnd = nullptr;
}

// Keys as the desktop reports them: the scan code names the physical key.
void SendKey(CWnd& window, QEvent::Type type, int key, Qt::KeyboardModifiers held, quint32 scanCode) {
  QKeyEvent event(type, key, held, scanCode, 0, 0);
  QApplication::sendEvent(window.GetWidget(), &event);
}

TEST_F(WindowFixture, DigitKeysCountByTheirPlaceAndHeldKeysAreForgottenWhenTheProgramGoesToTheBack) {
  // AZERTY's top-row 1 gives '&' unshifted: it is the digit 1 all the same.
  SendKey(child, QEvent::KeyPress, Qt::Key_Ampersand, Qt::ControlModifier, 10);
  EXPECT_LT(GetKeyState('1'), 0);
  EXPECT_EQ(log, std::vector<std::string>{"key 49"});
  SendKey(child, QEvent::KeyRelease, Qt::Key_Ampersand, Qt::ControlModifier, 10);
  EXPECT_GE(GetKeyState('1'), 0);
  // A 5 released with Shift down comes as '%': the 5 is up again.
  SendKey(child, QEvent::KeyPress, Qt::Key_5, {}, 14);
  SendKey(child, QEvent::KeyRelease, Qt::Key_Percent, Qt::ShiftModifier, 14);
  EXPECT_GE(GetKeyState('5'), 0);
  // The row ends with its 0, which AZERTY gives as '\xe0' unshifted.
  SendKey(child, QEvent::KeyPress, Qt::Key_Agrave, {}, 19);
  EXPECT_LT(GetKeyState('0'), 0);
  SendKey(child, QEvent::KeyRelease, Qt::Key_Agrave, {}, 19);
  EXPECT_GE(GetKeyState('0'), 0);
  // Releases made while another program has the keyboard never arrive.
  SendKey(child, QEvent::KeyPress, Qt::Key_7, Qt::ControlModifier, 16);
  QApplicationStateChangeEvent away(Qt::ApplicationInactive);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &away);
  EXPECT_GE(GetKeyState('7'), 0);
  EXPECT_GE(GetKeyState(VK_CONTROL), 0);
}

TEST_F(WindowFixture, TimersTickIntoTheirWindowAndThreadTimersCallTheirProcedure) {
  ASSERT_EQ(child.SetTimer(5, 10), 5u);
  static int threadTicks = 0;
  threadTicks = 0;
  const UINT_PTR threadTimer = ::SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { ++threadTicks; });
  ASSERT_NE(threadTimer, 0u);
  // Generous for a loaded machine; the loop ends as soon as both have ticked.
  EXPECT_TRUE(QTest::qWaitFor([&] { return !log.empty() && threadTicks > 0; }, 5000));
  QTest::qWait(30);  // more ticks of the window's timer would arrive now
  EXPECT_EQ(log, std::vector<std::string>{"timer 5"});  // the handler stopped it after one tick
  EXPECT_GT(threadTicks, 0);
  EXPECT_TRUE(::KillTimer(nullptr, threadTimer));
  EXPECT_FALSE(::KillTimer(nullptr, threadTimer));
}

TEST_F(WindowFixture, CreationCanBeRefusedAndDestructionReachesChildrenAfterTheirParent) {
  TestWindow refused;
  refused.refuse = true;
  log.clear();
  EXPECT_FALSE(refused.Create("Refused", WS_CHILD, {0, 0, 10, 10}, &window, 9));
  EXPECT_EQ(refused.GetWidget(), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"create Refused", "destroy 9"}));

  // Closing asks the window; one that keeps itself open stays.
  window.keepOpen = true;
  log.clear();
  window.GetWidget()->close();
  EXPECT_EQ(log, std::vector<std::string>{"close"});
  EXPECT_TRUE(IsWindow(window.m_hWnd));

  const HWND childHandle = child.m_hWnd;
  window.keepOpen = false;
  log.clear();
  window.PostMessage(WM_CLOSE);
  QApplication::processEvents();
  EXPECT_EQ(log, (std::vector<std::string>{"close", "destroy 0", "destroy 7"}));
  EXPECT_FALSE(IsWindow(childHandle));
  EXPECT_EQ(child.GetWidget(), nullptr);
  // A message posted to a window that is gone is dropped.
  EXPECT_FALSE(::PostMessage(childHandle, kPing, 0, 0));
}

CCommandLineInfo Parse(std::initializer_list<const char*> arguments) {
  CCommandLineInfo info;
  CWinApp::ParseArguments(std::vector<std::string>(arguments.begin(), arguments.end()), info);
  return info;
}

TEST(CommandLine, AFileOpensAndFlagsChooseTheCommand) {
  EXPECT_EQ(Parse({}).m_nShellCommand, CCommandLineInfo::FileNew);
  EXPECT_EQ(Parse({"scene.tvr"}).m_nShellCommand, CCommandLineInfo::FileOpen);
  EXPECT_EQ(Parse({"-P", "scene.tvr"}).m_nShellCommand, CCommandLineInfo::FilePrint);
  EXPECT_EQ(Parse({"/home/me/scene.tvr"}).m_strFileName, "/home/me/scene.tvr");  // a path, not a switch
  CCommandLineInfo printTo = Parse({"-pt", "/scene.tvr", "Printer", "Driver", "Port"});
  EXPECT_EQ(printTo.m_nShellCommand, CCommandLineInfo::FilePrintTo);
  EXPECT_EQ(printTo.m_strFileName, "/scene.tvr");
  EXPECT_EQ(printTo.m_strPortName, "Port");
  EXPECT_EQ(Parse({"-dde"}).m_nShellCommand, CCommandLineInfo::FileDDE);

  // A relative name counts from the folder the program started in, wherever it goes later.
  TemporaryFolder started;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(started.Path());
  const CCommandLineInfo relative = Parse({"scenes/../scene.tvr"});
  std::filesystem::current_path(before);
  EXPECT_EQ(relative.m_strFileName.str(), started / "scene.tvr");
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
    DragFinish(drop);
  }
  std::vector<std::string> files;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DropTarget, CWnd)
  ON_WM_DROPFILES()
END_MESSAGE_MAP()

TEST_F(WindowFixture, FilesDroppedOnAnAcceptingWindowReachItsHandler) {
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

// The title of the page the help window shows, or "" while it is closed.
std::string ShownHelpTitle() {
  QTextBrowser* window = VisibleHelpWindow();
  return window ? window->documentTitle().toStdString() : std::string();
}

struct HelpFixture : ::testing::Test {
  HelpFixture() {
    frame = new CFrameWnd;
    EXPECT_TRUE(frame->Create("Frame", WS_VISIBLE, {0, 0, 300, 200}, nullptr));
    EXPECT_TRUE(panel.Create("Panel", WS_CHILD | WS_VISIBLE, {0, 0, 100, 100}, frame, AFX_IDW_PANE_FIRST));
    frame->RecalcLayout();
    QApplication::processEvents();
  }
  ~HelpFixture() override {
    ShowHelp(HELP_QUIT, 0);
    frame->DestroyWindow();
  }
  QtTestApplication qt;
  CFrameWnd* frame;
  HelpfulPanel panel;
};

// Topic and contents pages open in the program's help window; context help opens the clicked
// window's topic, or none after Escape.
TEST_F(HelpFixture, TopicsContentsAndContextHelpOpenTheirPagesInTheHelpWindow) {
  frame->WinHelp(98672, HELP_CONTEXT);
  EXPECT_EQ(ShownHelpTitle(), "Help topic 98672");
  frame->SendMessage(WM_COMMAND, ID_HELP_FINDER);
  EXPECT_EQ(ShownHelpTitle(), "Help Topics");
  ShowHelp(HELP_QUIT, 0);
  EXPECT_EQ(ShownHelpTitle(), "");

  frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
  EXPECT_TRUE(InContextHelpMode());
  QTest::keyClick(panel.GetWidget(), Qt::Key_Escape);
  EXPECT_FALSE(InContextHelpMode());
  EXPECT_EQ(ShownHelpTitle(), "");

  frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
  QTest::mouseClick(panel.GetWidget(), Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_FALSE(InContextHelpMode());
  EXPECT_EQ(ShownHelpTitle(), "Help topic 65548");
}

// A help click leaves the mouse free, as any click does: the widget the pointer moves onto next
// hears it come. The click passes the window first, as a click from the desktop does.
TEST_F(HelpFixture, AfterAHelpClickTheWidgetUnderThePointerHearsItCome) {
  QWidget* top = frame->GetWidget()->window();
  auto* other = new QWidget(panel.GetWidget());
  other->setGeometry(50, 50, 30, 30);
  other->show();
  QWindow* window = top->windowHandle();
  const QPoint clicked = panel.GetWidget()->mapTo(top, QPoint(10, 10));
  frame->SendMessage(WM_COMMAND, ID_CONTEXT_HELP);
  QTest::mouseMove(window, clicked);
  QTest::mouseClick(window, Qt::LeftButton, {}, clicked);
  ASSERT_EQ(ShownHelpTitle(), "Help topic 65548");
  QTest::mouseMove(window, other->mapTo(top, QPoint(15, 15)));
  EXPECT_TRUE(other->underMouse());
}

// Help asked for from a message box opens in a window of its own: it takes the mouse while the box
// is up and stays open once the box is answered.
TEST_F(HelpFixture, HelpFromAMessageBoxOutlivesTheBox) {
  QtMessageBoxBackend boxes([](HWND h) { return CWnd::FromHandle(h) ? CWnd::FromHandle(h)->GetWidget() : nullptr; });
  SetMessageBoxHelpHook([](HWND) { ShowHelp(HELP_CONTEXT, 98672); });
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    const auto button = [box](const char* text) {
      for (QAbstractButton* b : box->buttons())
        if (b->text() == text) return b;
      return static_cast<QAbstractButton*>(nullptr);
    };
    QTest::mouseClick(button("Help"), Qt::LeftButton);
    if (QTextBrowser* help = VisibleHelpWindow()) {
      // A double-click on the title selects a word of it.
      const QPoint title = help->cursorRect(QTextCursor(help->document())).center() + QPoint(8, 0);
      QTest::mouseDClick(help->viewport(), Qt::LeftButton, {}, title);
      EXPECT_TRUE(help->textCursor().hasSelection());
    } else {
      ADD_FAILURE() << "Help opened no help";
    }
    QTest::mouseClick(button("OK"), Qt::LeftButton);
  });
  EXPECT_EQ(boxes.Show(frame->GetSafeHwnd(), "Read the help", "Tavrolin", MB_OK | MB_HELP), IDOK);
  QApplication::processEvents();
  EXPECT_EQ(ShownHelpTitle(), "Help topic 98672");
  SetMessageBoxHelpHook({});
}

}  // namespace
