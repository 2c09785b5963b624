#include "platform/d3drm/Mesh.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>

#include "platform/d3drm/Faults.h"

namespace d3drm {
namespace {

constexpr unsigned kTriangle = 3;

bool InRange(std::size_t size, unsigned first, unsigned count) { return first <= size && count <= size - first; }

}  // namespace

Mesh* Mesh::Create(RegistryHandle registry) { return new Mesh(std::move(registry)); }

Mesh* Mesh::From(IDirect3DRMVisual* visual) { return dynamic_cast<Mesh*>(visual); }

Mesh* Mesh::From(IDirect3DRMMesh* mesh) { return dynamic_cast<Mesh*>(mesh); }

Mesh::Mesh(RegistryHandle registry) : ObjectImpl(std::move(registry)) { Changed(); }

void Mesh::Changed() {
  static std::atomic<std::uint64_t> stamps{0};
  revision_ = ++stamps;
}

bool Mesh::Implements(REFIID riid) const {
  return AnyOf(riid, {&IID_IUnknown, &IID_IDirect3DRMObject, &IID_IDirect3DRMVisual, &IID_IDirect3DRMMesh});
}

MeshGroup* Mesh::Find(D3DRMGROUPINDEX group) {
  if (group < 0 || static_cast<std::size_t>(group) >= groups_.size()) return nullptr;
  return &groups_[static_cast<std::size_t>(group)];
}

// A clone has its own groups and its own copy of each group material, so that changing a look on
// one mesh leaves the other alone; textures are shared.
HRESULT Mesh::Clone(LPUNKNOWN outer, REFIID riid, LPVOID* copy) {
  if (!copy) return D3DRMERR_BADVALUE;
  *copy = nullptr;
  if (outer) return D3DRMERR_BADVALUE;
  if (!Implements(riid)) return E_NOINTERFACE;
  Mesh* clone = Create(registry());
  clone->CopyObjectData(*this);
  clone->groups_ = groups_;
  for (MeshGroup& group : clone->groups_)
    if (group.material) group.material = ComPtr<Material>::adopt(group.material->Duplicate());
  *copy = static_cast<IDirect3DRMMesh*>(clone);
  return D3DRM_OK;
}

HRESULT Mesh::GetBox(D3DRMBOX* box) {
  if (HRESULT fault = TakeFault(D3DRMCall::GetBox)) return fault;
  if (!box) return D3DRMERR_BADVALUE;
  bool any = false;
  for (const MeshGroup& group : groups_)
    for (const D3DRMVERTEX& v : group.vertices) {
      if (!any) box->min = box->max = v.position;
      any = true;
      box->min = {std::min(box->min.x, v.position.x), std::min(box->min.y, v.position.y),
                  std::min(box->min.z, v.position.z)};
      box->max = {std::max(box->max.x, v.position.x), std::max(box->max.y, v.position.y),
                  std::max(box->max.z, v.position.z)};
    }
  if (!any) *box = {};
  return D3DRM_OK;
}

HRESULT Mesh::AddGroup(unsigned vCount, unsigned fCount, unsigned vPerFace, const unsigned* fData,
                       D3DRMGROUPINDEX* index) {
  if (HRESULT fault = TakeFault(D3DRMCall::AddGroup)) return fault;
  if (vPerFace != kTriangle || (fCount > 0 && !fData) || !index) return D3DRMERR_BADVALUE;
  if (groups_.size() >= static_cast<std::size_t>(std::numeric_limits<D3DRMGROUPINDEX>::max())) return D3DRMERR_BADVALUE;
  const std::size_t indexCount = std::size_t{fCount} * kTriangle;
  if (std::any_of(fData, fData + indexCount, [&](unsigned i) { return i >= vCount; })) return D3DRMERR_BADVALUE;
  MeshGroup group;
  group.vertices.resize(vCount);
  group.indices.assign(fData, fData + indexCount);
  groups_.push_back(std::move(group));
  Changed();
  *index = static_cast<D3DRMGROUPINDEX>(groups_.size() - 1);
  return D3DRM_OK;
}

HRESULT Mesh::SetVertices(D3DRMGROUPINDEX group, unsigned first, unsigned count, const D3DRMVERTEX* vertices) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetVertices)) return fault;
  MeshGroup* g = Find(group);
  if (!g || !vertices || !InRange(g->vertices.size(), first, count)) return D3DRMERR_BADVALUE;
  std::copy(vertices, vertices + count, g->vertices.begin() + first);
  Changed();
  return D3DRM_OK;
}

