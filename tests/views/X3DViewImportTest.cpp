// Objects reach a camera window's scene from the 3D Objects window by a drag of the mouse, or
// from an object file: placed on the window's line of sight, named without clashes, added as one
// undoable step; files that cannot be used add nothing.
#include <QApplication>
#include <QCursor>
#include <QListWidget>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTest>

#include "core/Globals.h"
#include "document/XDocument.h"
#include "platform/framework/WaitCursor.h"
#include "platform/win/Cursors.h"
#include "shell/Objects3DView.h"
#include "shell/XFrameWnd.h"
#include "shell/XMainFrame.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessageBoxes.h"
#include "views/CameraWindowTestSupport.h"
#include "views/DragGeometry.h"

namespace views_test {
namespace {

// Notes the help command an import of "More Objects" sends.
class RecordingMainFrame : public XMainFrame {
 public:
  void OnMoreObjects() { ++moreObjects; }
  int moreObjects = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RecordingMainFrame, XMainFrame)
  ON_COMMAND(33017, OnMoreObjects)
END_MESSAGE_MAP()

const std::string kObjects = TAVROLIN_BINARY_DIR "/Objects/";

struct CameraWindowInFrame : document_test::SceneFixture {
  CameraWindowInFrame() {
    EXPECT_EQ(DirectDrawCreate(nullptr, &app.lpDD, nullptr), DD_OK);
    app.programPath = TAVROLIN_BINARY_DIR "/bin/tavrolin";
    InitGlobals();
    frame = new RecordingMainFrame;
    EXPECT_TRUE(frame->LoadFrame(12));
    app.m_pMainWnd = frame;
    frame->MoveWindow(0, 0, 1000, 700);
    frame->ShowWindow(SW_SHOW);
    // The scene's windows are the frame's alone.
    doc.RemoveView(&View());
    child = new XFrameWnd;
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(X3DView);
    context.m_pCurrentDoc = &doc;
    EXPECT_TRUE(child->LoadFrame(14, WS_OVERLAPPEDWINDOW, frame, &context));
    child->InitialUpdateFrame(&doc, TRUE);
    child->MoveWindow(450, 10, 400, 300);
    QApplication::processEvents();
    camera = dynamic_cast<X3DView*>(child->GetDlgItem(AFX_IDW_PANE_FIRST));
  }
  ~CameraWindowInFrame() override {
    frame->DestroyWindow();
    app.m_pMainWnd = nullptr;
  }
  int Groups() { return doc.GetScene()->GetGroups().GetCount(); }
  HCURSOR Shown() {
    const HCURSOR cursor = SetCursor(nullptr);
    SetCursor(cursor);
    return cursor;
  }

