#include "platform/d3drm/PickedArray.h"

#include "platform/d3drm/Arrays.h"

namespace d3drm {

PickedArray* PickedArray::Create(std::vector<PickedEntry> entries) { return new PickedArray(std::move(entries)); }

HRESULT PickedArray::GetPick(DWORD index, IDirect3DRMVisual** visual, IDirect3DRMFrameArray** frames,
                             D3DRMPICKDESC* desc) {
  if (index >= entries_.size()) return D3DRMERR_BADVALUE;
  const PickedEntry& entry = entries_[index];
  if (visual) HandOut(visual, entry.visual.get());
  if (frames) *frames = FrameArray::Create(entry.frames);
  if (desc) *desc = entry.desc;
  return D3DRM_OK;
}

}  // namespace d3drm
