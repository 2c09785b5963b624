// The camera windows of scenes in the started program: a new scene's window, Window/New, closing a
// window and its undo, and the windows' part of scene files, driven by the keys a user presses.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QTest>
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "dialogs/EditObjectTestSupport.h"
#include "document/DocumentTestSupport.h"
#include "platform/framework/MDIFrameWnd.h"
#include "platform/win/QtTestApplication.h"
#include "shell/DocTemplates.h"
#include "shell/XApp.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"
#include "views/StartedProgram.h"
#include "views/X3DView.h"

namespace {

using Bytes = std::vector<char>;
using WindowState = std::array<double, 10>;

struct SceneWindows : StartedProgram {
  static std::string Caption(CView* view) {
    CString text;
    view->GetParentFrame()->GetWindowText(text);
    return text.str();
  }
  // What a window shows and where: its camera's place and lens, its zoom and its placement.
  static WindowState State(X3DView* view) {
    WINDOWPLACEMENT w{};
    w.length = sizeof w;
    view->GetParentFrame()->GetWindowPlacement(&w);
    const RECT& r = w.rcNormalPosition;
    const CameraFields& c = view->settings;
    return {c.transform.t[0], c.transform.t[2],  c.focal,  double(view->GetZoomNumerator().cy),
            double(view->GetZoomDenominator().cy), c.transform.m[0][0], double(r.left), double(r.top),
            double(r.right), double(r.bottom)};
  }
  // A new scene (Ctrl+N) with a second window made by Window/New (Ctrl+W), set apart from the
  // first by its place, camera and a recorded zoom.
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
};

TEST_F(SceneWindows, ANewSceneShowsACameraWindowAndWindowNewCopiesIt) {
  Key(Qt::Key_N);
  XDocument& doc = Scene();
  ASSERT_EQ(Views(doc).size(), 1u);
  X3DView& first = *Views(doc)[0];
  EXPECT_EQ(Caption(&first), "Camera   100%");
  RECT shape;  // tiled alone, then trimmed to 35:24
  first.GetParentFrame()->GetWindowRect(&shape);
  EXPECT_NEAR((shape.right - shape.left) * 24, (shape.bottom - shape.top) * 35, 35);
  first.SetZoom(XSize(3, 3), XSize(1, 1), TRUE);
  first.settings.focal = 0.08;
  Key(Qt::Key_W);
  ASSERT_EQ(Views(doc).size(), 2u);
  X3DView& copy = *Views(doc)[1];
  EXPECT_EQ(State(&copy), State(&first));
  EXPECT_NE(copy.GetMyself(), first.GetMyself());
  EXPECT_EQ(Caption(&first) + "|" + Caption(&copy), "Camera   300%|Camera 2   300%");
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
  // The scene tree, selection, lights and cameras as bytes; the cylinder; the windows.
  const std::vector<BYTE> scene = document_test::Snapshot(doc);
  const double cylinder = doc.GetRotObjAboutCylPtr()->GetTransform().m[0][0];
  const std::vector<WindowState> windows{State(Views(doc)[0]), State(Views(doc)[1])};

  XDocument* read = Reopen(doc, Save(doc));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(document_test::Snapshot(*read), scene);
  EXPECT_EQ(read->GetRotObjAboutCylPtr()->GetTransform().m[0][0], cylinder);
  ASSERT_EQ(Views(*read).size(), 2u);
  EXPECT_EQ(windows, (std::vector<WindowState>{State(Views(*read)[0]), State(Views(*read)[1])}));
  EXPECT_EQ(main->MDIGetActive(), Views(*read)[0]->GetParentFrame());
}

TEST_F(SceneWindows, CloseWindowUndoRedoUndoBringsTheWindowBackAsItWas) {
  XDocument& doc = SceneWithTwoWindows();
  const auto closed = State(Views(doc)[1]);
  main->MDIActivate(Views(doc)[1]->GetParentFrame());
  Key(Qt::Key_F4);  // the desktop's close key for the active window
  ASSERT_EQ(Views(doc).size(), 1u);
  EXPECT_EQ(document_test::UndoText(doc), "Close Window");
  EXPECT_EQ(Caption(Views(doc)[0]), "Camera   100%");
  main->MDIActivate(Views(doc)[0]->GetParentFrame());  // the user clicks the window that is left
  for (int key : {Qt::Key_Z, Qt::Key_Y, Qt::Key_Z}) {
    Key(key);
    ASSERT_EQ(Views(doc).size(), key == Qt::Key_Z ? 2u : 1u);
  }
  EXPECT_EQ(State(Views(doc)[1]), closed);
  EXPECT_EQ(Caption(Views(doc)[1]), "Camera 2   200%");
  // The zoom recorded before the close reaches the window made again.
  Key(Qt::Key_Z);
  EXPECT_EQ(Views(doc)[1]->GetZoomNumerator().cy, 1);
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
  const auto closed = State(Views(doc)[1]);
  Views(doc)[1]->GetParentFrame()->SendMessage(WM_CLOSE);

  XDocument* read = Reopen(doc, Save(doc));
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(Views(*read).size(), 1u);
  Key(Qt::Key_Z);
  ASSERT_EQ(Views(*read).size(), 2u);
  EXPECT_EQ(State(Views(*read)[1]), closed);
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

TEST_F(SceneWindows, CtrlBEditsTheSelectedObjectInTheActiveCameraWindow) {
  Key(Qt::Key_N);
  edit_object_test::NewObject(Scene(), "Chair");
  QString caption;
  QTimer::singleShot(0, [&] {
    QWidget* sheet = QApplication::activeModalWidget();
    ASSERT_NE(sheet, nullptr);
    caption = sheet->windowTitle();
    for (QPushButton* button : sheet->findChildren<QPushButton*>())
      if (button->text() == "Cancel") QTest::mouseClick(button, Qt::LeftButton);
  });
  Key(Qt::Key_B);
  EXPECT_EQ(caption, "Edit Object");
}

}  // namespace
