// Reading the triangles of a platform mesh: one group at a time, or all groups laid end to end in
// the cartoon numbering (from the last group to the first, each group's faces offset by the
// vertices laid before it).
#pragma once

#include <vector>

#include "platform/d3drm/D3DRM.h"

struct MeshGroupData {
  DWORD vCount = 0;
  DWORD fCount = 0;
  std::vector<unsigned> faces;  // three vertex indices of the group per face
  std::vector<D3DRMVERTEX> vertices;
};

// What a failed read of the faces or of the vertices reports: each reader words its calls after
// the buffers it fills.
struct MeshGroupReadTexts {
  const char* faces;
  const char* vertices;
};
// The cartoon data's own build, which reads each group into buffers of its own.
inline constexpr MeshGroupReadTexts kCartoonBuildReadTexts{
    "mesh->GetGroup( group, &vCount, &fCount, NULL, &fDataSize, fData )",
    "mesh->GetVertices( group, 0, vCount, vData )"};
// A gathering of all groups into one array of faces and one of vertices.
inline constexpr MeshGroupReadTexts kGatherReadTexts{
    "mesh->GetGroup( group, &vCount, &fCount, NULL, &fDataSize, faces )",
    "mesh->GetVertices( group, 0, vCount, vData + vNum )"};

// Reads one group of triangles; the buffers keep their room for the next call.
void ReadMeshGroup(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group, MeshGroupData& out,
                   const MeshGroupReadTexts& texts);

struct MeshGeometry {
  std::vector<D3DRMVERTEX> vertices;
  std::vector<DWORD> faces;  // three vertex numbers per face
  DWORD VertexCount() const { return static_cast<DWORD>(vertices.size()); }
  DWORD FaceCount() const { return static_cast<DWORD>(faces.size() / 3); }
};

MeshGeometry GatherMeshGeometry(IDirect3DRMMesh* mesh);
