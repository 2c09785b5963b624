#include "platform/d3drm/xfile/XBuilderFill.h"

#include <map>
#include <string>

#include "platform/d3drm/Matrix.h"

namespace d3drm::xfile {
namespace {

std::map<std::string, ComPtr<Texture>> LoadTextures(const XScene& scene, D3DRMLOADTEXTURECALLBACK callback, void* arg) {
  std::map<std::string, ComPtr<Texture>> textures;
  if (!callback) return textures;
  for (const std::string& name : scene.textureNames) {
    std::string buffer = name;  // the callback takes a writable name
    IDirect3DRMTexture* texture = nullptr;
    if (FAILED(callback(buffer.data(), arg, &texture)) || !texture) continue;
    ComPtr<IDirect3DRMTexture> given = ComPtr<IDirect3DRMTexture>::adopt(texture);
    if (Texture* ours = Texture::From(texture)) textures[name] = ours;
  }
  return textures;
}

std::vector<Matrix4> WorldTransforms(const XScene& scene) {
  std::vector<Matrix4> world;
  world.reserve(scene.frames.size());
  for (const XFrame& frame : scene.frames)  // a parent always comes before its children
    world.push_back(frame.parent < 0 ? frame.transform
                                     : Multiply(frame.transform, world[static_cast<std::size_t>(frame.parent)]));
  return world;
}

BuilderLook LookOf(const XMaterial& material, const std::map<std::string, ComPtr<Texture>>& textures) {
  BuilderLook look;
  look.color = material.color;
  look.hasMaterial = true;
  look.material = material.values;
  look.materialName = material.name;
  if (auto found = textures.find(material.textureName); found != textures.end()) look.texture = found->second;
  return look;
}

void AddMesh(const XMesh& mesh, const Matrix4& toWorld, const std::map<std::string, ComPtr<Texture>>& textures,
             BuilderData& data) {
  const auto firstLook = static_cast<std::uint32_t>(data.looks.size());
  for (const auto& material : mesh.materials) data.looks.push_back(LookOf(*material, textures));
  const bool plain = mesh.faceMaterials.empty();
  if (plain) data.looks.emplace_back();

  const bool placed = !toWorld.IsIdentity();
  const std::size_t firstVertex = data.vertices.size();
  for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
    BuilderVertex v;
    v.position = placed ? TransformPoint(toWorld, mesh.positions[i]) : mesh.positions[i];
    if (!mesh.texCoords.empty()) {
      v.tu = mesh.texCoords[i][0];
      v.tv = mesh.texCoords[i][1];
    }
    data.vertices.push_back(v);
  }
  for (const auto& [vertex, color] : mesh.vertexColors) {
    data.vertices[firstVertex + vertex].color = color;
    data.vertices[firstVertex + vertex].hasColor = true;
  }

  const auto firstNormal = static_cast<std::uint32_t>(data.normals.size());
  Matrix4 normalMatrix;
  const bool turnNormals = placed && NormalMatrix(toWorld, &normalMatrix);
  for (const D3DVECTOR& n : mesh.normals)
    data.normals.push_back(turnNormals ? Normalized(TransformDirection(normalMatrix, n)) : n);

  const std::size_t firstFace = data.faceSizes.size();
  const std::size_t firstCorner = data.cornerVertices.size();
  for (std::size_t f = 0; f < mesh.faceSizes.size(); ++f) {
    data.faceSizes.push_back(mesh.faceSizes[f]);
    data.faceLooks.push_back(firstLook + (plain ? 0 : mesh.faceMaterials[f]));
  }
  for (std::size_t k = 0; k < mesh.faceCorners.size(); ++k) {
    data.cornerVertices.push_back(static_cast<std::uint32_t>(firstVertex + mesh.faceCorners[k]));
    data.cornerNormals.push_back(mesh.hasNormals ? firstNormal + mesh.normalCorners[k] : BuilderData::kNoNormal);
  }
  if (!mesh.hasNormals) GenerateNormals(data, firstFace, firstCorner, firstVertex);
}

}  // namespace

void FillBuilder(const XScene& scene, D3DRMLOADTEXTURECALLBACK callback, void* arg, BuilderData* data) {
  const auto textures = LoadTextures(scene, callback, arg);
  const std::vector<Matrix4> world = WorldTransforms(scene);
  for (const XMesh& mesh : scene.meshes)
    AddMesh(mesh, mesh.frame < 0 ? Matrix4::Identity() : world[static_cast<std::size_t>(mesh.frame)], textures, *data);
}

}  // namespace d3drm::xfile
