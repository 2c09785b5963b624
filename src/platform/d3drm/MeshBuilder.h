// Mesh builders: load .x data or take meshes, scale, generate normals and make meshes.
#pragma once

#include "platform/d3drm/BuilderData.h"
#include "platform/d3drm/ObjectImpl.h"

namespace d3drm {

class MeshBuilder final : public ObjectImpl<IDirect3DRMMeshBuilder> {
 public:
  static MeshBuilder* Create(RegistryHandle registry);

  // Replaces the builder's faces with those of the data on success; results: D3DRM_OK,
  // D3DRMERR_NOTFOUND (no mesh in the data), D3DRMERR_BADFILE (damaged or unreadable),
  // D3DRMERR_FILENOTFOUND.
  HRESULT Load(LPVOID source, LPVOID objectId, D3DRMLOADOPTIONS options, D3DRMLOADTEXTURECALLBACK textureCallback,
               LPVOID arg) override;
  HRESULT Scale(D3DVALUE sx, D3DVALUE sy, D3DVALUE sz) override;
  HRESULT GetBox(D3DRMBOX* box) override;
  HRESULT SetQuality(D3DRMRENDERQUALITY quality) override;
  HRESULT SetPerspective(BOOL perspective) override;
  HRESULT GenerateNormals() override;
  HRESULT AddMesh(IDirect3DRMMesh* mesh) override;
  HRESULT CreateMesh(IDirect3DRMMesh** mesh) override;

  const BuilderData& data() const { return data_; }

 private:
  explicit MeshBuilder(RegistryHandle registry);
  ~MeshBuilder() override = default;
  bool Implements(REFIID riid) const override;

  BuilderData data_;
  D3DRMRENDERQUALITY quality_ = D3DRMRENDER_GOURAUD;
  bool perspective_ = false;
};

}  // namespace d3drm
