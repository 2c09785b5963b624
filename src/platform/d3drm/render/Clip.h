// Cutting triangles and lines at the front and back planes, in camera space. A cut point is
// always measured from the kept end of the cut edge, so two triangles sharing an edge get the
// same point.
#pragma once

#include "platform/d3drm/D3DRMTypes.h"

namespace d3drm {

struct ClipVertex {
  D3DVECTOR position;  // camera space
  float colour[3];     // diffuse, 0..255
  float specular[3];
  float u, v;
};

// A triangle cut to front <= z <= back has at most five corners.
constexpr int kMaxClippedCorners = 5;

// Cuts the triangle `in` to the depth range; returns the number of corners left in `out` (0, or
// 3 to 5, a convex polygon in the triangle's order).
int ClipTriangleToDepth(const ClipVertex in[3], double front, double back, ClipVertex out[kMaxClippedCorners]);

// Cuts the segment a-b to the depth range in place; false when nothing of it is left.
bool ClipSegmentToDepth(ClipVertex* a, ClipVertex* b, double front, double back);

}  // namespace d3drm