HRESULT Mesh::GetVertices(D3DRMGROUPINDEX group, unsigned first, unsigned count, D3DRMVERTEX* vertices) {
  if (HRESULT fault = TakeFault(D3DRMCall::GetVertices)) return fault;
  MeshGroup* g = Find(group);
  if (!g || !vertices || !InRange(g->vertices.size(), first, count)) return D3DRMERR_BADVALUE;
  std::copy(g->vertices.begin() + first, g->vertices.begin() + first + count, vertices);
  return D3DRM_OK;
}

HRESULT Mesh::GetGroup(D3DRMGROUPINDEX group, unsigned* vCount, unsigned* fCount, unsigned* vPerFace, DWORD* fDataSize,
                       unsigned* fData) {
  if (HRESULT fault = TakeFault(D3DRMCall::GetGroup)) return fault;
  MeshGroup* g = Find(group);
  if (!g) return D3DRMERR_BADVALUE;
  const auto size = static_cast<DWORD>(g->indices.size());
  if (fData) {
    if (!fDataSize || *fDataSize < size) return D3DRMERR_BADVALUE;
    std::copy(g->indices.begin(), g->indices.end(), fData);
  }
  if (vCount) *vCount = static_cast<unsigned>(g->vertices.size());
  if (fCount) *fCount = size / kTriangle;
  if (vPerFace) *vPerFace = kTriangle;
  if (fDataSize) *fDataSize = size;
  return D3DRM_OK;
}

template <class Field>
HRESULT Mesh::Store(D3DRMGROUPINDEX group, Field MeshGroup::*field, Field value) {
  MeshGroup* g = Find(group);
  if (!g) return D3DRMERR_BADVALUE;
  g->*field = std::move(value);
  return D3DRM_OK;
}

template <class Field>
Field Mesh::Read(D3DRMGROUPINDEX group, Field MeshGroup::*field) {
  MeshGroup* g = Find(group);
  return g ? g->*field : Field{};
}

HRESULT Mesh::SetGroupColor(D3DRMGROUPINDEX group, D3DCOLOR color) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetGroupColor)) return fault;
  return Store(group, &MeshGroup::color, color);
}

HRESULT Mesh::SetGroupMapping(D3DRMGROUPINDEX group, D3DRMMAPPING mapping) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetGroupMapping)) return fault;
  return Store(group, &MeshGroup::mapping, mapping);
}

HRESULT Mesh::SetGroupQuality(D3DRMGROUPINDEX group, D3DRMRENDERQUALITY quality) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetGroupQuality)) return fault;
  return Store(group, &MeshGroup::quality, quality);
}

HRESULT Mesh::SetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial* material) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetGroupMaterial)) return fault;
  Material* ours = Material::From(material);
  if (material && !ours) return D3DRMERR_BADVALUE;
  return Store(group, &MeshGroup::material, ComPtr<Material>(ours));
}

HRESULT Mesh::SetGroupTexture(D3DRMGROUPINDEX group, IDirect3DRMTexture* texture) {
  if (HRESULT fault = TakeFault(D3DRMCall::SetGroupTexture)) return fault;
  Texture* ours = Texture::From(texture);
  if (texture && !ours) return D3DRMERR_BADVALUE;
  return Store(group, &MeshGroup::texture, ComPtr<Texture>(ours));
}

D3DCOLOR Mesh::GetGroupColor(D3DRMGROUPINDEX group) { return Read(group, &MeshGroup::color); }
D3DRMMAPPING Mesh::GetGroupMapping(D3DRMGROUPINDEX group) { return Read(group, &MeshGroup::mapping); }
D3DRMRENDERQUALITY Mesh::GetGroupQuality(D3DRMGROUPINDEX group) { return Read(group, &MeshGroup::quality); }

HRESULT Mesh::GetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial** material) {
  if (HRESULT fault = TakeFault(D3DRMCall::GetGroupMaterial)) return fault;
  MeshGroup* g = Find(group);
  if (!g || !material) return D3DRMERR_BADVALUE;
  HandOut(material, g->material.get());
  return D3DRM_OK;
}

HRESULT Mesh::GetGroupTexture(D3DRMGROUPINDEX group, IDirect3DRMTexture** texture) {
  if (HRESULT fault = TakeFault(D3DRMCall::GetGroupTexture)) return fault;
  MeshGroup* g = Find(group);
  if (!g || !texture) return D3DRMERR_BADVALUE;
  HandOut(texture, g->texture.get());
  return D3DRM_OK;
}

}  // namespace d3drm

std::uint64_t D3DRMMeshRevision(IDirect3DRMMesh* mesh) {
  const d3drm::Mesh* impl = mesh ? d3drm::Mesh::From(mesh) : nullptr;
  return impl ? impl->revision() : 0;
}
