// The one pixel loop of the renderer: a span of pixels in one row, tested against the z-buffer
// ("less or equal" passes) and, where it passes, written to the z-buffer and the colour surface.
// What colour a pixel gets is configured by the shade kind, blending and the surface's layout;
// each combination is its own compiled loop, chosen once per triangle.
#pragma once

#include <cstdint>

#include "platform/d3drm/Texture.h"
#include "platform/d3drm/render/Target.h"

namespace d3drm {

// Fixed-point values carry 16 fractional bits. Colours at every pixel of a span, the steps
// included, lie in 0..255.
struct Span {
  int y = 0;
  int x = 0;
  int count = 0;
  std::int64_t z = 0;  // z-buffer units; above 0xFFFF never passes
  std::int64_t dz = 0;
  std::int32_t colour[3] = {};  // diffuse red, green, blue, 0..255
  std::int32_t dColour[3] = {};
  std::int32_t specular[3] = {};
  std::int32_t dSpecular[3] = {};
  float texture[3] = {};  // u/w, v/w, 1/w
  float dTexture[3] = {};
};

// Flat: the span's first colour everywhere. Gouraud: colours stepped along the span. Textured:
// the texel times the stepped colour, plus the stepped specular colour when asked for.
enum class ShadeKind { Flat, Gouraud, Textured, TexturedSpecular };

struct SpanContext {
  const RenderTarget* target = nullptr;
  const Picture* texture = nullptr;
  std::uint32_t alpha = 255;  // with blending: the weight of the new colour, 0..255
};

using SpanWriter = void (*)(const SpanContext& context, const Span& span);

SpanWriter SelectSpanWriter(PixelLayout layout, ShadeKind shade, bool blend);

}  // namespace d3drm
