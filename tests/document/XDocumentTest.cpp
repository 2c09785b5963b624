#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/Globals.h"
#include "core/Preferences.h"
#include "document/DocumentTestSupport.h"
#include "document/HistoryTestSupport.h"
#include "support/FatalCheck.h"

namespace {

using document_test::DocumentTestApp;
using document_test::NewGroup;
using document_test::SceneFixture;
using document_test::UndoText;

using Hints = std::vector<std::string>;

BoundingBox WorldBox(const Ptr<GroupSO>& group) {
  const Transform world = group->GetWorldTransform();
  return group->GetBox(&world);
}

TEST(XDocumentNewSceneTest, HoldsAmbientLightSunlightAndTheGround) {
  DocumentTestApp app;
  app.showGround = TRUE;
  XDocument doc;
  doc.m_bAutoDelete = FALSE;
  ASSERT_TRUE(doc.OnNewDocument());
  const GroupSO& scene = *doc.GetScene();
  ASSERT_EQ(scene.GetLights().GetCount(), 1);
  EXPECT_EQ(doc.GetAmbient()->GetType(), D3DRMLIGHT_AMBIENT);
  EXPECT_EQ(doc.GetAmbient()->GetColor().GetCOLORREF(), RGB(64, 64, 64));
  ASSERT_EQ(scene.GetGroups().GetCount(), 2);
  EXPECT_EQ(scene.GetGroups().GetAt(scene.GetGroups().GetHeadPosition()), doc.GetSunlight());
  ASSERT_EQ(doc.GetSunlight()->GetLights().GetCount(), 1);
  EXPECT_NEAR(doc.GetSunlight()->GetTransform().m[1][1], std::cos(0.78539816339744828), 1e-6);
  EXPECT_TRUE(doc.HasGround());
  EXPECT_EQ(doc.GetSelectedCount(), 0);
  EXPECT_EQ(doc.GetHistory().GetCount(), 0);
  EXPECT_EQ(app.views.size(), 1u);
  // An empty scene gets a ground of 0.25 by 0.25 centred at the origin.
  const BoundingBox ground = WorldBox(doc.GetGroundPtr());
  EXPECT_DOUBLE_EQ(ground.min.x, -0.125);
  EXPECT_DOUBLE_EQ(ground.max.z, 0.125);
}

TEST_F(SceneFixture, SelectionStepsRecordWhatTheyChange) {
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
  doc.OnEditSelectAll();
  EXPECT_EQ(UndoText(doc), "Select All");
  EXPECT_EQ(doc.GetSelectedCount(), 2);
  EXPECT_EQ(View().updates, Hints{"6"});
  const int records = doc.GetHistory().GetCount();
  doc.OnEditSelectAll();
  EXPECT_EQ(doc.GetHistory().GetCount(), records) << "nothing left to select: no step";
  doc.Undo(TRUE);
  EXPECT_EQ(doc.GetSelectedCount(), 1);
  EXPECT_TRUE(doc.IsSelected(a));

  // Select None with one group selected is that group's deselection; SelectOnly on the only
  // selected group does nothing.
  doc.OnEditSelectNone();
  EXPECT_EQ(UndoText(doc), "Deselect A");
  doc.SelectOnly(b, TRUE, 0);
  EXPECT_EQ(UndoText(doc), "Select B");
  View().updates.clear();
  doc.SelectOnly(b, TRUE, 0);
  EXPECT_EQ(UndoText(doc), "Select B");
  EXPECT_TRUE(View().updates.empty());
  // The auxiliary groups are never selected; the root is a fatal check.
  doc.ToggleSelect(doc.GetSunlight(), TRUE, 0);
  EXPECT_FALSE(doc.IsSelected(doc.GetSunlight()));
  EXPECT_FATAL(doc.ToggleSelect(doc.GetScene(), TRUE, 0), "group != scene", "Illegal to select \"scene\"");
}

// The Edit commands arrive through the document's message map; their update handlers enable them.
TEST_F(SceneFixture, EditCommandsRunThroughTheMessageMap) {
  auto enabled = [&](UINT id) { return history_test::UpdateCommand(doc, id).enabled; };
  doc.AddGroup(NewGroup(doc, "A"), FALSE, FALSE, 0);
  EXPECT_FALSE(enabled(57632));
  EXPECT_FALSE(enabled(57637));
  ASSERT_TRUE(doc.OnCmdMsg(33139, CN_COMMAND, nullptr, nullptr));
  EXPECT_EQ(doc.GetSelectedCount(), 1);
  EXPECT_TRUE(enabled(57632));
  ASSERT_TRUE(doc.OnCmdMsg(57635, CN_COMMAND, nullptr, nullptr));  // Cut
  EXPECT_EQ(doc.GetScene()->GetGroups().GetCount(), 1);
  EXPECT_TRUE(enabled(57637));
  ASSERT_TRUE(doc.OnCmdMsg(57637, CN_COMMAND, nullptr, nullptr));
  EXPECT_EQ(doc.GetScene()->GetGroups().GetCount(), 2);
  EXPECT_EQ(UndoText(doc), "Add Object A");
}

TEST_F(SceneFixture, DeletedGroupsComeBackUnderTheirParentsWithTheirIdentity) {
  Ptr<GroupSO> a = NewGroup(doc, "A"), b = NewGroup(doc, "B", true), c = NewGroup(doc, "C");
  Ptr<GroupSO> child = NewGroup(doc, "Child"), grandchild = NewGroup(doc, "Grandchild");
  a->AddGroup(child);
  child->AddGroup(grandchild);
  for (const Ptr<GroupSO>& g : {a, b, c}) doc.AddGroup(g, FALSE, FALSE, 0);
  const Ptr<PtrMyself> childHandle = child->GetMyself(), bHandle = b->GetMyself();

  // A move recorded now still applies after the child was deleted and brought back.
  XList<Ptr<GroupSO>> moved;
  moved.AddTail(child);
  doc.RecordUndo(kUndoTransformGroups, &moved, 369);
  moved.RemoveAll();
  child->SetTransform(Transform(1, 0, 0, 5, 0, 1, 0, 0, 0, 0, 1, 0));
  child->scale = Vector(2, 2, 2);

  // A group below the top level, together with its selected descendant: each leaves its own
  // parent, the descendant with its ancestor.
  doc.ToggleSelect(grandchild, FALSE, 0);
  doc.ToggleSelect(child, FALSE, 0);
  doc.ToggleSelect(grandchild, FALSE, 0);
  EXPECT_EQ(doc.GetSelectedCount(), 2);
  doc.ToggleSelect(b, FALSE, 0);
  View().updates.clear();
  doc.OnEditDelete();
  EXPECT_EQ(UndoText(doc), "Delete Objects");
  EXPECT_EQ(View().updates, Hints{"5:list"});
  EXPECT_EQ(doc.GetSelectedCount(), 0);
  EXPECT_EQ(a->GetGroups().GetCount(), 0);
  EXPECT_EQ(doc.GetScene()->GetGroups().GetCount(), 3);  // sunlight, A, C
  child = nullptr;
  grandchild = nullptr;
  EXPECT_EQ(childHandle->GetTarget(), PtrMyself::Destroyed());

  doc.Undo(TRUE);
  GroupSO* back = GroupOf(childHandle);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->GetParent(), a);
  EXPECT_EQ(back->GetGroups().GetCount(), 1);
  const XList<Ptr<GroupSO>>& top = doc.GetScene()->GetGroups();
  EXPECT_EQ(top.GetAt(top.GetTailPosition()), GroupOf(bHandle)) << "a restored group comes last among its siblings";
  EXPECT_EQ(doc.GetSelectedCount(), 3);
  EXPECT_EQ(doc.GetHistory().GetRecord(1)->GetKind(), kUndoAddGroups);
  doc.Undo(TRUE);
  EXPECT_EQ(back->GetTransform().t[0], 0.0);
  EXPECT_EQ(back->scale.x, 1.0);
  doc.Redo(TRUE);
  doc.Redo(TRUE);
  EXPECT_FALSE(GroupOf(childHandle));
}

