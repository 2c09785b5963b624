#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "views/CameraDrags.h"
#include "views/DragGeometry.h"

namespace {

constexpr int kScreenW = 1024, kScreenH = 768;

// A camera 2 above the ground at z = -10, looking along +z.
Transform Camera() { return TranslationBy(Vector(0, 2, -10)); }

void ExpectNear(const Vector& a, const Vector& b, double tolerance = 1e-6) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST(CameraDragsTest, LensValuesKeepTheirBounds) {
  EXPECT_NEAR(DragStep(10, kScreenH), std::pow(10, 1.3) / kScreenH, 1e-15);
  EXPECT_EQ(DragStep(-10, kScreenH), -DragStep(10, kScreenH));
  EXPECT_EQ(DragStep(0, kScreenH), 0.0);
  // Focus: up adds, down subtracts, never below the focal length.
  EXPECT_NEAR(FocusAfterDrag(3.0, 0.05, -10, kScreenH), 3.0 * (1 + std::pow(10, 1.3) / kScreenH), 1e-12);
  EXPECT_EQ(FocusAfterDrag(3.0, 0.05, 2000, kScreenH), 0.05);
  EXPECT_NEAR(FocalAfterDrag(0.05, 384, kScreenH), 0.075, 1e-12);
  EXPECT_EQ(FocalAfterDrag(0.05, -2000, kScreenH), 0.0010000000474974513);
  EXPECT_NEAR(FStopAfterDrag(0.0, 384, kScreenH), 48.0, 1e-12);  // starts from 32
  EXPECT_EQ(FStopAfterDrag(8.0, -2000, kScreenH), 0.01);
}

TEST(CameraDragsTest, RaiseLowerStepGrowsWithHeightFromTheGround) {
  Transform low = TranslationBy(Vector(0, 0.5, 0)), deep = TranslationBy(Vector(0, -10, 0));
  const double s = DragStep(10, kScreenH);
  EXPECT_NEAR(RaiseLowerCamera(low, 10, kScreenH).t[1], s, 1e-15);
  EXPECT_NEAR(RaiseLowerCamera(deep, 10, kScreenH).t[1], 10 * s, 1e-14);
}

TEST(CameraDragsTest, TurnsFollowTheMovementAndSkipDegenerateOnes) {
  const Transform camera = Camera();
  // Rotating about the centre by a full screen width circles the camera once.
  const Transform full = TurnByMovement(camera, Vector(0, 0, 0), {kScreenW, 0}, {0, 0}, kScreenW, kScreenH);
  ExpectNear((full.Inverse() * camera).TransformPoint(Vector(0, 0, 0)), Vector(0, 2, -10), 1e-5);
  const Transform half = TurnByMovement(camera, Vector(0, 2, 0), {kScreenW / 2, 0}, {0, 0}, kScreenW, kScreenH);
  ExpectNear((half.Inverse() * camera).TransformPoint(Vector(0, 0, 0)), Vector(0, 2, 10), 1e-5);

  // Nearly equal directions whose dot product rounds above 1 turn nothing.
  const Vector p(-0.8092171387278037, 0.5760742562662402, -0.11535195558153714);
  const Vector q(-0.8092171387278037, 0.5760742562662402, -0.11535195558153713);
  ASSERT_GT(Dot(p, q), 1.0);
  EXPECT_FALSE(RotateCameraBetween(camera, p, q).has_value());
  EXPECT_FALSE(RotateCameraBetween(camera, q, q).has_value());
  Vector r(1, 0, 1);
  const auto turn = RotateCameraBetween(camera, r.Normalize(), Vector(0, 0, 1));
  ASSERT_TRUE(turn.has_value());
  const Vector position = CameraPosition(Camera());
  ExpectNear(turn->TransformPoint(position), position);
  ExpectNear(turn->TransformPoint(position + Vector(0, 1, 0)), position + Vector(0, 1, 0), 1e-6);  // axis is y

  // Roll: a quarter circle around the client centre rolls by a quarter turn about the sight
  // line; a move along a radius or from the centre rolls nothing.
  const auto roll = RollCamera(camera, {300, 200}, {200, 300}, 400, 400);
  ASSERT_TRUE(roll.has_value());
  const Vector right = (*roll * camera).TransformPoint(Vector(1, 0, 0)) - position;
  EXPECT_NEAR(std::abs(right.y), 1.0, 1e-6);
  ExpectNear(ViewDirection(*roll * camera), Vector(0, 0, 1));
  EXPECT_FALSE(RollCamera(camera, {300, 200}, {350, 200}, 400, 400).has_value());
  EXPECT_FALSE(RollCamera(camera, {200, 200}, {350, 200}, 400, 400).has_value());
}

TEST(CameraDragsTest, TrackingTurnBringsTheGrabbedPointUnderTheRay) {
  const Transform camera = Camera();
  const Vector center(0, 2, 0), track(0, 2, -1);
  Vector d(0.1, 0, 1);
  d.Normalize();
  const auto m = TurnTracking(camera, CameraPosition(camera), d, 0.1, center, track);
  ASSERT_TRUE(m.has_value());
  const Vector moved = m->turn.TransformPoint(track);
  ExpectNear(moved, m->point);
  EXPECT_NEAR((moved - center).Length(), 1.0, 1e-6);
  const Vector toMoved = moved - CameraPosition(camera);
  EXPECT_NEAR(Cross(toMoved, d).Length(), 0.0, 1e-5);  // on the ray
  // A hit nearer than the front clipping plane stops the turn.
  EXPECT_FALSE(TurnTracking(camera, CameraPosition(camera), d, 20.0, center, track).has_value());
  // A turn too small to measure waits for more movement.
  Vector tiny = track - CameraPosition(camera);
  tiny.Normalize();
  EXPECT_FALSE(TurnTracking(camera, CameraPosition(camera), tiny + Vector(1e-9, 0, 0), 0.1, center, track));
}

TEST(CameraDragsTest, MovesKeepTheirPlanes) {
  const Transform camera = Camera();
  // Orthographic: one pixel is 2f/m world units, f = height/2 at 1/1.
  const Transform ortho = ViewPlaneShift(camera, {90, 105}, {100, 100}, 4.0, 1, 1, 400, 200);
  ExpectNear(ortho.TransformPoint(Vector(0, 0, 0)), Vector(0.1, 0.05, 0));

  // Constant height: the camera slides horizontally; a horizon ray gives no move.
  Vector previous(0, -0.2, 1), current(0.1, -0.25, 1);
  const auto level = MoveCameraLevel(camera, Vector(0, 0, 0), previous.Normalize(), current.Normalize());
  ASSERT_TRUE(level.has_value());
  EXPECT_EQ(level->t[1], 0.0);
  EXPECT_NE(level->t[0], 0.0);
  EXPECT_FALSE(MoveCameraLevel(camera, Vector(0, 0, 0), previous, Vector(0, 0, 1)).has_value());

  // Towards the object: down moves closer, by at least the given distance's share.
  const auto towards = MoveCameraTowards(camera, Vector(0, 2, 0), 50.0, 10, kScreenH);
  ASSERT_TRUE(towards.has_value());
  EXPECT_NEAR(towards->t[2], 50.0 * DragStep(10, kScreenH), 1e-12);
  EXPECT_FALSE(MoveCameraTowards(camera, Vector(0, 2, -10), 1.0, 10, kScreenH).has_value());
  EXPECT_NEAR(PushPullCamera(camera, 5.0, 10, kScreenH).t[2], 5.0 * DragStep(10, kScreenH), 1e-12);
  ExpectNear(PointAtDepth(camera, Vector(0.6, 0, 0.8), 8.0), Vector(6, 2, -2));
}

}  // namespace
