// Retained-mode devices: a surface with its 16-bit z-buffer, the render and texture qualities,
// and the immediate-mode device that draws into the same pixels.
#pragma once

#include "platform/d3drm/ImmediateDevice.h"
#include "platform/d3drm/ObjectImpl.h"

namespace d3drm {

class Device final : public ObjectImpl<IDirect3DRMDevice> {
 public:
  // Attaches a new 16-bit z-buffer to `surface` unless it has one.
  static HRESULT Create(RegistryHandle registry, IDirectDraw* directDraw, IDirectDrawSurface* surface,
                        IDirect3DRMDevice** device);
  static Device* From(IDirect3DRMDevice* device);

  D3DRMRENDERQUALITY GetQuality() override { return quality_; }
  HRESULT SetQuality(D3DRMRENDERQUALITY quality) override;
  D3DRMTEXTUREQUALITY GetTextureQuality() override { return textureQuality_; }
  HRESULT SetTextureQuality(D3DRMTEXTUREQUALITY quality) override;
  DWORD GetWidth() override { return width_; }
  DWORD GetHeight() override { return height_; }
  HRESULT GetDirect3DDevice(IDirect3DDevice** device) override;

  ImmediateDevice* direct3D() const { return direct3D_.get(); }

 private:
  Device(RegistryHandle registry, ImmediateDevice* direct3D, DWORD width, DWORD height);
  ~Device() override = default;
  bool Implements(REFIID riid) const override;

  ComPtr<ImmediateDevice> direct3D_;
  DWORD width_;
  DWORD height_;
  D3DRMRENDERQUALITY quality_ = D3DRMRENDER_FLAT;
  D3DRMTEXTUREQUALITY textureQuality_ = D3DRMTEXTURE_NEAREST;
};

}  // namespace d3drm
