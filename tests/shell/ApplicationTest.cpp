// The application object: its low-memory reserve, timer and main-frame lookup, and its file
// dialog. Then the started application: start-up and its checks (the palette of an 8-bit display
// among them), the first run, the splash and About box, the help of boxes, opening scenes and the
// switches that reach every open scene.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTest>
#include <QUrl>
#include <fstream>
#include <new>

#include "core/DirectXProbe.h"
#include "core/NoMemoryHandler.h"
#include "core/XMessageBox.h"
#include "dialogs/DialogAbout.h"
#include "dialogs/DialogServices.h"
#include "document/XDocument.h"
#include "platform/ddraw/Display.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/RunModal.h"
#include "platform/framework/View.h"
#include "platform/win/CurrentDirectory.h"
#include "platform/win/Memory.h"
#include "platform/win/TickCount.h"
#include "scene/GroupSO.h"
#include "shell/DocTemplates.h"
#include "shell/ShellTestSupport.h"
#include "shell/StartupChecks.h"
#include "dialogs/XFileDialog.h"
#include "shell/XMainFrame.h"
#include "support/RecordingDesktop.h"
#include "support/RecordingHelp.h"
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
}

DWORD now = 0;
DWORD Now() { return now; }

// The main frame's status-bar work, counted.
struct CountingFrame : XMainFrame {
  void OnStatusBarIdle() override { ++refreshes; }
  int refreshes = 0;
};

TEST(XApp, TheMainFrameIsTheThreadsMainWindowAndARefreshIsOverdueAfterMoreThan200Ms) {
  XApp app;
  CountingFrame frame;
  app.m_pMainWnd = &frame;
  EXPECT_EQ(XGetMainFrame(), &frame);

  TickSource previous = SetTickSource(&Now);
  MSG msg{};
  now = 0xFFFFFF00u;
  XApp::TimerProc(nullptr, 0, 0, 0);
  const int afterTimer = frame.refreshes;
  now += 200;  // 200 ms later: not yet overdue
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
  app.m_pMainWnd = nullptr;
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
}

using Startup = StartedApp;

