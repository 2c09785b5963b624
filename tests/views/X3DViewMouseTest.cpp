// The mouse in a camera window, driven by the events a user causes.
#include <QApplication>
#include <QTest>

#include "core/Globals.h"
#include "platform/win/Cursors.h"
#include "platform/win/TickCount.h"
#include "scene/MeshSO.h"
#include "support/PlatformFakes.h"
#include "support/ScriptedMessageBoxes.h"
#include "views/CameraDrags.h"
#include "views/CameraWindowTestSupport.h"
#include "views/DragGeometry.h"

namespace views_test {
namespace {

// Notes the Edit/Object... commands a double click sends and the right presses passed on.
class RecordingCameraView : public TestCameraView {
 public:
  void OnEditObject() { ++editObject; }
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    rightPressesPassedOn += message == WM_RBUTTONDOWN;
    return TestCameraView::DefWindowProc(message, wParam, lParam);
  }
  int editObject = 0;
  int rightPressesPassedOn = 0;
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(RecordingCameraView, TestCameraView)
  ON_COMMAND(33137, OnEditObject)
END_MESSAGE_MAP()

constexpr QPoint kCentre(200, 150);
constexpr QPoint kCorner(5, 5);

struct CameraWindowMouse : CameraWindowFixture {
  CameraWindowMouse() : previousClock(SetTickSource([this] { return now; })) {
    InitGlobals();
    view = std::make_unique<RecordingCameraView>();
    doc.AddView(view.get());
    Window();
  }
  ~CameraWindowMouse() override { SetTickSource(previousClock); }

  RecordingCameraView& View() { return static_cast<RecordingCameraView&>(*view); }
  // A small box one metre along the camera's line of sight: under the window's centre.
  Ptr<GroupSO> AddObject() {
    Ptr<MeshSO> mesh(new MeshSO(8, 0.05, 0.1, 0xFF0000FF));
    mesh->SetName("Box");
    Ptr<GroupSO> group(new GroupSO);
    group->AddVisual(mesh);
    const Transform& camera = view->settings.transform;
    group->SetTransform(TranslationBy(CameraPosition(camera) + ViewDirection(camera) * 1.0));
    doc.AddGroup(group, FALSE, FALSE, 0);
    return group;
  }
  void Send(QEvent::Type type, QPoint at, Qt::MouseButtons held, Qt::KeyboardModifiers keys = {}) {
    SendMouse(view->GetWidget(), type, at, held, keys);
  }
  void Press(QPoint at, Qt::KeyboardModifiers keys = {}) { Send(QEvent::MouseButtonPress, at, Qt::LeftButton, keys); }
  void Move(QPoint at) { Send(QEvent::MouseMove, at, view->IsMouseDown() ? Qt::LeftButton : Qt::NoButton); }
  void Release(QPoint at) { Send(QEvent::MouseButtonRelease, at, Qt::NoButton); }
  // A click is settled once the double-click time has passed and the pointer moves.
  void Click(QPoint at, Qt::KeyboardModifiers keys = {}) {
    Press(at, keys);
    Release(at);
    now += 600;
    Move(at);
  }
  void DoubleClick(QPoint at, Qt::KeyboardModifiers keys = {}) {
    Press(at, keys);
    Release(at);
    now += 100;
    Send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, keys);
    Release(at);
    QApplication::processEvents();
  }
  std::vector<GroupSO*> Selection() {
    std::vector<GroupSO*> groups;
    for (int i = 0; i < doc.GetSelectedCount(); ++i) groups.push_back(doc.GetSelected(i));
    return groups;
  }
  bool PickedAt(QPoint at, GroupSO* group) {
    CountedClientDC dc(view.get());
    XDPoint point(at.x(), at.y());
    dc.DPtoLP(point);
    const PickRecord pick = view->Pick(point);
    return pick.picked && pick.group == group;
  }

