// A main frame with bars and document windows: command routes, update handlers, bars, idle time, documents.
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "FrameTestClasses.h"
#include "platform/framework/Archive.h"
#include "platform/framework/CommandLine.h"
#include "platform/framework/Controls.h"
#include "platform/framework/DC.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/StatusBar.h"
#include "platform/framework/ToolBar.h"
#include "platform/win/QtTestApplication.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"

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

struct FrameFixture : ::testing::Test {
  FrameFixture() {
    RegisterTestResources();
    app.AddDocTemplate(new CMultiDocTemplate(kChildResource, RUNTIME_CLASS(TestDocument), RUNTIME_CLASS(TestChild),
                                             RUNTIME_CLASS(TestView)));
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
    EXPECT_TRUE(statusBar.Create(main));
    EXPECT_TRUE(statusBar.SetIndicators(panes, 2));
    main->MoveWindow(0, 0, 640, 480);
    main->ShowWindow(SW_SHOW);
    app.OnFileNew();
    QApplication::processEvents();
    routeLog.clear();
  }
  ~FrameFixture() override { if (IsWindow(mainHandle)) main->DestroyWindow(); }
  QAction* Item(int popup, UINT id) {
    for (QAction* action : main->GetMenuPopup(popup)->actions())
      if (action->property("tavrolinCommand").toUInt() == id) return action;
    return nullptr;
  }
  // Opens the popup as a user would, so its update handlers run.
  void OpenMenu(int popup) {
    QMenu* menu = main->GetMenuPopup(popup);
    menu->popup(QPoint(0, 0));
    QApplication::processEvents();
  }

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

TEST_F(FrameFixture, ACommandReachesTheFirstHandlerFromViewToApplication) {
  const std::pair<UINT, const char*> cases[] = {
      {kForView, "view"}, {kForDocument, "document"}, {kForChild, "child"}, {kForMainFrame, "main 40103"},
      {kForApp, "app"}};
  for (const auto& [id, first] : cases) {
    routeLog.clear();
    main->SendMessage(WM_COMMAND, id);
    EXPECT_EQ(routeLog, std::vector<std::string>{first}) << id;
  }
  // A child frame that gets a command itself hands what it does not take to the main frame.
  routeLog.clear();
  main->MDIGetActive()->SendMessage(WM_COMMAND, kForMainFrame);
  EXPECT_EQ(routeLog, std::vector<std::string>{"main 40103"});
}

// Update handlers disable, check and rename menu items, and a disabled command's accelerator does nothing.
TEST_F(FrameFixture, UpdateHandlersRuleMenuItemsAndAccelerators) {
  main->guardEnabled = FALSE;
  OpenMenu(1);
  EXPECT_FALSE(Item(1, kGuarded)->isEnabled());
  EXPECT_TRUE(Item(1, kChecked)->isChecked());
  EXPECT_TRUE(Item(1, kRadio)->isChecked());
  ASSERT_NE(Item(1, kRadio)->actionGroup(), nullptr);
  EXPECT_TRUE(Item(1, kRadio)->actionGroup()->isExclusive());  // drawn with a dot
  EXPECT_EQ(Item(1, kRenamed)->text(), "&Renamed");
  // Choosing the renamed item by its new letter runs its command. (Keys, not a synthetic click:
  // from Qt 6.8 on, a popup just opened closes on a test's click instead of choosing.)
  QMenu* menu = main->GetMenuPopup(1);
  QTest::keyClick(menu, Qt::Key_R);
  QApplication::processEvents();
  EXPECT_EQ(routeLog, std::vector<std::string>{"main 40203"});
  menu->hide();

  QWidget* view = main->GetActiveView()->GetWidget();
  routeLog.clear();
  QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(routeLog.empty());
  // Sent as an accelerator's command, it is refused too.
  main->SendMessage(WM_COMMAND, MAKEWPARAM(kGuarded, 1));
  EXPECT_TRUE(routeLog.empty());

  main->guardEnabled = TRUE;
  OpenMenu(1);
  EXPECT_TRUE(Item(1, kGuarded)->isEnabled());
  // While a menu is open its keys belong to the menu.
  QTest::keyClick(menu, Qt::Key_G, Qt::ControlModifier);
  menu->hide();
  EXPECT_TRUE(routeLog.empty());
  QTest::keyClick(view, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(routeLog, std::vector<std::string>{"main 40200"});
  // Without Ctrl the key is not the accelerator; Ctrl+plus reaches the view.
  routeLog.clear();
  QTest::keyClick(view, Qt::Key_G);
  QTest::keyClick(view, Qt::Key_Equal, Qt::ControlModifier);
  EXPECT_EQ(routeLog, std::vector<std::string>{"view"});
}

// The selected item shows its prompt; one that closes the frame runs once the menu lets go. Keys
// drive the menu: from Qt 6.8 on, a popup just opened ignores a test's mouse.
TEST_F(FrameFixture, MenuItemsShowTheirPromptAndRunAfterTheMenuLetsGo) {
  OpenMenu(0);
  QMenu* menu = main->GetMenuPopup(0);
  QTest::keyClick(menu, Qt::Key_Down);  // the first item, New
  ASSERT_EQ(menu->activeAction(), Item(0, ID_FILE_NEW));
  QApplication::processEvents();
  EXPECT_EQ(statusBar.GetPaneText(0), "Create a new document");
  menu->hide();
  QApplication::processEvents();
  EXPECT_EQ(statusBar.GetPaneText(0), " Ready");

  OpenMenu(0);
  QTest::keyClick(menu, Qt::Key_X);  // Exit
  EXPECT_TRUE(IsWindow(mainHandle));  // the menu still runs its own key handling here
  QApplication::processEvents();
  EXPECT_FALSE(IsWindow(mainHandle));
}

TEST_F(FrameFixture, ChildrenActivateCascadeMaximiseAndAreListed) {
  app.OnFileNew();
  QApplication::processEvents();
  CMDIChildWnd* second = main->MDIGetActive();
  ASSERT_NE(second, nullptr);
  auto* first = dynamic_cast<CMDIChildWnd*>(main->GetMDIClient()->Children().front());
  ASSERT_NE(first, second);
  // The main frame's icon comes from its resource; children without their own show it too.
  ASSERT_FALSE(main->GetWidget()->windowIcon().isNull());
  EXPECT_EQ(second->GetWidget()->windowIcon().cacheKey(), main->GetWidget()->windowIcon().cacheKey());

  routeLog.clear();
  ::SendMessage(main->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(first->m_hWnd));
  QApplication::processEvents();
  EXPECT_EQ(main->MDIGetActive(), first);
  EXPECT_EQ(routeLog, (std::vector<std::string>{"deactivate", "activate"}));

  // Tiling is checked on screen by the framework demonstration.
  main->SendMessage(WM_COMMAND, ID_WINDOW_CASCADE);
  CRect a, b;
  first->GetWindowRect(&a);
  second->GetWindowRect(&b);
  EXPECT_NE(a.TopLeft(), b.TopLeft());

  main->MDIMaximize(second);
  QApplication::processEvents();
  BOOL maximized = FALSE;
  EXPECT_EQ(main->MDIGetActive(&maximized), second);
  EXPECT_TRUE(maximized);
  EXPECT_TRUE(second->IsZoomed());

  // The Window menu lists both children, the active one checked; choosing one activates it.
  OpenMenu(2);
  QMenu* window = main->GetWindowMenuPopup();
  ASSERT_EQ(window, main->GetMenuPopup(2));
  QList<QAction*> listed;
  for (QAction* action : window->actions())
    if (action->text().startsWith('&') && action->text().size() > 1 && action->text()[1].isDigit()) listed.append(action);
  ASSERT_EQ(listed.size(), 2);
  EXPECT_EQ(listed[0]->text(), "&1 Untitled1");
  EXPECT_FALSE(listed[0]->isChecked());
  EXPECT_TRUE(listed[1]->isChecked());
  listed[0]->trigger();
  QApplication::processEvents();
  window->hide();
  EXPECT_EQ(main->MDIGetActive(), first);
}

TEST_F(FrameFixture, NewChildrenCascadeAtALargeDefaultSizeAndTilingMakesAGrid) {
  for (int i = 0; i < 4; ++i) app.OnFileNew();
  QApplication::processEvents();
  const std::vector<CMDIChildWnd*> children = main->GetMDIClient()->Children();
  ASSERT_EQ(children.size(), 5u);
  const auto place = [&](std::size_t i) { return children[i]->SubWindow()->geometry(); };
  const QSize space = main->GetMDIClient()->Area()->viewport()->size();

  // Each child one step below and right of the one before, most of the client in size (the first
  // came while the frame was still being laid out).
  const int step = place(1).left();
  EXPECT_GT(step, 10);
  EXPECT_EQ(place(0).topLeft(), QPoint(0, 0));
  for (std::size_t i = 1; i < children.size(); ++i) {
    EXPECT_EQ(place(i).topLeft(), place(i - 1).topLeft() + QPoint(step, step)) << i;
    EXPECT_EQ(place(i).size(), place(1).size()) << i;
  }
  EXPECT_GT(place(1).width(), space.width() / 2);
  EXPECT_GT(place(1).height(), space.height() / 2);

  // The Window menu's commands, chosen as the user does.
  const auto tile = [&](UINT command) {
    OpenMenu(2);
    Item(2, command)->trigger();
    main->GetWindowMenuPopup()->hide();
    QApplication::processEvents();
  };
  const int w = space.width(), h = space.height();
  // Five: two columns, the last taking three; the same either way.
  for (UINT command : {ID_WINDOW_TILE_VERT, ID_WINDOW_TILE_HORZ}) {
    tile(command);
    EXPECT_EQ(place(0), QRect(0, 0, w / 2, h / 2));
    EXPECT_EQ(place(1), QRect(0, h / 2, w / 2, h / 2));
    EXPECT_EQ(place(2), QRect(w / 2, 0, w / 2, h / 3));
    EXPECT_EQ(place(4), QRect(w / 2, 2 * (h / 3), w / 2, h / 3));
  }
  // Four make a square; a hidden child does not count.
  children[2]->ShowWindow(SW_HIDE);
  tile(ID_WINDOW_TILE_HORZ);
  EXPECT_EQ(place(0), QRect(0, 0, w / 2, h / 2));
  EXPECT_EQ(place(3), QRect(w / 2, 0, w / 2, h / 2));
  EXPECT_EQ(place(4), QRect(w / 2, h / 2, w / 2, h / 2));
  // Three and a minimised one: side by side or stacked, above the minimised one's row.
  children[3]->ShowWindow(SW_MINIMIZE);
  QApplication::processEvents();
  const int above = h - children[3]->SubWindow()->height();
  tile(ID_WINDOW_TILE_VERT);
  EXPECT_EQ(place(0), QRect(0, 0, w / 3, above));
  EXPECT_EQ(place(1), QRect(w / 3, 0, w / 3, above));
  EXPECT_EQ(place(4), QRect(2 * (w / 3), 0, w / 3, above));
  tile(ID_WINDOW_TILE_HORZ);
  EXPECT_EQ(place(1), QRect(0, above / 3, w, above / 3));
  EXPECT_TRUE(children[3]->SubWindow()->isMinimized());
}

TEST_F(FrameFixture, ButtonsComeFromTheResourceRunCommandsAndGreyAtIdle) {
  ASSERT_EQ(toolBar.GetCount(), 3);
  EXPECT_EQ(toolBar.GetItemID(0), kToolUndo);
  EXPECT_EQ(toolBar.GetItemID(1), 0u);  // the separator
  EXPECT_EQ(toolBar.CommandToIndex(kToolRedo), 2);
  EXPECT_EQ(toolBar.Action(0)->toolTip(), "Undo");
  CRect undo;
  toolBar.GetItemRect(0, &undo);
  EXPECT_EQ(toolBar.OnToolHitTest(undo.TopLeft() + CPoint(2, 2), nullptr), 0);
  EXPECT_EQ(toolBar.OnToolHitTest(CPoint(-5, -5), nullptr), -1);

  QTest::mouseClick(Button(2), Qt::LeftButton);  // runs once it cannot be a double-click any more
  ASSERT_TRUE(QTest::qWaitFor([&] { return !routeLog.empty(); }));
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

TEST_F(FrameFixture, BarsDockOnEverySideFloatAndHide) {
  EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_ALIGN_TOP);
  main->DockControlBar(&toolBar, AFX_IDW_DOCKBAR_LEFT);
  QApplication::processEvents();
  EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_ALIGN_LEFT);
  EXPECT_EQ(toolBar.Buttons()->orientation(), Qt::Vertical);
  main->DockControlBar(&toolBar, AFX_IDW_DOCKBAR_RIGHT);
  EXPECT_TRUE(toolBar.GetBarStyle() & CBRS_ALIGN_RIGHT);

  // A double-click on the grip floats the bar, and another docks it again.
  QWidget* grip = toolBar.Dock()->titleBarWidget();
  QTest::mouseDClick(grip, Qt::LeftButton);
  EXPECT_TRUE(toolBar.IsFloating());
  // Floating, the bar has a small frame that is shown exactly when the bar is.
  CFrameWnd* small = toolBar.GetDockingFrame();
  ASSERT_TRUE(small && small->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)));
  for (BOOL show : {FALSE, TRUE}) {
    main->ShowControlBar(&toolBar, show, FALSE);
    EXPECT_EQ((small->GetStyle() & WS_VISIBLE) != 0, show != FALSE);
  }
  QTest::mouseDClick(grip, Qt::LeftButton);
  EXPECT_EQ(toolBar.GetDockingFrame(), main);
  EXPECT_FALSE(toolBar.IsFloating());

  main->FloatControlBar(&toolBar, CPoint(50, 60));
  EXPECT_TRUE(toolBar.IsFloating());
  EXPECT_EQ(toolBar.GetBarStyle() & CBRS_ALIGN_ANY, 0u);
  main->ShowControlBar(&statusBar, FALSE, TRUE);
  EXPECT_FALSE(statusBar.GetStyle() & WS_VISIBLE);
}

