// Shared pieces of the retained-mode tests: a root object per test, reference counts, fixtures.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/d3drm/D3DRM.h"
#include "platform/win/ComPtr.h"


// The count an object has now (one AddRef and one Release leave it unchanged).
template <class T>
ULONG CountOf(T* object) {
  object->AddRef();
  return object->Release();
}

inline std::string FixturePath(const std::string& relative) {
  return std::string(TAVROLIN_TEST_DATA_DIR) + "/d3drm/" + relative;
}

inline std::vector<std::uint8_t> ReadFixture(const std::string& relative) {
  std::ifstream in(FixturePath(relative), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The vertices and the face data of a mesh group.
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

class RetainedModeTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(Direct3DRMCreate(&rm), D3DRM_OK); }
  void TearDown() override { EXPECT_EQ(rm->Release(), 0u); }

  template <class T, class Create>
  ComPtr<T> Make(Create create) {
    T* object = nullptr;
    EXPECT_EQ(create(&object), D3DRM_OK);
    return ComPtr<T>::adopt(object);
  }
  ComPtr<IDirect3DRMFrame> NewFrame(IDirect3DRMFrame* parent = nullptr) {
    return Make<IDirect3DRMFrame>([&](IDirect3DRMFrame** f) { return rm->CreateFrame(parent, f); });
  }
  ComPtr<IDirect3DRMMesh> NewMesh() {
    return Make<IDirect3DRMMesh>([&](IDirect3DRMMesh** m) { return rm->CreateMesh(m); });
  }
  ComPtr<IDirect3DRMMeshBuilder> NewBuilder() {
    return Make<IDirect3DRMMeshBuilder>([&](IDirect3DRMMeshBuilder** b) { return rm->CreateMeshBuilder(b); });
  }
  ComPtr<IDirect3DRMLight> NewLight(D3DRMLIGHTTYPE type = D3DRMLIGHT_AMBIENT) {
    return Make<IDirect3DRMLight>([&](IDirect3DRMLight** l) { return rm->CreateLight(type, 0, l); });
  }

  IDirect3DRM* rm = nullptr;
};
