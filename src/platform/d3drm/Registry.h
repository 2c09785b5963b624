// The live objects of one root object, in the order of their creation, for EnumerateObjects.
// An object keeps the registry alive, so objects may outlive the root that made them.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class IDirect3DRMObject;

namespace d3drm {

class Registry {
 public:
  std::uint64_t add(IDirect3DRMObject* object);
  void remove(std::uint64_t serial);
  std::vector<IDirect3DRMObject*> liveObjects() const;

 private:
  std::uint64_t next_ = 0;
  std::map<std::uint64_t, IDirect3DRMObject*> live_;
};

using RegistryHandle = std::shared_ptr<Registry>;

}  // namespace d3drm
