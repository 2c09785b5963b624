// The reference counting and interface lookup every object of the layer shares.
#pragma once

#include <initializer_list>

#include "platform/ddraw/DDResults.h"
#include "platform/ddraw/Faults.h"
#include "platform/win/Com.h"

template <class Interface>
class DDComObject : public Interface {
 public:
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  DDComObject() { DDCountLiveObject(1); }
  ~DDComObject() override { DDCountLiveObject(-1); }

  // The object answers for IUnknown and for `ids`; every interface is the same pointer.
  HRESULT QueryAmong(REFIID riid, void** object, std::initializer_list<const IID*> ids) {
    if (!object) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (HRESULT fault = DDTakeFault(DDCall::QueryInterface)) return fault;
    bool known = riid == IID_IUnknown;
    for (const IID* id : ids) known = known || riid == *id;
    if (!known) return E_NOINTERFACE;
    *object = static_cast<Interface*>(this);
    AddRef();
    return DD_OK;
  }

 private:
  ULONG references_ = 1;
};
