#include "platform/d3drm/Registry.h"

namespace d3drm {

std::uint64_t Registry::add(IDirect3DRMObject* object) {
  live_.emplace(next_, object);
  return next_++;
}

void Registry::remove(std::uint64_t serial) { live_.erase(serial); }

std::vector<IDirect3DRMObject*> Registry::liveObjects() const {
  std::vector<IDirect3DRMObject*> objects;
  objects.reserve(live_.size());
  for (const auto& [serial, object] : live_) objects.push_back(object);
  return objects;
}

}  // namespace d3drm
