// The geometry of the camera windows' drags on a fixed camera and scene, and the fit of a scene.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "SceneTestSupport.h"
#include "scene/GroupSO.h"
#include "views/CameraDrags.h"
#include "views/DragGeometry.h"
#include "views/ImportRules.h"
#include "views/ObjectDrags.h"
#include "views/SceneFit.h"

namespace {

constexpr int kScreenW = 1024, kScreenH = 768;

// A camera 2 above the ground at z = -10, looking along +z.
Transform Camera() { return TranslationBy(Vector(0, 2, -10)); }

void ExpectNear(const Vector& a, const Vector& b, double tolerance = 1e-6) {
  EXPECT_NEAR((a - b).Length(), 0.0, tolerance) << a.x << "," << a.y << "," << a.z;
}

Vector WorldOrigin(const GroupSO& group) { return group.GetWorldTransform().TransformPoint(Vector(0, 0, 0)); }

TEST(CameraDragsTest, LensValuesKeepTheirBoundsAndRaiseLowerStepsGrowWithHeightFromTheGround) {
  // Focus never goes below the focal length.
  EXPECT_EQ(FocusAfterDrag(3.0, 0.05, 2000, kScreenH), 0.05);
  EXPECT_NEAR(FocalAfterDrag(0.05, 384, kScreenH), 0.075, 1e-12);
  EXPECT_EQ(FocalAfterDrag(0.05, -2000, kScreenH), 0.0010000000474974513);
  EXPECT_NEAR(FStopAfterDrag(0.0, 384, kScreenH), 48.0, 1e-12);  // starts from 32
  EXPECT_EQ(FStopAfterDrag(8.0, -2000, kScreenH), 0.01);
  Transform low = TranslationBy(Vector(0, 0.5, 0)), deep = TranslationBy(Vector(0, -10, 0));
  const double s = DragStep(10, kScreenH);
  EXPECT_NEAR(RaiseLowerCamera(low, 10, kScreenH).t[1], s, 1e-15);
  EXPECT_NEAR(RaiseLowerCamera(deep, 10, kScreenH).t[1], 10 * s, 1e-14);
}

TEST(CameraDragsTest, TurnsFollowTheMovementBringTheGrabbedPointUnderTheRayAndSkipDegenerateOnes) {
  const Transform camera = Camera();
  // Rotating about the centre by a full screen width circles the camera once.
  const Transform full = TurnByMovement(camera, Vector(0, 0, 0), {kScreenW, 0}, {0, 0}, kScreenW, kScreenH);
  ExpectNear((full.Inverse() * camera).TransformPoint(Vector(0, 0, 0)), Vector(0, 2, -10), 1e-5);

  // Nearly equal directions whose dot product rounds above 1 turn nothing.
  const Vector p(-0.8092171387278037, 0.5760742562662402, -0.11535195558153714);
  const Vector q(-0.8092171387278037, 0.5760742562662402, -0.11535195558153713);
  ASSERT_GT(Dot(p, q), 1.0);
  EXPECT_FALSE(RotateCameraBetween(camera, p, q).has_value());
  Vector r(1, 0, 1);
  const auto turn = RotateCameraBetween(camera, r.Normalize(), Vector(0, 0, 1));
  ASSERT_TRUE(turn.has_value());
  const Vector position = CameraPosition(Camera());
  ExpectNear(turn->TransformPoint(position), position);

  // Roll: a quarter circle about the client centre rolls a quarter turn; a radial move, nothing.
  const auto roll = RollCamera(camera, {300, 200}, {200, 300}, 400, 400);
  ASSERT_TRUE(roll.has_value());
  const Vector right = (*roll * camera).TransformPoint(Vector(1, 0, 0)) - position;
  EXPECT_NEAR(std::abs(right.y), 1.0, 1e-6);
  ExpectNear(ViewDirection(*roll * camera), Vector(0, 0, 1));
  EXPECT_FALSE(RollCamera(camera, {200, 200}, {350, 200}, 400, 400).has_value());

  // Tracking: the grabbed point comes under the ray.
  const Vector center(0, 2, 0), track(0, 2, -1);
  Vector d(0.1, 0, 1);
  d.Normalize();
  const auto m = TurnTracking(camera, CameraPosition(camera), d, 0.1, center, track);
  ASSERT_TRUE(m.has_value());
  const Vector moved = m->turn.TransformPoint(track);
  ExpectNear(moved, m->point);
  EXPECT_NEAR((moved - center).Length(), 1.0, 1e-6);
  EXPECT_NEAR(Cross(moved - CameraPosition(camera), d).Length(), 0.0, 1e-5);  // on the ray
  // A hit nearer than the front clipping plane stops the turn.
  EXPECT_FALSE(TurnTracking(camera, CameraPosition(camera), d, 20.0, center, track).has_value());
  // A turn too small to measure waits for more movement.
  Vector tiny = track - CameraPosition(camera);
  tiny.Normalize();
  EXPECT_FALSE(TurnTracking(camera, CameraPosition(camera), tiny + Vector(1e-9, 0, 0), 0.1, center, track));
}

TEST(CameraDragsTest, MovesKeepTheirPlanesAndOrthographicRaysRunParallelOffsetByTheZoomedPixelSize) {
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
  ExpectNear(PointAtDepth(camera, Vector(0.6, 0, 0.8), 8.0), Vector(6, 2, -2));
  // A ray 10 px right and up at 2/1 (f = 1/2, m = 200): 0.05 each way; the camera looks along -x.
  const Transform turned = TranslationBy(Vector(1, 2, 3)) * Transform(std::numbers::pi / 2, Vector(0, 1, 0));
  const Vector right = turned.TransformPoint(Vector(1, 0, 0)) - Vector(1, 2, 3);
  const DragRay offset = OrthographicRay(turned, 2.0, 2, 1, 200, 100, 110, 40);
  ExpectNear(offset.origin, Vector(1, 2.05, 3) + right * 0.05);
  ExpectNear(offset.direction, ViewDirection(turned));
}

TEST(ObjectDragsTest, SizingScalesAboutTheBoxCentreNeverCollapsesAndTheCylinderRunsAlongTheLongestSide) {
  EXPECT_NEAR(SizeFactor(10, kScreenH), 1.0260, 1e-4);
  EXPECT_EQ(SizeFactor(-2000, kScreenH), 0.05);
  const Transform local(1, 0, 0, 5, 0, 1, 0, 0, 0, 0, 1, 0);
  const Transform sized = ScaledAbout(local, Vector(1, 1, 1), 2.0);
  ExpectNear(sized.TransformPoint(Vector(1, 1, 1)), Vector(6, 1, 1));
  auto axis = [](double x, double y, double z) { return CylinderAxis(BoundingBox(Vector(0, 0, 0), Vector(x, y, z))); };
  EXPECT_EQ(axis(2, 2, 1).x, 2.0);  // equal x and y take x
  EXPECT_EQ(axis(1, 2, 5).z, 5.0);
  EXPECT_EQ(axis(1, 2, 2).y, 2.0);  // an equal z keeps the candidate
}

TEST(ObjectDragsTest, PushPullNeverPullsPastTheFrontPlaneAndTowardsMovesAlongTheLineBetweenCentres) {
  const double k = PullFactor(-10, kScreenH);  // up: push away
  EXPECT_GT(k, 0.0);
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
  EXPECT_FALSE(SightStep(camera, Vector(3, 0, 4), Vector(0, 0, 0), false, 0.1, 1.0, k).has_value());
  EXPECT_NEAR(RaiseLowerStep(Vector(0, 0, 0), 1.5, k), 1.5 * k, 1e-12);
  const auto towards = TowardsObjectMove(Vector(0, 0, 0), Vector(0, 0, 4), 1.0, k);
  ASSERT_TRUE(towards.has_value());
  ExpectNear(*towards, Vector(0, 0, 4 * k));
  EXPECT_FALSE(TowardsObjectMove(Vector(1, 1, 1), Vector(1, 1, 1), 1.0, k).has_value());
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

using MoveGroupTest = SceneTest;

TEST_F(MoveGroupTest, AGroupMovesByTheWorldTransformUnderATransformedParent) {
  Ptr<GroupSO> parent = new GroupSO, child = new GroupSO;
  doc->root->AddGroup(parent);
  parent->AddGroup(child);
  parent->SetTransform(TranslationBy(Vector(5, 0, 0)) * Transform(std::numbers::pi / 2, Vector(0, 1, 0)));
  child->SetTransform(TranslationBy(Vector(1, 2, 3)));
  const Vector before = WorldOrigin(*child);
  MoveGroupBy(*child, TranslationBy(Vector(0, 0, 1)));
  ExpectNear(WorldOrigin(*child), before + Vector(0, 0, 1));
}

TEST(SceneFitTest, TheBoxFillsTheWindowAtItsDistanceAndFixedWindowsFitTheBox) {
  // t = 0.035 / 2 / 0.05 = 0.35 at 1/1; r = 1; the larger side decides.
  const double plain = 1.0 / std::sin(std::atan(0.35));
  EXPECT_NEAR(FillDistance(1.0, 1, 1, 0.05, 400, 400, 0.1), plain, 1e-12);
  EXPECT_NEAR(FillDistance(1.0, 1, 1, 0.05, 200, 400, 0.1), 2 * plain, 1e-12);
  EXPECT_NEAR(FillDistance(1.0, 1, 1, 0.05, 0, 400, 0.1), plain, 1e-12);  // no area: square
  EXPECT_EQ(FillDistance(0.0001, 1, 1, 5.0, 400, 400, 0.25), 0.25);
  const Transform front;  // looks along +z
  const BoundingBox box(Vector(-2, 0, 0), Vector(2, 1, 0));  // 4 x 1 across a Front window
  const auto fit = FitSceneBox(front, 1, box, 400, 200, 0.05, 0.1, 1, 1, 1.0);
  ASSERT_TRUE(fit.has_value());
  EXPECT_EQ(fit->height, 4.0);  // max(2 x 1, 1 x 4)
  const double d = FillDistance(std::sqrt(17.0) / 2, 1, 1, 0.05, 400, 200, 0.1);
  EXPECT_NEAR((CameraPosition(fit->camera) - Vector(0, 0.5, -d)).Length(), 0.0, 1e-12);
  EXPECT_FALSE(FitSceneBox(front, 1, box, 0, 200, 0.05, 0.1, 1, 1, 1.0).has_value());
  // A scene fitted from very far away still looks along +z, and the next fit brings it back.
  const BoundingBox huge(Vector(-1e30, 0, 0), Vector(1e30, 1, 0));
  const auto far = FitSceneBox(front, 1, huge, 400, 200, 0.05, 0.1, 1, 1, 1.0);
  ASSERT_TRUE(far.has_value());
  ExpectNear(ViewDirection(far->camera), Vector(0, 0, 1));
  const auto back = FitSceneBox(far->camera, 1, box, 400, 200, 0.05, 0.1, 1, 1, 1.0);
  ASSERT_TRUE(back.has_value());
  EXPECT_NEAR((CameraPosition(back->camera) - Vector(0, 0.5, -d)).Length(), 0.0, 1e-12);
  // Orthographic views show 65.535 m beyond the front plane, whatever the distance.
  EXPECT_EQ(OrthographicDistance(60.0, 5.0, 0.1), 60.0);
  EXPECT_EQ(OrthographicDistance(61.0, 5.0, 0.1), 0.1 + 65.535 / 2);
  EXPECT_EQ(OrthographicDistance(900.0, 40.0, 0.1), 40.1);  // deeper than shown: from the front plane
  // An import whose file went since it was chosen, or failed without a message, stops.
  EXPECT_FALSE(ImportLoadOutcome(3).proceed);
  EXPECT_FALSE(ImportLoadOutcome(4).proceed);
}

}  // namespace
