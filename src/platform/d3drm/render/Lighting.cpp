#include "platform/d3drm/render/Lighting.h"

#include <algorithm>
#include <cmath>

#include "platform/d3drm/Frame.h"
#include "platform/d3drm/Light.h"

namespace d3drm {
namespace {

float Dot(const D3DVECTOR& a, const D3DVECTOR& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float Length(const D3DVECTOR& v) { return std::sqrt(Dot(v, v)); }
D3DVECTOR Scale(const D3DVECTOR& v, float k) { return {v.x * k, v.y * k, v.z * k}; }

float Clamp255(float value) { return value > 0.0f ? std::min(value, 1.0f) * 255.0f : 0.0f; }

}  // namespace

SceneLight PlaceLight(Light& light, const Matrix4& lightToCamera) {
  SceneLight placed;
  placed.type = light.GetType();
  const D3DCOLOR colour = light.GetColor();
  placed.colour[0] = D3DRMColorGetRed(colour);
  placed.colour[1] = D3DRMColorGetGreen(colour);
  placed.colour[2] = D3DRMColorGetBlue(colour);
  placed.position = TransformPoint(lightToCamera, {0.0f, 0.0f, 0.0f});
  placed.direction = Normalized(TransformDirection(lightToCamera, {0.0f, 0.0f, 1.0f}));
  placed.range = light.GetRange();
  placed.constant = light.GetConstantAttenuation();
  placed.linear = light.GetLinearAttenuation();
  placed.quadratic = light.GetQuadraticAttenuation();
  const float penumbra = light.GetPenumbra(), umbra = std::min(light.GetUmbra(), penumbra);
  placed.cosUmbra = std::cos(umbra / 2.0f);
  placed.cosPenumbra = std::cos(penumbra / 2.0f);
  placed.enableFrame = light.enableFrame();
  return placed;
}

LightingContext::LightingContext(const std::vector<SceneLight>& lights, const Frame* frame, const D3DVECTOR& origin,
                                 bool orthographic)
    : origin_(origin), orthographic_(orthographic) {
  for (const SceneLight& light : lights) {
    if (light.enableFrame && !frame->IsWithin(light.enableFrame)) continue;
    if (light.type == D3DRMLIGHT_AMBIENT) {
      for (int i = 0; i < 3; ++i) ambient_[i] += light.colour[i];
    } else {
      lights_.push_back(&light);
    }
  }
}

float LightingContext::Reach(const SceneLight& light, const D3DVECTOR& toLight, float distance) const {
  if (light.type == D3DRMLIGHT_DIRECTIONAL) return 1.0f;
  if (!(distance <= light.range)) return 0.0f;
  const float fade = light.constant + light.linear * distance + light.quadratic * distance * distance;
  float reach = fade > 1e-6f ? 1.0f / fade : 1e6f;
  if (light.type == D3DRMLIGHT_SPOT) {
    const float cosine = -Dot(toLight, light.direction);
    if (cosine <= light.cosPenumbra) return 0.0f;
    if (cosine < light.cosUmbra) reach *= (cosine - light.cosPenumbra) / (light.cosUmbra - light.cosPenumbra);
  }
  return reach;
}

void LightingContext::Shade(const D3DVECTOR& position, const D3DVECTOR& normal, const float diffuse[3],
                            const SurfaceLook& look, float colour[3], float specular[3]) const {
  float lit[3] = {ambient_[0], ambient_[1], ambient_[2]};
  float shine[3] = {};
  const bool highlights = look.Shines();
  const D3DVECTOR toEye = orthographic_ ? D3DVECTOR{0.0f, 0.0f, -1.0f} : Normalized(Scale(position, -1.0f));
  for (const SceneLight* light : lights_) {
    D3DVECTOR toLight;
    float distance = 0.0f;
    if (light->type == D3DRMLIGHT_DIRECTIONAL) {
      toLight = Scale(light->direction, -1.0f);
    } else {
      const D3DVECTOR from = light->type == D3DRMLIGHT_PARALLELPOINT ? origin_ : position;
      toLight = Subtract(light->position, from);
      distance = Length(toLight);
      toLight = Normalized(toLight);
    }
    const float facing = Dot(normal, toLight);
    if (!(facing > 0.0f)) continue;
    const float reach = Reach(*light, toLight, distance);
    if (reach <= 0.0f) continue;
    for (int i = 0; i < 3; ++i) lit[i] += light->colour[i] * facing * reach;
    if (!highlights) continue;
    const float half = Dot(normal, Normalized({toLight.x + toEye.x, toLight.y + toEye.y, toLight.z + toEye.z}));
    if (half <= 0.0f) continue;
    const float strength = std::pow(half, look.power) * reach;
    for (int i = 0; i < 3; ++i) shine[i] += light->colour[i] * strength;
  }
  for (int i = 0; i < 3; ++i) {
    colour[i] = Clamp255(look.emissive[i] + diffuse[i] / 255.0f * lit[i]);
    specular[i] = Clamp255(look.specular[i] * shine[i]);
  }
}

}  // namespace d3drm
