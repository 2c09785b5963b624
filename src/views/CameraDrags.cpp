#include "views/CameraDrags.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "views/CameraLengths.h"
#include "views/DragGeometry.h"

namespace {

constexpr double kDragExponent = 1.3;
constexpr double kSmallestTurn = 0.00001;
constexpr double kSmallestFocal = 0.0010000000474974513;
constexpr double kStartingFStop = 32.0;
constexpr double kSmallestFStop = 0.01;

// The camera's turn alone: a moved point less the camera's place loses the axis in rounding once
// the camera stands far out, as a window fitted to a far-flung scene does.
Vector Axis(const Transform& camera, double x, double y, double z) {
  return camera.TransformDirection(Vector(x, y, z));
}

// The angle between two unit vectors; rounding may put their dot product beyond +-1.
double AngleBetween(const Vector& a, const Vector& b) { return std::acos(std::clamp(Dot(a, b), -1.0, 1.0)); }

// The turn by theta about a x b through `point`, or none when the turn is too small or has no axis.
std::optional<Transform> TurnBetween(const Vector& a, const Vector& b, const Vector& point) {
  const double theta = AngleBetween(a, b);
  const Vector axis = Cross(a, b);
  if (!(theta > kSmallestTurn) || !(axis.Length() > 0.0)) return std::nullopt;
  return Transform(theta, axis, point);
}

}  // namespace

Transform TranslationBy(const Vector& v) { return Transform(1, 0, 0, v.x, 0, 1, 0, v.y, 0, 0, 1, v.z); }

double DragStep(int dy, int screenHeight) {
  const double step = std::pow(std::abs(dy), kDragExponent) / screenHeight;
  return dy < 0 ? -step : step;
}

Transform RotateCameraOrthographic(const Transform& camera, POINT previous, POINT current, int screenWidth,
                                   int screenHeight) {
  const double quarter = 0.5 * std::numbers::pi;
  const double a = (previous.x - current.x) * quarter / screenWidth;
  const double b = (previous.y - current.y) * quarter / screenHeight;
  const Vector position = CameraPosition(camera);
  return Transform(a, Axis(camera, 0, 1, 0), position) * Transform(b, Axis(camera, 1, 0, 0), position);
}

std::optional<Transform> RotateCameraBetween(const Transform& camera, const Vector& p, const Vector& q) {
  if (p.x == q.x && p.y == q.y && p.z == q.z) return std::nullopt;
  return TurnBetween(p, q, CameraPosition(camera));
}

Transform TurnByMovement(const Transform& camera, const Vector& center, POINT previous, POINT current,
                         int screenWidth, int screenHeight) {
  const double full = 2.0 * std::numbers::pi;
  const double a = (previous.x - current.x) * full / screenWidth;
  const double b = (previous.y - current.y) * full / screenHeight;
  return Transform(a, Axis(camera, 0, 1, 0), center) * Transform(b, Axis(camera, 1, 0, 0), center);
}

std::optional<TrackingTurn> TurnTracking(const Transform& camera, const Vector& origin, const Vector& d,
                                         double frontClip, const Vector& center, const Vector& track) {
  const double r = (track - center).Length();
  const Vector l = origin - center;
  const double a = Dot(d, d), b = 2.0 * Dot(d, l), c = Dot(l, l) - r * r;
  const double disc = b * b - 4.0 * a * c;
  Vector hit;
  if (disc < 0.0) {
    const Vector e = (origin - d * (Dot(l, d) / a)) - center;
    if (!(e.Length() > 0.0)) return std::nullopt;
    hit = center + e * (r / e.Length());
  } else if (disc == 0.0) {
    hit = origin + d * (-b / (2.0 * a));
  } else {
    const Vector h1 = origin + d * ((-b - std::sqrt(disc)) / (2.0 * a));
    const Vector h2 = origin + d * ((-b + std::sqrt(disc)) / (2.0 * a));
    hit = (h1 - track).Length() < (h2 - track).Length() ? h1 : h2;
  }
  if (Dot(ViewDirection(camera), hit - origin) < frontClip) return std::nullopt;
  if (hit.x == track.x && hit.y == track.y && hit.z == track.z) return std::nullopt;
  Vector u = track - center, w = hit - center;
  if (!(u.Length() > 0.0) || !(w.Length() > 0.0)) return std::nullopt;
  const std::optional<Transform> turn = TurnBetween(u.Normalize(), w.Normalize(), center);
  if (!turn) return std::nullopt;
  return TrackingTurn{*turn, hit};
}