  QtTestApplication qt;
  RecordingMainFrame* frame = nullptr;
  XFrameWnd* child = nullptr;
  X3DView* camera = nullptr;
};

TEST_F(CameraWindowInFrame, AnObjectDraggedFromTheObjectsWindowLandsOnTheLineOfSight) {
  ASSERT_NE(camera, nullptr);
  Objects3DView* objects = frame->GetObjects3DView();
  objects->GetParentFrame()->MoveWindow(10, 10, 400, 300);
  frame->MDIActivate(objects->GetParentFrame());
  QApplication::processEvents();
  const int before = Groups();

  QWidget* list = qobject_cast<QListWidget*>(objects->GetWidget())->viewport();
  RECT icon{};
  ASSERT_TRUE(objects->GetListCtrl().GetItemRect(0, &icon, LVIR_ICON));
  const QPoint press(icon.left + 5, icon.top + 5);
  QTest::mousePress(list, Qt::LeftButton, {}, press);
  const QPoint moved = press + QPoint(1, 1) * (QApplication::styleHints()->startDragDistance() + 5);
  QMouseEvent move(QEvent::MouseMove, QPointF(moved), list->mapToGlobal(QPointF(moved)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list, &move);
  // Away from a camera window a drop is refused; over one it is taken.
  QCursor::setPos(frame->GetWidget()->mapToGlobal(QPoint(900, 650)));
  frame->GetStatusBar().OnIdle();
  EXPECT_EQ(Shown(), Globals::GetModeCursor());
  QWidget* target = camera->GetWidget();
  const QPoint over = target->mapToGlobal(target->rect().center());
  QCursor::setPos(over);
  frame->GetStatusBar().OnIdle();
  EXPECT_EQ(frame->GetStatusBar().GetPromptId(), 40226u);
  EXPECT_EQ(Shown(), Globals::GetArrowCursor());
  QTest::mouseRelease(objects->GetWidget(), Qt::LeftButton, {}, objects->GetWidget()->mapFromGlobal(over));
  QApplication::processEvents();

  ASSERT_EQ(Groups(), before + 1);
  EXPECT_EQ(frame->MDIGetActive(), child);
  ASSERT_EQ(doc.GetSelectedCount(), 1);
  Ptr<GroupSO> group = doc.GetSelected(0);
  const auto* first = reinterpret_cast<Objects3DView::ObjectRecord*>(objects->GetListCtrl().GetItemData(0));
  EXPECT_EQ(document_test::UndoText(doc), "Import " + std::string(first->label));
  // The object's centre lies on the camera's line of sight, where the object fills the window.
  const Transform world = group->GetWorldTransform();
  const BoundingBox box = group->GetBox(&world);
  const Vector centre = (box.min + box.max) * 0.5, eye = CameraPosition(camera->settings.transform);
  const Vector toCentre = centre - eye;
  EXPECT_NEAR(Cross(toCentre, ViewDirection(camera->settings.transform)).Length(), 0.0, 1e-9);
  EXPECT_GE(toCentre.Length(), camera->settings.front);
  // The status bar now asks the window: the selected object is under the pointer (Size Object).
  frame->GetStatusBar().OnIdle();
  EXPECT_EQ(frame->GetStatusBar().GetPromptId(), 40182u);

  doc.OnEditUndo();
  EXPECT_EQ(Groups(), before);
}

TEST_F(CameraWindowInFrame, ImportNamesClashesAndRefusesWhatItCannotUse) {
  ASSERT_NE(camera, nullptr);
  ScriptedMessageBoxes boxes;
  ScriptedFileDialogs dialogs;
  const int before = Groups();
  const std::string wall = kObjects + "Brick wall.ulm";
  camera->ImportFile(wall.c_str());
  ASSERT_EQ(Groups(), before + 1);
  EXPECT_EQ(std::string(doc.GetSelected(0)->GetName()), "Brick wall");
  // The textured object shares its look by name: a second one asks, and Yes renames it.
  boxes.Answer({IDYES, IDCANCEL});
  camera->ImportFile(wall.c_str());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(std::string(doc.GetSelected(0)->GetName()), "Brick wall 0");
  camera->ImportFile(wall.c_str());  // Cancel
  EXPECT_EQ(Groups(), before + 2);

  camera->ImportFile("/nowhere/More Objects.ulm");
  QApplication::processEvents();
  EXPECT_EQ(frame->moreObjects, 1);
  boxes.Answer({IDYES});  // gives up looking for the missing file
  camera->ImportFile((kObjects + "Missing.ulm").c_str());
  EXPECT_EQ(Groups(), before + 2);
  EXPECT_NE(boxes.boxes.back().text.find("damaged"), std::string::npos);

  // Under "All files" an extension of no type is refused by name.
  dialogs.PickFilters({8});
  dialogs.Answer({kObjects + "chair.X"});
  camera->SendMessage(WM_COMMAND, 33012);
  EXPECT_NE(boxes.boxes.back().text.find("chair.X"), std::string::npos);
  EXPECT_EQ(Groups(), before + 2);
}

}  // namespace
}  // namespace views_test
