// Reference counting and interface lookup for the layer's objects outside the retained-mode
// object model (arrays, pick results, the immediate-mode objects). An object starts with the one
// reference its creator hands out and answers for IUnknown and `kId`.
#pragma once

#include "platform/win/Com.h"

namespace d3drm {

template <class Interface, const IID& kId>
class ComImpl : public Interface {
 public:
  ComImpl(const ComImpl&) = delete;
  ComImpl& operator=(const ComImpl&) = delete;

  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!(riid == IID_IUnknown) && !(riid == kId)) return E_NOINTERFACE;
    AddRef();
    *object = static_cast<Interface*>(this);
    return S_OK;
  }
  ULONG AddRef() override { return ++count_; }
  ULONG Release() override {
    if (--count_ != 0) return count_;
    delete this;
    return 0;
  }

 protected:
  ComImpl() = default;
  ~ComImpl() override = default;

 private:
  ULONG count_ = 1;
};

}  // namespace d3drm
