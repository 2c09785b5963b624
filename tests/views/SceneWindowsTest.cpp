// The camera windows of scenes in the started program: a new scene's window, Window/New, closing a
// window and its undo, and the windows' part of scene files, driven by the keys a user presses.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <utility>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/DocumentTestSupport.h"
#include "platform/framework/MDIFrameWnd.h"
#include "platform/win/QtTestApplication.h"
#include "shell/DocTemplates.h"
#include "shell/XApp.h"
#include "shell/XFrameWnd.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"
#include "views/X3DView.h"

namespace {

using Bytes = std::vector<char>;

struct SceneWindows : ::testing::Test {
  SceneWindows() {
    RegisterCameraViewClass(RUNTIME_CLASS(X3DView));
    const std::filesystem::path config = std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "Ulmric";
    std::filesystem::create_directories(config);
    std::ofstream(config / "Tavrolin.ini") << "[Interactive]\nObjectQualityAlreadySetup(yes/no)=yes\n";
    EXPECT_TRUE(app.InitInstance());
    main = dynamic_cast<CMDIFrameWnd*>(app.m_pMainWnd);
    QApplication::processEvents();  // the 3D Objects window opens
    objectsWindow = static_cast<int>(main->GetMDIClient()->Children().size());
  }
  ~SceneWindows() override {
    if (app.m_pMainWnd) app.m_pMainWnd->DestroyWindow();
    app.ExitInstance();
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(main->GetWidget(), key, modifiers);
    QApplication::processEvents();
  }
  XDocument& Scene() {
    CDocTemplate* scenes = app.GetDocTemplate(0)->docTemplate;
    POSITION pos = scenes->GetFirstDocPosition();
    EXPECT_NE(pos, nullptr);
    return *static_cast<XDocument*>(scenes->GetNextDoc(pos));
  }
  static std::vector<X3DView*> Views(XDocument& doc) {
    std::vector<X3DView*> views;
    for (POSITION pos = doc.GetFirstViewPosition(); pos;) views.push_back(dynamic_cast<X3DView*>(doc.GetNextView(pos)));
    return views;
  }
  static std::string Caption(CView* view) {
    CString text;
    view->GetParentFrame()->GetWindowText(text);
    return text.str();
  }
  // The zoom as numerator / denominator of the vertical component.
  static std::pair<LONG, LONG> Zoom(X3DView* view) {
    return {view->GetZoomNumerator().cy, view->GetZoomDenominator().cy};
  }
  static RECT Placement(CView* view) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    view->GetParentFrame()->GetWindowPlacement(&placement);
    return placement.rcNormalPosition;
  }
  // A new scene (Ctrl+N) with a second window made by Window/New (Ctrl+W), set apart from the
  // first by its place, camera and zoom.
  XDocument& SceneWithTwoWindows() {
    Key(Qt::Key_N);
    Key(Qt::Key_W);
    XDocument& doc = Scene();
    X3DView& second = *Views(doc).at(1);
    second.GetParentFrame()->MoveWindow(40, 30, 300, 200);
    second.settings.transform.t[0] = 1.5;
    second.settings.focal = 0.09;
    second.SetZoom(XSize(2, 2), XSize(1, 1), TRUE);
    return doc;
  }
  std::string Save(XDocument& doc) {
    const std::string path = folder / "scene.tvr";
    EXPECT_TRUE(doc.OnSaveDocument(path.c_str()));
    return path;
  }
  XDocument* Reopen(XDocument& doc, const std::string& path) {
    doc.OnCloseDocument();
    return static_cast<XDocument*>(app.OpenDocumentFile(path.c_str()));
  }
  int OpenFrames() const { return static_cast<int>(main->GetMDIClient()->Children().size()) - objectsWindow; }

  QtTestApplication qt;
  ScriptedMessageBoxes boxes;
  ScopedSystemInfo display;
  XApp app;
  CMDIFrameWnd* main = nullptr;
  int objectsWindow = 0;
  TemporaryFolder folder;
};

bool SameCamera(const CameraFields& a, const CameraFields& b) {
  return std::memcmp(&a.transform, &b.transform, sizeof(Transform)) == 0 && a.focal == b.focal;
}

