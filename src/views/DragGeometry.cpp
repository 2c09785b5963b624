#include "views/DragGeometry.h"

#include <cmath>

#include "scene/GroupSO.h"

Vector operator-(const Vector& a, const Vector& b) { return Vector(a.x - b.x, a.y - b.y, a.z - b.z); }
Vector operator*(const Vector& v, double s) { return Vector(v.x * s, v.y * s, v.z * s); }
double Dot(const Vector& a, const Vector& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vector Cross(const Vector& a, const Vector& b) {
  return Vector(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

Vector CameraPosition(const Transform& camera) { return Vector(camera.t[0], camera.t[1], camera.t[2]); }

// The camera's turn alone: subtracting its position from a moved point would lose the axis in
// rounding once the camera stands far out (a scene fitted into view from very far away).
static Vector CameraAxis(const Transform& camera, const Vector& local) {
  Vector axis = camera.TransformDirection(local);
  return axis.Normalize();
}

Vector ViewDirection(const Transform& camera) { return CameraAxis(camera, Vector(0.0, 0.0, 1.0)); }

DragRay OrthographicRay(const Transform& camera, double orthoHeight, long zoomNumerator, long zoomDenominator,
                        int clientWidth, int clientHeight, int x, int y) {
  const Vector right = CameraAxis(camera, Vector(1.0, 0.0, 0.0));
  const Vector up = CameraAxis(camera, Vector(0.0, 1.0, 0.0));
  const double dx = x - clientWidth / 2;
  const double dy = y - clientHeight / 2;
  const double f = zoomDenominator * orthoHeight / (zoomNumerator * 2.0);
  const double m = clientWidth > clientHeight ? clientWidth : clientHeight;
  const double ux = 2.0 * dx * f / m;
  const double uy = 2.0 * dy * f / m;
  // Window y grows downwards, the camera's up axis upwards.
  return {CameraPosition(camera) + right * ux - up * uy, ViewDirection(camera)};
}

DragRay PerspectiveRay(const Transform& camera, IDirect3DRMViewport* viewport, double lx, double ly) {
  // Through a camera the 3D layer cannot see through (it shows nothing), every ray runs ahead.
  if (!D3DRMViewportSeesThrough(viewport)) return {CameraPosition(camera), ViewDirection(camera)};
  D3DRMVECTOR4D screenDir{static_cast<float>(lx), static_cast<float>(ly), 1.0f, 1.0f};
  D3DVECTOR _lookDir{};
  XCHECK_D3DRM(viewport->InverseTransform( &_lookDir, &screenDir ));
  const Vector origin = CameraPosition(camera);
  Vector direction = Vector(_lookDir.x, _lookDir.y, _lookDir.z) - origin;
  return {origin, direction.Normalize()};
}

void MoveGroupBy(GroupSO& group, const Transform& m) {
  // Into the parent's world space, move there, and back: a group under a transformed parent moves
  // by m in world coordinates too.
  Transform toWorld, toLocal;
  if (Ptr<GroupSO> parent = group.GetParent()) {
    toWorld = parent->GetWorldTransform();
    toLocal = parent->GetWorldInverseTransform();
  }
  group.SetTransform(toLocal * m * toWorld * group.GetTransform());
}

void MoveSelectionBy(const XList<Ptr<GroupSO>>& selection, const Transform& m, Vector& track, Vector& center) {
  POSITION pos = selection.GetTailPosition();
  while (pos) MoveGroupBy(*selection.GetPrev(pos), m);
  if (IsTrackSet(track)) track = m.TransformPoint(track);
  center = m.TransformPoint(center);
}
