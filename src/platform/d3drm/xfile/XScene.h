// What the .x reader finds in the data: frames with their transforms, meshes with their faces,
// normals, texture coordinates, vertex colours and materials, and the texture names.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3drm/Material.h"
#include "platform/d3drm/Matrix.h"

namespace d3drm::xfile {

struct XMaterial {
  D3DCOLOR color = 0xFFFFFFFF;  // the face colour with its alpha
  MaterialValues values;
  std::string name;
  std::string textureName;  // empty without a texture
};

struct XFrame {
  int parent = -1;  // index into XScene::frames, or -1 at the top
  Matrix4 transform = Matrix4::Identity();
};

struct XMesh {
  int frame = -1;  // the frame the mesh is in, or -1 at the top
  std::vector<D3DVECTOR> positions;
  std::vector<std::uint32_t> faceSizes;    // 3 or more
  std::vector<std::uint32_t> faceCorners;  // position indices, face after face
  bool hasNormals = false;
  std::vector<D3DVECTOR> normals;
  std::vector<std::uint32_t> normalCorners;        // normal indices in the layout of faceCorners
  std::vector<std::array<D3DVALUE, 2>> texCoords;  // empty, or one per position
  std::vector<std::pair<std::uint32_t, D3DCOLOR>> vertexColors;
  std::vector<std::uint32_t> faceMaterials;  // empty, or one per face
  std::vector<std::shared_ptr<const XMaterial>> materials;
};

struct XScene {
  std::vector<XFrame> frames;
  std::vector<XMesh> meshes;
  std::vector<std::string> textureNames;  // each name once, in order of appearance
};

}  // namespace d3drm::xfile
