// The application object: its low-memory reserve, timer and main-frame lookup, its document
// templates and file dialog, opening scenes and the switches that reach every open scene.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <fstream>
#include <new>

#include "core/NoMemoryHandler.h"
#include "dialogs/DialogServices.h"
#include "document/XDocument.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/View.h"
#include "platform/win/TickCount.h"
#include "scene/GroupSO.h"
#include "shell/DocTemplates.h"
#include "shell/ShellTestSupport.h"
#include "shell/XFileDialog.h"
#include "shell/XMainFrame.h"
#include "support/FatalCheck.h"
#include "support/ScriptedFileDialogs.h"
#include "support/TemporaryFolder.h"

namespace shell_test {
namespace {

// A copied scene group: counts its deletions.
int deleted = 0;
struct CountedGroup : GroupSO {
  ~CountedGroup() override { ++deleted; }
};

TEST(XApp, HoldsTheLowMemoryReserveForItsLifeAndEmptiesItsClipboardOnAShortage) {
  ScriptedProcesses processes;
  const std::new_handler before = std::get_new_handler();
  {
    XApp app;
    EXPECT_TRUE(NoMemoryReserveHeld());
    EXPECT_EQ(std::get_new_handler(), &NoMemoryNewHandler);
    EXPECT_EQ(XGetApp(), &app);
    EXPECT_NE(app.programPath.Find("shell_tests"), -1);

    ASSERT_EQ(Direct3DRMCreate(&app.lpD3DRM), D3DRM_OK);
    deleted = 0;
    Ptr<GroupSO> kept = new CountedGroup;
    app.objectClipboard.AddTail(kept);
    app.objectClipboard.AddTail(new CountedGroup);
    NoMemoryHandler(1);
    EXPECT_EQ(app.objectClipboard.GetCount(), 0);
    EXPECT_EQ(deleted, 1);  // the other one is still held here
  }
  EXPECT_FALSE(NoMemoryReserveHeld());
  EXPECT_EQ(std::get_new_handler(), before);
  EXPECT_FATAL(XGetApp(), "app", "");
  CWinApp other("Other");
  EXPECT_FATAL(XGetApp(), "ISKINDOF( app, XApp )", "");
}

DWORD now = 0;
DWORD Now() { return now; }

// The main frame's status-bar work, counted.
struct CountingFrame : XMainFrame {
  void OnStatusBarIdle() override { ++refreshes; }
  int refreshes = 0;
};

TEST(XApp, TheMainFrameIsTheThreadsMainWindowAndARefreshIsOverdueAfterMoreThan200Ms) {
  EXPECT_EQ(XGetMainFrame(), nullptr);  // no application
  XApp app;
  EXPECT_EQ(XGetMainFrame(), nullptr);
  CountingFrame frame;
  app.m_pMainWnd = &frame;
  EXPECT_EQ(XGetMainFrame(), &frame);

  TickSource previous = SetTickSource(&Now);
  MSG msg{};
  now = 0xFFFFFF00u;
  XApp::TimerProc(nullptr, 0, 0, 0);
  const int afterTimer = frame.refreshes;
  now += 200;  // wrapped past 0
  app.PreTranslateMessage(&msg);
  EXPECT_EQ(frame.refreshes, afterTimer);
  now += 1;
  app.PreTranslateMessage(&msg);
  EXPECT_EQ(frame.refreshes, afterTimer + 1);
  app.PreTranslateMessage(&msg);
  EXPECT_EQ(frame.refreshes, afterTimer + 1);

  // Idle time refreshes only when there is no timer.
  app.m_applTimerId = 7;
  EXPECT_TRUE(app.OnIdle(0));  // the framework's own idle work first
  EXPECT_FALSE(app.OnIdle(1));
  EXPECT_EQ(frame.refreshes, afterTimer + 1);
  app.m_applTimerId = 0;
  app.OnIdle(1);
  EXPECT_EQ(frame.refreshes, afterTimer + 2);
  SetTickSource(previous);

  CFrameWnd plain;
  app.m_pMainWnd = &plain;
  EXPECT_FATAL(XGetMainFrame(), "!wnd || ISKINDOF( wnd, XMainFrame )", "");
  app.m_pMainWnd = nullptr;
  EXPECT_FATAL(DocTemplateEntry(14, RUNTIME_CLASS(XDocument), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CView), TRUE),
               "DocStringEmpty",
               "View only, document templates must have an empty CDocTemplate::fileNewName");
}

// A file-type template: its document string gives the filter name and extension.
struct TypeTemplate : CMultiDocTemplate {
  TypeTemplate(const char* strings) : CMultiDocTemplate(0, nullptr, nullptr, nullptr) { m_strDocStrings = strings; }
};

TEST(XFileDialog, OffersTheTemplatesTypesAndTheDefaultExtensionFollowsThePickedType) {
  TypeTemplate x("\n\n\nDirect3D files (*.x)\n.x\n\n");
  TypeTemplate studio("\n\n\n3D Studio files (*.3ds)\n.3ds\n\n");
  CDocTemplate* types[] = {&x, &studio};
  ScriptedFileDialogs dialogs;
  dialogs.PickFilters({0});
  dialogs.Answer({"/tmp/model.x"});
  XFileDialog dialog(TRUE, types, 2, 1, "Import", "/tmp", nullptr, 0, nullptr);
  EXPECT_EQ(dialog.m_ofn.lpstrDefExt, std::string("3ds"));
  EXPECT_EQ(dialog.DoModal(), IDOK);
  const FileDialogRequest& asked = dialogs.requests.at(0);
  EXPECT_EQ(asked.filters,
            (std::vector<FileDialogFilter>{{"Direct3D files (*.x)", "*.x"}, {"3D Studio files (*.3ds)", "*.3ds"}}));
  EXPECT_EQ(asked.defaultExtension, "x");  // after switching to the first type
  EXPECT_TRUE(asked.flags & OFN_FILEMUSTEXIST);
  EXPECT_EQ(asked.title, "Import");
  EXPECT_EQ(asked.initialFolder, "/tmp");
  EXPECT_FATAL(XFileDialog(FALSE, types, 2, 2, nullptr, nullptr, nullptr, 0, nullptr),
               "defDocTypeIndex < numDocTypes", "");
}

// A view that counts its destruction.
int viewsGone = 0;
class CountedView : public CView {
  DECLARE_DYNCREATE(CountedView)
 public:
  ~CountedView() override { ++viewsGone; }
  void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CountedView, CView)

class PlainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(PlainFrame)
};
IMPLEMENT_DYNCREATE(PlainFrame, CFrameWnd)

