#include "platform/d3drm/Direct3DDevice.h"

#include "platform/d3drm/ExecuteBuffer.h"
#include "platform/d3drm/render/ExecuteStream.h"

namespace d3drm {
namespace {

// Large enough for every batch of lines the program makes, small enough to refuse nonsense.
constexpr DWORD kMaxExecuteBufferSize = 16u << 20;

}  // namespace

Direct3DDevice* Direct3DDevice::Create(IDirectDrawSurface* surface, IDirectDrawSurface* zBuffer) {
  return new Direct3DDevice(surface, zBuffer);
}

Direct3DDevice* Direct3DDevice::From(IDirect3DDevice* device) { return dynamic_cast<Direct3DDevice*>(device); }

HRESULT Direct3DDevice::CreateExecuteBuffer(LPD3DEXECUTEBUFFERDESC desc, LPDIRECT3DEXECUTEBUFFER* buffer,
                                            IUnknown* outer) {
  if (!buffer) return DDERR_INVALIDPARAMS;
  *buffer = nullptr;
  if (outer || !ValidExecuteBufferDescSize(desc) || !(desc->dwFlags & D3DDEB_BUFSIZE) || desc->dwBufferSize == 0 ||
      desc->dwBufferSize > kMaxExecuteBufferSize)
    return DDERR_INVALIDPARAMS;
  *buffer = ExecuteBuffer::Create(desc->dwBufferSize);
  return D3D_OK;
}

HRESULT Direct3DDevice::Execute(LPDIRECT3DEXECUTEBUFFER buffer, LPDIRECT3DVIEWPORT viewport, DWORD flags) {
  ExecuteBuffer* ours = ExecuteBuffer::From(buffer);
  Direct3DViewport* view = Direct3DViewport::From(viewport);
  if (!ours || !view || view->device() != this || (flags & ~(D3DEXECUTE_CLIPPED | D3DEXECUTE_UNCLIPPED)))
    return DDERR_INVALIDPARAMS;
  if (ours->locked()) return D3DERR_EXECUTE_LOCKED;
  if (!ours->executeData()) return D3DERR_EXECUTE_FAILED;
  TargetLock lock(surface_.get(), zBuffer_.get(), view->rect());
  if (FAILED(lock.result())) return lock.result();
  vertices_.clear();
  return RunExecuteBuffer(*ours, lock.target(), &vertices_);
}

Direct3DViewport* Direct3DViewport::Create(Direct3DDevice* device, const PixelRect& rect) {
  return new Direct3DViewport(device, rect);
}

Direct3DViewport* Direct3DViewport::From(IDirect3DViewport* viewport) {
  return dynamic_cast<Direct3DViewport*>(viewport);
}

}  // namespace d3drm
