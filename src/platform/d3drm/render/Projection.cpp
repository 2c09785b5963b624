#include "platform/d3drm/render/Projection.h"

#include <algorithm>
#include <cmath>

namespace d3drm {

Projection::Projection(const ViewSettings& s)
    : valid_(s.front > 0.0f && s.back > s.front && s.field > 0.0f && std::isfinite(s.back) && std::isfinite(s.field)),
      orthographic_(s.projection == D3DRMPROJECT_ORTHOGRAPHIC),
      front_(s.front),
      back_(s.back),
      cx_(s.x + s.width / 2.0),
      cy_(s.y + s.height / 2.0) {
  const double half = std::max(s.width, s.height) / 2.0;
  scale_ = orthographic_ ? half / s.field : half * s.front / s.field;
  a_ = back_ / (back_ - front_);
  b_ = a_ * front_;
}

ScreenPoint Projection::ToScreen(double x, double y, double z) const {
  if (orthographic_) return {cx_ + scale_ * x, cy_ - scale_ * y, (z - front_) / (back_ - front_), 1.0};
  return {cx_ + scale_ * x / z, cy_ - scale_ * y / z, a_ - b_ / z, z};
}

D3DRMVECTOR4D Projection::ToHomogeneous(double x, double y, double z) const {
  if (orthographic_) {
    const ScreenPoint s = ToScreen(x, y, z);
    return {D3DVAL(s.x), D3DVAL(s.y), D3DVAL(s.z), 1.0f};
  }
  return {D3DVAL(cx_ * z + scale_ * x), D3DVAL(cy_ * z - scale_ * y), D3DVAL(a_ * z - b_), D3DVAL(z)};
}

bool Projection::ToCamera(double sx, double sy, double sz, D3DVECTOR* camera) const {
  double z;
  if (orthographic_) {
    z = front_ + sz * (back_ - front_);
    *camera = {D3DVAL((sx - cx_) / scale_), D3DVAL((cy_ - sy) / scale_), D3DVAL(z)};
  } else {
    z = b_ / (a_ - sz);
    *camera = {D3DVAL((sx - cx_) * z / scale_), D3DVAL((cy_ - sy) * z / scale_), D3DVAL(z)};
  }
  return std::isfinite(z) && std::isfinite(camera->x) && std::isfinite(camera->y);
}

}  // namespace d3drm
