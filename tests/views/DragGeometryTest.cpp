#include <gtest/gtest.h>

#include <numbers>

#include "SceneTestSupport.h"
#include "scene/GroupSO.h"
#include "views/DragGeometry.h"

namespace {

Transform Translation(double x, double y, double z) { return Transform(1, 0, 0, x, 0, 1, 0, y, 0, 0, 1, z); }

void ExpectNear(const Vector& a, const Vector& b) {
  EXPECT_NEAR(a.x, b.x, 1e-6);
  EXPECT_NEAR(a.y, b.y, 1e-6);
  EXPECT_NEAR(a.z, b.z, 1e-6);
}

Vector WorldOrigin(const GroupSO& group) { return group.GetWorldTransform().TransformPoint(Vector(0, 0, 0)); }

TEST(DragGeometryTest, OrthographicRaysRunParallelOffsetByTheZoomedPixelSize) {
  // A camera at (1, 2, 3) turned a quarter about y: it looks along -x, its right axis is +z.
  const Transform camera = Translation(1, 2, 3) * Transform(std::numbers::pi / 2, Vector(0, 1, 0));
  const Vector view = ViewDirection(camera);
  const DragRay centre = OrthographicRay(camera, 2.0, 1, 1, 200, 100, 100, 50);
  ExpectNear(centre.origin, Vector(1, 2, 3));
  ExpectNear(centre.direction, view);
  // 10 px right and up at 1/1: f = 1, m = 200, so 0.1 world units each way.
  const Vector right = camera.TransformPoint(Vector(1, 0, 0)) - Vector(1, 2, 3);
  const DragRay offset = OrthographicRay(camera, 2.0, 1, 1, 200, 100, 110, 40);
  ExpectNear(offset.origin, Vector(1, 2.1, 3) + right * 0.1);
  ExpectNear(offset.direction, view);
  // At 2/1 the same pixels cover half the distance.
  ExpectNear(OrthographicRay(camera, 2.0, 2, 1, 200, 100, 110, 40).origin, Vector(1, 2.05, 3) + right * 0.05);
}

using MoveGroupTest = SceneTest;

TEST_F(MoveGroupTest, AGroupMovesByTheWorldTransformUnderATransformedParent) {
  Ptr<GroupSO> parent = new GroupSO, child = new GroupSO;
  doc->root->AddGroup(parent);
  parent->AddGroup(child);
  parent->SetTransform(Translation(5, 0, 0) * Transform(std::numbers::pi / 2, Vector(0, 1, 0)));
  child->SetTransform(Translation(1, 2, 3));
  const Vector before = WorldOrigin(*child);
  MoveGroupBy(*child, Translation(0, 0, 1));
  ExpectNear(WorldOrigin(*child), before + Vector(0, 0, 1));
  // A world rotation about the world origin turns the child's world position about it.
  MoveGroupBy(*parent, Transform(std::numbers::pi, Vector(0, 1, 0)));
  const Vector turned = WorldOrigin(*child);
  ExpectNear(turned, Vector(-(before.x), before.y, -(before.z + 1)));
}

TEST_F(MoveGroupTest, MovingTheSelectionCarriesTheCentreAndASetGrabbedPoint) {
  Ptr<GroupSO> a = new GroupSO, b = new GroupSO, other = new GroupSO;
  for (const Ptr<GroupSO>& g : {a, b, other}) doc->root->AddGroup(g);
  XList<Ptr<GroupSO>> selection;
  selection.AddTail(a);
  selection.AddTail(b);
  Vector track(1, 1, 1), center(2, 2, 2);
  MoveSelectionBy(selection, Translation(0, 3, 0), track, center);
  ExpectNear(WorldOrigin(*a), Vector(0, 3, 0));
  ExpectNear(WorldOrigin(*b), Vector(0, 3, 0));
  ExpectNear(WorldOrigin(*other), Vector(0, 0, 0));
  ExpectNear(track, Vector(1, 4, 1));
  ExpectNear(center, Vector(2, 5, 2));
  UnsetTrack(track);
  MoveSelectionBy(selection, Translation(0, 3, 0), track, center);
  EXPECT_FALSE(IsTrackSet(track));
  EXPECT_EQ(track.y, 4.0);
}

}  // namespace
