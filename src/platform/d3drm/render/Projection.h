// The mapping from camera space (looking along +z, +y up) to the device's pixels (y down) and the
// depth of the z-buffer. For a viewport of w x h pixels at (x, y) on the device with front D, back
// F and field f:
//   cx = x + w/2, cy = y + h/2, S = max(w/2, h/2) * D / f (perspective) or max(w/2, h/2) / f
//   (orthographic: the field is in world units); the field is thus half the larger side.
//   perspective:  sx = cx + S * X / Z,  sy = cy - S * Y / Z,  sz = A - B / Z,  A = F / (F - D), B = A * D
//   orthographic: sx = cx + S * X,      sy = cy - S * Y,      sz = (Z - D) / (F - D)
// A pixel's z-buffer value is trunc(65535 * sz).
#pragma once

#include "platform/d3drm/D3DRMTypes.h"

namespace d3drm {

struct ViewSettings {
  LONG x = 0;
  LONG y = 0;
  DWORD width = 0;
  DWORD height = 0;
  D3DVALUE front = 1.0f;
  D3DVALUE back = 100.0f;
  D3DVALUE field = 0.5f;
  D3DRMPROJECTIONTYPE projection = D3DRMPROJECT_PERSPECTIVE;
};

struct ScreenPoint {
  double x, y;
  double z;  // 0 at the front plane, 1 at the back plane
  double w;  // camera depth (perspective) or 1 (orthographic)
};

class Projection {
 public:
  explicit Projection(const ViewSettings& settings);

  // Front above 0, back beyond it and a field above 0.
  bool Valid() const { return valid_; }
  bool orthographic() const { return orthographic_; }
  double front() const { return front_; }
  double back() const { return back_; }

  ScreenPoint ToScreen(double x, double y, double z) const;
  // The same undivided: (sx w, sy w, sz w, w), defined also at camera depth 0.
  D3DRMVECTOR4D ToHomogeneous(double x, double y, double z) const;
  // The camera-space point at screen position (sx, sy) and depth sz; false where none exists.
  bool ToCamera(double sx, double sy, double sz, D3DVECTOR* camera) const;

 private:
  bool valid_;
  bool orthographic_;
  double front_, back_, cx_, cy_, scale_, a_, b_;
};

}  // namespace d3drm
