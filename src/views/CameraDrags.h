// The camera drags of a camera window: each turns one mouse movement into one change of the
// window's camera transform C (applied as C := M * C, a change in world coordinates) or of one of
// its lens values. An empty result means no move for this message.
#pragma once

#include <optional>

#include "core/Transform.h"

Transform TranslationBy(const Vector& v);

// The curved vertical step sign(dy) * |dy|^1.3 / screen height.
double DragStep(int dy, int screenHeight);

// Rotate Camera in an orthographic window: a screen width or height turns a quarter.
Transform RotateCameraOrthographic(const Transform& camera, POINT previous, POINT current, int screenWidth,
                                   int screenHeight);
// Rotate Camera in a perspective window: the turn that takes ray direction q (previous point) to
// p (current point), both unit vectors, about the camera position.
std::optional<Transform> RotateCameraBetween(const Transform& camera, const Vector& p, const Vector& q);

// The turn about `center` by a mouse movement: across the window about the camera's up axis,
// up or down about its right axis, a screen width or height a full turn. Rotate Object turns the
// objects by it; Rotate Camera Around turns the camera by its inverse.
Transform TurnByMovement(const Transform& camera, const Vector& center, POINT previous, POINT current,
                         int screenWidth, int screenHeight);

// The turn about `center` that takes the grabbed point `track` to `point`, where the ray (origin,
// unit direction d) meets the sphere about `center` through `track` (or, missing it, the sphere's
// point nearest to the ray). None when that point lies before the front clipping plane or the
// turn is too small to apply.
struct TrackingTurn {
  Transform turn;
  Vector point;
};
std::optional<TrackingTurn> TurnTracking(const Transform& camera, const Vector& origin, const Vector& d,
                                         double frontClip, const Vector& center, const Vector& track);

// Roll Camera: the angle swept about the client centre, about the line of sight.
std::optional<Transform> RollCamera(const Transform& camera, POINT previous, POINT current, int clientWidth,
                                    int clientHeight);

// In an orthographic window, the translation across the view from window point `from` to `to`
// (Move Object moves by it; Move Camera by the opposite).
Transform ViewPlaneShift(const Transform& camera, POINT from, POINT to, double orthoHeight, long zoomNumerator,
                         long zoomDenominator, int clientWidth, int clientHeight);
// The point under the ray direction `d` on the plane across the view at `depth`.
Vector PointAtDepth(const Transform& camera, const Vector& d, double depth);

// Push/Pull Camera along the line of sight by depth * s(dy).
Transform PushPullCamera(const Transform& camera, double depth, int dy, int screenHeight);
// Raise/Lower Camera: the step grows with the camera's distance from the ground.
Transform RaiseLowerCamera(const Transform& camera, int dy, int screenHeight);
// Where the ray (origin, direction d) meets the horizontal plane through `anchor`; none for a
// ray parallel to the ground or one that meets it too far away to reach.
std::optional<Vector> PointOnLevel(const Vector& anchor, const Vector& origin, const Vector& d);
// Move Camera Constant Height: the horizontal plane through `anchor` slides under the pointer
// from ray direction `previous` to `current`.
std::optional<Transform> MoveCameraLevel(const Transform& camera, const Vector& anchor, const Vector& previous,
                                         const Vector& current);
// Move Camera Towards Object: along the line to `center`, by at least `minimumDistance`.
std::optional<Transform> MoveCameraTowards(const Transform& camera, const Vector& center, double minimumDistance,
                                           int dy, int screenHeight);

// The lens drags. Each keeps within the longest camera length (CameraLengths.h); the focus stays
// at least the focal length.
double FocusAfterDrag(double focus, double focal, int dy, int screenHeight);
// The focal length is at least 0.001.
double FocalAfterDrag(double focal, int dy, int screenHeight);
double FStopAfterDrag(double fstop, int dy, int screenHeight);
