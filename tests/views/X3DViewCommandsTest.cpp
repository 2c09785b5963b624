// The commands of a camera window: the mode commands and their radio marks, Point Sun Light, the
// print commands, which stay off, and the commands that open the scene's sheets and dialogs.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/EditObjectTestSupport.h"
#include "support/ScriptedMessageBoxes.h"
#include "views/CameraWindowTestSupport.h"
#include "views/DragGeometry.h"

namespace views_test {
namespace {

using CameraWindowCommands = CameraWindowFixture;

TEST_F(CameraWindowCommands, ModeCommandsSetTheApplicationsModeAndPrintingStaysOff) {
  TestCameraView& view = Window();
  view.SendMessage(WM_COMMAND, 33127);  // Roll Camera
  EXPECT_EQ(app.XApp::GetInteractiveMode(), 7);
  app.mode = 7;
  EXPECT_EQ(StateOf(view, 33127).checked, 1);
  EXPECT_EQ(StateOf(view, 33128).checked, 0);
  for (UINT print = 57607; print <= 57609; ++print) EXPECT_FALSE(StateOf(view, print).enabled) << print;
}

TEST_F(CameraWindowCommands, TheSunFollowsALevelOrDownwardCameraButNeverOneLookingUp) {
  TestCameraView& view = Window();
  ScriptedMessageBoxes boxes;
  const Transform sunBefore = doc.GetSunlight()->GetTransform();
  view.settings.transform = Transform(-0.01, Vector(1, 0, 0));  // a little upwards
  ASSERT_GT(ViewDirection(view.settings.transform).y, 0.0);
  view.SendMessage(WM_COMMAND, 33131);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_FALSE(doc.GetSunlight()->GetTransform() != sunBefore);

  view.settings.transform = Transform();  // level
  view.settings.transform.t[1] = 2.0;
  view.SendMessage(WM_COMMAND, 33131);
  EXPECT_EQ(boxes.boxes.size(), 1u);
  EXPECT_FALSE(doc.GetSunlight()->GetTransform() != view.settings.transform);
  EXPECT_EQ(document_test::UndoText(doc), "Point Sun Light");
  doc.OnEditUndo();
  EXPECT_FALSE(doc.GetSunlight()->GetTransform() != sunBefore);
}

TEST_F(CameraWindowCommands, SheetCommandsOpenTheirPagesAndTheObjectSheetNeedsOneGroupWithItsOwnMesh) {
  TestCameraView& view = Window();
  using document_test::NewGroup;
  const Ptr<GroupSO> chair = edit_object_test::NewObject(doc, "Chair");
  const Ptr<GroupSO> table = edit_object_test::NewObject(doc, "Table");
  const Ptr<GroupSO> lamp = NewGroup(doc, "Lamp", true), outer = NewGroup(doc, "Outer");
  outer->AddGroup(NewGroup(doc, "Inner", false, 1.0));  // its mesh lies in a child group
  const std::vector<Ptr<GroupSO>> selections[] = {{}, {chair, table}, {lamp}, {outer}, {chair}};
  for (const auto& selected : selections) {
    doc.SelectOnly(Ptr<GroupSO>(), FALSE, 0);
    for (const Ptr<GroupSO>& group : selected) doc.ToggleSelect(group, FALSE, 0);
    const bool editable = selected.size() == 1 && selected[0] == chair;
    EXPECT_EQ(StateOf(view, 33137).enabled, editable);
    EXPECT_EQ(StateOf(view, 10302).enabled, editable);
  }
  EXPECT_FALSE(view.EditObject(lamp, 0));
  EXPECT_FALSE(view.EditObject(outer, 0));

  EXPECT_TRUE(StateOf(view, 10001).enabled);  // Edit/Lights...
  const struct {
    UINT command;
    std::string opened;
  } commands[] = {{33137, "Edit Object 0"}, {10302, "Edit Object 1"}, {33120, "Edit Camera 0"},
                  {2103, "Edit Camera 2"},  {2104, "Edit Camera 1"},  {10001, "Edit Lights -1"}};
  for (const auto& c : commands) {
    const OpenedDialog shown = CancelDialogOpenedBy([&] { view.SendMessage(WM_COMMAND, c.command); });
    EXPECT_EQ(shown.title + " " + std::to_string(shown.page), c.opened) << c.command;
  }
}

}  // namespace
}  // namespace views_test
