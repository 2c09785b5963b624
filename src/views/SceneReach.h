// How far out the user's drags may carry things, so that whatever a drag leaves can be saved,
// read back and drawn by the 3D layer in its single precision.
#pragma once

#include "core/Transform.h"

class GroupSO;

// The largest coordinate a drag may give an object's box or a camera. Between two places within
// it, a difference, its square and the sum of three squares stay within single precision, as the
// 3D layer computes distances.
constexpr double kLargestSceneCoordinate = 1e18;
// A camera fitted to show the scene stands farther out than the scene reaches, at most this far.
constexpr double kLargestFittedCameraCoordinate = 4 * kLargestSceneCoordinate;

// The largest coordinate of a box, infinite for one that is not a number.
double Reach(const BoundingBox& box);
// The same of a camera's position.
double CameraReach(const Transform& camera);

// What a drag's move changes of one group, kept to take the move back.
class GroupBeforeMove {
 public:
  explicit GroupBeforeMove(GroupSO& group);
  // Whether the group may stay where the move left it: its transform a file can keep, and its box
  // within the largest scene coordinate or no farther out than before the move.
  bool MayStay() const;
  void Restore() const;

 private:
  GroupSO& group_;
  Transform transform_;
  Vector scale_;
  double reach_;
};

// Whether a camera moved from `before` to `after` may stay there: a transform a file can keep, at
// the largest scene coordinate or no farther out than before.
bool CameraMayStay(const Transform& before, const Transform& after);
