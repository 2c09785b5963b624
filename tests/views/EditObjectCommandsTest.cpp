// A camera window's Edit/Object... and artistic-properties commands: enabled only for one selected
// group holding a mesh object of its own, and opening the sheet on the page each names. Its
// Edit/Lights... opens the scene's Edit Lights dialog.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTabBar>

#include "CameraWindowTestSupport.h"
#include "dialogs/EditObjectTestSupport.h"
#include "platform/framework/CmdUI.h"

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

// The page the sheet opened by `command` shows first.
int StartPageOf(X3DView& view, UINT command) {
  int page = -1;
  RunModal(
      [&] {
        view.SendMessage(WM_COMMAND, command);
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
  EXPECT_EQ(StartPageOf(view, 33137), 0);
  EXPECT_EQ(StartPageOf(view, 10302), 1);
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
