// Blits: a rectangle of one surface copied onto a rectangle of another, stretched by taking for
// each destination pixel the source pixel under its centre.
#include <algorithm>
#include <vector>

#include "platform/ddraw/SurfaceImpl.h"

namespace ddraw {

namespace {

bool Empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

RECT Intersect(const RECT& a, const RECT& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

// The source coordinate under the centre of destination coordinate `d`, both counted from their
// rectangle's start.
LONG SourceOffset(LONG d, LONG destExtent, LONG sourceExtent) {
  return static_cast<LONG>((2 * std::int64_t{d} + 1) * sourceExtent / (2 * std::int64_t{destExtent}));
}

}  // namespace

HRESULT SurfaceImpl::Blt(LPRECT destRect, IDirectDrawSurface* source, LPRECT sourceRect, DWORD flags,
                         LPDDBLTFX) {
  if (HRESULT fault = TakeFault(DDCall::Blt)) return fault;
  if (flags & ~(DDBLT_ASYNC | DDBLT_WAIT)) return NotBuilt("Blt flags other than DDBLT_WAIT and DDBLT_ASYNC");
  if (!source) return DDERR_INVALIDPARAMS;
  auto* from = dynamic_cast<SurfaceImpl*>(source);
  if (!from) return DDERR_INVALIDOBJECT;
  if (Lost() || from->Lost()) return DDERR_SURFACELOST;
  if (Busy() || from->Busy()) return DDERR_SURFACEBUSY;
  if (!DDSamePixelFormat(shape_.ddpfPixelFormat, from->shape_.ddpfPixelFormat)) return DDERR_INVALIDPIXELFORMAT;

  const RECT src = sourceRect ? *sourceRect : from->Bounds();
  const RECT dest = destRect ? *destRect : Bounds();
  if (Empty(src) || Empty(dest) || !Inside(src, from->Bounds())) return DDERR_INVALIDRECT;
  if (!clipper_ && !Inside(dest, Bounds())) return DDERR_INVALIDRECT;
  const RECT visible = Intersect(dest, Bounds());
  if (Empty(visible)) return DD_OK;

  // A blit within one surface reads from a copy, so overlapping rectangles come out whole.
  std::vector<BYTE> copy;
  if (from == this) copy.assign(Lowest(), Lowest() + bytes_);
  const auto sourceRow = [&](LONG y) {
    BYTE* row = from->Row(y);
    return copy.empty() ? row : copy.data() + (row - from->Lowest());
  };

  const DWORD bpp = DDBytesPerPixel(shape_.ddpfPixelFormat);
  const LONG sourceWidth = src.right - src.left, destWidth = dest.right - dest.left;
  for (LONG y = visible.top; y < visible.bottom; ++y) {
    const BYTE* in = sourceRow(src.top + SourceOffset(y - dest.top, dest.bottom - dest.top, src.bottom - src.top));
    BYTE* out = Row(y);
    if (sourceWidth == destWidth) {
      std::memcpy(out + visible.left * bpp, in + (src.left + visible.left - dest.left) * bpp,
                  static_cast<std::size_t>(visible.right - visible.left) * bpp);
      continue;
    }
    for (LONG x = visible.left; x < visible.right; ++x)
      std::memcpy(out + x * bpp, in + (src.left + SourceOffset(x - dest.left, destWidth, sourceWidth)) * bpp, bpp);
  }

  if (Caps() & DDSCAPS_PRIMARYSURFACE) {
    HWND window = nullptr;
    if (clipper_) clipper_->GetHWnd(&window);
    NotifyPrimaryBlt(this, window, visible);
  }
  return DD_OK;
}

}  // namespace ddraw