std::optional<Transform> RollCamera(const Transform& camera, POINT previous, POINT current, int clientWidth,
                                    int clientHeight) {
  const double cx = clientWidth / 2.0, cy = clientHeight / 2.0;
  Vector a(previous.x - cx, previous.y - cy, 0.0), b(current.x - cx, current.y - cy, 0.0);
  // A point at the very centre has no direction from it: no roll.
  if (!(a.Length() > 0.0) || !(b.Length() > 0.0)) return std::nullopt;
  a.Normalize();
  b.Normalize();
  double theta = AngleBetween(a, b);
  if (a.x * b.y - a.y * b.x < 0.0) theta = -theta;
  if (std::abs(theta) <= kSmallestTurn) return std::nullopt;
  return Transform(theta, ViewDirection(camera), CameraPosition(camera));
}

Transform ViewPlaneShift(const Transform& camera, POINT from, POINT to, double orthoHeight, long zoomNumerator,
                         long zoomDenominator, int clientWidth, int clientHeight) {
  Vector right = Axis(camera, 1, 0, 0), up = Axis(camera, 0, 1, 0);
  const double m = std::max(clientWidth, clientHeight);
  const double f = zoomDenominator * orthoHeight / (zoomNumerator * 2.0);
  const double ux = (to.x - from.x) * f * 2.0 / m;
  const double uy = (to.y - from.y) * f * 2.0 / m;
  return TranslationBy(right.Normalize() * ux - up.Normalize() * uy);
}

Vector PointAtDepth(const Transform& camera, const Vector& d, double depth) {
  return CameraPosition(camera) + d * (depth / Dot(ViewDirection(camera), d));
}

Transform PushPullCamera(const Transform& camera, double depth, int dy, int screenHeight) {
  return TranslationBy(ViewDirection(camera) * (depth * DragStep(dy, screenHeight)));
}

Transform RaiseLowerCamera(const Transform& camera, int dy, int screenHeight) {
  const double k = std::max(1.0, std::abs(camera.t[1]));
  return TranslationBy(Vector(0.0, DragStep(dy, screenHeight) * k, 0.0));
}

std::optional<Vector> PointOnLevel(const Vector& anchor, const Vector& origin, const Vector& d) {
  if (d.y == 0.0) return std::nullopt;
  const Vector q = origin + d * ((anchor.y - origin.y) / d.y);
  if (!std::isfinite(q.x) || !std::isfinite(q.z)) return std::nullopt;
  return Vector(q.x, anchor.y, q.z);
}

std::optional<Transform> MoveCameraLevel(const Transform& camera, const Vector& anchor, const Vector& previous,
                                         const Vector& current) {
  const Vector o = CameraPosition(camera);
  const std::optional<Vector> q = PointOnLevel(anchor, o, current), q0 = PointOnLevel(anchor, o, previous);
  if (!q || !q0) return std::nullopt;
  return TranslationBy(*q0 - *q);
}

std::optional<Transform> MoveCameraTowards(const Transform& camera, const Vector& center, double minimumDistance,
                                           int dy, int screenHeight) {
  Vector w = center - CameraPosition(camera);
  const double distance = std::max(w.Length(), minimumDistance);
  if (!(w.Length() > 0.0)) return std::nullopt;
  return TranslationBy(w.Normalize() * (distance * DragStep(dy, screenHeight)));
}

// Focus and f-stop stop at the longest a camera keeps, as the focal length does: beyond it a saved
// scene would come back with the default lens. The focus goes as far as the Focus page takes it, so
// a drag never shortens a focus the page set.
double FocusAfterDrag(double focus, double focal, int dy, int screenHeight) {
  return std::max(std::min(focus - focus * DragStep(dy, screenHeight), kLargestFocusDistance), focal);
}

double FocalAfterDrag(double focal, int dy, int screenHeight) {
  // Lengthened without end, the focal length would narrow the view's field to nothing.
  return std::clamp(focal + dy * focal / screenHeight, kSmallestFocal, kLargestCameraLength);
}

double FStopAfterDrag(double fstop, int dy, int screenHeight) {
  if (fstop == 0.0) fstop = kStartingFStop;
  return std::clamp(fstop + dy * fstop / screenHeight, kSmallestFStop, kLargestCameraLength);
}