TEST_F(SceneFixture, AddedGroupsAreNamedByWhatTheyHoldAndRebuildEmptyViews) {
  Ptr<GroupSO> lamp = NewGroup(doc, "Lamp", true);
  doc.AddGroup(lamp, TRUE, TRUE, 0);
  EXPECT_EQ(UndoText(doc), "Add Light Lamp");
  EXPECT_TRUE(doc.IsSelected(lamp));
  doc.AddGroup(NewGroup(doc, "Chair"), TRUE, TRUE, 384);
  EXPECT_EQ(UndoText(doc), "Import Chair");
  // The scene box stays a point (nothing has a mesh), so later adds rebuild the views first.
  View().updates.clear();
  doc.OnEditCopy();
  doc.OnEditPaste();
  doc.OnEditPaste();
  EXPECT_EQ(UndoText(doc), "Add Object Chair");
  EXPECT_EQ(View().updates, (Hints{"0:regenerate", "4:list", "0:regenerate", "4:list"}));
  EXPECT_EQ(doc.GetScene()->GetGroups().GetCount(), 5);
  EXPECT_EQ(app.objects.GetCount(), 1);
  doc.Undo(TRUE);
  EXPECT_EQ(doc.GetScene()->GetGroups().GetCount(), 4);
  EXPECT_EQ(doc.GetHistory().GetRecord(3)->GetDescription(), "Add Object Chair");
}

