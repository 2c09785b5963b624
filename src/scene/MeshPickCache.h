// The pick triangles of a mesh object, built on the first pick and kept until the mesh's geometry
// or the object's face normals change.
#pragma once

#include <cstdint>

#include "scene/MeshPick.h"
#include "scene/RefArray.h"

class MeshPickCache {
 public:
  // The triangles of `mesh` with the face normals of `normals`, numbered across the groups from
  // the last to the first. Groups past the end of the normals are left out.
  const MeshPickData& For(IDirect3DRMMesh* mesh, const RefArray& normals);

 private:
  // What the triangles were built from. The holder is not kept counted: the mesh object drops
  // or empties its holders by their counts.
  std::uint64_t revision = 0;
  const RefArray* holder = nullptr;
  const D3DVECTOR* normalsData = nullptr;
  std::size_t normalsSize = 0;
  MeshPickData data;
};
