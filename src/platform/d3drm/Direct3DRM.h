// The root object: creates frames, meshes, mesh builders, lights, materials, textures, devices
// and viewports, keeps
// the default texture colours and shades, and enumerates the live objects.
#pragma once

#include "platform/d3drm/ComImpl.h"
#include "platform/d3drm/D3DRMInterfaces.h"
#include "platform/d3drm/Registry.h"

namespace d3drm {

class Root final : public ComImpl<IDirect3DRM, IID_IDirect3DRM> {
 public:
  static Root* Create();

  HRESULT CreateFrame(IDirect3DRMFrame* parent, IDirect3DRMFrame** frame) override;
  HRESULT CreateMesh(IDirect3DRMMesh** mesh) override;
  HRESULT CreateMeshBuilder(IDirect3DRMMeshBuilder** builder) override;
  HRESULT CreateLight(D3DRMLIGHTTYPE type, D3DCOLOR color, IDirect3DRMLight** light) override;
  HRESULT CreateLightRGB(D3DRMLIGHTTYPE type, D3DVALUE red, D3DVALUE green, D3DVALUE blue,
                         IDirect3DRMLight** light) override;
  HRESULT CreateMaterial(D3DVALUE power, IDirect3DRMMaterial** material) override;
  HRESULT LoadTexture(const char* fileName, IDirect3DRMTexture** texture) override;
  HRESULT CreateTextureFromSurface(IDirectDrawSurface* surface, IDirect3DRMTexture** texture) override;
  HRESULT CreateDeviceFromSurface(const GUID* guid, IDirectDraw* directDraw, IDirectDrawSurface* surface,
                                  IDirect3DRMDevice** device) override;
  HRESULT CreateViewport(IDirect3DRMDevice* device, IDirect3DRMFrame* camera, DWORD x, DWORD y, DWORD width,
                         DWORD height, IDirect3DRMViewport** viewport) override;
  HRESULT EnumerateObjects(D3DRMOBJECTCALLBACK callback, LPVOID arg) override;
  HRESULT SetDefaultTextureColors(DWORD colors) override;
  HRESULT SetDefaultTextureShades(DWORD shades) override;

  const RegistryHandle& registry() const { return registry_; }
  DWORD defaultTextureColors() const { return textureColors_; }
  DWORD defaultTextureShades() const { return textureShades_; }

 private:
  Root();
  ~Root() override = default;

  RegistryHandle registry_;
  DWORD textureColors_ = 1u << 24;
  DWORD textureShades_ = 256;
};

}  // namespace d3drm
