#include <array>
#include <cstring>
#include <unordered_map>

#include "platform/d3drm/BuilderData.h"

namespace d3drm {
namespace {

// Vertices are told apart by their bits, with -0.0 taken as 0.0.
using VertexKey = std::array<std::uint32_t, 9>;

std::uint32_t Bits(D3DVALUE value) {
  if (value == 0.0f) value = 0.0f;
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

struct VertexKeyHash {
  std::size_t operator()(const VertexKey& key) const {
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint32_t word : key) h = (h ^ word) * 1099511628211ull;
    return static_cast<std::size_t>(h);
  }
};

struct GroupBuilder {
  MeshGroup group;
  std::unordered_map<VertexKey, unsigned, VertexKeyHash> vertexOf;

  unsigned VertexFor(const D3DRMVERTEX& v) {
    const VertexKey key{Bits(v.position.x), Bits(v.position.y), Bits(v.position.z), Bits(v.normal.x), Bits(v.normal.y),
                        Bits(v.normal.z),   Bits(v.tu),         Bits(v.tv),         v.color};
    auto [it, added] = vertexOf.try_emplace(key, static_cast<unsigned>(group.vertices.size()));
    if (added) group.vertices.push_back(v);
    return it->second;
  }
};

}  // namespace

bool BuilderLook::SameLook(const BuilderLook& other) const {
  return color == other.color && hasMaterial == other.hasMaterial && (!hasMaterial || material == other.material) &&
         texture.get() == other.texture.get();
}

Mesh* MakeMesh(const BuilderData& data, const RegistryHandle& registry, D3DRMRENDERQUALITY quality,
               D3DRMMAPPING mapping) {
  std::vector<GroupBuilder> groups;
  std::vector<std::uint32_t> firstLookOfGroup;
  constexpr std::uint32_t kUnseen = 0xFFFFFFFF;
  std::vector<std::uint32_t> groupOfLook(data.looks.size(), kUnseen);

  std::size_t corner = 0;
  std::vector<unsigned> faceVertices;
  for (std::size_t face = 0; face < data.faceSizes.size(); ++face) {
    const std::uint32_t lookIndex = data.faceLooks[face];
    const BuilderLook& look = data.looks[lookIndex];
    std::uint32_t& groupIndex = groupOfLook[lookIndex];
    if (groupIndex == kUnseen) {
      groupIndex = static_cast<std::uint32_t>(groups.size());
      for (std::size_t g = 0; g < groups.size(); ++g)
        if (data.looks[firstLookOfGroup[g]].SameLook(look)) {
          groupIndex = static_cast<std::uint32_t>(g);
          break;
        }
      if (groupIndex == groups.size()) {
        groups.emplace_back();
        firstLookOfGroup.push_back(lookIndex);
      }
    }
    GroupBuilder& builder = groups[groupIndex];

    faceVertices.clear();
    for (std::uint32_t k = 0; k < data.faceSizes[face]; ++k, ++corner) {
      const BuilderVertex& source = data.vertices[data.cornerVertices[corner]];
      const std::uint32_t normal = data.cornerNormals[corner];
      D3DRMVERTEX v{};
      v.position = source.position;
      if (normal != BuilderData::kNoNormal) v.normal = data.normals[normal];
      v.tu = source.tu;
      v.tv = source.tv;
      v.color = source.hasColor ? source.color : look.color;
      faceVertices.push_back(builder.VertexFor(v));
    }
    for (std::size_t i = 1; i + 1 < faceVertices.size(); ++i)
      builder.group.indices.insert(builder.group.indices.end(),
                                   {faceVertices[0], faceVertices[i], faceVertices[i + 1]});
  }

  Mesh* mesh = Mesh::Create(registry);
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const BuilderLook& look = data.looks[firstLookOfGroup[g]];
    MeshGroup& group = groups[g].group;
    group.color = look.color;
    group.mapping = mapping;
    group.quality = quality;
    if (look.hasMaterial) {
      group.material = ComPtr<Material>::adopt(Material::Create(registry, look.material));
      group.material->SetName(look.materialName.c_str());
    }
    group.texture = look.texture;
    mesh->AppendGroup(std::move(group));
  }
  return mesh;
}

}  // namespace d3drm
