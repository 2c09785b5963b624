#include "platform/d3drm/BuilderData.h"

#include "platform/d3drm/Matrix.h"

namespace d3drm {

void GenerateNormals(BuilderData& data, std::size_t firstFace, std::size_t firstCorner, std::size_t firstVertex) {
  std::vector<D3DVECTOR> sums(data.vertices.size() - firstVertex, D3DVECTOR{0.0f, 0.0f, 0.0f});
  std::size_t corner = firstCorner;
  for (std::size_t face = firstFace; face < data.faceSizes.size(); ++face) {
    const std::uint32_t* c = &data.cornerVertices[corner];
    const std::uint32_t size = data.faceSizes[face];
    const D3DVECTOR p0 = data.vertices[c[0]].position;
    D3DVECTOR n{0.0f, 0.0f, 0.0f};
    for (std::uint32_t i = 1; i + 1 < size; ++i) {
      const D3DVECTOR t =
          Cross(Subtract(data.vertices[c[i]].position, p0), Subtract(data.vertices[c[i + 1]].position, p0));
      n = {n.x + t.x, n.y + t.y, n.z + t.z};
    }
    n = Normalized(n);
    for (std::uint32_t i = 0; i < size; ++i) {
      D3DVECTOR& sum = sums[c[i] - firstVertex];
      sum = {sum.x + n.x, sum.y + n.y, sum.z + n.z};
    }
    corner += size;
  }
  const auto base = static_cast<std::uint32_t>(data.normals.size());
  for (const D3DVECTOR& sum : sums) data.normals.push_back(Normalized(sum));
  for (std::size_t k = firstCorner; k < data.cornerVertices.size(); ++k)
    data.cornerNormals[k] = base + (data.cornerVertices[k] - static_cast<std::uint32_t>(firstVertex));
}

void AppendMesh(BuilderData& data, const Mesh& mesh) {
  for (const MeshGroup& group : mesh.groups()) {
    BuilderLook look;
    look.color = group.color;
    if (group.material) {
      look.hasMaterial = true;
      look.material = group.material->values();
      look.materialName = group.material->name();
    }
    look.texture = group.texture;
    const auto lookIndex = static_cast<std::uint32_t>(data.looks.size());
    data.looks.push_back(std::move(look));

    const auto firstVertex = static_cast<std::uint32_t>(data.vertices.size());
    const auto firstNormal = static_cast<std::uint32_t>(data.normals.size());
    for (const D3DRMVERTEX& v : group.vertices) {
      data.vertices.push_back({v.position, v.tu, v.tv, v.color, true});
      data.normals.push_back(v.normal);
    }
    for (std::size_t i = 0; i < group.indices.size(); i += 3) {
      data.faceSizes.push_back(3);
      data.faceLooks.push_back(lookIndex);
      for (std::size_t k = 0; k < 3; ++k) {
        data.cornerVertices.push_back(firstVertex + group.indices[i + k]);
        data.cornerNormals.push_back(firstNormal + group.indices[i + k]);
      }
    }
  }
}

}  // namespace d3drm