TEST_F(SceneFixture, TheCylinderFitsTheOneSelectedGroupInTheRotateAboutMode) {
  app.mode = kRotateObjectAboutMode;
  Ptr<GroupSO> rod = NewGroup(doc, "Rod", false, 3.0), empty = NewGroup(doc, "Empty");
  rod->SetTransform(Transform(0.5, Vector(0, 0, 1)) * Transform(1, 0, 0, 4, 0, 1, 0, 1, 0, 0, 1, -2));
  doc.AddGroup(rod, TRUE, FALSE, 0);
  ASSERT_TRUE(doc.IsRotObjAboutCylShown());
  const BoundingBox target = WorldBox(rod), cylinder = WorldBox(doc.GetRotObjAboutCylPtr());
  auto centre = [](const BoundingBox& b, int axis) {
    const double* lo = &b.min.x;
    const double* hi = &b.max.x;
    return (lo[axis] + hi[axis]) / 2;
  };
  for (int axis = 0; axis < 3; ++axis) EXPECT_NEAR(centre(cylinder, axis), centre(target, axis), 1e-9);
  // Its length along its axis is the diagonal of the group's box.
  const Transform t = doc.GetRotObjAboutCylPtr()->GetWorldTransform();
  const BoundingBox own = app.cylinderMesh->GetBoundingBox();
  const Vector extent(own.max.x - own.min.x, own.max.y - own.min.y, own.max.z - own.min.z);
  const double longest = std::max({extent.x, extent.y, extent.z});
  const Vector axis(extent.x == longest ? longest : 0, extent.x != longest && extent.y == longest ? longest : 0,
                    extent.x != longest && extent.y != longest ? longest : 0);
  const Vector end = t.TransformPoint(axis), origin = t.TransformPoint(Vector(0, 0, 0));
  const double length = std::sqrt((end.x - origin.x) * (end.x - origin.x) + (end.y - origin.y) * (end.y - origin.y) +
                                  (end.z - origin.z) * (end.z - origin.z));
  const Vector d(target.max.x - target.min.x, target.max.y - target.min.y, target.max.z - target.min.z);
  EXPECT_NEAR(length, d.Length(), 1e-6);

  // A second selected group hides it; a group without extent leaves its transform as it was.
  doc.AddGroup(empty, FALSE, FALSE, 0);
  doc.ToggleSelect(empty, FALSE, 0);
  EXPECT_FALSE(doc.IsRotObjAboutCylShown());
  const Transform before = doc.GetRotObjAboutCylPtr()->GetTransform();
  doc.SelectOnly(empty, FALSE, 0);
  ASSERT_TRUE(doc.IsRotObjAboutCylShown());
  const Transform after = doc.GetRotObjAboutCylPtr()->GetTransform();
  EXPECT_FALSE(after != before);
  for (double v : after.m[0]) EXPECT_TRUE(std::isfinite(v));
}

TEST_F(SceneFixture, SceneExtentChangesRefitFixedWindowsAndTheGround) {
  auto* front = new document_test::RecordingView(1);
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

  // A board standing on edge far away, flat along x: the ground follows it, with the empty
  // scene's extent on the flat axis.
  Ptr<GroupSO> board = NewGroup(doc, "Board");
  Ptr<MeshSO> flat(new MeshSO);
  flat->box = BoundingBox(Vector(0, -1, -2), Vector(0, 1, 2));
  board->AddVisual(flat);
  board->SetTransform(Transform(1, 0, 0, 10, 0, 1, 0, 0, 0, 0, 1, 3));
  doc.AddGroup(board, FALSE, FALSE, 0);
  EXPECT_EQ(front->fits, 2);
  const BoundingBox ground = WorldBox(doc.GetGroundPtr()), scene = doc.GetSceneBox();
  EXPECT_EQ(scene.max.x - scene.min.x, 0.0);
  EXPECT_DOUBLE_EQ(ground.max.x - ground.min.x, 0.25);
  EXPECT_DOUBLE_EQ(ground.max.z - ground.min.z, scene.max.z - scene.min.z);
  EXPECT_DOUBLE_EQ((ground.min.x + ground.max.x) / 2, 10.0);
  EXPECT_DOUBLE_EQ((ground.min.z + ground.max.z) / 2, 3.0);
}

}  // namespace