TEST_F(FrameFixture, StatusPanesByIdWithTheirTextsAndRectangles) {
  EXPECT_EQ(statusBar.CommandToIndex(57345), 1);
  EXPECT_EQ(statusBar.CommandToIndex(99), -1);
  EXPECT_EQ(statusBar.GetPaneText(1), " Ready");
  UINT id = 1, style = 0;
  int width = 0;
  statusBar.GetPaneInfo(0, id, style, width);
  EXPECT_EQ(id, 0u);
  EXPECT_TRUE(style & SBPS_STRETCH);
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

TEST_F(FrameFixture, IdleCountsRiseUntilDeclinedAndStartAgainAfterInput) {
  app.idleRounds = 3;
  QWidget* target = main->GetActiveView()->GetWidget();
  // A key and a posted message after the loop fell idle start the count again; a timer does not.
  QTimer::singleShot(50, [&] { QTest::keyClick(target, Qt::Key_A); });
  QTimer::singleShot(100, [&] { main->PostMessage(WM_COMMAND, kForMainFrame); });
  QTimer::singleShot(150, [] {});
  QTimer::singleShot(200, [&] { main->PostMessage(WM_CLOSE); });
  app.Run();
  EXPECT_EQ(app.idleCounts, (std::vector<LONG>{0, 1, 2, 0, 1, 2, 0, 1, 2}));
  EXPECT_EQ(routeLog, std::vector<std::string>{"main 40103"});
  EXPECT_FALSE(IsWindow(mainHandle));
}

class NoteDocument : public CDocument {
  DECLARE_DYNCREATE(NoteDocument)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsLoading()) {
      ar >> text;
      return;
    }
    ar << text;
    ar.Flush();
    if (failing == Failing::halfWay) throw CFileException(CFileException::diskFull);
  }
  // A disk that fails both the flush and the close of what is written to it.
  class FailingDiskFile : public CFile {
   public:
    void Flush() override { throw CFileException(CFileException::hardIO); }
    void Close() override {
      const bool open = !GetFilePath().IsEmpty();  // Open closes first
      CFile::Close();
      if (open) throw CFileException(CFileException::hardIO);
    }
  };
  std::unique_ptr<CFile> GetFile(const char* name, UINT flags, CFileException* error) override {
    if (failing != Failing::flushAndClose) return CDocument::GetFile(name, flags, error);
    auto file = std::make_unique<FailingDiskFile>();
    if (!file->Open(name, flags, error)) return nullptr;
    return file;
  }
  void DeleteContents() override { text.Empty(); }
  CString text;
  enum class Failing { no, halfWay, flushAndClose };
  static inline Failing failing = Failing::no;
};
IMPLEMENT_DYNCREATE(NoteDocument, CDocument)

