#include "platform/d3drm/Device.h"

#include "platform/d3drm/Faults.h"
#include "platform/d3drm/render/RenderPixelFormat.h"
#include "platform/ddraw/DirectDraw.h"

namespace d3drm {
namespace {

HRESULT Describe(IDirectDrawSurface* surface, DDSURFACEDESC* desc) {
  *desc = {};
  desc->dwSize = sizeof *desc;
  return surface->GetSurfaceDesc(desc);
}

// The surface's 16-bit z-buffer, attached now when it has none.
HRESULT ZBufferOf(IDirectDraw* directDraw, IDirectDrawSurface* surface, const DDSURFACEDESC& shape,
                  ComPtr<IDirectDrawSurface>* zBuffer) {
  DDSCAPS caps{DDSCAPS_ZBUFFER};
  IDirectDrawSurface* attached = nullptr;
  if (SUCCEEDED(surface->GetAttachedSurface(&caps, &attached))) {
    *zBuffer = ComPtr<IDirectDrawSurface>::adopt(attached);
    DDSURFACEDESC desc;
    if (HRESULT r = Describe(attached, &desc); FAILED(r)) return RetainedModeResult(r);
    return desc.dwZBufferBitDepth == 16 ? D3DRM_OK : D3DRMERR_BADDEVICE;
  }
  if (!directDraw) return D3DRMERR_BADVALUE;
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_ZBUFFERBITDEPTH;
  desc.dwWidth = shape.dwWidth;
  desc.dwHeight = shape.dwHeight;
  desc.dwZBufferBitDepth = 16;
  desc.ddsCaps.dwCaps = DDSCAPS_ZBUFFER | (shape.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY ? DDSCAPS_VIDEOMEMORY
                                                                                     : DDSCAPS_SYSTEMMEMORY);
  IDirectDrawSurface* made = nullptr;
  if (HRESULT r = directDraw->CreateSurface(&desc, &made, nullptr); FAILED(r)) return RetainedModeResult(r);
  *zBuffer = ComPtr<IDirectDrawSurface>::adopt(made);
  if (HRESULT r = surface->AddAttachedSurface(made); FAILED(r)) return RetainedModeResult(r);
  return D3DRM_OK;
}

}  // namespace

HRESULT Device::Create(RegistryHandle registry, IDirectDraw* directDraw, IDirectDrawSurface* surface,
                       IDirect3DRMDevice** device) {
  if (!surface || !device) return D3DRMERR_BADVALUE;
  *device = nullptr;
  DDSURFACEDESC shape;
  if (HRESULT r = Describe(surface, &shape); FAILED(r)) return RetainedModeResult(r);
  if ((shape.ddsCaps.dwCaps & DDSCAPS_ZBUFFER) || !DescribePixelFormat(shape.ddpfPixelFormat))
    return D3DRMERR_BADDEVICE;
  ComPtr<IDirectDrawSurface> zBuffer;
  if (HRESULT r = ZBufferOf(directDraw, surface, shape, &zBuffer); r != D3DRM_OK) return r;
  ComPtr<ImmediateDevice> direct3D = ComPtr<ImmediateDevice>::adopt(ImmediateDevice::Create(surface, zBuffer.get()));
  *device = new Device(std::move(registry), direct3D.get(), shape.dwWidth, shape.dwHeight);
  return D3DRM_OK;
}

Device* Device::From(IDirect3DRMDevice* device) { return dynamic_cast<Device*>(device); }

Device::Device(RegistryHandle registry, ImmediateDevice* direct3D, DWORD width, DWORD height)
    : ObjectImpl(std::move(registry)), direct3D_(direct3D), width_(width), height_(height) {}

bool Device::Implements(REFIID riid) const {
  return AnyOf(riid, {&IID_IUnknown, &IID_IDirect3DRMObject, &IID_IDirect3DRMDevice});
}

HRESULT Device::SetQuality(D3DRMRENDERQUALITY quality) {
  const D3DRMRENDERQUALITY shade = quality & D3DRMSHADE_MASK, light = quality & D3DRMLIGHT_MASK,
                           fill = quality & D3DRMFILL_MASK;
  if ((quality & ~(D3DRMSHADE_MASK | D3DRMLIGHT_MASK | D3DRMFILL_MASK)) || shade > D3DRMSHADE_PHONG ||
      light > D3DRMLIGHT_ON || fill > D3DRMFILL_SOLID)
    return D3DRMERR_BADVALUE;
  quality_ = quality;
  return D3DRM_OK;
}

HRESULT Device::SetTextureQuality(D3DRMTEXTUREQUALITY quality) {
  if (quality != D3DRMTEXTURE_NEAREST) return D3DRMERR_BADVALUE;
  textureQuality_ = quality;
  return D3DRM_OK;
}

HRESULT Device::GetDirect3DDevice(IDirect3DDevice** device) {
  if (HRESULT fault = TakeFault(D3DRMCall::GetDirect3DDevice)) return fault;
  if (!device) return D3DRMERR_BADVALUE;
  HandOut(device, static_cast<IDirect3DDevice*>(direct3D_.get()));
  return D3DRM_OK;
}

}  // namespace d3drm
