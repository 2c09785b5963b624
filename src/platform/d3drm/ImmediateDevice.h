// The immediate-mode device and viewport behind a retained-mode device and viewport: execute
// buffers drawn into the same surface and z-buffer, inside the viewport's rectangle.
#pragma once

#include <vector>

#include "platform/d3drm/ComImpl.h"
#include "platform/d3drm/D3DInterfaces.h"
#include "platform/win/ComPtr.h"
#include "platform/d3drm/render/Target.h"
#include "platform/ddraw/DirectDraw.h"

namespace d3drm {

class ImmediateDevice final : public ComImpl<IDirect3DDevice, IID_IDirect3DDevice> {
 public:
  static ImmediateDevice* Create(IDirectDrawSurface* surface, IDirectDrawSurface* zBuffer);
  static ImmediateDevice* From(IDirect3DDevice* device);

  HRESULT CreateExecuteBuffer(LPD3DEXECUTEBUFFERDESC desc, LPDIRECT3DEXECUTEBUFFER* buffer, IUnknown* outer) override;
  HRESULT Execute(LPDIRECT3DEXECUTEBUFFER buffer, LPDIRECT3DVIEWPORT viewport, DWORD flags) override;

  IDirectDrawSurface* surface() const { return surface_.get(); }
  IDirectDrawSurface* zBuffer() const { return zBuffer_.get(); }

 private:
  ImmediateDevice(IDirectDrawSurface* surface, IDirectDrawSurface* zBuffer) : surface_(surface), zBuffer_(zBuffer) {}
  ~ImmediateDevice() override = default;

  ComPtr<IDirectDrawSurface> surface_;
  ComPtr<IDirectDrawSurface> zBuffer_;
  std::vector<D3DTLVERTEX> vertices_;
};

class ImmediateViewport final : public ComImpl<IDirect3DViewport, IID_IDirect3DViewport> {
 public:
  static ImmediateViewport* Create(ImmediateDevice* device, const PixelRect& rect);
  static ImmediateViewport* From(IDirect3DViewport* viewport);

  ImmediateDevice* device() const { return device_.get(); }
  const PixelRect& rect() const { return rect_; }

 private:
  ImmediateViewport(ImmediateDevice* device, const PixelRect& rect) : device_(device), rect_(rect) {}
  ~ImmediateViewport() override = default;

  ComPtr<ImmediateDevice> device_;
  PixelRect rect_;
};

}  // namespace d3drm
