// The result of a viewport pick: one entry per visual hit, nearest first.
#pragma once

#include <vector>

#include "platform/d3drm/ComImpl.h"
#include "platform/d3drm/Frame.h"

namespace d3drm {

struct PickedEntry {
  ComPtr<IDirect3DRMVisual> visual;
  std::vector<ComPtr<Frame>> frames;  // from the scene's root down to the frame that shows the visual
  D3DRMPICKDESC desc;
};

class PickedArray final : public ComImpl<IDirect3DRMPickedArray, IID_IUnknown> {
 public:
  static PickedArray* Create(std::vector<PickedEntry> entries);

  DWORD GetSize() override { return static_cast<DWORD>(entries_.size()); }
  // Any of the three out places may be null.
  HRESULT GetPick(DWORD index, IDirect3DRMVisual** visual, IDirect3DRMFrameArray** frames,
                  D3DRMPICKDESC* desc) override;

 private:
  explicit PickedArray(std::vector<PickedEntry> entries) : entries_(std::move(entries)) {}
  ~PickedArray() override = default;

  std::vector<PickedEntry> entries_;
};

}  // namespace d3drm
