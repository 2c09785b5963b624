// The immediate-mode device and viewport behind a retained-mode device and viewport: execute
// buffers drawn into the same surface and z-buffer, inside the viewport's rectangle.
#pragma once

#include <vector>

#include "platform/d3drm/ComImpl.h"
#include "platform/d3drm/D3DInterfaces.h"
#include "platform/win/ComPtr.h"
#include "platform/d3drm/render/Target.h"
#include "platform/ddraw/Surface.h"

namespace d3drm {

class Direct3DDevice final : public ComImpl<IDirect3DDevice, IID_IDirect3DDevice> {
 public:
  static Direct3DDevice* Create(IDirectDrawSurface* surface, IDirectDrawSurface* zBuffer);
  static Direct3DDevice* From(IDirect3DDevice* device);

  HRESULT CreateExecuteBuffer(LPD3DEXECUTEBUFFERDESC desc, LPDIRECT3DEXECUTEBUFFER* buffer, IUnknown* outer) override;
  HRESULT Execute(LPDIRECT3DEXECUTEBUFFER buffer, LPDIRECT3DVIEWPORT viewport, DWORD flags) override;

  IDirectDrawSurface* surface() const { return surface_.get(); }
  IDirectDrawSurface* zBuffer() const { return zBuffer_.get(); }

 private:
  Direct3DDevice(IDirectDrawSurface* surface, IDirectDrawSurface* zBuffer) : surface_(surface), zBuffer_(zBuffer) {}
  ~Direct3DDevice() override = default;

  ComPtr<IDirectDrawSurface> surface_;
  ComPtr<IDirectDrawSurface> zBuffer_;
  std::vector<D3DTLVERTEX> vertices_;
};

class Direct3DViewport final : public ComImpl<IDirect3DViewport, IID_IDirect3DViewport> {
 public:
  static Direct3DViewport* Create(Direct3DDevice* device, const PixelRect& rect);
  static Direct3DViewport* From(IDirect3DViewport* viewport);

  Direct3DDevice* device() const { return device_.get(); }
  const PixelRect& rect() const { return rect_; }

 private:
  Direct3DViewport(Direct3DDevice* device, const PixelRect& rect) : device_(device), rect_(rect) {}
  ~Direct3DViewport() override = default;

  ComPtr<Direct3DDevice> device_;
  PixelRect rect_;
};

}  // namespace d3drm
