// Child frames in a real main frame: the saved layout, the first placement, the close command
// and commands greyed by their update handlers; the window helpers for controls and bars.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <memory>
#include <vector>

#include "core/WindowPlacement.h"
#include "platform/framework/Archive.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/Document.h"
#include "platform/framework/MemFile.h"
#include "platform/framework/ScrollView.h"
#include "platform/win/QtTestApplication.h"
#include "shell/WindowHelpers.h"
#include "shell/XFrameWnd.h"
#include "support/FatalCheck.h"

namespace {

// Stands in for a camera view: its state is one number.
class RecordingView : public CScrollView {
  DECLARE_DYNCREATE(RecordingView)
 public:
  void OnDraw(CDC*) override {}
  void Serialize(CArchive& ar) override { ar.IsStoring() ? ar << state : ar >> state; }
  DWORD state = 0;
};
IMPLEMENT_DYNCREATE(RecordingView, CScrollView)

class MainWithCommands : public CMDIFrameWnd {
 public:
  void OnGreyed(CCmdUI* ui) { ui->Enable(FALSE); }
  void OnCommand() { ++runs; }
  void OnUpdateNothing(CCmdUI*) {}
  int runs = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(MainWithCommands, CMDIFrameWnd)
  ON_UPDATE_COMMAND_UI(33018, OnGreyed)
  ON_COMMAND(33018, OnCommand)
  ON_UPDATE_COMMAND_UI(33019, OnUpdateNothing)
  ON_COMMAND(33019, OnCommand)
  ON_COMMAND(33125, OnCommand)
END_MESSAGE_MAP()

struct ChildFrameFixture : ::testing::Test {
  ChildFrameFixture() {
    document.m_bAutoDelete = FALSE;
    main = new MainWithCommands;
    EXPECT_TRUE(main->LoadFrame(57344));
    winApp.m_pMainWnd = main;
    main->MoveWindow(0, 0, 800, 600);
    main->ShowWindow(SW_SHOW);
  }
  ~ChildFrameFixture() override {
    main->DestroyWindow();
    winApp.m_pMainWnd = nullptr;
  }
  template <class Frame>
  Frame* OpenFrame() {
    auto* frame = new Frame;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(RecordingView);
    context.m_pCurrentDoc = &document;
    EXPECT_TRUE(frame->LoadFrame(14, WS_OVERLAPPEDWINDOW, main, &context));
    return frame;
  }
  static RecordingView* ViewOf(CFrameWnd* frame) {
    return static_cast<RecordingView*>(frame->GetDlgItem(AFX_IDW_PANE_FIRST));
  }
  std::vector<BYTE> Store(XFrameWnd* frame) {
    CMemFile file;
    {
      CArchive ar(&file, CArchive::store);
      ar.m_pDocument = &document;
      frame->SerializeLayout(ar, &document);
    }
    const auto length = static_cast<std::size_t>(file.GetLength());
    const std::unique_ptr<BYTE, decltype(&std::free)> block(file.Detach(), &std::free);
    return {block.get(), block.get() + length};
  }
  void Load(XFrameWnd* frame, std::vector<BYTE> bytes) {
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    ar.m_pDocument = &document;
    frame->SerializeLayout(ar, &document);
  }