bool SamePlace(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(SceneWindows, ANewSceneShowsACameraWindowAndWindowNewCopiesIt) {
  Key(Qt::Key_N);
  XDocument& doc = Scene();
  ASSERT_EQ(Views(doc).size(), 1u);
  X3DView& first = *Views(doc)[0];
  EXPECT_TRUE(ISKINDOF( first.GetParentFrame(), XFrameWndNullSize ));
  EXPECT_EQ(Caption(&first), "Camera   100%");
  RECT shape;  // tiled alone, then trimmed to 35:24
  first.GetParentFrame()->GetWindowRect(&shape);
  EXPECT_NEAR((shape.right - shape.left) * 24, (shape.bottom - shape.top) * 35, 35);
  first.SetZoom(XSize(3, 3), XSize(1, 1), TRUE);
  first.settings.focal = 0.08;
  Key(Qt::Key_W);
  ASSERT_EQ(Views(doc).size(), 2u);
  X3DView& copy = *Views(doc)[1];
  EXPECT_TRUE(SameCamera(first.settings, copy.settings));
  EXPECT_EQ(Zoom(&copy), Zoom(&first));
  EXPECT_TRUE(SamePlace(Placement(&first), Placement(&copy)));
  EXPECT_NE(copy.GetMyself(), first.GetMyself());
  EXPECT_EQ(Caption(&first), "Camera   300%");
  EXPECT_EQ(Caption(&copy), "Camera 2   300%");
  EXPECT_EQ(document_test::UndoText(doc), "Open Window");
  EXPECT_EQ(OpenFrames(), 2);
}

TEST_F(SceneWindows, TwoWindowsSavedAndReopenedComeBackWithTheirSceneAndTheActiveOne) {
  XDocument& doc = SceneWithTwoWindows();
  Ptr<GroupSO> chair = document_test::NewGroup(doc, "Chair");
  chair->SetTransform(Transform(0.3, Vector(0, 1, 0)));
  doc.AddGroup(chair, TRUE, TRUE, 0);
  doc.AddGroup(document_test::NewGroup(doc, "Lamp", true), FALSE, TRUE, 0);
  doc.GetRotObjAboutCylPtr()->SetTransform(Transform(0.7, Vector(0, 1, 0)));
  main->MDIActivate(Views(doc)[0]->GetParentFrame());
  const std::vector<BYTE> scene = document_test::Snapshot(doc);
  const std::vector<X3DView*> before = Views(doc);
  const RECT places[2] = {Placement(before[0]), Placement(before[1])};
  const std::pair<LONG, LONG> zooms[2] = {Zoom(before[0]), Zoom(before[1])};
  const Transform cylinder = doc.GetRotObjAboutCylPtr()->GetTransform();

  XDocument* read = Reopen(doc, Save(doc));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(document_test::Snapshot(*read), scene);
  const std::vector<X3DView*> after = Views(*read);
  ASSERT_EQ(after.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(SamePlace(Placement(after[i]), places[i]));
    EXPECT_EQ(Zoom(after[i]), zooms[i]);
  }
  EXPECT_EQ(main->MDIGetActive(), after[0]->GetParentFrame());
  const Transform readCylinder = read->GetRotObjAboutCylPtr()->GetTransform();
  EXPECT_EQ(std::memcmp(&readCylinder, &cylinder, sizeof cylinder), 0);
  ASSERT_EQ(read->GetSelectedCount(), 1);
  EXPECT_EQ(read->GetSelected(0)->GetName().str(), "Chair");
}

TEST_F(SceneWindows, CloseWindowUndoRedoUndoBringsTheWindowBackAsItWas) {
  XDocument& doc = SceneWithTwoWindows();
  X3DView& second = *Views(doc)[1];
  const CameraFields kept = second.settings;
  const RECT place = Placement(&second);
  second.GetParentFrame()->SendMessage(WM_CLOSE);
  ASSERT_EQ(Views(doc).size(), 1u);
  EXPECT_EQ(document_test::UndoText(doc), "Close Window");
  EXPECT_EQ(Caption(Views(doc)[0]), "Camera   100%");

  for (int round = 0; round < 2; ++round) {
    Key(Qt::Key_Z);
    ASSERT_EQ(Views(doc).size(), 2u);
    X3DView& back = *Views(doc)[1];
    EXPECT_TRUE(SameCamera(back.settings, kept));
    EXPECT_EQ(Zoom(&back), (std::pair<LONG, LONG>(2, 1)));
    EXPECT_TRUE(SamePlace(Placement(&back), place));
    EXPECT_EQ(Caption(&back), "Camera 2   200%");
    if (round == 0) {
      Key(Qt::Key_Y);
      EXPECT_EQ(Views(doc).size(), 1u);
    }
  }
  // The zoom recorded before the close reaches the window made again.
  Key(Qt::Key_Z);
  EXPECT_EQ(Zoom(Views(doc).at(1)), (std::pair<LONG, LONG>(1, 1)));
}

TEST_F(SceneWindows, ClosingTheLastFreeCameraWindowClosesTheScene) {
  XDocument& doc = SceneWithTwoWindows();
  Views(doc)[1]->settings.windowKind = 1;
  doc.SetModifiedFlag(FALSE);
  Views(doc)[0]->GetParentFrame()->SendMessage(WM_CLOSE);
  EXPECT_EQ(app.CountOpenScenes(), 0);
  EXPECT_EQ(OpenFrames(), 0);
}

TEST_F(SceneWindows, AHistorySavedWithCloseWindowAndDeleteGroupsRemakesThemAfterReopening) {
  XDocument& doc = SceneWithTwoWindows();
  Ptr<GroupSO> chair = document_test::NewGroup(doc, "Chair");
  doc.AddGroup(chair, FALSE, TRUE, 0);
  doc.RemoveGroup(chair, TRUE, 0);
  const double focal = Views(doc)[1]->settings.focal;
  Views(doc)[1]->GetParentFrame()->SendMessage(WM_CLOSE);

  XDocument* read = Reopen(doc, Save(doc));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(Views(*read).size(), 1u);
  Key(Qt::Key_Z);
  ASSERT_EQ(Views(*read).size(), 2u);
  EXPECT_EQ(Views(*read)[1]->settings.focal, focal);
  Key(Qt::Key_Z);
  const XList<Ptr<GroupSO>>& groups = read->GetScene()->GetGroups();
  EXPECT_EQ(groups.GetAt(groups.GetTailPosition())->GetName().str(), "Chair");
}

// Finds `pattern` from the end of `bytes`.
std::size_t FindLast(const Bytes& bytes, std::initializer_list<unsigned char> pattern) {
  const auto found = std::find_end(bytes.begin(), bytes.end(), pattern.begin(), pattern.end(),
                                   [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; });
  EXPECT_NE(found, bytes.end());
  return static_cast<std::size_t>(found - bytes.begin());
}

TEST_F(SceneWindows, AWindowsPartThatCannotBeShownFailsTheOpenAndLeavesNoWindow) {
  Key(Qt::Key_N);
  const std::string path = Save(Scene());
  Scene().OnCloseDocument();
  std::ifstream in(path, std::ios::binary);
  const Bytes good{std::istreambuf_iterator<char>(in), {}};
  // The one window: its count and template index, then the frame's identity.
  const std::size_t count = FindLast(good, {1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0x80});
  const std::size_t placement = FindLast(good, {0, 0, 0, 0x80, 44, 0, 0, 0}) + 4;
  const struct {
    std::size_t at;
    char value;
  } damages[] = {{count, 0}, {count + 4, 2}, {count + 4, 0}, {placement, 43}, {good.size() - 1, 0}};
  for (const auto& damage : damages) {
    Bytes bad = good;
    bad[damage.at] = damage.value;
    if (damage.at == good.size() - 1) bad[damage.at - 1] = 0;  // the active window: a null reference
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bad.data(), static_cast<std::streamsize>(bad.size()));
    EXPECT_EQ(app.OpenDocumentFile(path.c_str()), nullptr) << damage.at;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app.CountOpenScenes(), 0);
    EXPECT_EQ(OpenFrames(), 0);
  }
}

}  // namespace
