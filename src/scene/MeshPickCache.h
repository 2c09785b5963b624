// The pick triangles of a mesh object, built on the first pick and kept until the mesh's geometry
// or the object's face normals change. Copies share one set of triangles, so that objects that
// share a mesh keep it once.
#pragma once

#include <cstdint>
#include <memory>

#include "scene/MeshPick.h"
#include "scene/RefArray.h"

class MeshPickCache {
 public:
  // The triangles of `mesh` with the face normals of `normals`, numbered across the groups from
  // the last to the first. Groups past the end of the normals are left out.
  const MeshPickData& For(IDirect3DRMMesh* mesh, const RefArray& normals);
  // Whether the triangles kept are those of `mesh` and `normals` as they are now.
  bool Describes(IDirect3DRMMesh* mesh, const RefArray& normals) const;

 private:
  // What the triangles were built from. The holder is not kept counted: the mesh object drops
  // or empties its holders by their counts.
  std::uint64_t revision = 0;
  const RefArray* holder = nullptr;
  const D3DVECTOR* normalsData = nullptr;
  std::size_t normalsSize = 0;
  std::shared_ptr<const MeshPickData> data;
};
