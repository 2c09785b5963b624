// Feeds arbitrary bytes to the mesh builder's .x loader, then makes meshes of what it took and
// checks that every face index lies inside its group.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/d3drm/D3DRM.h"
#include "platform/d3drm/Direct3DRM.h"
#include "platform/d3drm/Mesh.h"
#include "platform/d3drm/Texture.h"
#include "platform/win/ComPtr.h"

namespace {

// Gives a one-pixel texture for names of even length and refuses the others.
HRESULT MakeTexture(char* name, void* arg, IDirect3DRMTexture** texture) {
  *texture = nullptr;
  if (std::strlen(name) % 2) return D3DRMERR_FILENOTFOUND;
  auto* root = static_cast<d3drm::Root*>(arg);
  *texture = d3drm::Texture::Create(root->registry(), d3drm::Picture{1, 1, {0}}, 256, 256);
  return D3DRM_OK;
}

void CheckFaces(IDirect3DRMMesh* mesh) {
  for (const d3drm::MeshGroup& group : d3drm::Mesh::From(mesh)->groups())
    for (unsigned index : group.indices)
      if (index >= group.vertices.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ComPtr<IDirect3DRM> rm;
  Direct3DRMCreate(rm.put());
  ComPtr<IDirect3DRMMeshBuilder> builder;
  rm->CreateMeshBuilder(builder.put());
  D3DRMLOADMEMORY memory{const_cast<std::uint8_t*>(data), static_cast<DWORD>(size)};
  if (builder->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, &MakeTexture, rm.get()) == D3DRM_OK) {
    ComPtr<IDirect3DRMMesh> mesh;
    builder->CreateMesh(mesh.put());
    CheckFaces(mesh.get());
    D3DRMBOX box;
    builder->GetBox(&box);
    builder->GenerateNormals();
    builder->CreateMesh(mesh.put());
    CheckFaces(mesh.get());
  }
  return 0;
}
