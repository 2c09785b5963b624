// What renderer tests and benchmarks draw into: DirectDraw, a surface with a device, a scene frame with a
// camera, a viewport over the device. Plain results, no assertions, so benchmarks build scenes alike.
#pragma once

#include <cstdint>

#include "platform/d3drm/D3DRM.h"
#include "platform/ddraw/DirectDraw.h"
#include "platform/win/ComPtr.h"

struct RenderStage {
  // Makes the DirectDraw object; false when it cannot.
  bool Open();
  // A width x height surface in `format` that a device can render to; empty on failure.
  ComPtr<IDirectDrawSurface> MakeSurface(DWORD width, DWORD height, DDFormat format);
  // The surface, its device at Phong quality, a scene frame with `background`, a camera frame in
  // it and a viewport over the whole device; false at the first step that fails.
  bool Build(IDirect3DRM* rm, DWORD width, DWORD height, DDFormat format, D3DCOLOR background);
  // A 32-bit texture of width x height texels, texel(x, y) each; empty on failure.
  ComPtr<IDirect3DRMTexture> TextureOf(IDirect3DRM* rm, DWORD width, DWORD height,
                                       std::uint32_t (*texel)(DWORD x, DWORD y));
  // Drops everything, the users before what they use.
  void Close();

  ComPtr<IDirectDraw> dd;
  ComPtr<IDirectDrawSurface> surface;
  ComPtr<IDirect3DRMDevice> device;
  ComPtr<IDirect3DRMFrame> scene;
  ComPtr<IDirect3DRMFrame> camera;
  ComPtr<IDirect3DRMViewport> viewport;
};
