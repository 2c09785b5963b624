// Writes 3D Studio files for tests with assimp's exporter: quads of given corners, each mesh with its
// own material (diffuse and specular colour, a texture name; the exporter drops shininess).
#pragma once

#include <assimp/material.h>
#include <assimp/scene.h>

#include <array>
#include <assimp/Exporter.hpp>
#include <string>
#include <vector>

struct ThreeDsMesh {
  std::vector<std::array<float, 3>> corners;  // four per quad
  std::array<float, 3> diffuse;
  std::array<float, 3> specular;
  std::string texture;  // empty: none
};

inline bool WriteThreeDs(const std::string& path, const std::vector<ThreeDsMesh>& meshes) {
  aiScene scene;
  scene.mRootNode = new aiNode("root");
  scene.mNumMeshes = scene.mNumMaterials = static_cast<unsigned>(meshes.size());
  scene.mMeshes = new aiMesh*[meshes.size()];
  scene.mMaterials = new aiMaterial*[meshes.size()];
  scene.mRootNode->mNumMeshes = scene.mNumMeshes;
  scene.mRootNode->mMeshes = new unsigned[meshes.size()];
  for (unsigned m = 0; m < meshes.size(); ++m) {
    const ThreeDsMesh& in = meshes[m];
    auto* mesh = scene.mMeshes[m] = new aiMesh();
    scene.mRootNode->mMeshes[m] = m;
    mesh->mMaterialIndex = m;
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = static_cast<unsigned>(in.corners.size());
    mesh->mVertices = new aiVector3D[in.corners.size()];
    mesh->mTextureCoords[0] = new aiVector3D[in.corners.size()];
    mesh->mNumUVComponents[0] = 2;
    for (unsigned v = 0; v < in.corners.size(); ++v) {
      mesh->mVertices[v] = aiVector3D(in.corners[v][0], in.corners[v][1], in.corners[v][2]);
      mesh->mTextureCoords[0][v] = aiVector3D(static_cast<float>(v % 2), static_cast<float>(v / 2 % 2), 0);
    }
    mesh->mNumFaces = mesh->mNumVertices / 2;  // two triangles per quad
    mesh->mFaces = new aiFace[mesh->mNumFaces];
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
      const unsigned q = f / 2 * 4, t = f % 2;  // the quad's first corner, the triangle within it
      mesh->mFaces[f].mNumIndices = 3;
      mesh->mFaces[f].mIndices = new unsigned[3]{q, q + 1 + t, q + 2 + t};
    }
    auto* material = scene.mMaterials[m] = new aiMaterial();
    const aiString name("Part" + std::to_string(m));
    material->AddProperty(&name, AI_MATKEY_NAME);
    const aiColor3D diffuse(in.diffuse[0], in.diffuse[1], in.diffuse[2]);
    const aiColor3D specular(in.specular[0], in.specular[1], in.specular[2]);
    material->AddProperty(&diffuse, 1, AI_MATKEY_COLOR_DIFFUSE);
    material->AddProperty(&specular, 1, AI_MATKEY_COLOR_SPECULAR);
    if (!in.texture.empty()) {
      const aiString texture(in.texture);
      material->AddProperty(&texture, AI_MATKEY_TEXTURE_DIFFUSE(0));
    }
  }
  Assimp::Exporter exporter;
  return exporter.Export(&scene, "3ds", path) == AI_SUCCESS;
}
