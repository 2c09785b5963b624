#include "views/ObjectDrags.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene/GroupSO.h"
#include "views/CameraDrags.h"

namespace {

constexpr double kSmallestSizeFactor = 0.05;

}  // namespace

double PullFactor(int dy, int screenHeight) { return -DragStep(dy, screenHeight); }

double SizeFactor(int dy, int screenHeight) {
  return std::max(1.0 - PullFactor(dy, screenHeight), kSmallestSizeFactor);
}

Transform ScaledAbout(const Transform& local, const Vector& center, double factor) {
  const Transform scale(factor, 0, 0, 0, 0, factor, 0, 0, 0, 0, factor, 0);
  return local * TranslationBy(center) * scale * TranslationBy(center * -1.0);
}

void SizeGroup(GroupSO& group, double factor) {
  factor = LimitedSizeRatio(group.GetTransform(), factor);
  const BoundingBox box = group.GetBox(nullptr);
  group.SetTransform(ScaledAbout(group.GetTransform(), (box.min + box.max) * 0.5, factor));
  group.scale = group.scale * factor;
}

double PushPullStep(double distance, double halfSize, double frontClip, double pullFactor) {
  const double beyond = std::max(distance, halfSize) - frontClip;
  return std::max(beyond * pullFactor, -beyond);
}

std::optional<Vector> SightStep(const Transform& camera, const Vector& distanceAnchor, const Vector& directionAnchor,
                                bool parallel, double halfSize, double frontClip, double pullFactor) {
  const Vector position = CameraPosition(camera), view = ViewDirection(camera);
  const Vector toAnchor = distanceAnchor - position;
  const double distance = parallel ? Dot(view, toAnchor) : toAnchor.Length();
  Vector direction = parallel ? view : directionAnchor - position;
  if (!(direction.Length() > 0.0)) return std::nullopt;
  return direction.Normalize() * PushPullStep(distance, halfSize, frontClip, pullFactor);
}

Vector ViewPlaneMove(const Transform& camera, double depth, const Vector& d, const Vector& previous,
                     const Vector& track) {
  const Vector to = PointAtDepth(camera, d, depth);
  return to - (IsTrackSet(track) ? track : PointAtDepth(camera, previous, depth));
}

std::optional<Vector> LevelObjectMove(const Vector& anchor, const DragRay& current, const DragRay& previous,
                                      const Vector& track) {
  const std::optional<Vector> to = PointOnLevel(anchor, current.origin, current.direction);
  if (!to) return std::nullopt;
  if (IsTrackSet(track)) return *to - track;
  const std::optional<Vector> from = PointOnLevel(anchor, previous.origin, previous.direction);
  if (!from) return std::nullopt;
  return *to - *from;
}

double RaiseLowerStep(const Vector& center, double halfSize, double pullFactor) {
  return pullFactor * std::max(std::abs(center.y), halfSize);
}

std::optional<Vector> TowardsObjectMove(const Vector& from, const Vector& to, double halfSize, double pullFactor) {
  Vector d = to - from;
  const double length = d.Length();
  if (!(length > 0.0)) return std::nullopt;
  return d.Normalize() * (std::max(length, halfSize) * pullFactor);
}

Vector CylinderAxis(const BoundingBox& meshBox) {
  const Vector extent = meshBox.max - meshBox.min;
  Vector axis = extent.x < extent.y ? Vector(0, extent.y, 0) : Vector(extent.x, 0, 0);
  if (extent.z > std::max(axis.x, axis.y)) axis = Vector(0, 0, extent.z);
  return axis;
}

Transform TurnAboutCylinder(const Transform& camera, const Transform& cylinderWorld, const BoundingBox& meshBox,
                            const Vector& center, POINT previous, POINT current, int screenWidth) {
  const Vector local = CylinderAxis(meshBox);
  Vector axis = cylinderWorld.TransformPoint(local) - CameraPosition(cylinderWorld);  // its translation
  if (Dot(ViewDirection(camera), axis) < 0.0) axis = axis * -1.0;
  const double angle = (previous.x - current.x) * 2.0 * std::numbers::pi / screenWidth;
  return Transform(angle, axis, center);
}
