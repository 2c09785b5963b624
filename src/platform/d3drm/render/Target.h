// The pixels one drawing pass writes: the colour surface and its z-buffer, locked for the pass,
// and the rectangle nothing may be written outside of.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/d3drm/D3DRMTypes.h"
#include "platform/d3drm/render/RenderPixelFormat.h"
#include "platform/ddraw/DirectDraw.h"

class IDirectDrawSurface;

namespace d3drm {

// Half-open pixel rectangle: left <= x < right, top <= y < bottom.
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Empty() const { return left >= right || top >= bottom; }
  PixelRect Intersect(const PixelRect& other) const;
};

struct RenderTarget {
  std::uint8_t* colour = nullptr;  // row 0
  std::ptrdiff_t colourPitch = 0;
  std::uint8_t* depth = nullptr;  // row 0 of the 16-bit z-buffer
  std::ptrdiff_t depthPitch = 0;
  PixelFormat format;
  PixelRect clip;  // the viewport's rectangle inside the surface

  std::uint8_t* ColourRow(int y) const { return colour + y * colourPitch; }
  std::uint16_t* DepthRow(int y) const { return reinterpret_cast<std::uint16_t*>(depth + y * depthPitch); }
};

// Locks a surface and its attached z-buffer for one pass and unlocks both when it ends.
class TargetLock {
 public:
  // `clip` is cut to the surface. result() tells whether the lock succeeded.
  TargetLock(IDirectDrawSurface* surface, IDirectDrawSurface* zBuffer, const PixelRect& clip);
  ~TargetLock();
  TargetLock(const TargetLock&) = delete;
  TargetLock& operator=(const TargetLock&) = delete;

  // DD_OK, the failure of a lock, or DDERR_INVALIDPIXELFORMAT when the surfaces do not suit.
  HRESULT result() const { return result_; }
  const RenderTarget& target() const { return target_; }

 private:
  IDirectDrawSurface* surface_ = nullptr;
  IDirectDrawSurface* zBuffer_ = nullptr;
  void* colourMemory_ = nullptr;
  void* depthMemory_ = nullptr;
  HRESULT result_;
  RenderTarget target_;
};

// A DirectDraw failure as the retained-mode layer reports it.
inline HRESULT RetainedModeResult(HRESULT directDraw) {
  return directDraw == DDERR_OUTOFMEMORY ? D3DRMERR_BADALLOC : D3DRMERR_BADOBJECT;
}

}  // namespace d3drm