int framesMade = 0;
// A document whose reading makes a window and then fails.
class WindowThenFailDocument : public CDocument {
  DECLARE_DYNCREATE(WindowThenFailDocument)
 public:
  BOOL OnOpenDocument(const char*) override {
    framesMade += GetDocTemplate()->CreateNewFrame(this, nullptr) != nullptr;
    return FALSE;
  }
};
IMPLEMENT_DYNCREATE(WindowThenFailDocument, CDocument)

struct OpenScene : StartedApp {
  OpenScene() { EXPECT_TRUE(Start()); }
  std::string FileOf(const char* name, const std::string& bytes) {
    const std::string path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  XDocument* NewScene() { return static_cast<XDocument*>(app.GetDocTemplate(0)->docTemplate->OpenDocumentFile(nullptr)); }
  TemporaryFolder folder;
};

TEST_F(OpenScene, AMissingFileIsReportedAnEmptyOneIsANewSceneADamagedOneOpensNothingAndADroppedOneOpens) {
  EXPECT_EQ(app.OpenDocumentFile((folder / "missing.tvr").c_str()), nullptr);
  EXPECT_EQ(BoxIds(boxes), std::vector<UINT>{61697});
  EXPECT_EQ(app.CountOpenScenes(), 0);

  const std::string empty = FileOf("Empty.tvr", "");
  CDocument* document = app.OpenDocumentFile(empty.c_str());
  ASSERT_NE(document, nullptr);
  EXPECT_TRUE(ISKINDOF( document, XDocument ));
  EXPECT_EQ(document->GetPathName().str(), empty);
  EXPECT_EQ(document->GetTitle().str(), "Empty.tvr");
  EXPECT_EQ(app.FindTemplateOfDocument(document), app.GetDocTemplate(0));

  EXPECT_EQ(app.OpenDocumentFile(FileOf("Damaged.tvr", "not a scene at all").c_str()), nullptr);
  EXPECT_EQ(app.CountOpenScenes(), 1);
  EXPECT_GT(boxes.boxes.size(), 1u);

  // A scene file dropped on the main window opens.
  QWidget* window = app.m_pMainWnd->GetWidget();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(FileOf("Dropped.tvr", "")))});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(window, &drop);
  EXPECT_EQ(app.CountOpenScenes(), 2);
}

TEST_F(OpenScene, AFailedReadClosesTheWindowsItMadeBeforeTheDocumentGoes) {
  auto* windowed = new XMultiDocTemplate(14, RUNTIME_CLASS(WindowThenFailDocument), RUNTIME_CLASS(PlainFrame),
                                         RUNTIME_CLASS(CountedView));
  app.AddDocTemplate(windowed);
  viewsGone = 0;
  framesMade = 0;
  EXPECT_EQ(windowed->OpenDocumentFile(FileOf("Any.tvr", "bytes").c_str()), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(framesMade, 1);
  EXPECT_EQ(viewsGone, 1);
  EXPECT_EQ(windowed->GetFirstDocPosition(), nullptr);
}

TEST_F(OpenScene, TheSwitchesReachEverySceneOnlyWhenTheyChangeAndThePreferencePagesTheActiveOne) {
  XDocument* first = NewScene();
  XDocument* second = NewScene();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(app.CountOpenScenes(), 2);
  EXPECT_NE(first->GetTitle(), second->GetTitle());

  app.SetShowGround(TRUE);
  EXPECT_TRUE(first->HasGround() && second->HasGround());
  first->RemoveGround(FALSE);
  app.SetShowGround(TRUE);  // unchanged: no scene is told
  EXPECT_FALSE(first->HasGround());
  app.SetShowGround(FALSE);
  EXPECT_FALSE(second->HasGround());

  // The cylinder shows around the one selected group in the rotate-about mode.
  Ptr<GroupSO> group = new GroupSO;
  first->AddGroup(group, TRUE, FALSE, 0);
  app.SetInteractiveMode(XApp::rotateObjectAbout);
  EXPECT_TRUE(first->IsRotObjAboutCylShown());
  EXPECT_FALSE(second->IsRotObjAboutCylShown());
  // New cylinder preferences while the mode shows it: the scene keeps showing the rebuilt mesh.
  app.LoadAboutCylinderPrefs();
  EXPECT_TRUE(first->IsRotObjAboutCylShown());
  app.SetInteractiveMode(1);
  EXPECT_FALSE(first->IsRotObjAboutCylShown());

  // The Preferences pages reach the scene of the active camera window.
  ASSERT_NE(GetDialogServices(), nullptr);
  EXPECT_EQ(GetDialogServices()->GetActiveDocument(), second);
}

}  // namespace
}  // namespace shell_test
