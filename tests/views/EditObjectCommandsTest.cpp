// A camera window opens the Edit Object sheet: its Edit/Object... and artistic-properties commands
// are enabled only for one selected group holding a mesh object of its own and open the page each
// names; a right click edits the object under the cursor. Its Edit/Lights... opens the scene's
// Edit Lights dialog.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabBar>

#include "CameraWindowTestSupport.h"
#include "dialogs/EditObjectTestSupport.h"
#include "platform/framework/CmdUI.h"
#include "views/DragGeometry.h"

namespace views_test {
namespace {

using document_test::NewGroup;

struct MenuState : CCmdUI {
  void Enable(BOOL on) override { enabled = on; }
  BOOL enabled = TRUE;
};

bool Enabled(X3DView& view, UINT id) {
  MenuState state;
  state.m_nID = id;
  state.DoUpdate(&view, FALSE);
  return state.enabled;
}

// The page the sheet opened by `user` shows first.
int StartPageOf(const std::function<void()>& user) {
  int page = -1;
  RunModal(
      [&] {
        user();
        return 0;
      },
      [&](QDialog* window) {
        page = window->findChild<QTabBar*>()->currentIndex();
        for (QPushButton* button : window->findChildren<QPushButton*>())
          if (button->text() == "Cancel") QTest::mouseClick(button, Qt::LeftButton);
      });
  return page;
}

using EditObjectCommands = CameraWindowFixture;

TEST_F(EditObjectCommands, OnlyOneSelectedGroupWithItsOwnMeshObjectOpensTheSheet) {
  TestCameraView& view = Window();
  const Ptr<GroupSO> chair = edit_object_test::NewObject(doc, "Chair");
  const Ptr<GroupSO> table = edit_object_test::NewObject(doc, "Table");
  const Ptr<GroupSO> lamp = NewGroup(doc, "Lamp", true);
  const Ptr<GroupSO> outer = NewGroup(doc, "Outer");  // its mesh lies in a child group
  outer->AddGroup(NewGroup(doc, "Inner", false, 1.0));
  doc.AddGroup(lamp, FALSE, FALSE, 0);
  doc.AddGroup(outer, FALSE, FALSE, 0);
  struct Case {
    const char* what;
    std::vector<Ptr<GroupSO>> selected;
    bool enabled;
  };
  const Case cases[] = {
      {"nothing selected", {}, false},
      {"two objects", {chair, table}, false},
      {"a light", {lamp}, false},
      {"a mesh only in a child group", {outer}, false},
      {"one object", {chair}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    doc.SelectOnly(Ptr<GroupSO>(), FALSE, 0);
    for (const Ptr<GroupSO>& group : c.selected) doc.ToggleSelect(group, FALSE, 0);
    EXPECT_EQ(Enabled(view, 33137), c.enabled);
    EXPECT_EQ(Enabled(view, 10302), c.enabled);
    if (c.selected.size() == 1 && !c.enabled) {
      EXPECT_FALSE(view.EditObject(c.selected.front(), 0));  // a right click on it opens nothing
    }
  }
  EXPECT_EQ(StartPageOf([&] { view.SendMessage(WM_COMMAND, 33137); }), 0);
  EXPECT_EQ(StartPageOf([&] { view.SendMessage(WM_COMMAND, 10302); }), 1);
}

TEST_F(EditObjectCommands, ARightClickEditsTheObjectUnderTheCursorAndKeepsTheSelection) {
  TestCameraView& view = Window(400, 300);
  const auto rightClick = [&](QPoint at) { QTest::mouseClick(view.GetWidget(), Qt::RightButton, {}, at); };
  ScriptedMessageBoxes boxes;
  rightClick({200, 150});
  ASSERT_EQ(boxes.boxes.size(), 1u);  // an empty scene: where objects come from
  EXPECT_NE(boxes.boxes[0].text.find("Drag an object"), std::string::npos);

  const Ptr<GroupSO> chair = edit_object_test::NewObject(doc, "Chair");
  const Transform& camera = view.settings.transform;
  const Vector ahead = CameraPosition(camera) + ViewDirection(camera) * 4.0;
  Transform place;
  place.t[0] = ahead.x, place.t[1] = ahead.y, place.t[2] = ahead.z;
  chair->SetTransform(place);
  doc.SelectOnly(Ptr<GroupSO>(), FALSE, 0);
  EXPECT_EQ(StartPageOf([&] { rightClick({200, 150}); }), 0);
  EXPECT_EQ(doc.GetSelectedCount(), 0);
  rightClick({3, 3});  // beside the object: nothing opens
  EXPECT_EQ(boxes.boxes.size(), 1u);
}

}  // namespace
TEST_F(EditObjectCommands, EditLightsOpensTheDialogOfTheWindowsScene) {
  TestCameraView& view = Window();
  EXPECT_TRUE(Enabled(view, 10001));
  QString title;
  RunModal(
      [&] {
        view.SendMessage(WM_COMMAND, 10001);
        return 0;
      },
      [&](QDialog* window) {
        title = window->windowTitle();
        for (QPushButton* button : window->findChildren<QPushButton*>())
          if (button->text() == "Cancel") QTest::mouseClick(button, Qt::LeftButton);
      });
  EXPECT_EQ(title.toStdString(), "Edit Lights");
}

}  // namespace views_test
