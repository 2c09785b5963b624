#include <cmath>

#include "platform/d3drm/D3DRMTypes.h"

namespace {

// 0..1 to a byte, rounded; out-of-range values are clamped and NaN gives 0.
DWORD Byte(D3DVALUE value) {
  if (!(value > 0.0f)) return 0;
  if (value >= 1.0f) return 255;
  return static_cast<DWORD>(value * 255.0f + 0.5f);
}

D3DVALUE Channel(D3DCOLOR color, int shift) { return static_cast<D3DVALUE>((color >> shift) & 0xFF) / 255.0f; }

}  // namespace

D3DCOLOR D3DRMCreateColorRGBA(D3DVALUE red, D3DVALUE green, D3DVALUE blue, D3DVALUE alpha) {
  return Byte(alpha) << 24 | Byte(red) << 16 | Byte(green) << 8 | Byte(blue);
}

D3DCOLOR D3DRMCreateColorRGB(D3DVALUE red, D3DVALUE green, D3DVALUE blue) {
  return D3DRMCreateColorRGBA(red, green, blue, 1.0f);
}

D3DVALUE D3DRMColorGetRed(D3DCOLOR color) { return Channel(color, 16); }
D3DVALUE D3DRMColorGetGreen(D3DCOLOR color) { return Channel(color, 8); }
D3DVALUE D3DRMColorGetBlue(D3DCOLOR color) { return Channel(color, 0); }
D3DVALUE D3DRMColorGetAlpha(D3DCOLOR color) { return Channel(color, 24); }
