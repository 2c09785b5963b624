#include "views/SceneReach.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "scene/GroupSO.h"

namespace {

double Largest(std::initializer_list<double> values) {
  double largest = 0.0;
  for (double v : values) {
    if (std::isnan(v)) return std::numeric_limits<double>::infinity();
    largest = std::max(largest, std::fabs(v));
  }
  return largest;
}

double GroupReach(const GroupSO& group) {
  const Transform world = group.GetWorldTransform();
  return Reach(group.GetBox(&world));
}

// A place may stay within the reach, or where it comes no farther out than it was.
bool WithinReach(double after, double before) { return after <= kLargestSceneCoordinate || after <= before; }

}  // namespace

double Reach(const BoundingBox& box) {
  return Largest({box.min.x, box.min.y, box.min.z, box.max.x, box.max.y, box.max.z});
}

double CameraReach(const Transform& camera) { return Largest({camera.t[0], camera.t[1], camera.t[2]}); }

GroupBeforeMove::GroupBeforeMove(GroupSO& group)
    : group_(group), transform_(group.GetTransform()), scale_(group.scale), reach_(GroupReach(group)) {}

bool GroupBeforeMove::MayStay() const {
  return group_.GetTransform().InvertibleInSinglePrecision() && WithinReach(GroupReach(group_), reach_);
}

void GroupBeforeMove::Restore() const {
  group_.SetTransform(transform_);
  group_.scale = scale_;
}

bool CameraMayStay(const Transform& before, const Transform& after) {
  return after.InvertibleInSinglePrecision() && WithinReach(CameraReach(after), CameraReach(before));
}
