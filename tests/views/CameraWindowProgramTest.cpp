// Camera windows in the started program, driven by the keys and the mouse of a user: the
// Front, Top, Left windows; a scene built by dragging an object in, moving it and turning the
// camera, partly undone, saved and opened again; and the rules of importing object files.
#include <QApplication>
#include <QCursor>

#include "core/Globals.h"
#include "document/DocumentTestSupport.h"
#include "platform/framework/WaitCursor.h"
#include "shell/Objects3DView.h"
#include "shell/XMainFrame.h"
#include "support/ScriptedFileDialogs.h"
#include "views/DragGeometry.h"
#include "views/StartedProgram.h"
#include "views/UserInput.h"

namespace {

struct CameraWindowProgram : StartedProgram {
  // A new scene (Ctrl+N) and its camera window.
  X3DView& NewScene() {
    Key(Qt::Key_N);
    return *Views(Scene()).at(0);
  }
  XMainFrame& Frame() { return *dynamic_cast<XMainFrame*>(main); }
  static HCURSOR Shown() {
    const HCURSOR cursor = SetCursor(nullptr);
    SetCursor(cursor);
    return cursor;
  }
  int Groups() { return Scene().GetScene()->GetGroups().GetCount(); }
};

TEST_F(CameraWindowProgram, FrontTopLeftOpensThreeFittedWindowsAndClosesThemAgain) {
  NewScene();
  Key(Qt::Key_R);  // Window/Front, Top, Left
  std::vector<X3DView*> views = Views(Scene());
  ASSERT_EQ(views.size(), 4u);
  std::vector<int> kinds;
  for (X3DView* view : views) kinds.push_back(view->settings.windowKind);
  EXPECT_EQ(kinds, (std::vector<int>{0, 5, 3, 1}));
  EXPECT_EQ(document_test::UndoText(Scene()), "Open Window");
  // Fitted to the empty scene: the preference's view height.
  EXPECT_DOUBLE_EQ(views[3]->settings.height, 1.0);
  Key(Qt::Key_R);
  EXPECT_EQ(OpenFrames(), 1);
}

TEST_F(CameraWindowProgram, ASceneMadeWithTheMouseComesBackFromItsFileAsItWasLeft) {
  X3DView& camera = NewScene();
  XDocument& doc = Scene();
  QWidget* window = camera.GetWidget();
  // Away from a camera window a drop is refused; over one it is taken.
  DragFirstObjectOnto(*Frame().GetObjects3DView(), window, [&] {
    QCursor::setPos(main->GetWidget()->mapToGlobal(QPoint(5, 5)));
    Frame().GetStatusBar().OnIdle();
    EXPECT_EQ(Shown(), Globals::GetModeCursor());
    QCursor::setPos(window->mapToGlobal(window->rect().center()));
    Frame().GetStatusBar().OnIdle();
    EXPECT_EQ(Frame().GetStatusBar().GetPromptId(), 40226u);
    EXPECT_EQ(Shown(), Globals::GetArrowCursor());
  });
  ASSERT_EQ(doc.GetSelectedCount(), 1);
  Ptr<GroupSO> object = doc.GetSelected(0);
  EXPECT_EQ(document_test::UndoText(doc).rfind("Import ", 0), 0u);
  // Placed on the camera's line of sight.
  const Transform world = object->GetWorldTransform();
  const BoundingBox box = object->GetBox(&world);
  const Vector toCentre = (box.min + box.max) * 0.5 - CameraPosition(camera.settings.transform);
  EXPECT_NEAR(Cross(toCentre, ViewDirection(camera.settings.transform)).Length(), 0.0, 1e-9);
  // The window now answers the status bar: the selected object under the pointer (Rotate Object).
  Frame().GetStatusBar().OnIdle();
  EXPECT_EQ(Frame().GetStatusBar().GetPromptId(), 40062u);

  const Transform placed = object->GetTransform();
  const Transform view = camera.settings.transform;
  const std::vector<BYTE> imported = document_test::Snapshot(doc);
  const QPoint centre = window->rect().center();
  Key(Qt::Key_3);  // Move Object
  DragThrough(window, {centre, centre + QPoint(20, 15), centre + QPoint(40, 30)});
  EXPECT_TRUE(object->GetTransform() != placed);
  Key(Qt::Key_5);  // Rotate Camera
  DragThrough(window, {centre, centre + QPoint(-25, 20), centre + QPoint(-50, 40)});
  EXPECT_TRUE(camera.settings.transform != view);

  Key(Qt::Key_Z);
  Key(Qt::Key_Z);
  EXPECT_EQ(document_test::Snapshot(doc), imported);
  XDocument* read = Reopen(doc, Save(doc));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(document_test::Snapshot(*read), imported);
}

TEST_F(CameraWindowProgram, ImportNamesClashesAndRefusesWhatItCannotUse) {
  X3DView& camera = NewScene();
  ScriptedFileDialogs dialogs;
  const std::string objects = TAVROLIN_BINARY_DIR "/Objects/";
  const std::string wall = objects + "Brick wall.ulm";
  camera.ImportFile(wall.c_str());
  EXPECT_EQ(std::string(Scene().GetSelected(0)->GetName()), "Brick wall");
  // The textured object shares its look by name: a second one asks, and Yes renames it.
  boxes.Answer({IDYES, IDCANCEL});
  camera.ImportFile(wall.c_str());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(std::string(Scene().GetSelected(0)->GetName()), "Brick wall 0");
  const int groups = Groups();
  camera.ImportFile(wall.c_str());  // Cancel
  camera.ImportFile("/nowhere/More Objects.ulm");  // the help topic, without loading anything
  EXPECT_EQ(boxes.boxes.size(), 2u);
  boxes.Answer({IDYES});  // gives up looking for the missing file
  camera.ImportFile((objects + "Missing.ulm").c_str());
  EXPECT_NE(boxes.boxes.back().text.find("damaged"), std::string::npos);
  // Under "All files" an extension of no type is refused by name.
  dialogs.PickFilters({8});
  dialogs.Answer({objects + "chair.X"});
  Key(Qt::Key_I);
  EXPECT_NE(boxes.boxes.back().text.find("chair.X"), std::string::npos);
  EXPECT_EQ(Groups(), groups);
}

}  // namespace