  ScopedSystemInfo info;  // double-click time 500 ms, drag box 4 x 4, screen 1024 x 768
  ScriptedMessageBoxes boxes;
  DWORD now = 0xFFFFFE00u;  // the clock wraps during the tests
  TickSource previousClock;
};

TEST_F(CameraWindowMouse, ClicksSelectADoubleClickAsksForTheSheetAndAPressHoldsTheDocument) {
  Ptr<GroupSO> box = AddObject();
  ASSERT_TRUE(PickedAt(kCentre, box));
  Click(kCentre + QPoint(3, 3));  // moved, but within the drag box and the time: a click
  EXPECT_EQ(Selection(), std::vector<GroupSO*>{box});
  Click(kCorner);
  EXPECT_TRUE(Selection().empty());

  DoubleClick(kCentre);
  EXPECT_EQ(Selection(), std::vector<GroupSO*>{box});
  EXPECT_EQ(View().editObject, 1);
  // With Shift the double click toggles the selection once and opens nothing.
  DoubleClick(kCentre, Qt::ShiftModifier);
  EXPECT_TRUE(Selection().empty());
  EXPECT_EQ(View().editObject, 1);
  EXPECT_FALSE(view->IsMouseDown());

  // During a press the document cannot change, and a lost capture ends the press quietly.
  doc.SelectOnly(box, FALSE, 0);
  Press(kCorner);
  const int groups = doc.GetScene()->GetGroups().GetCount();
  view->SendMessage(WM_COMMAND, 57632);  // Delete
  EXPECT_EQ(doc.GetScene()->GetGroups().GetCount(), groups);
  ReleaseCapture();
  EXPECT_FALSE(view->IsMouseDown());
  Release(kCorner);
  now += 600;
  Move(kCorner);
  // No click came of it: the selection stays.
  EXPECT_EQ(Selection(), std::vector<GroupSO*>{box});
}

TEST_F(CameraWindowMouse, ADragNeedsBothDistancesOrTheTimeAndIsOneUndoableStep) {
  Ptr<GroupSO> box = AddObject();
  app.mode = 3;  // Move Object
  const Transform before = box->GetTransform();
  Press(kCentre);
  Move(kCentre + QPoint(30, 0));  // across only: still deciding
  EXPECT_FALSE(box->GetTransform() != before);
  Move(kCentre + QPoint(30, 20));
  EXPECT_TRUE(box->GetTransform() != before);
  EXPECT_EQ(Selection(), std::vector<GroupSO*>{box});  // the dragged object became the selection
  Move(kCentre + QPoint(60, 40));
  Release(kCentre + QPoint(60, 40));
  // The grabbed point stayed under the pointer.
  EXPECT_TRUE(PickedAt(kCentre + QPoint(60, 40), box));
  EXPECT_EQ(document_test::UndoText(doc), "Move Object Box");
  doc.OnEditUndo();
  EXPECT_FALSE(box->GetTransform() != before);
}

TEST_F(CameraWindowMouse, AnEmptySceneSaysWhatToDoARightPressOpensTheSheetAndACameraDragRerendersOthers) {
  Press(kCentre);
  QTest::mouseClick(view->GetWidget(), Qt::RightButton, {}, kCentre);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  for (const auto& box : boxes.boxes)
    EXPECT_NE(box.text.find("Drag an object from the 3D Objects window"), std::string::npos);
  EXPECT_FALSE(view->IsMouseDown());

  AddObject();
  const OpenedDialog sheet =
      CancelDialogOpenedBy([&] { QTest::mousePress(view->GetWidget(), Qt::RightButton, {}, kCentre); });
  EXPECT_NE(std::find(sheet.fields.begin(), sheet.fields.end(), "Box"), sheet.fields.end());
  EXPECT_TRUE(Selection().empty());  // the sheet opens on the object, the selection stays
  EXPECT_EQ(View().rightPressesPassedOn, 1);  // only the one in the empty scene
  QTest::mouseClick(view->GetWidget(), Qt::RightButton, {}, kCorner);  // empty space: nothing at all
  EXPECT_EQ(View().rightPressesPassedOn, 1);

  TestCameraView other;
  doc.AddView(&other);
  ASSERT_TRUE(other.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {500, 0, 700, 150}, parent.get(), 2));
  app.mode = 5;  // Rotate Camera
  const Transform before = view->settings.transform;
  Press(kCentre);
  Move(kCentre + QPoint(40, 30));
  EXPECT_TRUE(view->settings.transform != before);
  EXPECT_TRUE(other.image2);
  EXPECT_FALSE(other.needsRender);
  Release(kCentre + QPoint(40, 30));
  EXPECT_EQ(document_test::UndoText(doc), "Rotate Camera");
  other.DestroyWindow();
  doc.RemoveView(&other);
  view->settings.windowKind = 1;  // a Front window cannot rotate its camera: the cursor refuses
  view->UpdateStatusPrompt(-1);
  EXPECT_EQ(DescribeCursor(ShownCursor()).id, 104u);
}

// During a camera drag another window is drawn again only where it can be seen; one wholly
// covered by a window above it gives up its surfaces until it is painted.
TEST_F(CameraWindowMouse, ACameraDragRedrawsTheWindowsInSightAndACoveredOneGivesUpItsSurfaces) {
  AddObject();
  TestCameraView shown, covered;
  CWnd above;
  for (TestCameraView* other : {&shown, &covered}) doc.AddView(other);
  ASSERT_TRUE(shown.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {500, 0, 700, 150}, parent.get(), 2));
  ASSERT_TRUE(covered.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, {500, 200, 700, 350}, parent.get(), 3));
  ASSERT_TRUE(above.Create("Above", WS_CHILD | WS_VISIBLE, {480, 180, 720, 370}, parent.get()));
  for (TestCameraView* other : {&shown, &covered}) other->RenderImage(nullptr, TRUE, nullptr, nullptr);
  ASSERT_TRUE(covered.image);

  app.mode = 5;  // Rotate Camera
  Press(kCentre);
  Move(kCentre + QPoint(40, 30));
  EXPECT_TRUE(shown.image2);
  EXPECT_FALSE(shown.needsRender);
  EXPECT_FALSE(covered.image);
  EXPECT_FALSE(covered.image2);
  EXPECT_TRUE(covered.needsRender);
  Release(kCentre + QPoint(40, 30));

  // Uncovered, it draws again at the next move.
  above.ShowWindow(SW_HIDE);
  Press(kCentre);
  Move(kCentre + QPoint(-40, -30));
  EXPECT_TRUE(covered.image2);
  EXPECT_FALSE(covered.needsRender);
  Release(kCentre + QPoint(-40, -30));
  above.DestroyWindow();
  for (TestCameraView* other : {&shown, &covered}) {
    other->DestroyWindow();
    doc.RemoveView(other);
  }
}

}  // namespace
}  // namespace views_test
