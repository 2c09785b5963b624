// The arrays a frame hands out of its children, visuals and lights: a snapshot holding a
// reference on each element until the array is released.
#pragma once

#include <vector>

#include "platform/d3drm/ComImpl.h"
#include "platform/d3drm/D3DRMInterfaces.h"
#include "platform/win/ComPtr.h"

namespace d3drm {

template <class Element>
class ArrayImpl final : public ComImpl<IDirect3DRMArray<Element>, IID_IUnknown> {
 public:
  template <class Source>
  static IDirect3DRMArray<Element>* Create(const std::vector<ComPtr<Source>>& source) {
    auto* array = new ArrayImpl;
    array->elements_.reserve(source.size());
    for (const auto& element : source) array->elements_.emplace_back(element.get());
    return array;
  }

  DWORD GetSize() override { return static_cast<DWORD>(elements_.size()); }
  HRESULT GetElement(DWORD index, Element** element) override {
    if (!element) return D3DRMERR_BADVALUE;
    if (index >= elements_.size()) {
      *element = nullptr;
      return D3DRMERR_BADVALUE;
    }
    HandOut(element, elements_[index].get());
    return D3DRM_OK;
  }

 private:
  ArrayImpl() = default;
  ~ArrayImpl() override = default;

  std::vector<ComPtr<Element>> elements_;
};

using FrameArray = ArrayImpl<IDirect3DRMFrame>;
using VisualArray = ArrayImpl<IDirect3DRMVisual>;
using LightArray = ArrayImpl<IDirect3DRMLight>;

}  // namespace d3drm
