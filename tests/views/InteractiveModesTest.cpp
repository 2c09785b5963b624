// The rules of a camera window's press and drag: modes, conditions, records and targets.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "document/DocumentTestSupport.h"
#include "support/FatalCheck.h"
#include "views/CameraDrags.h"
#include "views/DragGeometry.h"
#include "views/DragPreconditions.h"
#include "views/DragRecords.h"
#include "views/InteractiveModes.h"
#include "views/MousePress.h"
#include "views/ObjectDrags.h"
#include "views/PressTargets.h"

namespace document_test {
namespace {

HeldKeys Keys(bool ctrl, bool alt, bool shift, std::initializer_list<int> keys) {
  HeldKeys held;
  held.ctrl = ctrl;
  held.alt = alt;
  held.shift = shift;
  for (int key : keys) held.Press(key);
  return held;
}

TEST(InteractiveModesTest, HeldDigitsOverrideTheModeRecordsOpenOnAChangeOfFamilyAndModesNeedTheirTargets) {
  constexpr int kKeypad5 = 0x65;
  struct Case {
    int appMode;
    HeldKeys keys;
    int expected;
  } cases[] = {
      {0, Keys(true, false, false, {'5'}), 5},   {4, Keys(true, false, false, {'2'}), 4},  // Ctrl+2 keeps
      {0, Keys(false, true, false, {'1'}), 10},  {0, Keys(false, true, false, {'0'}), 19},
      {2, Keys(true, false, false, {'5'}), 2},   {13, Keys(false, true, false, {'1'}), 13},  // kept
      {0, Keys(true, false, true, {'5'}), 0},    {0, Keys(true, false, false, {'5', 'A'}), 0},  // Shift; two
      {0, Keys(true, false, false, {'5', kKeypad5}), 5},  {7, Keys(false, false, false, {'5'}), 7},  // keypad
  };
  for (const Case& c : cases) EXPECT_EQ(EffectiveInteractiveMode(c.appMode, c.keys), c.expected) << c.appMode;

  // Records open only when a drag changes family, and cover the picked group or the selection.
  EXPECT_TRUE(OpensDragRecord(8, -1));
  for (int mode : {9, 14, 15, 16}) EXPECT_FALSE(OpensDragRecord(mode, 8)) << mode;
  EXPECT_TRUE(OpensDragRecord(18, 17));
  EXPECT_FATAL(OpensDragRecord(20, 3), "0", "");
  struct Record {
    int mode;
    bool picked, cylinder;
    int selected, kind;
    UINT description;
    bool pickedAlone;
  } records[] = {
      {6, false, false, 0, 9, 375, false}, {0, false, false, 2, 7, 355, false},  // camera; several objects
      {2, true, true, 1, 7, 373, true},  // the rotate-about cylinder alone
  };
  for (const Record& c : records) {
    const DragRecord r = ChooseDragRecord(c.mode, c.picked, c.cylinder, c.selected);
    EXPECT_EQ(r.kind, c.kind) << c.mode;
    EXPECT_EQ(r.description, c.description) << c.mode;
    EXPECT_EQ(r.pickedAlone, c.pickedAlone) << c.mode;
  }
  EXPECT_FATAL(ChooseDragRecord(3, false, false, 0), "doc->GetSelectedCount()", "Impossible modification of no object");

  // Each mode needs its target and window; constant height needs a sight off the ground.
  DragConditions nothing;  // a perspective Camera window, nothing picked or selected
  nothing.fStop = 8.0;
  // Object modes need a target; camera and lens modes run.
  const bool expectedBare[20] = {0, 0, 0, 0, 0, 1, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1, 0, 1, 1, 1};
  for (int mode = 0; mode < 20; ++mode) EXPECT_EQ(DragModeAccepted(mode, nothing), expectedBare[mode]) << mode;

  DragConditions fixed = nothing;
  fixed.cameraKind = false;
  fixed.selectedCount = 1;
  fixed.trackSceneExtents = true;
  const bool expectedFixed[20] = {1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 1, 1, 1};
  for (int mode = 0; mode < 20; ++mode) EXPECT_EQ(DragModeAccepted(mode, fixed), expectedFixed[mode]) << mode;
  fixed.trackSceneExtents = false;
  EXPECT_TRUE(DragModeAccepted(8, fixed));

  DragConditions towards = nothing;
  towards.picked = true;
  towards.selectedCount = 1;
  EXPECT_TRUE(DragModeAccepted(13, towards));
  towards.pickedIsSelected = true;
  EXPECT_FALSE(DragModeAccepted(13, towards));

  DragConditions lens = nothing;
  lens.autoFocus = lens.autoAperture = true;
  EXPECT_FALSE(DragModeAccepted(17, lens));
  lens = nothing;
  lens.orthographic = true;
  EXPECT_FALSE(DragModeAccepted(18, lens));
  EXPECT_FATAL(DragModeAccepted(-1, lens), "0", "");
  const Transform level(1, 0, 0, 0, 0, 1, 0, 3, 0, 0, 1, 0);
  EXPECT_TRUE(IsSightHorizontal(level));
  EXPECT_FALSE(IsSightHorizontal(Transform(0.1, Vector(1, 0, 0)) * level));
  DragConditions c;
  c.picked = true;
  c.sightHorizontal = true;
  EXPECT_FALSE(DragModeAccepted(11, c));
}

using DragRecordsTest = SceneFixture;

TEST_F(DragRecordsTest, OneRecordPerFamilyAndUndoRestoresTransformsAndScales) {
  Ptr<GroupSO> a = NewGroup(doc, "Chair"), b = NewGroup(doc, "Table");
  doc.AddGroup(a, FALSE, FALSE, 0);
  doc.AddGroup(b, FALSE, FALSE, 0);
  doc.SelectOnly(a, FALSE, 0);
  const Transform before = a->GetTransform();
  const int records = doc.GetHistory().GetCount();
  CView* window = &View();

  // Move (3), then raise (10, same family), then size (0, a new family).
  Vector track(0, 0, 0), center(0, 0, 0);
  SwitchInteractiveModification(doc, window, 3, -1, a);
  MoveSelectionBy(doc.GetSelection(), TranslationBy(Vector(1, 0, 0)), track, center);
  SwitchInteractiveModification(doc, window, 10, 3, a);
  MoveSelectionBy(doc.GetSelection(), TranslationBy(Vector(0, 1, 0)), track, center);
  EXPECT_EQ(doc.GetHistory().GetCount(), records + 1);
  EXPECT_EQ(UndoText(doc), "Move Object Chair");
  SwitchInteractiveModification(doc, window, 0, 10, a);
  SizeGroup(*a, 2.0);
  EXPECT_EQ(UndoText(doc), "Size Object Chair");

  doc.Undo(TRUE);
  EXPECT_EQ(a->scale.x, 1.0);
  EXPECT_EQ(a->GetTransform().t[1], 1.0);
  doc.Undo(TRUE);
  EXPECT_FALSE(a->GetTransform() != before);
  // Rotate Object About pressed on the table turns, and records, the selected chair.
  SwitchInteractiveModification(doc, window, 2, -1, b);
  EXPECT_EQ(UndoText(doc), "Rotate Object Chair");
}

using Steps = std::vector<std::string>;

// Records what the window is told, one word per call.
class RecordingWindow : public MousePressClient {
 public:
  void ArmPressTimer(DWORD) override { ++timers; }
  void StartDrag() override { steps.push_back("drag"); }
  void DragMove(POINT p) override { steps.push_back("move " + std::to_string(p.x) + "," + std::to_string(p.y)); }
  void Clicks(int clicks) override { steps.push_back("clicks " + std::to_string(clicks)); }
  void EndPress(bool released) override { steps.push_back(released ? "end" : "end lost"); }