class NoteView : public CView {
  DECLARE_DYNCREATE(NoteView)
 public:
  void OnDraw(CDC*) override {}
  void OnUpdate(CView*, LPARAM hint, CObject*) override { hints.push_back(hint); }
  std::vector<LPARAM> hints;
};
IMPLEMENT_DYNCREATE(NoteView, CView)

class NoteFrame : public CFrameWnd {
  DECLARE_DYNCREATE(NoteFrame)
};
IMPLEMENT_DYNCREATE(NoteFrame, CFrameWnd)

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct DocumentsFixture : ::testing::Test {
  DocumentsFixture() {
    RegisterFrameworkTestStrings();
    app.LoadStdProfileSettings(4);
    docTemplate = new CMultiDocTemplate(kChildResource, RUNTIME_CLASS(NoteDocument), RUNTIME_CLASS(NoteFrame),
                                        RUNTIME_CLASS(NoteView));
    app.AddDocTemplate(docTemplate);
  }

  NoteDocument* OpenedLast() {
    NoteDocument* last = nullptr;
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;)
      last = static_cast<NoteDocument*>(docTemplate->GetNextDoc(pos));
    return last;
  }
  static CFrameWnd* FrameOf(CDocument* document) {
    POSITION pos = document->GetFirstViewPosition();
    return document->GetNextView(pos)->GetParentFrame();
  }
  int DocumentCount() {
    int count = 0;
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos; docTemplate->GetNextDoc(pos)) ++count;
    return count;
  }

  QtTestApplication qt;
  TemporaryFolder folder;
  ScopedMemoryProfile store;
  ScriptedMessageBoxes boxes;
  ScriptedFileDialogs dialogs;
  CWinApp app{"Notes"};
  CDocTemplate* docTemplate;
};

