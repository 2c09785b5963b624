// Nearest-texel sampling with wrapping: the picture repeats in both directions, (0, 0) is the
// top-left corner of texel (0, 0) and (1, 1) the bottom-right corner of the last texel.
#pragma once

#include <cmath>
#include <cstdint>

#include "platform/d3drm/Texture.h"

namespace d3drm {

// The texel index of coordinate `t` in a row or column of `size` texels.
inline std::uint32_t WrapTexel(float t, std::uint32_t size) {
  if (!(std::abs(t) < 8388608.0f)) return 0;  // beyond float's fractions, or not a number
  float fraction = t - static_cast<float>(static_cast<std::int32_t>(t));
  if (fraction < 0.0f) fraction += 1.0f;
  const auto index = static_cast<std::uint32_t>(fraction * static_cast<float>(size));
  return index < size ? index : size - 1;  // a fraction just below 1 may round up
}

// 0x00RRGGBB; an empty picture samples as white.
inline std::uint32_t SampleNearest(const Picture& picture, float u, float v) {
  if (picture.width == 0 || picture.height == 0) return 0xFFFFFF;
  return picture.pixels[std::size_t{WrapTexel(v, picture.height)} * picture.width + WrapTexel(u, picture.width)];
}

}  // namespace d3drm
