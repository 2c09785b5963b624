// The commands of a camera window: the mode commands and their radio marks, Point Sun Light,
// Auto Focus Object, fitting the scene into a fixed-direction window, and the print commands,
// which stay off.
#include <cmath>
#include <utility>

#include "document/XDocument.h"
#include "platform/framework/CmdUI.h"
#include "support/ScriptedMessageBoxes.h"
#include "views/CameraWindowTestSupport.h"
#include "views/DragGeometry.h"

namespace views_test {
namespace {

struct StateProbe : CCmdUI {
  void Enable(BOOL on) override { enabled = on; }
  void SetCheck(int check) override { checked = check; }
  void SetRadio(BOOL on) override { checked = on; }
  BOOL enabled = TRUE;
  int checked = -1;
};

// What the window's update handler makes of command `id`: enabled, and the check mark.
std::pair<BOOL, int> Probe(X3DView& view, UINT id) {
  StateProbe probe;
  probe.m_nID = id;
  view.OnCmdMsg(id, CN_UPDATE_COMMAND_UI, &probe, nullptr);
  return {probe.enabled, probe.checked};
}

using CameraWindowCommands = CameraWindowFixture;

TEST_F(CameraWindowCommands, ModeCommandsSetTheApplicationsModeAndPrintingStaysOff) {
  TestCameraView& view = Window();
  view.SendMessage(WM_COMMAND, 33127);  // Roll Camera
  EXPECT_EQ(app.XApp::GetInteractiveMode(), 7);
  app.mode = 7;
  EXPECT_EQ(Probe(view, 33127).second, 1);
  EXPECT_EQ(Probe(view, 33128).second, 0);
  for (UINT print = 57607; print <= 57609; ++print) EXPECT_FALSE(Probe(view, print).first) << print;
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

TEST_F(CameraWindowCommands, AutoFocusTogglesWithoutARecordAndAFrontWindowFitsTheBox) {
  TestCameraView& view = Window(400, 200);
  const bool was = view.settings.autoFocusSelected;
  view.SendMessage(WM_COMMAND, 33086);
  EXPECT_NE(view.settings.autoFocusSelected != FALSE, was);
  EXPECT_EQ(Probe(view, 33086).second, view.settings.autoFocusSelected);
  EXPECT_EQ(doc.GetHistory().GetCount(), 0);

  view.settings.windowKind = 1;
  view.settings.transform = Transform();
  view.ShowEntireScene(BoundingBox(Vector(-2, 0, 0), Vector(2, 1, 0)));
  EXPECT_DOUBLE_EQ(view.settings.height, 4.0);
  // The camera looks at the box's centre from in front, keeping its direction.
  EXPECT_DOUBLE_EQ(view.settings.transform.t[0], 0.0);
  EXPECT_DOUBLE_EQ(view.settings.transform.t[1], 0.5);
  EXPECT_LT(view.settings.transform.t[2], -view.settings.front);
}

}  // namespace
}  // namespace views_test
