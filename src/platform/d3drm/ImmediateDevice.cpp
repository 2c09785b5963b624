#include "platform/d3drm/ImmediateDevice.h"

#include "platform/d3drm/ExecuteBuffer.h"
#include "platform/d3drm/Faults.h"
#include "platform/d3drm/render/ExecuteStream.h"

namespace d3drm {
namespace {

// Large enough for every batch of lines the program makes, small enough to refuse nonsense.
constexpr DWORD kMaxExecuteBufferSize = 16u << 20;

}  // namespace

ImmediateDevice* ImmediateDevice::Create(IDirectDrawSurface* surface, IDirectDrawSurface* zBuffer) {
  return new ImmediateDevice(surface, zBuffer);
}

ImmediateDevice* ImmediateDevice::From(IDirect3DDevice* device) { return dynamic_cast<ImmediateDevice*>(device); }

HRESULT ImmediateDevice::CreateExecuteBuffer(LPD3DEXECUTEBUFFERDESC desc, LPDIRECT3DEXECUTEBUFFER* buffer,
                                            IUnknown* outer) {
  if (HRESULT fault = TakeFault(D3DRMCall::CreateExecuteBuffer)) return fault;
  if (!buffer) return DDERR_INVALIDPARAMS;
  *buffer = nullptr;
  if (outer || !ValidExecuteBufferDescSize(desc) || !(desc->dwFlags & D3DDEB_BUFSIZE) || desc->dwBufferSize == 0 ||
      desc->dwBufferSize > kMaxExecuteBufferSize)
    return DDERR_INVALIDPARAMS;
  *buffer = ExecuteBuffer::Create(desc->dwBufferSize);
  return D3D_OK;
}

HRESULT ImmediateDevice::Execute(LPDIRECT3DEXECUTEBUFFER buffer, LPDIRECT3DVIEWPORT viewport, DWORD flags) {
  if (HRESULT fault = TakeFault(D3DRMCall::Execute)) return fault;
  ExecuteBuffer* ours = ExecuteBuffer::From(buffer);
  ImmediateViewport* view = ImmediateViewport::From(viewport);
  if (!ours || !view || view->device() != this || (flags & ~(D3DEXECUTE_CLIPPED | D3DEXECUTE_UNCLIPPED)))
    return DDERR_INVALIDPARAMS;
  if (ours->locked()) return D3DERR_EXECUTE_LOCKED;
  if (!ours->executeData()) return D3DERR_EXECUTE_FAILED;
  TargetLock lock(surface_.get(), zBuffer_.get(), view->rect());
  if (FAILED(lock.result())) return lock.result();
  vertices_.clear();
  return RunExecuteBuffer(*ours, lock.target(), &vertices_);
}

ImmediateViewport* ImmediateViewport::Create(ImmediateDevice* device, const PixelRect& rect) {
  return new ImmediateViewport(device, rect);
}

ImmediateViewport* ImmediateViewport::From(IDirect3DViewport* viewport) {
  return dynamic_cast<ImmediateViewport*>(viewport);
}

}  // namespace d3drm
