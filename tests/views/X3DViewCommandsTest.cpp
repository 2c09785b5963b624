// The commands of a camera window: the mode commands and their radio marks, Point Sun Light,
// and the print commands, which stay off.
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

}  // namespace
}  // namespace views_test
