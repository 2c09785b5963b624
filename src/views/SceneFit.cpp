#include "views/SceneFit.h"

#include <algorithm>
#include <cmath>

#include "views/DragGeometry.h"
#include "views/SceneReach.h"

namespace {

constexpr double kFilmWidth = 0.035;

double Aspect(int width, int height) { return width > 0 && height > 0 ? double(width) / height : 1.0; }

// The distance `d` back from `center` along `view`, shortened where the camera would stand beyond
// the largest coordinate of a fitted camera (a long lens or a high zoom fits from very far).
double WithinFittedReach(const Vector& center, const Vector& view, double d) {
  const double at[3] = {center.x, center.y, center.z}, back[3] = {-view.x, -view.y, -view.z};
  for (int i = 0; i < 3; ++i) {
    if (back[i] == 0.0) continue;
    const double limit = (kLargestFittedCameraCoordinate - (back[i] > 0.0 ? at[i] : -at[i])) / std::fabs(back[i]);
    if (limit >= 0.0) d = std::min(d, limit);
  }
  return d;
}

}  // namespace

double FillDistance(double radius, long zoomNumerator, long zoomDenominator, double focal, int clientWidth,
                    int clientHeight, double front) {
  const double t = (zoomDenominator * kFilmWidth) / (zoomNumerator * 2.0) / focal;
  const double a = Aspect(clientWidth, clientHeight);
  return std::max(radius / std::sin(std::atan(t)) * std::max(a, 1.0 / a), front);
}

double OrthographicDistance(double d, double radius, double front) {
  // The distance that fills a long window can leave the whole object beyond the back plane.
  if (d + radius <= front + kOrthographicDepth) return d;
  return front + std::max(radius, kOrthographicDepth / 2);
}

std::optional<SceneFit> FitSceneBox(const Transform& camera, int kind, const BoundingBox& box, int clientWidth,
                                    int clientHeight, double focal, double front, long zoomNumerator,
                                    long zoomDenominator, double emptyHeight, bool orthographic) {
  if (clientWidth <= 0 || clientHeight <= 0) return std::nullopt;
  const double a = double(clientWidth) / clientHeight, b = double(clientHeight) / clientWidth;
  const Vector extent = box.max - box.min;
  double r = extent.Length() / 2;
  double height;
  if ((extent.x == 0 && extent.y == 0 && extent.z == 0) || std::abs(r) < 1e-05) {
    height = emptyHeight;
    r = height / 2;
  } else {
    // The extent along the view's vertical axis grows with a, the horizontal one with b.
    const double va = std::max(a, 1.0), hb = std::max(b, 1.0);
    switch (kind) {
      case 1: case 2: height = std::max(va * extent.y, hb * extent.x); break;
      case 3: case 4: height = std::max(hb * extent.x, va * extent.z); break;
      case 5: case 6: height = std::max(va * extent.y, hb * extent.z); break;
      default: height = std::max(a, b) * r * 2; break;
    }
  }
  double d = FillDistance(r, zoomNumerator, zoomDenominator, focal, clientWidth, clientHeight, front);
  if (orthographic) d = OrthographicDistance(d, r, front);
  const Vector center = (box.max + box.min) * 0.5, view = ViewDirection(camera);
  d = WithinFittedReach(center, view, d);
  const Vector position = center - view * d;
  SceneFit fit{height, camera};
  fit.camera.t[0] = position.x;
  fit.camera.t[1] = position.y;
  fit.camera.t[2] = position.z;
  return fit;
}
