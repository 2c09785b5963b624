// A camera window opens the Edit Object sheet: its Edit/Object... and artistic-properties commands
// are enabled only for one selected group holding a mesh object of its own and open the page each
// names; a right click in an empty scene opens nothing. Its Edit/Lights... opens the scene's
// Edit Lights dialog.
#include <gtest/gtest.h>

#include <QPushButton>

#include "CameraWindowTestSupport.h"
#include "dialogs/EditObjectTestSupport.h"
#include "platform/framework/CmdUI.h"

namespace views_test {
namespace {

using document_test::NewGroup;
using edit_object_test::NewObject;

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

// The page first shown by the sheet that `user` opens, which is then cancelled.
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
  const Ptr<GroupSO> chair = NewObject(doc, "Chair"), table = NewObject(doc, "Table");
  const Ptr<GroupSO> lamp = NewGroup(doc, "Lamp", true), outer = NewGroup(doc, "Outer");
  outer->AddGroup(NewGroup(doc, "Inner", false, 1.0));  // its mesh lies in a child group
  const std::vector<Ptr<GroupSO>> selections[] = {{}, {chair, table}, {lamp}, {outer}, {chair}};
  for (const auto& selected : selections) {
    doc.SelectOnly(Ptr<GroupSO>(), FALSE, 0);
    for (const Ptr<GroupSO>& group : selected) doc.ToggleSelect(group, FALSE, 0);
    const bool editable = selected.size() == 1 && selected[0] == chair;
    EXPECT_EQ(Enabled(view, 33137), editable);
    EXPECT_EQ(Enabled(view, 10302), editable);
  }
  EXPECT_FALSE(view.EditObject(lamp, 0));
  EXPECT_FALSE(view.EditObject(outer, 0));
  EXPECT_EQ(StartPageOf([&] { view.SendMessage(WM_COMMAND, 33137); }), 0);
  EXPECT_EQ(StartPageOf([&] { view.SendMessage(WM_COMMAND, 10302); }), 1);
}

TEST_F(EditObjectCommands, ARightClickInAnEmptySceneSaysWhereObjectsComeFrom) {
  TestCameraView& view = Window(400, 300);
  ScriptedMessageBoxes boxes;
  QTest::mouseClick(view.GetWidget(), Qt::RightButton, {}, {200, 150});
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_NE(boxes.boxes[0].text.find("Drag an object"), std::string::npos);
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
