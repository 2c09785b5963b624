// Loading .x data into a mesh builder and reading the made mesh back.
#pragma once

#include <string>
#include <vector>

#include "platform/d3drm/XFixtures.h"

inline std::vector<D3DRMVERTEX> Vertices(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  unsigned count = 0;
  EXPECT_EQ(mesh->GetGroup(group, &count, nullptr, nullptr, nullptr, nullptr), D3DRM_OK);
  std::vector<D3DRMVERTEX> vertices(count);
  EXPECT_EQ(mesh->GetVertices(group, 0, count, vertices.data()), D3DRM_OK);
  return vertices;
}

inline std::vector<unsigned> Faces(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  DWORD size = 0;
  EXPECT_EQ(mesh->GetGroup(group, nullptr, nullptr, nullptr, &size, nullptr), D3DRM_OK);
  std::vector<unsigned> faces(size);
  EXPECT_EQ(mesh->GetGroup(group, nullptr, nullptr, nullptr, &size, faces.data()), D3DRM_OK);
  return faces;
}

inline ComPtr<IDirect3DRMMaterial> MaterialOf(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  ComPtr<IDirect3DRMMaterial> material;
  EXPECT_EQ(mesh->GetGroupMaterial(group, material.put()), D3DRM_OK);
  return material;
}

inline ComPtr<IDirect3DRMTexture> TextureOf(IDirect3DRMMesh* mesh, D3DRMGROUPINDEX group) {
  ComPtr<IDirect3DRMTexture> texture;
  EXPECT_EQ(mesh->GetGroupTexture(group, texture.put()), D3DRM_OK);
  return texture;
}

inline std::string NameOf(IDirect3DRMObject* object) {
  char name[64] = {};
  DWORD size = sizeof name;
  EXPECT_EQ(object->GetName(&size, name), D3DRM_OK);
  return name;
}

class XLoadTest : public RetainedModeTest {
 protected:
  void SetUp() override {
    RetainedModeTest::SetUp();
    log.rm = rm;
  }

  static std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

  HRESULT LoadBytes(const std::vector<std::uint8_t>& bytes) {
    if (!builder) builder = NewBuilder();
    D3DRMLOADMEMORY memory{const_cast<std::uint8_t*>(bytes.data()), static_cast<DWORD>(bytes.size())};
    return builder->Load(&memory, nullptr, D3DRMLOAD_FROMMEMORY, &TextureLog::Callback, &log);
  }
  HRESULT LoadText(const std::string& body) { return LoadBytes(Bytes("xof 0302txt 0032\n" + body)); }
  // Loads `bytes` into a fresh builder and makes its mesh.
  ComPtr<IDirect3DRMMesh> LoadFresh(const std::vector<std::uint8_t>& bytes) {
    builder = NewBuilder();
    EXPECT_EQ(LoadBytes(bytes), D3DRM_OK);
    return CreateMesh();
  }

  ComPtr<IDirect3DRMMesh> CreateMesh() {
    ComPtr<IDirect3DRMMesh> mesh;
    EXPECT_EQ(builder->CreateMesh(mesh.put()), D3DRM_OK);
    return mesh;
  }

  TextureLog log;
  ComPtr<IDirect3DRMMeshBuilder> builder;
};

inline bool Same(const D3DVECTOR& v, float x, float y, float z) { return v.x == x && v.y == y && v.z == z; }
