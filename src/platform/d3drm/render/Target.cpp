#include "platform/d3drm/render/Target.h"

#include <algorithm>

#include "platform/ddraw/DirectDraw.h"

namespace d3drm {
namespace {

HRESULT LockWhole(IDirectDrawSurface* surface, DDSURFACEDESC* locked) {
  *locked = {};
  locked->dwSize = sizeof *locked;
  return surface->Lock(nullptr, locked, DDLOCK_WAIT, nullptr);
}

}  // namespace

PixelRect PixelRect::Intersect(const PixelRect& other) const {
  return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
          std::min(bottom, other.bottom)};
}

TargetLock::TargetLock(IDirectDrawSurface* surface, IDirectDrawSurface* zBuffer, const PixelRect& clip) {
  DDSURFACEDESC colour, depth;
  if (HRESULT r = LockWhole(surface, &colour); FAILED(r)) {
    result_ = r;
    return;
  }
  surface_ = surface;
  colourMemory_ = colour.lpSurface;
  if (HRESULT r = LockWhole(zBuffer, &depth); FAILED(r)) {
    result_ = r;
    return;
  }
  zBuffer_ = zBuffer;
  depthMemory_ = depth.lpSurface;
  const auto format = DescribePixelFormat(colour.ddpfPixelFormat);
  if (!format || depth.dwZBufferBitDepth != 16 || depth.dwWidth != colour.dwWidth ||
      depth.dwHeight != colour.dwHeight) {
    result_ = DDERR_INVALIDPIXELFORMAT;
    return;
  }
  target_.colour = DDFirstRow(colour);
  target_.colourPitch = colour.lPitch;
  target_.depth = DDFirstRow(depth);
  target_.depthPitch = depth.lPitch;
  target_.format = *format;
  const PixelRect whole{0, 0, static_cast<int>(colour.dwWidth), static_cast<int>(colour.dwHeight)};
  target_.clip = clip.Intersect(whole);
  result_ = DD_OK;
}

TargetLock::~TargetLock() {
  if (zBuffer_) zBuffer_->Unlock(depthMemory_);
  if (surface_) surface_->Unlock(colourMemory_);
}

}  // namespace d3drm