TEST_F(DocumentsFixture, NewSaveAsCloseWithPromptOpenAndRecentFiles) {
  app.OnFileNew();
  app.OnFileNew();
  NoteDocument* document = OpenedLast();
  ASSERT_NE(document, nullptr);
  EXPECT_EQ(document->GetTitle(), "Untitled2");
  CFrameWnd* frame = FrameOf(document);

  // Save on an untitled document asks for a name; the view routes the command to its document.
  const std::string path = folder / "notes.tvr";
  document->text = "first";
  document->SetModifiedFlag();
  dialogs.Answer({path});
  frame->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_FALSE(dialogs.requests[0].open);
  EXPECT_EQ(dialogs.requests[0].fileName, "Untitled2.tvr");
  ASSERT_EQ(dialogs.requests[0].filters.size(), 1u);
  EXPECT_EQ(dialogs.requests[0].filters[0].patterns, "*.tvr");
  EXPECT_EQ(document->GetTitle(), "notes.tvr");
  EXPECT_EQ(document->GetPathName(), path.c_str());
  EXPECT_FALSE(document->IsModified());
  EXPECT_NE(ReadAll(path).find("first"), std::string::npos);

  // A changed document asks before it closes: Cancel keeps it, No drops the change.
  document->text = "second";
  document->SetModifiedFlag();
  boxes.Answer({IDCANCEL});
  frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Save changes to notes.tvr?");
  EXPECT_EQ(boxes.boxes[0].caption, "Notes");  // the application's title, a question's icon
  EXPECT_EQ(boxes.boxes[0].style & (MB_TYPEMASK | MB_ICONMASK), MB_YESNOCANCEL | MB_ICONQUESTION);
  EXPECT_EQ(DocumentCount(), 2);
  boxes.Answer({IDNO});
  frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  EXPECT_EQ(DocumentCount(), 1);

  // The recent-file list holds the saved file, in the store too, and opens it again.
  ASSERT_EQ(app.GetRecentFileList()->GetCount(), 1);
  app.SaveStdProfileSettings();
  EXPECT_EQ(store->GetProfileString("Recent File List", "File1", ""), path);
  CFrameWnd* other = FrameOf(OpenedLast());
  other->ExecuteUserCommand(ID_FILE_MRU_FILE1, 0);
  ASSERT_EQ(DocumentCount(), 2);
  NoteDocument* reopened = OpenedLast();
  EXPECT_EQ(reopened->text, "first");
  EXPECT_FALSE(reopened->IsModified());
  // Opening an open file finds the open document.
  EXPECT_EQ(app.OpenDocumentFile(path.c_str()), reopened);
  EXPECT_EQ(DocumentCount(), 2);

  // A recent file that is gone leaves the list when chosen.
  app.AddToRecentFileList((folder / "gone.tvr").c_str());
  boxes.Answer({IDOK});
  other->ExecuteUserCommand(ID_FILE_MRU_FILE1, 0);
  EXPECT_EQ(boxes.boxes.back().text, "Failed to open document.\n\n" + folder / "gone.tvr");
  EXPECT_EQ(boxes.boxes.back().caption, "Notes");
  EXPECT_EQ(app.GetRecentFileList()->GetCount(), 1);
}

