#include "platform/d3drm/MeshBuilder.h"

#include <algorithm>
#include <span>

#include "platform/d3drm/Faults.h"
#include "platform/d3drm/FileLookup.h"
#include "platform/d3drm/Matrix.h"
#include "platform/d3drm/xfile/XBuilderFill.h"
#include "platform/d3drm/xfile/XReader.h"

namespace d3drm {

MeshBuilder* MeshBuilder::Create(RegistryHandle registry) { return new MeshBuilder(std::move(registry)); }

MeshBuilder::MeshBuilder(RegistryHandle registry) : ObjectImpl(std::move(registry)) {}

bool MeshBuilder::Implements(REFIID riid) const {
  return AnyOf(riid, {&IID_IUnknown, &IID_IDirect3DRMObject, &IID_IDirect3DRMVisual, &IID_IDirect3DRMMeshBuilder});
}

HRESULT MeshBuilder::Load(LPVOID source, LPVOID objectId, D3DRMLOADOPTIONS options,
                          D3DRMLOADTEXTURECALLBACK textureCallback, LPVOID arg) {
  if (!source || objectId) return D3DRMERR_BADVALUE;
  std::vector<std::uint8_t> fileBytes;
  std::span<const std::uint8_t> bytes;
  if (options == D3DRMLOAD_FROMFILE) {
    switch (ReadWholeFile(static_cast<const char*>(source), &fileBytes)) {
      case FileReadResult::kMissing:
        return D3DRMERR_FILENOTFOUND;
      case FileReadResult::kUnreadable:
        return D3DRMERR_BADFILE;
      case FileReadResult::kOk:
        bytes = fileBytes;
        break;
    }
  } else if (options == D3DRMLOAD_FROMMEMORY) {
    const auto* memory = static_cast<const D3DRMLOADMEMORY*>(source);
    if (!memory->lpMemory && memory->dSize) return D3DRMERR_BADVALUE;
    bytes = {static_cast<const std::uint8_t*>(memory->lpMemory), memory->dSize};
  } else {
    return D3DRMERR_BADVALUE;
  }

  xfile::XScene scene;
  if (const HRESULT result = xfile::ReadXData(bytes, &scene); result != D3DRM_OK) return result;
  BuilderData data;
  xfile::FillBuilder(scene, textureCallback, arg, &data);
  data_ = std::move(data);
  return D3DRM_OK;
}

// Normals follow a non-uniform scale by the inverse factors, so that they stay perpendicular.
HRESULT MeshBuilder::Scale(D3DVALUE sx, D3DVALUE sy, D3DVALUE sz) {
  for (BuilderVertex& v : data_.vertices) v.position = {v.position.x * sx, v.position.y * sy, v.position.z * sz};
  if ((sx != sy || sy != sz) && sx != 0.0f && sy != 0.0f && sz != 0.0f)
    for (D3DVECTOR& n : data_.normals) n = Normalized({n.x / sx, n.y / sy, n.z / sz});
  return D3DRM_OK;
}

HRESULT MeshBuilder::GetBox(D3DRMBOX* box) {
  if (!box) return D3DRMERR_BADVALUE;
  *box = {};
  for (std::size_t i = 0; i < data_.vertices.size(); ++i) {
    const D3DVECTOR& p = data_.vertices[i].position;
    if (i == 0) box->min = box->max = p;
    box->min = {std::min(box->min.x, p.x), std::min(box->min.y, p.y), std::min(box->min.z, p.z)};
    box->max = {std::max(box->max.x, p.x), std::max(box->max.y, p.y), std::max(box->max.z, p.z)};
  }
  return D3DRM_OK;
}

HRESULT MeshBuilder::SetQuality(D3DRMRENDERQUALITY quality) {
  quality_ = quality;
  return D3DRM_OK;
}

HRESULT MeshBuilder::SetPerspective(BOOL perspective) {
  perspective_ = perspective != FALSE;
  return D3DRM_OK;
}

HRESULT MeshBuilder::GenerateNormals() {
  data_.normals.clear();
  d3drm::GenerateNormals(data_, 0, 0, 0);
  return D3DRM_OK;
}

HRESULT MeshBuilder::AddMesh(IDirect3DRMMesh* mesh) {
  const Mesh* ours = Mesh::From(mesh);
  if (!ours) return mesh ? D3DRMERR_BADOBJECT : D3DRMERR_BADVALUE;
  AppendMesh(data_, *ours);
  return D3DRM_OK;
}

HRESULT MeshBuilder::CreateMesh(IDirect3DRMMesh** mesh) {
  if (HRESULT fault = TakeFault(D3DRMCall::BuilderCreateMesh)) return fault;
  if (!mesh) return D3DRMERR_BADVALUE;
  *mesh = MakeMesh(data_, registry(), quality_, perspective_ ? D3DRMMAP_PERSPCORRECT : 0);
  return D3DRM_OK;
}

}  // namespace d3drm
