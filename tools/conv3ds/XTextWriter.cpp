#include "XTextWriter.h"

#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <string>

namespace {

// Reals written with enough digits to read back the same float.
std::string Real(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", value);
  return text;
}

// Text .x strings have no escapes: quotes and line breaks cannot stand in them.
std::string StringText(std::string text) {
  std::erase_if(text, [](char c) { return c == '"' || c == '\n' || c == '\r'; });
  return text;
}

void WriteMaterial(const aiMaterial& material, std::ostream& out) {
  aiColor4D diffuse(1, 1, 1, 1);
  aiColor4D specular(0, 0, 0, 1);
  aiColor4D emissive(0, 0, 0, 1);
  float opacity = 1.0f;
  float power = 0.0f;
  material.Get(AI_MATKEY_COLOR_DIFFUSE, diffuse);
  material.Get(AI_MATKEY_COLOR_SPECULAR, specular);
  material.Get(AI_MATKEY_COLOR_EMISSIVE, emissive);
  material.Get(AI_MATKEY_OPACITY, opacity);
  material.Get(AI_MATKEY_SHININESS, power);
  out << "  Material {\n   " << Real(diffuse.r) << ";" << Real(diffuse.g) << ";" << Real(diffuse.b) << ";"
      << Real(opacity) << ";;\n   " << Real(power) << ";\n   " << Real(specular.r) << ";" << Real(specular.g) << ";"
      << Real(specular.b) << ";;\n   " << Real(emissive.r) << ";" << Real(emissive.g) << ";" << Real(emissive.b)
      << ";;\n";
  aiString texture;
  if (material.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS && texture.length > 0)
    out << "   TextureFilename {\n    \"" << StringText(texture.C_Str()) << "\";\n   }\n";
  out << "  }\n";
}

template <class Item>
void WriteList(std::ostream& out, unsigned count, Item item) {
  for (unsigned i = 0; i < count; ++i) {
    out << "  ";
    item(i);
    out << (i + 1 < count ? ",\n" : ";\n");
  }
}

void WriteMesh(const aiScene& scene, const aiMesh& mesh, unsigned index, double scale, bool reverse,
               std::ostream& out) {
  unsigned faces = 0;
  for (unsigned f = 0; f < mesh.mNumFaces; ++f) faces += mesh.mFaces[f].mNumIndices >= 3;
  if (mesh.mNumVertices == 0 || faces == 0) return;
  // A face's corners in the order they are written.
  const auto corners = [&](const aiFace& face, auto write) {
    for (unsigned k = 0; k < face.mNumIndices; ++k)
      write(face.mIndices[reverse ? (face.mNumIndices - k) % face.mNumIndices : k], k + 1 == face.mNumIndices);
  };
  const auto faceList = [&] {
    out << " " << faces << ";\n";
    unsigned written = 0;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      const aiFace& face = mesh.mFaces[f];
      if (face.mNumIndices < 3) continue;
      out << "  " << face.mNumIndices << ";";
      corners(face, [&](unsigned v, bool last) { out << v << (last ? ";" : ","); });
      out << (++written < faces ? ",\n" : ";\n");
    }
  };
  out << "Mesh Mesh" << index << " {\n " << mesh.mNumVertices << ";\n";
  WriteList(out, mesh.mNumVertices, [&](unsigned v) {
    const aiVector3D& p = mesh.mVertices[v];
    out << Real(p.x * scale) << ";" << Real(p.y * scale) << ";" << Real(p.z * scale) << ";";
  });
  faceList();
  if (mesh.HasNormals()) {
    const double sign = reverse ? -1.0 : 1.0;
    out << " MeshNormals {\n " << mesh.mNumVertices << ";\n";
    WriteList(out, mesh.mNumVertices, [&](unsigned v) {
      const aiVector3D& n = mesh.mNormals[v];
      out << Real(n.x * sign) << ";" << Real(n.y * sign) << ";" << Real(n.z * sign) << ";";
    });
    faceList();
    out << " }\n";
  }
  if (mesh.HasTextureCoords(0)) {
    out << " MeshTextureCoords {\n " << mesh.mNumVertices << ";\n";
    WriteList(out, mesh.mNumVertices, [&](unsigned v) {
      out << Real(mesh.mTextureCoords[0][v].x) << ";" << Real(mesh.mTextureCoords[0][v].y) << ";";
    });
    out << " }\n";
  }
  out << " MeshMaterialList {\n  1;\n  1;\n  0;;\n";
  const aiMaterial plain;
  WriteMaterial(mesh.mMaterialIndex < scene.mNumMaterials ? *scene.mMaterials[mesh.mMaterialIndex] : plain, out);
  out << " }\n}\n";
}

}  // namespace

void WriteXText(const aiScene& scene, double scale, bool reverse, std::ostream& out) {
  out << "xof 0302txt 0032\n";
  for (unsigned m = 0; m < scene.mNumMeshes; ++m) WriteMesh(scene, *scene.mMeshes[m], m, scale, reverse, out);
}
