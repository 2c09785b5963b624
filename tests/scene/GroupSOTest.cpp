#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "SceneTestSupport.h"
#include "scene/GroupSO.h"
#include "support/ScriptedFileDialogs.h"
#include "support/ScriptedMessageBoxes.h"
#include "scene/MeshSO.h"
#include "support/FatalCheck.h"

namespace {

using GroupSOTest = SceneTest;

Transform Translation(double x, double y, double z) { return Transform(1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z); }

std::vector<IDirect3DRMFrame*> ChildFrames(IDirect3DRMFrame* frame) {
  IDirect3DRMFrameArray* array = nullptr;
  EXPECT_EQ(frame->GetChildren(&array), D3DRM_OK);
  return ElementsOf(array);
}

void ExpectNear(const Vector& a, const Vector& b) {
  EXPECT_NEAR(a.x, b.x, 1e-9);
  EXPECT_NEAR(a.y, b.y, 1e-9);
  EXPECT_NEAR(a.z, b.z, 1e-9);
}

TEST_F(GroupSOTest, FramesMirrorTheChildListsThroughAddRemoveAndReAddAndWorldTransformsCompose) {
  Ptr<GroupSO> root = new GroupSO, a = new GroupSO, b = new GroupSO, other = new GroupSO;
  root->AddGroup(a);
  root->AddGroup(b);
  root->AddGroup(a);  // already a child: moves to the end
  EXPECT_EQ(ChildFrames(root->GetD3DRMFrame()), (std::vector{b->GetD3DRMFrame(), a->GetD3DRMFrame()}));
  other->AddGroup(b);  // taken from its parent
  EXPECT_EQ(ChildFrames(root->GetD3DRMFrame()), (std::vector{a->GetD3DRMFrame()}));
  other->RemoveGroup(b);
  EXPECT_EQ(b->GetParent(), nullptr);
  EXPECT_TRUE(ChildFrames(other->GetD3DRMFrame()).empty());

  EXPECT_FATAL(a->AddGroup(root), "!IsSelfOrAncestor(group)", "A group cannot hold itself or its ancestor");
  EXPECT_FATAL(other->RemoveGroup(a), "(GroupSO*)group->GetParent() == this", "");

  Ptr<GroupSO> top = new GroupSO, middle = new GroupSO, leaf = new GroupSO;
  const Transform turn(std::numbers::pi / 2, Vector(0, 0, 1));
  top->SetTransform(Translation(10, 0, 0));
  middle->SetTransform(turn);
  leaf->SetTransform(Transform(2, 0, 0, 2, 0, 2, 0, 0, 0, 0, 2, 0));
  top->AddGroup(middle);
  middle->AddGroup(leaf);
  // The leaf's own transform first ((0,0,0) to (2,0,0)), then the turn, then the move.
  const Vector world = leaf->GetWorldTransform().TransformPoint(Vector(0, 0, 0));
  const Vector turned = turn.TransformPoint(Vector(2, 0, 0));
  ExpectNear(world, Vector(turned.x + 10, turned.y, turned.z));
  ExpectNear(leaf->GetWorldInverseTransform().TransformPoint(world), Vector(0, 0, 0));
}

TEST_F(GroupSOTest, APickTakesTheNearestHitAndKeepsTheEarlierOneOnATie) {
  Ptr<GroupSO> root = new GroupSO, child = new GroupSO;
  child->SetTransform(Translation(0, 0, 5));
  root->AddGroup(child);
  Ptr<TestVisual> first = new TestVisual, second = new TestVisual, inner = new TestVisual;
  root->AddVisual(Ptr<VisualSO>(first));
  root->AddVisual(Ptr<VisualSO>(second));
  child->AddVisual(Ptr<VisualSO>(inner));

  PickRecord pick;
  pick.point = Vector(7, 7, 7);
  EXPECT_FALSE(root->Intersect(Vector(0, 0, 0), Vector(0, 0, 2), pick));
  EXPECT_EQ(pick.point.x, 7.0);  // a miss leaves the record alone

  // The root's own visuals hit at 8 and 6; the child's at its own z = 1, which is z = 6 here.
  first->hits = second->hits = inner->hits = true;
  first->hitDistance = 8;
  second->hitDistance = 6;
  second->hitPoint = Vector(0, 0, 6);
  second->face = 2;
  inner->hitPoint = Vector(0, 0, 1);
  ASSERT_TRUE(root->Intersect(Vector(0, 0, 0), Vector(0, 0, 3), pick));
  EXPECT_EQ(pick.visual, second);  // a tie: the group's own visual before the child's
  EXPECT_EQ(pick.group, root);
  EXPECT_EQ(pick.desc.ulFaceIdx, 2u);
  EXPECT_EQ(pick.desc.vPosition.z, 6.0f);

  second->hitDistance = 8;
  ASSERT_TRUE(root->Intersect(Vector(0, 0, 0), Vector(0, 0, 1), pick));
  EXPECT_EQ(pick.visual, inner);
  EXPECT_EQ(pick.group, child);
  ExpectNear(pick.point, Vector(0, 0, 6));

  // A child flattened to a point cannot be picked; of two own visuals at 8 the first wins.
  child->SetTransform(Transform(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0));
  ASSERT_TRUE(root->Intersect(Vector(0, 0, 0), Vector(0, 0, 1), pick));
  EXPECT_EQ(pick.visual, first);

  // Nor can a child whose scale carries its hit beyond single precision, even when nothing else is hit.
  child->SetTransform(Transform(1e30, 0, 0, 0, 0, 1e30, 0, 0, 0, 0, 1e30, 0));
  first->hits = second->hits = false;
  inner->hitPoint = Vector(0, 0, 1e10);
  EXPECT_FALSE(root->Intersect(Vector(0, 0, 0), Vector(0, 0, 1), pick));
  inner->hitPoint = Vector(0, 0, 1e-30);  // z = 1 in the root's space
  ASSERT_TRUE(root->Intersect(Vector(0, 0, 0), Vector(0, 0, 1), pick));
  EXPECT_EQ(pick.visual, inner);
}

TEST_F(GroupSOTest, TheBoxHoldsTheMeshesUnderTheGroupAndSkipsEmptyAndFailedOnes) {
  Ptr<GroupSO> root = new GroupSO, child = new GroupSO;
  EXPECT_EQ(root->GetBox(nullptr).max.x, 0.0);
  child->SetTransform(Translation(10, 0, 0));
  root->AddGroup(child);
  root->AddGroup(Ptr<GroupSO>(new GroupSO));
  child->AddVisual(Ptr<MeshSO>(new MeshSO(3, 0xFFFFFFFF)));  // the unit ground
  // A mesh whose file could not be read keeps the empty box; it adds nothing, not infinities.
  ScriptedFileDialogs dialogs;  // the user does not find the file
  ScriptedMessageBoxes boxes;
  boxes.Answer({IDYES});  // and ends the search
  Ptr<MeshSO> failed = new MeshSO("missing.x", 0, nullptr, 0, 0);
  ASSERT_EQ(failed->GetError(), SceneObj::fileNotFound);
  root->AddVisual(failed);
  const BoundingBox box = root->GetBox(nullptr);
  EXPECT_EQ(box.min.x, 10.0);
  EXPECT_EQ(box.max.x, 11.0);
  EXPECT_EQ(box.max.z, 1.0);
  const Transform up = Translation(0, 5, 0);
  EXPECT_NEAR(root->GetBox(&up).min.y, 5.0, 1e-12);

  // Child boxes combine as growing by each in list order does: a child without extent adds
  // nothing and of two tied zeros the earlier stays (-0.0 here, kept through -0.0 terms).
  Ptr<GroupSO> tied = new GroupSO;
  tied->AddGroup(Ptr<GroupSO>(new GroupSO));
  const Transform negativeZeroX(1, -0.0, -0.0, -0.0, 0, 1, 0, 0, 0, 0, 1, 0);
  for (double low : {-0.0, 0.0}) {
    Ptr<MeshSO> mesh = new MeshSO;
    mesh->box = BoundingBox(Vector(low, 0, 0), Vector(1, 1, 1));
    Ptr<GroupSO> part = new GroupSO;
    if (std::signbit(low)) part->SetTransform(negativeZeroX);
    part->AddVisual(mesh);
    tied->AddGroup(part);
  }
  EXPECT_EQ(tied->GetBox(nullptr).min.x, 0.0);
  EXPECT_TRUE(std::signbit(tied->GetBox(nullptr).min.x));
}

TEST_F(GroupSOTest, ALightLightsItsDocumentsSceneWhileAGroupHoldsItAndCopiesWithIt) {
  Ptr<GroupSO> group = new GroupSO, child = new GroupSO;
  group->SetTransform(Translation(1, 2, 3));
  group->scale = Vector(3, 3, 3);
  group->AddGroup(child);
  Ptr<LightSO> light = new LightSO;
  light->SetRange(0.1);  // kept as a double, given to the platform as the nearest float
  EXPECT_EQ(light->GetD3DRMLight()->GetRange(), 0.1f);
  light->SetName("sun");
  group->AddLight(light, &*doc);
  IDirect3DRMFrame* enable = nullptr;
  ASSERT_EQ(light->GetD3DRMLight()->GetEnableFrame(&enable), D3DRM_OK);
  EXPECT_EQ(enable, doc->root->GetD3DRMFrame());
  if (enable) enable->Release();
  EXPECT_FATAL(child->AddLight(light, &*doc), "!light->document", "Light is already added to a frame");

  Ptr<GroupSO> copy = group->Copy(0);
  EXPECT_FALSE(copy->GetTransform() != group->GetTransform());
  EXPECT_EQ(copy->scale.x, 1.0);
  EXPECT_EQ(copy->GetGroups().GetCount(), 1);
  EXPECT_EQ(ChildFrames(group->GetD3DRMFrame()).size(), 1u);
  LightSO* copied = First(copy->GetLights());
  EXPECT_EQ(copied->GetRange(), 0.1);
  EXPECT_EQ(copied->GetName(), CString(""));
  EXPECT_EQ(copied->document, &*doc);

  group->RemoveLight(light);
  EXPECT_EQ(light->document, nullptr);
  ASSERT_EQ(light->GetD3DRMLight()->GetEnableFrame(&enable), D3DRM_OK);
  EXPECT_EQ(enable, nullptr);
}

TEST_F(GroupSOTest, DroppingGroupsLightsAndMeshesInAnyOrderLeavesNoRetainedModeObject) {
  std::vector<int> order{0, 1, 2, 3};
  do {
    Ptr<GroupSO> root = new GroupSO, child = new GroupSO;
    Ptr<LightSO> light = new LightSO;
    Ptr<MeshSO> mesh = new MeshSO(16, 1.0, 50.0, 0xFF0000FF);
    root->AddGroup(child);
    child->AddVisual(mesh);
    child->AddLight(light, &*doc);
    root->AddVisual(Ptr<MeshSO>(new MeshSO));
    for (int which : order) {
      if (which == 0) root = nullptr;
      if (which == 1) child = nullptr;
      if (which == 2) light = nullptr;
      if (which == 3) mesh = nullptr;
    }
    EXPECT_EQ(LiveRetainedModeObjects(app.lpD3DRM), 3);  // the document's root, cylinder and ground frames
  } while (std::next_permutation(order.begin(), order.end()));
}

}  // namespace
