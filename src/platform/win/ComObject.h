// Reference counting shared by the objects of the platform layers: an object starts with the one
// reference its creator hands out, AddRef and Release return the new count, and the last Release
// deletes it.
#pragma once

#include "platform/win/Com.h"

template <class Interface>
class ComObject : public Interface {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() = default;
  ~ComObject() override = default;

  // The QueryInterface answer: this object, with a reference, for IUnknown or when `known`.
  HRESULT Answer(REFIID riid, void** object, bool known) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!known && !(riid == IID_IUnknown)) return E_NOINTERFACE;
    AddRef();
    *object = static_cast<Interface*>(this);
    return S_OK;
  }

 private:
  ULONG references_ = 1;
};
