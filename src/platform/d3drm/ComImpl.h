// Interface lookup for the layer's objects outside the retained-mode object model (arrays, pick
// results, the immediate-mode objects): each answers for IUnknown and `kId`.
#pragma once

#include "platform/win/ComObject.h"

namespace d3drm {

template <class Interface, const IID& kId>
class ComImpl : public ComObject<Interface> {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override { return this->Answer(riid, object, riid == kId); }
};

}  // namespace d3drm
