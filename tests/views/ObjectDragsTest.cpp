#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "views/DragGeometry.h"
#include "views/ObjectDrags.h"

namespace {

constexpr int kScreenH = 768;

TEST(ObjectDragsTest, SizingScalesAboutTheBoxCentreAndNeverCollapses) {
  EXPECT_EQ(SizeFactor(0, kScreenH), 1.0);
  EXPECT_NEAR(SizeFactor(10, kScreenH), 1.0260, 1e-4);
  EXPECT_NEAR(SizeFactor(-10, kScreenH), 0.9740, 1e-4);
  EXPECT_EQ(SizeFactor(-2000, kScreenH), 0.05);
  const Transform local(1, 0, 0, 5, 0, 1, 0, 0, 0, 0, 1, 0);
  const Transform sized = ScaledAbout(local, Vector(1, 1, 1), 2.0);
  const Vector centre = sized.TransformPoint(Vector(1, 1, 1));
  EXPECT_NEAR(centre.x, 6, 1e-12);
  EXPECT_NEAR(centre.y, 1, 1e-12);
  EXPECT_NEAR(sized.TransformPoint(Vector(2, 1, 1)).x, 8, 1e-12);
}

TEST(ObjectDragsTest, PushPullNeverPullsPastTheFrontPlane) {
  const double k = PullFactor(-10, kScreenH);  // up: push away
  EXPECT_GT(k, 0.0);
  EXPECT_NEAR(PushPullStep(10.0, 1.0, 1.0, k), 9.0 * k, 1e-12);
  EXPECT_EQ(PushPullStep(10.0, 1.0, 1.0, -5.0), -9.0);
  EXPECT_NEAR(PushPullStep(0.5, 2.0, 1.0, k), 1.0 * k, 1e-12);  // half size bounds the distance
  // Along the sight line or straight from the camera, never pulled past the front plane.
  const Transform camera;
  const auto parallel = SightStep(camera, Vector(3, 0, 4), Vector(3, 0, 4), true, 0.1, 1.0, k);
  ASSERT_TRUE(parallel.has_value());
  EXPECT_NEAR(parallel->z, 3.0 * k, 1e-12);
  EXPECT_EQ(parallel->x, 0.0);
  const auto straight = SightStep(camera, Vector(3, 0, 4), Vector(3, 0, 4), false, 0.1, 1.0, -100.0);
  ASSERT_TRUE(straight.has_value());
  EXPECT_NEAR(straight->Length(), 4.0, 1e-12);
  EXPECT_NEAR(straight->x / straight->z, 0.75, 1e-12);
  EXPECT_FALSE(SightStep(camera, Vector(3, 0, 4), Vector(0, 0, 0), false, 0.1, 1.0, k).has_value());
  EXPECT_NEAR(RaiseLowerStep(Vector(0, -4, 0), 1.0, k), 4 * k, 1e-12);
  EXPECT_NEAR(RaiseLowerStep(Vector(0, 0, 0), 1.5, k), 1.5 * k, 1e-12);
}

TEST(ObjectDragsTest, AMovedObjectKeepsItsGrabbedPointUnderThePointer) {
  const Transform camera;
  const Vector track(1, 1, 4);
  Vector d(0.5, 0.25, 1);
  d.Normalize();
  const Vector moved = track + ViewPlaneMove(camera, 4.0, d, Vector(0, 0, 1), track);
  EXPECT_NEAR(Cross(moved, d).Length(), 0.0, 1e-12);  // on the current ray
  EXPECT_NEAR(moved.z, 4.0, 1e-12);
  Vector unset = track;
  UnsetTrack(unset);
  EXPECT_NEAR(ViewPlaneMove(camera, 4.0, d, d, unset).Length(), 0.0, 1e-12);
}

TEST(ObjectDragsTest, ConstantHeightMovesStayOnTheAnchorsLevel) {
  const Vector eye(0, 3, 0), anchor(0, 1, 5);
  Vector d1(0.2, -0.4, 1), d0(0, -0.4, 1);
  const DragRay now{eye, d1.Normalize()}, before{eye, d0.Normalize()};
  Vector track(0, 0, 0);
  UnsetTrack(track);
  const auto move = LevelObjectMove(anchor, now, before, track);
  ASSERT_TRUE(move.has_value());
  EXPECT_EQ(move->y, 0.0);
  EXPECT_NEAR(move->x, 1.0, 1e-12);  // 2 below the eye, 5 ahead: x = 0.2 * 5
  const auto grabbed = LevelObjectMove(anchor, now, before, Vector(0.5, 1, 5));
  ASSERT_TRUE(grabbed.has_value());
  EXPECT_NEAR(grabbed->x, 0.5, 1e-12);
  EXPECT_FALSE(LevelObjectMove(anchor, DragRay{eye, Vector(0, 0, 1)}, before, track).has_value());
}

TEST(ObjectDragsTest, TowardsAnotherObjectMovesAlongTheLineBetweenCentres) {
  const double k = PullFactor(-10, kScreenH);
  const auto move = TowardsObjectMove(Vector(0, 0, 0), Vector(0, 0, 4), 1.0, k);
  ASSERT_TRUE(move.has_value());
  EXPECT_NEAR(move->z, 4 * k, 1e-12);
  EXPECT_EQ(move->x, 0.0);
  EXPECT_FALSE(TowardsObjectMove(Vector(1, 1, 1), Vector(1, 1, 1), 1.0, k).has_value());
}

TEST(ObjectDragsTest, TheCylinderAxisRunsAlongTheLongestSide) {
  auto axis = [](double x, double y, double z) { return CylinderAxis(BoundingBox(Vector(0, 0, 0), Vector(x, y, z))); };
  const Vector a = axis(1, 3, 1), b = axis(2, 2, 1), c = axis(1, 2, 5), d = axis(1, 2, 2);
  EXPECT_EQ(a.y, 3.0);
  EXPECT_EQ(b.x, 2.0);  // equal x and y take x
  EXPECT_EQ(c.z, 5.0);
  EXPECT_EQ(d.y, 2.0);  // an equal z keeps the candidate
}

TEST(ObjectDragsTest, TurningAboutTheCylinderIgnoresVerticalMovesAndItsEnds) {
  const Transform camera;  // looks along +z
  const BoundingBox mesh(Vector(-0.5, -0.5, -1), Vector(0.5, 0.5, 1));  // long in z
  const Transform upright, flipped(std::numbers::pi, Vector(1, 0, 0));
  const Vector c(0, 0, 5), probe(1, 0, 5);
  const Vector vertical = TurnAboutCylinder(camera, upright, mesh, c, {10, 10}, {10, 90}, 1000).TransformPoint(probe);
  EXPECT_NEAR((vertical - probe).Length(), 0.0, 1e-12);
  const Vector a = TurnAboutCylinder(camera, upright, mesh, c, {10, 10}, {260, 10}, 1000).TransformPoint(probe);
  const Vector b = TurnAboutCylinder(camera, flipped, mesh, c, {10, 10}, {260, 10}, 1000).TransformPoint(probe);
  EXPECT_NEAR(std::abs(a.y), 1.0, 1e-6);  // a quarter turn about the sight line
  EXPECT_NEAR((a - b).Length(), 0.0, 1e-6);
}

}  // namespace