// Opening from the command line is shown by the program's own start-up test.
TEST_F(DocumentsFixture, TheShellCommandFailsForAMissingFileAndForPrinting) {
  app.OnFileNew();
  const std::string path = folder / "named.tvr";
  ASSERT_TRUE(OpenedLast()->DoSave(path.c_str()));
  CCommandLineInfo missing;
  missing.ParseParam((folder / "missing.tvr").c_str(), FALSE, TRUE);
  boxes.Answer({IDOK});
  EXPECT_FALSE(app.ProcessShellCommand(missing));
  CCommandLineInfo print;
  print.ParseParam("p", TRUE, FALSE);
  print.ParseParam(path.c_str(), FALSE, TRUE);
  EXPECT_FALSE(app.ProcessShellCommand(print));
  EXPECT_EQ(DocumentCount(), 1);
}

TEST_F(DocumentsFixture, ClosingTheMainWindowAsksForEveryChangedDocument) {
  app.OnFileNew();
  app.OnFileNew();
  app.OnFileNew();
  POSITION pos = docTemplate->GetFirstDocPosition();
  auto* first = static_cast<NoteDocument*>(docTemplate->GetNextDoc(pos));
  auto* second = static_cast<NoteDocument*>(docTemplate->GetNextDoc(pos));
  first->SetModifiedFlag();
  second->SetModifiedFlag();
  CFrameWnd* main = FrameOf(first);
  app.m_pMainWnd = main;
  const HWND mainHandle = main->m_hWnd;

  // Cancel at the second question keeps everything open.
  boxes.Answer({IDNO, IDCANCEL});
  main->SendMessage(WM_CLOSE);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text, "Save changes to Untitled2?");
  EXPECT_EQ(DocumentCount(), 3);
  EXPECT_TRUE(IsWindow(mainHandle));

  boxes.Answer({IDNO, IDNO});
  main->SendMessage(WM_CLOSE);
  EXPECT_EQ(boxes.boxes.size(), 4u);  // the unchanged third document is not asked about
  EXPECT_EQ(DocumentCount(), 0);
  EXPECT_FALSE(IsWindow(mainHandle));
  EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST_F(DocumentsFixture, SavingKeepsTheUsersLinkAndPermissionsAndAFailedSaveThePreviousFile) {
  app.OnFileNew();
  NoteDocument* document = OpenedLast();
  // The user's scene is a link to a file the group may read, and a killed save left its file.
  const std::string target = folder / "kept.tvr", path = folder / "link.tvr";
  std::ofstream(target) << "by hand";
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  std::filesystem::create_symlink("kept.tvr", path);
  std::ofstream(target + ".saving-999999999-1") << "killed half-way";
  document->text = "old contents";
  ASSERT_TRUE(document->DoSave(path.c_str()));
  EXPECT_TRUE(std::filesystem::is_symlink(path));
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  const std::string before = ReadAll(target);
  EXPECT_NE(before.find("old contents"), std::string::npos);

  for (NoteDocument::Failing failing : {NoteDocument::Failing::halfWay, NoteDocument::Failing::flushAndClose}) {
    SCOPED_TRACE(static_cast<int>(failing));
    document->text = "new contents that never arrive";
    document->SetModifiedFlag();
    NoteDocument::failing = failing;
    boxes.boxes.clear();
    FrameOf(document)->SendMessage(WM_COMMAND, ID_FILE_SAVE);
    NoteDocument::failing = NoteDocument::Failing::no;
    EXPECT_EQ(ReadAll(target), before);
    EXPECT_TRUE(document->IsModified());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "Failed to save document.\n\n" + path);
    // Nothing but the file and its link is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
  }
}

