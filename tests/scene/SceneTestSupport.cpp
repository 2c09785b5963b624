#include "SceneTestSupport.h"

namespace {

void CountObject(IDirect3DRMObject* object, LPVOID count) {
  ++*static_cast<int*>(count);
  object->Release();
}

}  // namespace

int LiveRetainedModeObjects(IDirect3DRM* rm) {
  int count = 0;
  EXPECT_EQ(rm->EnumerateObjects(&CountObject, &count), D3DRM_OK);
  return count;
}

void SceneTest::SetUp() {
  ASSERT_EQ(Direct3DRMCreate(&app.lpD3DRM), D3DRM_OK);
  doc.emplace();
}

void SceneTest::TearDown() {
  doc.reset();
  EXPECT_EQ(LiveRetainedModeObjects(app.lpD3DRM), 0);
}