  QtTestApplication app;
  CWinApp winApp;
  CDocument document;
  MainWithCommands* main;
};

TEST_F(ChildFrameFixture, ASavedLayoutRoundTripsByteForByteLoadsHiddenWhenAskedAndANewerOneIsRefused) {
  XFrameWnd* first = OpenFrame<XFrameWnd>();
  first->InitialUpdateFrame(&document, TRUE);
  first->MoveWindow(30, 40, 300, 200);
  ViewOf(first)->state = 0xA5A5;
  const std::vector<BYTE> saved = Store(first);
  // Identity (schema word + handle reference), schema, placement, then the view's four bytes.
  ASSERT_GE(saved.size(), 4u + 4u + 44u + 4u);

  XFrameWnd* second = OpenFrame<XFrameWnd>();
  Load(second, saved);
  EXPECT_EQ(ViewOf(second)->state, 0xA5A5u);
  second->InitialUpdateFrame(&document, TRUE);
  first->DestroyWindow();
  EXPECT_EQ(Store(second), saved);

  XFrameWnd* hidden = OpenFrame<XFrameWnd>();
  Load(hidden, saved);
  hidden->InitialUpdateFrame(&document, FALSE);
  EXPECT_FALSE(hidden->IsWindowVisible());

  XFrameWnd* reader = OpenFrame<XFrameWnd>();
  std::vector<BYTE> newer = saved;
  const std::size_t schemaAt = newer.size() - 4 - 44 - 4;
  ASSERT_EQ(newer[schemaAt + 3], 0x80);
  newer[schemaAt] = 1;
  EXPECT_THROW(Load(reader, newer), CArchiveException);
  newer[schemaAt + 3] = 0;
  newer[schemaAt] = 0;
  EXPECT_NO_THROW(Load(reader, newer));
}

TEST_F(ChildFrameFixture, NewFramesGetTheirOwnFirstPlacementACloseCommandIsPostedAndGreyedCommandsDoNotRun) {
  EXPECT_EQ(XFrameWnd().placement.rcNormalPosition.right, 480);
  XFrameWndNullSize* camera = OpenFrame<XFrameWndNullSize>();
  EXPECT_EQ(camera->placement.showCmd, static_cast<UINT>(SW_SHOW));
  EXPECT_EQ(camera->placement.rcNormalPosition.right, 0);
  CMemFile file;
  CArchive ar(&file, CArchive::store);
  EXPECT_FATAL(camera->Serialize(ar), "FALSE", "Use other overload of Serialize()");

  XFrameWnd* frame = OpenFrame<XFrameWnd>();
  frame->InitialUpdateFrame(&document, TRUE);
  frame->closeCommand = 33125;
  frame->SendMessage(WM_CLOSE);
  QApplication::processEvents();
  EXPECT_TRUE(::IsWindow(frame->GetSafeHwnd()));
  EXPECT_EQ(main->runs, 1);

  frame->SendMessage(WM_COMMAND, 33018);  // greyed by its update handler
  EXPECT_EQ(main->runs, 1);
  frame->SendMessage(WM_COMMAND, 33019);  // its update handler never calls Enable
  EXPECT_EQ(main->runs, 2);

  frame->closeCommand = 0;
  const HWND handle = frame->GetSafeHwnd();
  frame->SendMessage(WM_CLOSE);
  QApplication::processEvents();
  EXPECT_FALSE(::IsWindow(handle));
}

TEST(WindowHelpers, TheControlUnderThePointIsTheLastVisibleOneWithAnId) {
  QtTestApplication app;
  CWnd dialog, groupBox, label, button, hidden, noId;
  ASSERT_TRUE(dialog.Create("Dialog", 0, {100, 100, 400, 300}, nullptr));
  groupBox.Create("Group", WS_CHILD | WS_VISIBLE, {10, 10, 200, 150}, &dialog, 11);
  button.Create("Button", WS_CHILD | WS_VISIBLE, {20, 20, 100, 50}, &dialog, 12);
  hidden.Create("Hidden", WS_CHILD, {20, 20, 100, 50}, &dialog, 13);
  noId.Create("Static", WS_CHILD | WS_VISIBLE, {20, 20, 100, 50}, &dialog, 0xFFFF);
  label.Create("Label", WS_CHILD | WS_VISIBLE, {150, 100, 190, 140}, &dialog, 14);
  dialog.ShowWindow(SW_SHOW);

  CWnd* child = &dialog;
  EXPECT_EQ(XChildWindowFromPoint(&dialog, {30, 30}, &child, nullptr), 12);
  EXPECT_EQ(child, &button);
  EXPECT_EQ(XChildWindowFromPoint(&dialog, {30, 30}, &child, &button), 11);
  EXPECT_EQ(XChildWindowFromPoint(&dialog, {190, 140}, &child, nullptr), 11);  // right and bottom are outside
  EXPECT_EQ(XChildWindowFromPoint(&dialog, {250, 30}, &child, nullptr), -1);
  EXPECT_EQ(child, nullptr);
  EXPECT_FATAL(XChildWindowFromPoint(nullptr, {0, 0}, &child, nullptr), "parent", "");
  EXPECT_FATAL(XChildWindowFromPoint(&dialog, {0, 0}, nullptr, nullptr), "child", "");
}

TEST(WindowHelpers, ADockedBarShowsItselfAndAFloatingOneItsFrame) {
  QtTestApplication app;
  CFrameWnd frame;
  CMiniDockFrameWnd floating;
  CControlBar docked, floated, orphan;
  frame.Create("Main", 0, {0, 0, 400, 300}, nullptr);
  floating.Create("Tools", 0, {0, 0, 100, 40}, nullptr);
  docked.Create("Docked", WS_CHILD | WS_VISIBLE, {0, 0, 400, 20}, &frame, 1);
  floated.Create("Floating", WS_CHILD | WS_VISIBLE, {0, 0, 100, 20}, &floating, 2);
  orphan.Create("Orphan", WS_VISIBLE, {0, 0, 10, 10}, nullptr);

  EXPECT_TRUE(XIsBarVisible(&docked));  // the frame itself is not shown yet
  docked.ShowWindow(SW_HIDE);
  EXPECT_FALSE(XIsBarVisible(&docked));
  EXPECT_FALSE(XIsBarVisible(&floated));
  floating.ShowWindow(SW_SHOW);
  EXPECT_TRUE(XIsBarVisible(&floated));
  EXPECT_FATAL(XIsBarVisible(&orphan), "dockFrm", "");
}

}  // namespace
