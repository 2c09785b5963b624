#include "scene/MeshGeometry.h"

#include "core/FatalError.h"

void ReadMeshGroup(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group, MeshGroupData& out,
                   const MeshGroupReadTexts& texts) {
  unsigned vCount = 0, fCount = 0, vPerFace = 0;
  DWORD fDataSize = 0;
  XCHECK_D3DRM(mesh->GetGroup( group, &vCount, &fCount, &vPerFace, &fDataSize, NULL ));
  XASSERT(vPerFace == 3, "Non-triangle faces not supported");
  out.vCount = vCount;
  out.fCount = fCount;
  out.faces.resize(fDataSize);
  unsigned* faces = out.faces.data();
  XCHECK_D3DRM_TEXT(mesh->GetGroup(group, &vCount, &fCount, NULL, &fDataSize, faces), texts.faces);
  out.faces.resize(3 * std::size_t{fCount});
  out.vertices.resize(vCount);
  D3DRMVERTEX* vData = out.vertices.data();
  if (vCount) XCHECK_D3DRM_TEXT(mesh->GetVertices(group, 0, vCount, vData), texts.vertices);
}

MeshGeometry GatherMeshGeometry(IDirect3DRMMesh* mesh) {
  MeshGeometry all;
  MeshGroupData group;
  for (unsigned index = mesh->GetGroupCount(); index-- > 0;) {
    ReadMeshGroup(mesh, static_cast<D3DRMGROUPINDEX>(index), group,
                  {kGatherReadTexts.faces, "mesh->GetVertices( group, 0, vCount, vData + vTotal )"});
    const DWORD first = all.VertexCount();
    all.vertices.insert(all.vertices.end(), group.vertices.begin(), group.vertices.end());
    for (unsigned v : group.faces) all.faces.push_back(first + v);
  }
  return all;
}
