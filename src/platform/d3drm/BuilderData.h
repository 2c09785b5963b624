// What a mesh builder holds: vertices with their texture coordinates and colours, normals, and
// faces of three or more corners, each face with a look.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3drm/Material.h"
#include "platform/d3drm/Mesh.h"
#include "platform/win/ComPtr.h"
#include "platform/d3drm/Texture.h"

namespace d3drm {

// The look of a face: a group of a created mesh has exactly one.
struct BuilderLook {
  D3DCOLOR color = 0xFFFFFFFF;
  bool hasMaterial = false;
  MaterialValues material;
  std::string materialName;  // given to the group's material; not part of the look
  ComPtr<Texture> texture;

  bool SameLook(const BuilderLook& other) const;
};

struct BuilderVertex {
  D3DVECTOR position{};
  D3DVALUE tu = 0.0f;
  D3DVALUE tv = 0.0f;
  D3DCOLOR color = 0;
  bool hasColor = false;  // without one, the vertex takes the colour of its face's look
};

struct BuilderData {
  static constexpr std::uint32_t kNoNormal = 0xFFFFFFFF;

  std::vector<BuilderVertex> vertices;
  std::vector<D3DVECTOR> normals;
  std::vector<BuilderLook> looks;
  std::vector<std::uint32_t> faceSizes;       // corners of each face, 3 or more
  std::vector<std::uint32_t> faceLooks;       // look of each face
  std::vector<std::uint32_t> cornerVertices;  // the corners of all faces, face after face
  std::vector<std::uint32_t> cornerNormals;   // normal of each corner, or kNoNormal
};

// Gives every vertex from firstVertex on the normalised sum of the unit normals of the faces
// from firstFace on (whose corners start at firstCorner) that use it, and points those corners
// at the new normals. A face's normal is (p1 - p0) x (p2 - p0) summed over its fan.
void GenerateNormals(BuilderData& data, std::size_t firstFace, std::size_t firstCorner, std::size_t firstVertex);

// Appends every group of the mesh as faces with the group's look.
void AppendMesh(BuilderData& data, const Mesh& mesh);

// The mesh of the builder's faces:
// - one group for each distinct look (material values, texture, colour), in the order in which
//   faces first use it;
// - within a group, one vertex for each distinct (position, normal, texture coordinate, colour)
//   in order of first use;
// - faces in their order; a face of n > 3 corners becomes the fan (v0, vi, vi+1).
// Each group gets its own material object. Parts, material names and colour patterns are
// numbered from this rule, so it never changes.
Mesh* MakeMesh(const BuilderData& data, const RegistryHandle& registry, D3DRMRENDERQUALITY quality,
               D3DRMMAPPING mapping);

}  // namespace d3drm