TEST_F(DocumentsFixture, SavingAReadOnlyFileAsksForANewNameAndTheNextDialogStartsInTheFolderChosen) {
  app.OnFileNew();
  NoteDocument* document = OpenedLast();
  const std::string locked = folder / "locked.tvr";
  ASSERT_TRUE(document->DoSave(locked.c_str()));
  ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
  const std::string before = ReadAll(locked);

  // Save goes to Save As; cancelled, nothing is written.
  document->text = "changed";
  document->SetModifiedFlag();
  FrameOf(document)->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  ASSERT_EQ(dialogs.requests.size(), 1u);
  EXPECT_FALSE(dialogs.requests[0].open);
  EXPECT_EQ(dialogs.requests[0].fileName, "locked.tvr");
  EXPECT_EQ(ReadAll(locked), before);
  EXPECT_TRUE(document->IsModified());

  // A name in another folder: the scene goes there, and so does the next dialog.
  TemporaryFolder elsewhere;
  dialogs.Answer({elsewhere / "copy.tvr"});
  FrameOf(document)->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  EXPECT_EQ(ReadAll(locked), before);
  EXPECT_NE(ReadAll(elsewhere / "copy.tvr").find("changed"), std::string::npos);
  EXPECT_EQ(document->GetPathName(), (elsewhere / "copy.tvr").c_str());
  app.OnFileOpen();
  ASSERT_EQ(dialogs.startFolders.size(), 3u);
  EXPECT_EQ(dialogs.startFolders[2], elsewhere.Path());

  // A file that may be written is saved in place, without a dialog.
  FrameOf(document)->SendMessage(WM_COMMAND, ID_FILE_SAVE);
  EXPECT_EQ(dialogs.requests.size(), 3u);
}

