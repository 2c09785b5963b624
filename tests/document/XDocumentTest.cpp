#include <gtest/gtest.h>

#include <cmath>

#include "core/Globals.h"
#include "core/Preferences.h"
#include "document/DocumentTestSupport.h"
#include "document/UndoData.h"

namespace {

using namespace document_test;
using XDocumentTest = SceneFixture;

using Hints = std::vector<std::string>;

BoundingBox WorldBox(const Ptr<GroupSO>& group) {
  const Transform world = group->GetWorldTransform();
  return group->GetBox(&world);
}

Vector Size(const BoundingBox& b) { return Vector(b.max.x - b.min.x, b.max.y - b.min.y, b.max.z - b.min.z); }

TEST_F(XDocumentTest, ANewSceneHoldsAmbientLightAndSunlight) {
  EXPECT_EQ(doc.GetAmbient()->GetColor().GetCOLORREF(), RGB(64, 64, 64));
  EXPECT_EQ(HeadOf(doc.GetScene()->GetGroups()), doc.GetSunlight());
  ASSERT_EQ(doc.GetSunlight()->GetLights().GetCount(), 1);
  EXPECT_NEAR(doc.GetSunlight()->GetTransform().m[1][1], std::cos(0.78539816339744828), 1e-6);
}

TEST_F(XDocumentTest, SelectionStepsRecordWhatTheyChange) {
  Ptr<GroupSO> a = NewGroup(doc, "A"), b = NewGroup(doc, "B"), child = NewGroup(doc, "Child");
  a->AddGroup(child);
  doc.AddGroup(a, FALSE, FALSE, 0);
  doc.AddGroup(b, FALSE, FALSE, 0);
  // Selecting a parent whose child is selected leaves only the parent, in one step.
  doc.ToggleSelect(child, TRUE, 0);
  doc.ToggleSelect(a, TRUE, 0);
  EXPECT_EQ(UndoText(doc), "Select A");
  EXPECT_EQ(doc.GetSelection().GetCount(), 1);
  doc.Undo(TRUE);
  EXPECT_TRUE(doc.IsSelected(child));
  EXPECT_FALSE(doc.IsSelected(a));
  doc.Redo(TRUE);

  // Select All records the selection as it was: its undo brings back just A.
  View().updates.clear();
  ASSERT_TRUE(doc.OnCmdMsg(33139, CN_COMMAND, nullptr, nullptr));
  EXPECT_EQ(UndoText(doc), "Select All");
  EXPECT_EQ(doc.GetSelectedCount(), 2);
  EXPECT_EQ(View().updates, Hints{"6"});
  const int records = doc.GetHistory().GetCount();
  doc.OnEditSelectAll();
  EXPECT_EQ(doc.GetHistory().GetCount(), records) << "nothing left to select: no step";
  doc.Undo(TRUE);
  EXPECT_EQ(doc.GetSelectedCount(), 1);
  EXPECT_TRUE(doc.IsSelected(a));

  // The auxiliary groups are never selected.
  doc.ToggleSelect(doc.GetSunlight(), TRUE, 0);
  EXPECT_FALSE(doc.IsSelected(doc.GetSunlight()));
}

// A group below the top level and one at the top each leave their own parent and come back to it.
TEST_F(XDocumentTest, DeletedGroupsComeBackUnderTheirParentsWithTheirIdentity) {
  Ptr<GroupSO> a = NewGroup(doc, "A"), b = NewGroup(doc, "B", true), c = NewGroup(doc, "C");
  Ptr<GroupSO> child = NewGroup(doc, "Child");
  a->AddGroup(child);
  for (const Ptr<GroupSO>& g : {a, b, c}) doc.AddGroup(g, FALSE, FALSE, 0);
  const Ptr<PtrMyself> childHandle = child->GetMyself(), bHandle = b->GetMyself();
  doc.ToggleSelect(child, FALSE, 0);
  doc.ToggleSelect(b, FALSE, 0);
  doc.OnEditDelete();
  EXPECT_EQ(UndoText(doc), "Delete Objects");
  EXPECT_EQ(doc.GetScene()->GetGroups().GetCount(), 3);  // sunlight, A, C
  child = nullptr;
  EXPECT_EQ(childHandle->GetTarget(), PtrMyself::Destroyed());

  doc.Undo(TRUE);
  ASSERT_TRUE(GroupOf(childHandle));
  EXPECT_EQ(GroupOf(childHandle)->GetParent(), a);
  const XList<Ptr<GroupSO>>& top = doc.GetScene()->GetGroups();
  EXPECT_EQ(top.GetAt(top.GetTailPosition()), GroupOf(bHandle)) << "a restored group comes last among its siblings";
  EXPECT_EQ(doc.GetSelectedCount(), 2);
}

// Cut and Paste arrive through the document's message map.
TEST_F(XDocumentTest, AddedGroupsAreNamedByWhatTheyHoldAndRebuildEmptyViews) {
  Ptr<GroupSO> lamp = NewGroup(doc, "Lamp", true);
  doc.AddGroup(lamp, TRUE, TRUE, 0);
  EXPECT_EQ(UndoText(doc), "Add Light Lamp");
  doc.AddGroup(NewGroup(doc, "Chair"), TRUE, TRUE, 384);
  // The scene box stays a point (nothing has a mesh), so each paste rebuilds the views first.
  View().updates.clear();
  ASSERT_TRUE(doc.OnCmdMsg(57635, CN_COMMAND, nullptr, nullptr));
  ASSERT_TRUE(doc.OnCmdMsg(57637, CN_COMMAND, nullptr, nullptr));
  ASSERT_TRUE(doc.OnCmdMsg(57637, CN_COMMAND, nullptr, nullptr));
  EXPECT_EQ(UndoText(doc), "Add Object Chair");
  EXPECT_EQ(View().updates, (Hints{"5:list", "0:regenerate", "4:list", "0:regenerate", "4:list"}));
  EXPECT_EQ(doc.GetScene()->GetGroups().GetCount(), 4);  // sunlight, lamp, two chairs
}

TEST_F(XDocumentTest, TheCylinderFitsTheOneSelectedGroupInTheRotateAboutMode) {
  app.mode = kRotateObjectAboutMode;
  Ptr<GroupSO> rod = NewGroup(doc, "Rod", false, 3.0), empty = NewGroup(doc, "Empty");
  rod->SetTransform(Transform(0.5, Vector(0, 0, 1)) * Transform(1, 0, 0, 4, 0, 1, 0, 1, 0, 0, 1, -2));
  doc.AddGroup(rod, TRUE, FALSE, 0);
  ASSERT_TRUE(doc.IsRotObjAboutCylShown());
  // Centred on the group's box, its length (the mesh is 4 long) scaled to the box's diagonal.
  const BoundingBox target = WorldBox(rod), cylinder = WorldBox(doc.GetRotObjAboutCylPtr());
  const Vector centre = cylinder.min + cylinder.max, wanted = target.min + target.max;
  EXPECT_NEAR(centre.x, wanted.x, 1e-9);
  EXPECT_NEAR(centre.y, wanted.y, 1e-9);
  EXPECT_NEAR(centre.z, wanted.z, 1e-9);
  const auto& m = doc.GetRotObjAboutCylPtr()->GetWorldTransform().m;
  EXPECT_NEAR(4.0 * Vector(m[0][0], m[1][0], m[2][0]).Length(), Size(target).Length(), 1e-6);

  // A second selected group hides it; a group without extent leaves its transform as it was.
  doc.AddGroup(empty, FALSE, FALSE, 0);
  doc.ToggleSelect(empty, FALSE, 0);
  EXPECT_FALSE(doc.IsRotObjAboutCylShown());
  const Transform before = doc.GetRotObjAboutCylPtr()->GetTransform();
  doc.SelectOnly(empty, FALSE, 0);
  ASSERT_TRUE(doc.IsRotObjAboutCylShown());
  EXPECT_FALSE(doc.GetRotObjAboutCylPtr()->GetTransform() != before);
}

TEST_F(XDocumentTest, SceneExtentChangesRefitFixedWindowsAndTheGround) {
  auto* front = new RecordingView(1);
  app.views.push_back(front);
  doc.AddView(front);
  XWritePrefBool(1100, 1101, 1);
  XWritePrefBool(652, 672, 1);
  InitGlobals();
  app.showGround = TRUE;
  doc.OnShowGroundChanged();
  // Tracking turned on with an unchanged scene re-fits the fixed-direction window once.
  doc.OnSceneExtentChanged(TRUE);
  doc.OnSceneExtentChanged(TRUE);
  EXPECT_EQ(front->fits, 1);
  EXPECT_EQ(front->fitUpdates, 1);
  EXPECT_EQ(View().fits, 0) << "a free camera window is never re-fitted";

  // A board on edge far away, flat along x: the ground follows it, 0.25 wide on the flat axis.
  Ptr<GroupSO> board = NewGroup(doc, "Board");
  Ptr<MeshSO> flat(new MeshSO);
  flat->box = BoundingBox(Vector(0, -1, -2), Vector(0, 1, 2));
  board->AddVisual(flat);
  board->SetTransform(Transform(1, 0, 0, 10, 0, 1, 0, 0, 0, 0, 1, 3));
  doc.AddGroup(board, FALSE, FALSE, 0);
  EXPECT_EQ(front->fits, 2);
  const BoundingBox ground = WorldBox(doc.GetGroundPtr());
  EXPECT_DOUBLE_EQ(ground.max.x - ground.min.x, 0.25);
  EXPECT_DOUBLE_EQ(ground.max.z - ground.min.z, 4.0);
  EXPECT_DOUBLE_EQ((ground.min.x + ground.max.x) / 2, 10.0);
  EXPECT_DOUBLE_EQ((ground.min.z + ground.max.z) / 2, 3.0);
}

}  // namespace
