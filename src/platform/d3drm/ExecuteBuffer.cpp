#include "platform/d3drm/ExecuteBuffer.h"

#include "platform/d3drm/Faults.h"

namespace d3drm {

bool ValidExecuteBufferDescSize(const D3DEXECUTEBUFFERDESC* desc) {
  return desc && (desc->dwSize == kD3DExecuteBufferDescSize || desc->dwSize == sizeof(D3DEXECUTEBUFFERDESC));
}

ExecuteBuffer* ExecuteBuffer::Create(DWORD size) { return new ExecuteBuffer(size); }

ExecuteBuffer* ExecuteBuffer::From(IDirect3DExecuteBuffer* buffer) { return dynamic_cast<ExecuteBuffer*>(buffer); }

HRESULT ExecuteBuffer::Lock(LPD3DEXECUTEBUFFERDESC desc) {
  if (HRESULT fault = TakeFault(D3DRMCall::Lock)) return fault;
  if (!ValidExecuteBufferDescSize(desc)) return DDERR_INVALIDPARAMS;
  if (locked_) return D3DERR_EXECUTE_LOCKED;
  locked_ = true;
  desc->dwFlags = D3DDEB_BUFSIZE | D3DDEB_LPDATA;
  desc->dwBufferSize = static_cast<DWORD>(memory_.size());
  desc->lpData = memory_.data();
  return D3D_OK;
}

HRESULT ExecuteBuffer::Unlock() {
  if (HRESULT fault = TakeFault(D3DRMCall::Unlock)) return fault;
  if (!locked_) return D3DERR_EXECUTE_NOT_LOCKED;
  locked_ = false;
  return D3D_OK;
}

HRESULT ExecuteBuffer::SetExecuteData(LPD3DEXECUTEDATA data) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetExecuteData)) return fault;
  if (!data || data->dwSize != sizeof(D3DEXECUTEDATA)) return DDERR_INVALIDPARAMS;
  data_ = *data;
  hasData_ = true;
  return D3D_OK;
}

}  // namespace d3drm
