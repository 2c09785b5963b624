// The object drags of a camera window as numbers and transforms: size, push/pull, raise/lower,
// towards another object, and the axis of the rotate-about cylinder. The drag frame applies them
// to the selected groups.
#pragma once

#include <optional>

#include "core/Transform.h"
#include "views/DragGeometry.h"

class GroupSO;

// The pull factor of a vertical movement: |dy|^1.3 / screen height, positive upwards.
double PullFactor(int dy, int screenHeight);

// The size factor of a vertical movement: up shrinks, down enlarges. A long upward movement in
// one message never turns an object inside out or flat: the factor stays at least 0.05.
double SizeFactor(int dy, int screenHeight);
// Sizes a group by `factor` about the centre of its own box; its size scale grows with it. The
// factor stops where the group's transform would leave the sizes an edit may give
// (kSmallestAxisScale to kLargestAxisScale).
void SizeGroup(GroupSO& group, double factor);
// The local transform that scales a group by `factor` about `center` in its own coordinates
// before its transform `local`.
Transform ScaledAbout(const Transform& local, const Vector& center, double factor);

// The step along the line of sight of push/pull: the distance (at least `halfSize`) beyond the
// front clipping plane times the pull factor, never pulling by more than that distance.
double PushPullStep(double distance, double halfSize, double frontClip, double pullFactor);

// Push/Pull Object and the along-sight part of Move Object Along Sight: the move towards or away
// from the camera. The distance is measured to `distanceAnchor`, along the view direction when
// `parallel`, else straight; the move runs along the view direction, or else straight from the
// camera towards `directionAnchor`. None when that direction does not exist.
std::optional<Vector> SightStep(const Transform& camera, const Vector& distanceAnchor, const Vector& directionAnchor,
                                bool parallel, double halfSize, double frontClip, double pullFactor);

// Move Object in a perspective window: the move across the view at the depth of the grabbed point
// (or of the centre) that brings the grabbed point under the current ray `d`, or, with none,
// follows the pointer from the previous ray `previous`.
Vector ViewPlaneMove(const Transform& camera, double depth, const Vector& d, const Vector& previous,
                     const Vector& track);

// Move Object Constant Height: the move on the horizontal plane through `anchor` to where the
// current ray meets it, from the grabbed point when set, else from where the previous ray met it.
// None for a ray parallel to the ground.
std::optional<Vector> LevelObjectMove(const Vector& anchor, const DragRay& current, const DragRay& previous,
                                      const Vector& track);

// Raise/Lower Object: the vertical step, proportional to the height of `center` above or below
// the ground, and near the ground to the object's half size.
double RaiseLowerStep(const Vector& center, double halfSize, double pullFactor);

// Move Object Towards Object: the move of the picked object (centre `from`) towards the centre of
// the selected one, by the pull factor of their distance (at least `halfSize`). None when the
// centres coincide and there is no direction.
std::optional<Vector> TowardsObjectMove(const Vector& from, const Vector& to, double halfSize, double pullFactor);

// The rotate-about axis of the cylinder mesh: along the longest side of its box.
Vector CylinderAxis(const BoundingBox& meshBox);
// Rotate Object About: the turn about the cylinder's world axis through `center` by a horizontal
// movement (a screen width a full turn). The axis never points towards the viewer, so a movement
// turns the object the same way however the cylinder lies.
Transform TurnAboutCylinder(const Transform& camera, const Transform& cylinderWorld, const BoundingBox& meshBox,
                            const Vector& center, POINT previous, POINT current, int screenWidth);