TEST_F(DocumentsFixture, UpdateAllViewsReachesEveryOtherViewInCreationOrder) {
  app.OnFileNew();
  NoteDocument* document = OpenedLast();
  CFrameWnd* frame = FrameOf(document);
  CCreateContext context;
  context.m_pCurrentDoc = document;
  auto* second = new NoteView;
  auto* third = new NoteView;
  ASSERT_TRUE(second->Create(nullptr, nullptr, WS_CHILD, RECT{0, 0, 10, 10}, frame, 2, &context));
  ASSERT_TRUE(third->Create(nullptr, nullptr, WS_CHILD, RECT{0, 0, 10, 10}, frame, 3, &context));
  std::vector<CView*> order;
  for (POSITION pos = document->GetFirstViewPosition(); pos;) order.push_back(document->GetNextView(pos));
  ASSERT_EQ(order, (std::vector<CView*>{frame->GetActiveView(), second, third}));

  document->UpdateAllViews(second, 8);
  EXPECT_EQ(static_cast<NoteView*>(order[0])->hints.back(), 8);
  EXPECT_TRUE(second->hints.empty());
  EXPECT_EQ(third->hints, std::vector<LPARAM>{8});
  // A destroyed view leaves the list.
  third->DestroyWindow();
  int count = 0;
  for (POSITION pos = document->GetFirstViewPosition(); pos; document->GetNextView(pos)) ++count;
  EXPECT_EQ(count, 2);
}

TEST_F(DocumentsFixture, ATemplateWhoseViewCannotBeMadeMakesNoFrame) {
  CMultiDocTemplate noViews(kChildResource, RUNTIME_CLASS(NoteDocument), RUNTIME_CLASS(NoteFrame),
                            RUNTIME_CLASS(CView));
  NoteDocument document;
  document.m_bAutoDelete = FALSE;
  EXPECT_EQ(noViews.CreateNewFrame(&document, nullptr), nullptr);
  EXPECT_EQ(document.GetFirstViewPosition(), nullptr);
}

}  // namespace
