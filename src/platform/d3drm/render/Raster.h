// Triangles and lines in screen space, cut into spans for the span writer. A pixel is covered
// when its centre (at integer coordinates) lies inside the triangle; a centre on an edge belongs
// to the triangle only when the edge is a top or a left edge, so a seam between two triangles is
// drawn once. Nothing outside the target's rectangle is touched, whatever the vertices hold.
#pragma once

#include "platform/d3drm/render/Spans.h"

namespace d3drm {

struct RasterVertex {
  float x = 0.0f;  // device pixels
  float y = 0.0f;
  double z = 0.0;  // z-buffer units: 65535 x depth
  float rhw = 1.0f;
  float colour[3] = {};  // diffuse red, green, blue, 0..255
  float specular[3] = {};
  float u = 0.0f;
  float v = 0.0f;
};

// How triangles are drawn: the span writer and what the spans must carry.
struct TriangleStyle {
  SpanWriter writer = nullptr;
  SpanContext context;
  bool flat = false;  // every pixel takes the colours of the first vertex
  bool textured = false;
  bool specular = false;
};

// `texture` may be null; `alpha` below 255 blends.
TriangleStyle MakeTriangleStyle(const RenderTarget& target, bool flat, const Picture* texture, bool specular,
                                std::uint32_t alpha);

void DrawTriangle(const TriangleStyle& style, const RasterVertex& a, const RasterVertex& b, const RasterVertex& c);

// A one-pixel line from a to b without its last pixel, one pixel for each step of the longer axis.
void DrawLine(const TriangleStyle& style, const RasterVertex& a, const RasterVertex& b);

}  // namespace d3drm
