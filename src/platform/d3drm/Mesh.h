// Meshes: groups of triangles, each with its own vertices, colour, mapping, render quality,
// material and texture.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3drm/Material.h"
#include "platform/d3drm/ObjectImpl.h"
#include "platform/win/ComPtr.h"
#include "platform/d3drm/Texture.h"

namespace d3drm {

struct MeshGroup {
  std::vector<D3DRMVERTEX> vertices;
  std::vector<unsigned> indices;  // three per triangle, each below vertices.size()
  D3DCOLOR color = 0xFFFFFFFF;
  D3DRMMAPPING mapping = 0;
  D3DRMRENDERQUALITY quality = D3DRMRENDER_GOURAUD;
  ComPtr<Material> material;
  ComPtr<Texture> texture;
};

class Mesh final : public ObjectImpl<IDirect3DRMMesh> {
 public:
  static Mesh* Create(RegistryHandle registry);
  static Mesh* From(IDirect3DRMVisual* visual);
  static Mesh* From(IDirect3DRMMesh* mesh);

  HRESULT Clone(LPUNKNOWN outer, REFIID riid, LPVOID* copy) override;
  HRESULT GetBox(D3DRMBOX* box) override;
  HRESULT AddGroup(unsigned vCount, unsigned fCount, unsigned vPerFace, const unsigned* fData,
                   D3DRMGROUPINDEX* index) override;
  HRESULT SetVertices(D3DRMGROUPINDEX group, unsigned first, unsigned count, const D3DRMVERTEX* vertices) override;
  HRESULT GetVertices(D3DRMGROUPINDEX group, unsigned first, unsigned count, D3DRMVERTEX* vertices) override;
  unsigned GetGroupCount() override { return static_cast<unsigned>(groups_.size()); }
  HRESULT GetGroup(D3DRMGROUPINDEX group, unsigned* vCount, unsigned* fCount, unsigned* vPerFace, DWORD* fDataSize,
                   unsigned* fData) override;
  HRESULT SetGroupColor(D3DRMGROUPINDEX group, D3DCOLOR color) override;
  HRESULT SetGroupMapping(D3DRMGROUPINDEX group, D3DRMMAPPING mapping) override;
  HRESULT SetGroupQuality(D3DRMGROUPINDEX group, D3DRMRENDERQUALITY quality) override;
  HRESULT SetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial* material) override;
  HRESULT SetGroupTexture(D3DRMGROUPINDEX group, IDirect3DRMTexture* texture) override;
  D3DCOLOR GetGroupColor(D3DRMGROUPINDEX group) override;
  D3DRMMAPPING GetGroupMapping(D3DRMGROUPINDEX group) override;
  D3DRMRENDERQUALITY GetGroupQuality(D3DRMGROUPINDEX group) override;
  HRESULT GetGroupMaterial(D3DRMGROUPINDEX group, IDirect3DRMMaterial** material) override;
  HRESULT GetGroupTexture(D3DRMGROUPINDEX group, IDirect3DRMTexture** texture) override;

  const std::vector<MeshGroup>& groups() const { return groups_; }
  // For the mesh builder, which makes whole groups at once.
  void AppendGroup(MeshGroup group) {
    groups_.push_back(std::move(group));
    Changed();
  }
  std::uint64_t revision() const { return revision_; }

 private:
  explicit Mesh(RegistryHandle registry);
  ~Mesh() override = default;
  bool Implements(REFIID riid) const override;
  MeshGroup* Find(D3DRMGROUPINDEX group);
  // A group's field; a group that does not exist gives D3DRMERR_BADVALUE or the zero value.
  template <class Field>
  HRESULT Store(D3DRMGROUPINDEX group, Field MeshGroup::*field, Field value);
  template <class Field>
  Field Read(D3DRMGROUPINDEX group, Field MeshGroup::*field);
  // Takes a stamp no mesh has had before.
  void Changed();

  std::vector<MeshGroup> groups_;
  std::uint64_t revision_ = 0;
};

}  // namespace d3drm