// Started without arguments on a true-colour display, as a later run.
struct Running : StartedApp {
  Running() { EXPECT_TRUE(Start()); }
  std::string FileOf(const char* name, const std::string& bytes) {
    const std::string path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  XDocument* NewScene() { return static_cast<XDocument*>(app.GetDocTemplate(0)->docTemplate->OpenDocumentFile(nullptr)); }
  TemporaryFolder folder;
};

TEST_F(Running, ComesUpWithNoSceneAndASplashThatAKeyAClickOrItsTimeCloses) {
  EXPECT_TRUE(app.m_pMainWnd->GetWidget()->isVisible());
  EXPECT_EQ(app.CountOpenScenes(), 0);
  EXPECT_NE(app.m_applTimerId, 0u);
  EXPECT_EQ(app.palette, nullptr);  // a true-colour display
  EXPECT_TRUE(boxes.boxes.empty());

  QCoreApplication::processEvents();  // the main frame posted its request at creation
  const auto splash = [&] { return app.m_dialogAbout ? app.m_dialogAbout->GetWidget() : nullptr; };
  ASSERT_NE(splash(), nullptr);
  EXPECT_TRUE(splash()->isVisible());
  EXPECT_FALSE(splash()->findChild<QLabel*>()->pixmap().isNull());
  QTest::mouseClick(splash()->findChild<QLabel*>(), Qt::LeftButton);
  EXPECT_EQ(app.m_dialogAbout, nullptr);
  for (Qt::Key key : {Qt::Key_A, Qt::Key_Escape}) {
    XGetMainFrame()->SendMessage(WM_COMMAND, 2105);
    ASSERT_NE(splash(), nullptr);
    QTest::keyClick(splash(), key);
    EXPECT_EQ(app.m_dialogAbout, nullptr);
  }
  XGetMainFrame()->SendMessage(WM_COMMAND, 2105);
  app.m_dialogAbout->SendMessage(WM_TIMER, 1);
  EXPECT_EQ(app.m_dialogAbout, nullptr);
}

TEST_F(Startup, OutOfRangePreferencesAreReplacedAndExitStoresTheSwitches) {
  TemporaryFolder gone;
  char before[4096];
  ASSERT_NE(GetCurrentDirectory(sizeof before, before), 0u);
  ASSERT_TRUE(Start(std::string(kSetUpBefore) +
                    "[General]\nNumberRecentScenes(0-16)=17\nInteractiveMode(0-20)=-1\nShowGround(yes/no)=yes\n"
                    "CurrentDirectory=" + (gone / "gone") + "\n"));
  EXPECT_EQ(app.GetInteractiveMode(), 1);
  EXPECT_TRUE(app.GetShowGround());
  EXPECT_EQ(app.GetRecentFileList()->GetSize(), 8);
  app.SetInteractiveMode(5);
  app.m_pMainWnd->DestroyWindow();
  app.ExitInstance();
  started = false;
  const std::string stored = ReadPreferences();
  EXPECT_NE(stored.find("NumberRecentScenes(0-16)=8"), std::string::npos);
  EXPECT_NE(stored.find("InteractiveMode(0-20)=5"), std::string::npos);
  EXPECT_NE(stored.find(std::string("CurrentDirectory=") + before + "\n"), std::string::npos);
}

TEST_F(Startup, ADisplayOfFewerThan8BitsEndsStartUp) {
  display->bitsPerPixel = 4;
  EXPECT_FALSE(Start());
  EXPECT_EQ(BoxIds(boxes), std::vector<UINT>{40200});
}

TEST_F(Startup, An8BitDisplayGetsTheFixedPaletteAsTheMainFrameComesToTheFrontAndTheReminderUntilDeclined) {
  display->bitsPerPixel = 8;
  const SIZE screen = DDDisplaySize();
  const int bits = static_cast<int>(DDDisplayBitsPerPixel());
  ASSERT_TRUE(DDSetDisplayMode(8, screen.cx, screen.cy));
  PALETTEENTRY before[256], after[256], p[256];
  DDGetDisplayPalette(before);
  boxes.Answer({IDNO});
  ASSERT_TRUE(Start());
  app.m_pMainWnd->GetWidget()->activateWindow();
  QCoreApplication::processEvents();
  DDGetDisplayPalette(after);
  DDSetDisplayPalette(0, 256, before);
  ASSERT_TRUE(DDSetDisplayMode(bits, screen.cx, screen.cy));
  EXPECT_EQ(BoxIds(boxes), std::vector<UINT>{40250});
  EXPECT_NE(ReadPreferences().find("Warn256ColorDisplay(yes/no)=no"), std::string::npos);
  ASSERT_NE(app.palette, nullptr);
  ASSERT_EQ(app.palette->GetPaletteEntries(0, 256, p), 256u);
  EXPECT_EQ(p[10].peRed + p[10].peGreen + p[10].peBlue, 0);
  EXPECT_EQ((p[225].peRed & p[225].peGreen & p[225].peBlue), 255);
  EXPECT_EQ(p[190].peRed, 255);
  EXPECT_EQ(p[190].peGreen + p[190].peBlue, 0);
  EXPECT_EQ(p[3].peFlags, 2);
  EXPECT_EQ(p[230].peFlags, 0);
  // Red at 190 only once realised; the explicit entries keep the display's own colours.
  EXPECT_FALSE(before[190].peRed == 255 && before[190].peGreen == 0);
  EXPECT_TRUE(after[190].peRed == 255 && after[190].peGreen == 0);
  EXPECT_EQ(after[3].peRed, before[3].peRed);
}

TEST_F(Startup, An8BitDisplayWithoutAChangeablePaletteEndsStartUpAfterTheReminder) {
  display->bitsPerPixel = 8;
  display->changeablePalette = false;
  boxes.Answer({IDYES});
  EXPECT_FALSE(Start());
  EXPECT_EQ(BoxIds(boxes), (std::vector<UINT>{40250, 40249}));
  EXPECT_EQ(app.palette, nullptr);
}

// Speed is never measured: what the system reports warns, and start-up goes on.
TEST_F(Startup, AProcessorOfThe486ClassAndASlowVideoCardAreWarnedOf) {
  display->processorType = PROCESSOR_INTEL_486;
  display->slowMachine = 0x5;
  EXPECT_TRUE(Start());
  EXPECT_EQ(BoxIds(boxes), (std::vector<UINT>{40203, 40204}));
}

TEST_F(Startup, AProcessorOfThe386ClassIsWarnedOfAndOtherSlowMachineFlagsAreNot) {
  display->processorType = PROCESSOR_INTEL_386;
  display->slowMachine = 0x3;
  EXPECT_TRUE(Start());
  EXPECT_EQ(BoxIds(boxes), std::vector<UINT>{40203});
}

// A system whose DirectDraw cannot be created has no DirectX 5.
class NoDirectDraw final : public SystemDirectXProbe {
 public:
  HRESULT DirectDrawCreate(GUID*, LPDIRECTDRAW*, IUnknown*) override { return E_FAIL; }
};

TEST_F(Startup, WithoutDirectX5StartUpEndsAfterOfferingTheDownloadPage) {
  NoDirectDraw probe;
  DirectXProbe* previous = SetDirectXProbe(&probe);
  RecordingDesktop noBrowser(false);
  EXPECT_FALSE(Start());
  SetDirectXProbe(previous);
  EXPECT_EQ(BoxIds(boxes), (std::vector<UINT>{40242, 40247}));
  ASSERT_EQ(noBrowser.urls.size(), 1u);
  EXPECT_NE(boxes.boxes[0].text.find("\n\n" + noBrowser.urls[0] + "\n\n"), std::string::npos);
}

TEST_F(Startup, TheFirstRunListsTheTutorialsAndSetsTheObjectQualityFromMemory) {
  display->bitsPerPixel = 8;
  SetPhysicalMemory(64u << 20);
  // The Preferences sheet comes up on its Copy Image page after the message that announces it;
  // the user visits every page and presses OK before the 3D objects exist.
  QString pageShown;
  std::size_t boxesBefore = 0;
  BOOL ok = FALSE;
  const auto firstStart = [&] {
    ok = Start("");
    return IDOK;
  };
  RunModal(firstStart, [&](QDialog* sheet) {
    boxesBefore = boxes.boxes.size();
    auto* tabs = sheet->findChild<QTabBar*>();
    pageShown = tabs ? tabs->tabText(tabs->currentIndex()) : QString();
    for (int i = 0; tabs && i < tabs->count(); ++i) QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
    for (QPushButton* button : sheet->findChildren<QPushButton*>())
      if (button->text() == "OK") QTest::mouseClick(button, Qt::LeftButton);
  });
  SetPhysicalMemory(0);
  ASSERT_TRUE(ok);
  EXPECT_EQ(pageShown, "Copy Image");
  EXPECT_EQ(boxesBefore, 3u);
  EXPECT_EQ(BoxIds(boxes), (std::vector<UINT>{40251, 40231, 40235, 40221, 40232}));
  const std::string stored = ReadPreferences();
  EXPECT_NE(stored.find("ObjectQualityBias=-1"), std::string::npos);
  EXPECT_NE(stored.find("ObjectQuality256Colors(yes/no)=yes"), std::string::npos);
  EXPECT_NE(stored.find("ObjectQualityAlreadySetup(yes/no)=yes"), std::string::npos);
  const CRecentFileList& recent = *app.GetRecentFileList();
  const std::string folder = app.programPath.GetDirectory().AddTrailingSeparator().str();
  EXPECT_EQ(recent[0], folder + "Tutorial1.tvr");
  EXPECT_EQ(recent[1], folder + "Tutorial2.tvr");
}

TEST(StartupChecks, ObjectQualityStepsAtTheMemoryThresholds) {
  EXPECT_EQ(ObjectQualityForMemory(8912896).bias, -4);
  EXPECT_EQ(ObjectQualityForMemory(8912897).bias, -3);
  EXPECT_EQ(ObjectQualityForMemory(17301504).messageId, 40219u);
  EXPECT_EQ(ObjectQualityForMemory(34078720).bias, -2);
  EXPECT_EQ(ObjectQualityForMemory(34078720).messageId, 40220u);
  EXPECT_EQ(ObjectQualityForMemory(34078721).bias, -1);
}

// A user who presses Help in each box that has it, then OK.
struct HelpPressingBoxes final : MessageBoxBackend {
  HelpPressingBoxes() : previous(SetMessageBoxBackend(this)) {}
  ~HelpPressingBoxes() override { SetMessageBoxBackend(previous); }
  int Show(HWND owner, const char*, const char*, UINT style) override {
    if (style & MB_HELP) RequestMessageBoxHelp(owner);
    return IDOK;
  }
  MessageBoxBackend* previous;
};

TEST_F(Running, ABoxsHelpOpensItsTopicAndHelpAboutShowsTheVersion) {
  RecordingHelp help;
  {
    HelpPressingBoxes user;
    XInfoBox(40231);
  }
  ASSERT_EQ(help.pages.size(), 1u);
  EXPECT_EQ(help.pages[0].topic, 40231u + 0x10000);

  QString version;
  const auto helpAbout = [] {
    XGetMainFrame()->SendMessage(WM_COMMAND, 10008);
    return IDOK;
  };
  RunModal(helpAbout, [&](QDialog* box) {
    const QList<QLabel*> labels = box->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 2);
    version = labels[1]->text();
    QTest::mouseClick(labels[1], Qt::LeftButton);
  });
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(QRegularExpression("^version 1\\.3, [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{4}$").match(version).hasMatch())
      << version.toStdString();
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

bool Waiting() { return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor; }

int framesMade = 0;
bool readWaited = false;
// A document whose reading makes a window and then fails.
class WindowThenFailDocument : public CDocument {
  DECLARE_DYNCREATE(WindowThenFailDocument)
 public:
  BOOL OnOpenDocument(const char*) override {
    readWaited = Waiting();
    framesMade += GetDocTemplate()->CreateNewFrame(this, nullptr) != nullptr;
    return FALSE;
  }
};
IMPLEMENT_DYNCREATE(WindowThenFailDocument, CDocument)


TEST_F(Running, AMissingFileIsReportedAnEmptyOneIsANewSceneADamagedOneLeavesNoWindowAndADroppedOneOpens) {
  EXPECT_EQ(app.OpenDocumentFile((folder / "missing.tvr").c_str()), nullptr);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Failed to open document.\n\n" + folder / "missing.tvr");
  EXPECT_EQ(app.CountOpenScenes(), 0);

  const std::string empty = FileOf("Empty.tvr", "");
  CDocument* document = app.OpenDocumentFile(empty.c_str());
  ASSERT_NE(document, nullptr);
  EXPECT_TRUE(ISKINDOF( document, XDocument ));
  EXPECT_EQ(document->GetPathName().str(), empty);

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

  // A failed read closes the windows it made before the document goes.
  auto* windowed = new XMultiDocTemplate(14, RUNTIME_CLASS(WindowThenFailDocument), RUNTIME_CLASS(PlainFrame),
                                         RUNTIME_CLASS(CountedView));
  app.AddDocTemplate(windowed);
  viewsGone = 0;
  framesMade = 0;
  EXPECT_EQ(windowed->OpenDocumentFile(FileOf("Any.tvr", "bytes").c_str()), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(framesMade, 1);
  EXPECT_TRUE(readWaited);
  EXPECT_EQ(viewsGone, 1);
  EXPECT_EQ(windowed->GetFirstDocPosition(), nullptr);
}

struct WaitNotingView : CView {
  void OnDraw(CDC*) override {}
  void OnUpdate(CView*, LPARAM, CObject*) override {
    ++updates;
    waited += Waiting();
  }
  int updates = 0;
  int waited = 0;
};

TEST_F(Running, TheSwitchesReachEverySceneOnlyWhenTheyChangeAndThePreferencePagesTheActiveOne) {
  XDocument* first = NewScene();
  XDocument* second = NewScene();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(app.CountOpenScenes(), 2);

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

  // Views of every scene are brought up to date under the wait cursor.
  WaitNotingView view;
  first->AddView(&view);
  app.UpdateAllDocumentViews();
  app.RegenerateAllViews();
  EXPECT_EQ(view.updates, 2);
  EXPECT_EQ(view.waited, 2);
  first->RemoveView(&view);
}

}  // namespace
}  // namespace shell_test
