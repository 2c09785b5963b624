// What every object of the layer shares beyond reference counting: the count of live objects that
// tests check, and the fault seam on interface lookup.
#pragma once

#include <initializer_list>

#include "platform/ddraw/DDResults.h"
#include "platform/ddraw/Faults.h"
#include "platform/win/ComObject.h"

namespace ddraw {

template <class Interface>
class DDComObject : public ComObject<Interface> {
 protected:
  DDComObject() { CountLiveObject(1); }
  ~DDComObject() override { CountLiveObject(-1); }

  // The object answers for IUnknown and for `ids`; every interface is the same pointer.
  HRESULT QueryAmong(REFIID riid, void** object, std::initializer_list<const IID*> ids) {
    if (!object) return DDERR_INVALIDPARAMS;
    *object = nullptr;
    if (HRESULT fault = TakeFault(DDCall::QueryInterface)) return fault;
    bool known = false;
    for (const IID* id : ids) known = known || riid == *id;
    return this->Answer(riid, object, known);
  }
};

}  // namespace ddraw
