// Execute buffers: memory the program fills with screen vertices and instructions between Lock
// and Unlock, and the description of where those lie (SetExecuteData).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3drm/ComImpl.h"
#include "platform/d3drm/D3DInterfaces.h"

namespace d3drm {

class ExecuteBuffer final : public ComImpl<IDirect3DExecuteBuffer, IID_IDirect3DExecuteBuffer> {
 public:
  // A zero-filled buffer of `size` bytes.
  static ExecuteBuffer* Create(DWORD size);
  static ExecuteBuffer* From(IDirect3DExecuteBuffer* buffer);

  HRESULT Lock(LPD3DEXECUTEBUFFERDESC desc) override;
  HRESULT Unlock() override;
  HRESULT SetExecuteData(LPD3DEXECUTEDATA data) override;

  bool locked() const { return locked_; }
  // Null until SetExecuteData.
  const D3DEXECUTEDATA* executeData() const { return hasData_ ? &data_ : nullptr; }
  const std::vector<std::uint8_t>& memory() const { return memory_; }

 private:
  explicit ExecuteBuffer(DWORD size) : memory_(size, 0) {}
  ~ExecuteBuffer() override = default;

  std::vector<std::uint8_t> memory_;
  bool locked_ = false;
  bool hasData_ = false;
  D3DEXECUTEDATA data_{};
};

bool ValidExecuteBufferDescSize(const D3DEXECUTEBUFFERDESC* desc);

}  // namespace d3drm
