#include "platform/d3drm/render/Clip.h"

#include <initializer_list>

namespace d3drm {
namespace {

struct Bound {
  double limit;
  bool below;  // keep z <= limit, else keep z >= limit
  bool Keeps(const ClipVertex& v) const { return below ? v.position.z <= limit : v.position.z >= limit; }
};

float Mix(float kept, float cut, double t) { return static_cast<float>(kept + t * (double(cut) - kept)); }

// The point where the edge from `kept` (inside) to `cut` (outside) crosses the bound.
ClipVertex Cross(const ClipVertex& kept, const ClipVertex& cut, const Bound& bound) {
  const double t = (bound.limit - kept.position.z) / (double(cut.position.z) - kept.position.z);
  ClipVertex v;
  v.position = {Mix(kept.position.x, cut.position.x, t), Mix(kept.position.y, cut.position.y, t),
                static_cast<float>(bound.limit)};
  for (int i = 0; i < 3; ++i) {
    v.colour[i] = Mix(kept.colour[i], cut.colour[i], t);
    v.specular[i] = Mix(kept.specular[i], cut.specular[i], t);
  }
  v.u = Mix(kept.u, cut.u, t);
  v.v = Mix(kept.v, cut.v, t);
  return v;
}

// At most `room` corners are kept; a convex polygon never needs more than count + 1.
int ClipPolygon(const ClipVertex* in, int count, const Bound& bound, ClipVertex* out, int room) {
  int kept = 0;
  for (int i = 0; i < count; ++i) {
    const ClipVertex& current = in[i];
    const ClipVertex& next = in[(i + 1) % count];
    const bool currentIn = bound.Keeps(current), nextIn = bound.Keeps(next);
    if (currentIn && kept < room) out[kept++] = current;
    if (currentIn != nextIn && kept < room)
      out[kept++] = currentIn ? Cross(current, next, bound) : Cross(next, current, bound);
  }
  return kept;
}

}  // namespace

int ClipTriangleToDepth(const ClipVertex in[3], double front, double back, ClipVertex out[kMaxClippedCorners]) {
  ClipVertex nearCut[4];
  const int count = ClipPolygon(in, 3, {front, false}, nearCut, 4);
  return count < 3 ? 0 : ClipPolygon(nearCut, count, {back, true}, out, kMaxClippedCorners);
}

bool ClipSegmentToDepth(ClipVertex* a, ClipVertex* b, double front, double back) {
  for (const Bound& bound : {Bound{front, false}, Bound{back, true}}) {
    const bool aIn = bound.Keeps(*a), bIn = bound.Keeps(*b);
    if (!aIn && !bIn) return false;
    if (!aIn) *a = Cross(*b, *a, bound);
    if (!bIn) *b = Cross(*a, *b, bound);
  }
  return true;
}

}  // namespace d3drm
