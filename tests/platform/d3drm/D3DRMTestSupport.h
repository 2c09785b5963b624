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
