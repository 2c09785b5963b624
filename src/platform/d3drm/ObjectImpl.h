// What every object of the layer shares: the reference count, interface lookup, application data
// and name. An object starts with the one reference its creator hands out.
#pragma once

#include <cstring>
#include <string>
#include <utility>

#include "platform/d3drm/D3DRMInterfaces.h"
#include "platform/d3drm/Faults.h"
#include "platform/d3drm/Registry.h"
#include "platform/win/ComObject.h"

namespace d3drm {

template <class Interface>
class ObjectImpl : public ComObject<Interface> {
 public:
  HRESULT QueryInterface(REFIID riid, void** object) override {
    return this->Answer(riid, object, Implements(riid));
  }

  HRESULT Clone(LPUNKNOWN, REFIID, LPVOID* copy) override {
    if (copy) *copy = nullptr;
    return E_NOTIMPL;
  }

  HRESULT SetAppData(DWORD_PTR data) override {
    if (HRESULT fault = TakeFault(D3DRMCall::SetAppData)) return fault;
    appData_ = data;
    return D3DRM_OK;
  }
  DWORD_PTR GetAppData() override { return appData_; }

  HRESULT SetName(LPCSTR name) override {
    if (HRESULT fault = TakeFault(D3DRMCall::SetName)) return fault;
    name_ = name ? name : "";
    return D3DRM_OK;
  }

  HRESULT GetName(DWORD* size, LPSTR name) override {
    if (HRESULT fault = TakeFault(D3DRMCall::GetName)) return fault;
    if (!size) return D3DRMERR_BADVALUE;
    const DWORD needed = name_.empty() ? 0 : static_cast<DWORD>(name_.size() + 1);
    if (name) {
      if (*size < needed) return D3DRMERR_BADVALUE;
      if (needed)
        std::memcpy(name, name_.c_str(), needed);
      else if (*size > 0)
        name[0] = '\0';
    }
    *size = needed;
    return D3DRM_OK;
  }

  const std::string& name() const { return name_; }
  const RegistryHandle& registry() const { return registry_; }

 protected:
  explicit ObjectImpl(RegistryHandle registry) : registry_(std::move(registry)), serial_(registry_->add(this)) {}
  ~ObjectImpl() override { registry_->remove(serial_); }

  // The interfaces QueryInterface answers for.
  virtual bool Implements(REFIID riid) const = 0;

  // Copies what Clone carries over for every kind of object.
  void CopyObjectData(const ObjectImpl& source) {
    appData_ = source.appData_;
    name_ = source.name_;
  }

 private:
  RegistryHandle registry_;
  std::uint64_t serial_;
  DWORD_PTR appData_ = 0;
  std::string name_;
};

// True when riid names one of the interfaces in `ids`.
inline bool AnyOf(REFIID riid, std::initializer_list<const IID*> ids) {
  for (const IID* id : ids)
    if (*id == riid) return true;
  return false;
}

}  // namespace d3drm
