// Geometry shared by the drags of a camera window: the ray under a window point, moving one group
// by a transform given in world coordinates, and moving the selection with the press anchors.
#pragma once

#include "core/Pointers.h"
#include "core/Transform.h"
#include "core/XList.h"
#include "platform/d3drm/D3DRM.h"

class GroupSO;

// Small vector arithmetic the drags share.
Vector operator-(const Vector& a, const Vector& b);
Vector operator*(const Vector& v, double s);
double Dot(const Vector& a, const Vector& b);
Vector Cross(const Vector& a, const Vector& b);

// The grabbed point of a press is unset when its x is -DBL_MAX; only x carries the mark.
inline bool IsTrackSet(const Vector& track) { return track.x != -DBL_MAX; }
inline void UnsetTrack(Vector& track) { track.x = -DBL_MAX; }

struct DragRay {
  Vector origin;
  Vector direction;  // unit length
};

// The camera's position (its translation row) and its view direction: the unit vector towards
// the point the camera transform gives for (0, 0, 1).
Vector CameraPosition(const Transform& camera);
Vector ViewDirection(const Transform& camera);

// The ray of an orthographic window through client point (x, y). `zoomNumerator` and
// `zoomDenominator` are the vertical zoom components; the client size is width x height.
DragRay OrthographicRay(const Transform& camera, double orthoHeight, long zoomNumerator, long zoomDenominator,
                        int clientWidth, int clientHeight, int x, int y);

// The ray of a perspective window through the logical image point (lx, ly): from the camera
// position towards the world point the viewport gives for it.
DragRay PerspectiveRay(const Transform& camera, IDirect3DRMViewport* viewport, double lx, double ly);

// Gives `group` the local transform that moves it by `m` in world coordinates, whatever the
// world transform of its parent.
void MoveGroupBy(GroupSO& group, const Transform& m);

// Moves every group of the selection (last to first) by `m`, and the grabbed point (when set) and
// the centre of the press with them.
void MoveSelectionBy(const XList<Ptr<GroupSO>>& selection, const Transform& m, Vector& track, Vector& center);
