#include "platform/d3drm/RenderStage.h"

bool RenderStage::Open() { return DirectDrawCreate(nullptr, dd.put(), nullptr) == DD_OK; }

ComPtr<IDirectDrawSurface> RenderStage::MakeSurface(DWORD width, DWORD height, DDFormat format) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  desc.dwWidth = width;
  desc.dwHeight = height;
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY;
  desc.ddpfPixelFormat = DDMakePixelFormat(format);
  ComPtr<IDirectDrawSurface> made;
  dd->CreateSurface(&desc, made.put(), nullptr);
  return made;
}

bool RenderStage::Build(IDirect3DRM* rm, DWORD width, DWORD height, DDFormat format, D3DCOLOR background) {
  surface = MakeSurface(width, height, format);
  return surface && rm->CreateDeviceFromSurface(nullptr, dd.get(), surface.get(), device.put()) == D3DRM_OK &&
         device->SetQuality(D3DRMRENDER_PHONG) == D3DRM_OK && rm->CreateFrame(nullptr, scene.put()) == D3DRM_OK &&
         scene->SetSceneBackground(background) == D3DRM_OK &&
         rm->CreateFrame(scene.get(), camera.put()) == D3DRM_OK &&
         rm->CreateViewport(device.get(), camera.get(), 0, 0, width, height, viewport.put()) == D3DRM_OK;
}

ComPtr<IDirect3DRMTexture> RenderStage::TextureOf(IDirect3DRM* rm, DWORD width, DWORD height,
                                                  std::uint32_t (*texel)(DWORD x, DWORD y)) {
  ComPtr<IDirectDrawSurface> picture = MakeSurface(width, height, DDFormat::XRGB8888);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  if (!picture || picture->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) != DD_OK) return {};
  for (DWORD y = 0; y < height; ++y)
    for (DWORD x = 0; x < width; ++x)
      reinterpret_cast<std::uint32_t*>(DDFirstRow(desc) + y * desc.lPitch)[x] = texel(x, y);
  ComPtr<IDirect3DRMTexture> texture;
  if (picture->Unlock(nullptr) == DD_OK) rm->CreateTextureFromSurface(picture.get(), texture.put());
  return texture;
}

void RenderStage::Close() {
  viewport.reset();
  camera.reset();
  scene.reset();
  device.reset();
  surface.reset();
  dd.reset();
}
