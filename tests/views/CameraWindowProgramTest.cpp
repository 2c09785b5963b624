// Camera windows in the started program, driven by the keys and the mouse of a user: the
// Front, Top, Left windows, and a scene built by dragging an object in, moving it and turning the
// camera, partly undone, saved and opened again.
#include <QApplication>

#include "document/DocumentTestSupport.h"
#include "shell/Objects3DView.h"
#include "shell/XMainFrame.h"
#include "views/StartedProgram.h"
#include "views/UserInput.h"

namespace {

using CameraWindowProgram = StartedProgram;

TEST_F(CameraWindowProgram, FrontTopLeftOpensThreeFittedWindowsAndClosesThemAgain) {
  Key(Qt::Key_N);
  XDocument& doc = Scene();
  Key(Qt::Key_R);  // Window/Front, Top, Left
  std::vector<X3DView*> views = Views(doc);
  ASSERT_EQ(views.size(), 4u);
  std::vector<int> kinds;
  for (X3DView* view : views) kinds.push_back(view->settings.windowKind);
  EXPECT_EQ(kinds, (std::vector<int>{0, 5, 3, 1}));
  EXPECT_EQ(document_test::UndoText(doc), "Open Window");
  // Fitted to the empty scene: the preference's view height.
  EXPECT_DOUBLE_EQ(views[3]->settings.height, 1.0);
  Key(Qt::Key_R);
  EXPECT_EQ(OpenFrames(), 1);
}

TEST_F(CameraWindowProgram, ASceneMadeWithTheMouseComesBackFromItsFileAsItWasLeft) {
  Key(Qt::Key_N);
  XDocument& doc = Scene();
  X3DView& camera = *Views(doc).at(0);
  auto* frame = dynamic_cast<XMainFrame*>(main);
  ASSERT_NE(frame->GetObjects3DView(), nullptr);
  DragFirstObjectOnto(*frame->GetObjects3DView(), camera.GetWidget());
  ASSERT_EQ(doc.GetSelectedCount(), 1);
  Ptr<GroupSO> object = doc.GetSelected(0);
  const Transform placed = object->GetTransform();
  const Transform view = camera.settings.transform;
  const std::vector<BYTE> imported = document_test::Snapshot(doc);

  QWidget* window = camera.GetWidget();
  const QPoint centre = window->rect().center();
  Key(Qt::Key_3);  // Move Object
  DragThrough(window, {centre, centre + QPoint(20, 15), centre + QPoint(40, 30)});
  EXPECT_TRUE(object->GetTransform() != placed);
  Key(Qt::Key_5);  // Rotate Camera
  DragThrough(window, {centre, centre + QPoint(-25, 20), centre + QPoint(-50, 40)});
  EXPECT_TRUE(camera.settings.transform != view);

  Key(Qt::Key_Z);
  Key(Qt::Key_Z);
  EXPECT_FALSE(object->GetTransform() != placed);
  EXPECT_FALSE(camera.settings.transform != view);
  EXPECT_EQ(document_test::Snapshot(doc), imported);

  XDocument* read = Reopen(doc, Save(doc));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(document_test::Snapshot(*read), imported);
}

}  // namespace
