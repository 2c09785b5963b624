#include <set>

#include "platform/ddraw/SurfaceImpl.h"

namespace ddraw {

namespace {

// Surfaces whose device context is out; their address is the context's handle.
std::set<const SurfaceImpl*>& SurfacesWithDC() {
  static std::set<const SurfaceImpl*> surfaces;
  return surfaces;
}

}  // namespace

SurfaceImpl::SurfaceImpl(const DDSURFACEDESC& shape, std::shared_ptr<BYTE[]> memory, std::size_t bytes)
    : shape_(shape), memory_(std::move(memory)), bytes_(bytes), generation_(LossGeneration()) {
  shape_.lpSurface = nullptr;
}

SurfaceImpl::~SurfaceImpl() {
  SurfacesWithDC().erase(this);
}

HRESULT SurfaceImpl::QueryInterface(REFIID riid, void** object) {
  return QueryAmong(riid, object, {&IID_IDirectDrawSurface, &IID_IDirectDrawSurface3});
}

void SurfaceImpl::Describe(DDSURFACEDESC* desc, bool withMemory) const {
  const DWORD size = desc->dwSize;
  *desc = shape_;
  desc->dwSize = size;
  desc->lpSurface = withMemory ? memory_.get() : nullptr;
}

bool SurfaceImpl::Lost() const {
  return (Caps() & (DDSCAPS_PRIMARYSURFACE | DDSCAPS_VIDEOMEMORY)) && generation_ != LossGeneration();
}

RECT SurfaceImpl::Bounds() const {
  return {0, 0, static_cast<LONG>(shape_.dwWidth), static_cast<LONG>(shape_.dwHeight)};
}

BYTE* SurfaceImpl::Row(LONG y) const {
  const std::ptrdiff_t pitch = shape_.lPitch;
  const std::ptrdiff_t first = pitch < 0 ? (1 - static_cast<std::ptrdiff_t>(shape_.dwHeight)) * pitch : 0;
  return memory_.get() + first + y * pitch;
}

HRESULT SurfaceImpl::GetSurfaceDesc(LPDDSURFACEDESC desc) {
  if (HRESULT fault = TakeFault(DDCall::GetSurfaceDesc)) return fault;
  if (!DDValidDescSize(desc)) return DDERR_INVALIDPARAMS;
  Describe(desc, locked_);
  return DD_OK;
}

HRESULT SurfaceImpl::Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags, LPVOID event) {
  if (HRESULT fault = TakeFault(DDCall::Lock)) return fault;
  if (rect) return NotBuilt("Lock of part of a surface");
  if (event || (flags & ~(DDLOCK_WAIT | DDLOCK_READONLY | DDLOCK_WRITEONLY))) return NotBuilt("Lock flags");
  if (!DDValidDescSize(desc) || (flags & DDLOCK_READONLY && flags & DDLOCK_WRITEONLY)) return DDERR_INVALIDPARAMS;
  if (Lost()) return DDERR_SURFACELOST;
  if (Busy()) return DDERR_SURFACEBUSY;
  locked_ = true;
  Describe(desc, true);
  return DD_OK;
}

HRESULT SurfaceImpl::Unlock(LPVOID pointer) {
  if (HRESULT fault = TakeFault(DDCall::Unlock)) return fault;
  if (!locked_) return DDERR_NOTLOCKED;
  const BYTE* address = static_cast<const BYTE*>(pointer);
  if (address && (address < Lowest() || address >= Lowest() + bytes_)) return DDERR_INVALIDPARAMS;
  locked_ = false;
  return DD_OK;
}

HRESULT SurfaceImpl::IsLost() {
  if (HRESULT fault = TakeFault(DDCall::IsLost)) return fault;
  return Lost() ? DDERR_SURFACELOST : DD_OK;
}

HRESULT SurfaceImpl::AddAttachedSurface(IDirectDrawSurface* attached) {
  if (HRESULT fault = TakeFault(DDCall::AddAttachedSurface)) return fault;
  if (!attached) return DDERR_INVALIDPARAMS;
  auto* zBuffer = dynamic_cast<SurfaceImpl*>(attached);
  if (!zBuffer) return DDERR_INVALIDOBJECT;
  if (zBuffer == zBuffer_.get()) return DDERR_SURFACEALREADYATTACHED;
  // Only a z-buffer of the same size attaches, and only to a surface that has none yet.
  if (zBuffer_ || (Caps() & DDSCAPS_ZBUFFER) || !(zBuffer->Caps() & DDSCAPS_ZBUFFER) ||
      zBuffer->shape_.dwWidth != shape_.dwWidth || zBuffer->shape_.dwHeight != shape_.dwHeight)
    return DDERR_CANNOTATTACHSURFACE;
  zBuffer_ = zBuffer;
  return DD_OK;
}

HRESULT SurfaceImpl::GetAttachedSurface(LPDDSCAPS caps, IDirectDrawSurface** attached) {
  if (HRESULT fault = TakeFault(DDCall::GetAttachedSurface)) return fault;
  if (!caps || !attached) return DDERR_INVALIDPARAMS;
  *attached = nullptr;
  const DWORD wanted = caps->dwCaps;
  if (!zBuffer_ || !wanted || (zBuffer_->Caps() & wanted) != wanted)
    return DDERR_NOTFOUND;
  HandOut(attached, zBuffer_.get());
  return DD_OK;
}

HRESULT SurfaceImpl::SetPalette(LPDIRECTDRAWPALETTE palette) {
  if (HRESULT fault = TakeFault(DDCall::SetPalette)) return fault;
  if (palette && !(shape_.ddpfPixelFormat.dwFlags & DDPF_PALETTEINDEXED8)) return DDERR_INVALIDPIXELFORMAT;
  palette_ = palette;
  return DD_OK;
}

HRESULT SurfaceImpl::GetPalette(LPDIRECTDRAWPALETTE* palette) {
  if (!palette) return DDERR_INVALIDPARAMS;
  HandOut(palette, palette_.get());
  if (!palette_) return DDERR_NOPALETTEATTACHED;
  return DD_OK;
}

HRESULT SurfaceImpl::SetClipper(LPDIRECTDRAWCLIPPER clipper) {
  if (HRESULT fault = TakeFault(DDCall::SetClipper)) return fault;
  clipper_ = clipper;
  return DD_OK;
}

HRESULT SurfaceImpl::GetDC(HDC* dc) {
  if (HRESULT fault = TakeFault(DDCall::GetDC)) return fault;
  if (!dc) return DDERR_INVALIDPARAMS;
  *dc = nullptr;
  if (Lost()) return DDERR_SURFACELOST;
  if (Busy()) return DDERR_SURFACEBUSY;
  dc_ = true;
  SurfacesWithDC().insert(this);
  *dc = reinterpret_cast<HDC>(this);
  return DD_OK;
}

HRESULT SurfaceImpl::ReleaseDC(HDC dc) {
  if (!dc_ || dc != reinterpret_cast<HDC>(this)) return DDERR_INVALIDPARAMS;
  dc_ = false;
  SurfacesWithDC().erase(this);
  return DD_OK;
}

}  // namespace ddraw

bool DDGetDCSurfaceDesc(HDC dc, DDSURFACEDESC* desc) {
  const auto& surfaces = ddraw::SurfacesWithDC();
  const auto found = surfaces.find(reinterpret_cast<const ddraw::SurfaceImpl*>(dc));
  if (found == surfaces.end() || !DDValidDescSize(desc)) return false;
  (*found)->Describe(desc, true);
  return true;
}
