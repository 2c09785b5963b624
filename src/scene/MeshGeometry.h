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

// Reads one group of triangles; the buffers keep their room for the next call.
void ReadMeshGroup(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group, MeshGroupData& out);

struct MeshGeometry {
  std::vector<D3DRMVERTEX> vertices;
  std::vector<DWORD> faces;  // three vertex numbers per face
  DWORD VertexCount() const { return static_cast<DWORD>(vertices.size()); }
  DWORD FaceCount() const { return static_cast<DWORD>(faces.size() / 3); }
};

MeshGeometry GatherMeshGeometry(IDirect3DRMMesh* mesh);
