// Lighting in camera space. A lit point with unit normal N and diffuse colour d gets
//   colour   = emissive + d * (ambient + sum of light * max(0, N.L) * reach)
//   specular = material specular * sum of light * max(0, N.H)^power * reach  (where N.L > 0)
// with L the direction to the light, H halfway between L and the direction to the eye, and reach
// the attenuation 1 / (constant + linear d + quadratic d^2) within the light's range (point, spot
// and parallel-point lights) times the spot cone: full inside half the umbra angle from the axis,
// none outside half the penumbra angle, linear in the cosine between. A material power of 0 or
// less gives no highlight. Colours are clamped to 0..255.
#pragma once

#include <vector>

#include "platform/d3drm/Matrix.h"

namespace d3drm {

class Frame;
class Light;

struct SceneLight {
  D3DRMLIGHTTYPE type;
  float colour[3];      // 0..1
  D3DVECTOR position;   // camera space
  D3DVECTOR direction;  // where it shines, unit length
  float range, constant, linear, quadratic;
  float cosUmbra, cosPenumbra;  // cosines of the half angles
  const Frame* enableFrame;
};

// `lightToCamera` places the frame that holds the light.
SceneLight PlaceLight(Light& light, const Matrix4& lightToCamera);

struct SurfaceLook {
  float emissive[3] = {};  // 0..1
  float specular[3] = {};
  float power = 0.0f;

  bool Shines() const { return power > 0.0f && (specular[0] > 0.0f || specular[1] > 0.0f || specular[2] > 0.0f); }
};

// The lights that reach the visuals of one frame.
class LightingContext {
 public:
  // `origin` is the frame's origin in camera space, which parallel-point lights shine from.
  LightingContext(const std::vector<SceneLight>& lights, const Frame* frame, const D3DVECTOR& origin,
                  bool orthographic);

  // `diffuse` in 0..255; `normal` of unit length (or zero); results in 0..255.
  void Shade(const D3DVECTOR& position, const D3DVECTOR& normal, const float diffuse[3], const SurfaceLook& look,
             float colour[3], float specular[3]) const;

 private:
  float Reach(const SceneLight& light, const D3DVECTOR& toLight, float distance) const;

  float ambient_[3] = {};
  std::vector<const SceneLight*> lights_;
  D3DVECTOR origin_;
  bool orthographic_;
};

}  // namespace d3drm
