#include "platform/framework/Resources.h"

#include <algorithm>

namespace {

template <typename Resource>
std::vector<const Resource*>& Registry() {
  static std::vector<const Resource*> registry;
  return registry;
}

// A later registration of an id replaces an earlier one.
template <typename Resource>
void Add(const Resource* resource) {
  auto& registry = Registry<Resource>();
  std::erase_if(registry, [&](const Resource* r) { return r->id == resource->id; });
  registry.push_back(resource);
}

template <typename Resource>
const Resource* Find(UINT id) {
  const auto& registry = Registry<Resource>();
  auto it = std::find_if(registry.begin(), registry.end(), [&](const Resource* r) { return r->id == id; });
  return it == registry.end() ? nullptr : *it;
}

}  // namespace

void AddMenuResource(const MenuResource* menu) { Add(menu); }
void AddIconResource(const IconResource* icon) { Add(icon); }
const IconResource* FindIconResource(UINT id) { return Find<IconResource>(id); }
void AddBitmapResource(const BitmapResource* bitmap) { Add(bitmap); }
const BitmapResource* FindBitmapResource(UINT id) { return Find<BitmapResource>(id); }
void AddAcceleratorResource(const AcceleratorResource* table) { Add(table); }
void AddToolBarResource(const ToolBarResource* toolBar) { Add(toolBar); }
const MenuResource* FindMenuResource(UINT id) { return Find<MenuResource>(id); }
const AcceleratorResource* FindAcceleratorResource(UINT id) { return Find<AcceleratorResource>(id); }
const ToolBarResource* FindToolBarResource(UINT id) { return Find<ToolBarResource>(id); }