  Steps steps;
  int timers = 0;
};

// The press as a machine, for the cases the window's real mouse events do not reach.
TEST(MousePressTest, DragsStartLateFarOrByTheTimerAndALostCaptureEndsAnyPress) {
  DWORD now = 1000;
  RecordingWindow window;
  MousePress press{window, {500, 4, 4}, [&] { return now; }};  // double-click time 500 ms, box 4 x 4
  press.Press({0, 0});
  now += 600;
  press.Release({0, 0});
  press.Press({0, 0});
  press.Release({-5, 5});
  press.Press({0, 0});
  press.Timeout();
  press.Press({9, 9});  // a second press during a drag starts nothing
  press.CaptureLost();
  press.Move({50, 50});
  press.Release({50, 50});
  press.Press({0, 0});
  press.Release({0, 0});
  press.CaptureLost();  // a click that waited is lost too
  press.Timeout();
  press.DoubleClick();  // nothing waits for it
  press.CaptureLost();
  EXPECT_EQ(window.steps, Steps({"drag", "end", "drag", "end", "drag", "end lost", "end lost"}));
  EXPECT_EQ(window.timers, 4);
  EXPECT_FALSE(press.IsDown());
}

using PressTargetsTest = SceneFixture;

TEST_F(PressTargetsTest, ADragCentresOnThePickedGroupTheSelectionOrTheScene) {
  Ptr<GroupSO> a = NewGroup(doc, "A", false, 2.0), b = NewGroup(doc, "B", false, 2.0);
  doc.AddGroup(a, FALSE, FALSE, 0);
  doc.AddGroup(b, FALSE, FALSE, 0);
  a->SetTransform(TranslationBy(Vector(4, 0, 0)));
  b->SetTransform(TranslationBy(Vector(0, 0, 6)));
  // Nothing picked or selected: the scene's centre, never an unset value.
  const Vector empty = PressCenter(doc, nullptr, 15, BoundingBox(Vector(-2, 0, 0), Vector(2, 2, 2)));
  EXPECT_EQ(empty.x, 0.0);
  EXPECT_EQ(empty.y, 1.0);
  const Vector picked = PressCenter(doc, a, 3, BoundingBox());
  EXPECT_NEAR(picked.x, 4 + (a->GetBox(nullptr).min.x + a->GetBox(nullptr).max.x) / 2, 1e-12);
  doc.SelectOnly(b, FALSE, 0);
  doc.ToggleSelect(a, FALSE, 0);
  // Two selected: the centre of both world boxes, whatever was picked.
  const Transform wa = a->GetWorldTransform(), wb = b->GetWorldTransform();
  const BoundingBox boxA = a->GetBox(&wa), boxB = b->GetBox(&wb);
  const Vector both = PressCenter(doc, a, 3, BoundingBox());
  EXPECT_NEAR(both.x, (std::min(boxA.min.x, boxB.min.x) + std::max(boxA.max.x, boxB.max.x)) / 2, 1e-12);
  // A click on one of several selected selects it alone; a third click is a program error.
  EXPECT_FALSE(ApplyClicks(doc, 0, 1, b));
  EXPECT_EQ(doc.GetSelectedCount(), 1);
  EXPECT_FATAL(ApplyClicks(doc, 0, 3, a), "clicks > 0 && clicks < 3", "");
}

}  // namespace
}  // namespace document_test
