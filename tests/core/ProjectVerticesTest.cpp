// ProjectVertices through a viewport of the 3D layer gives what the camera constants give.
#include <algorithm>

#include "core/Transform.h"
#include "platform/d3drm/RenderTestSupport.h"

namespace {

using ProjectVerticesTest = RenderTest;

TEST_F(ProjectVerticesTest, ThroughTheViewportMatchesTheCameraConstants) {
  MakeView(40, 30);
  MoveCamera();
  ASSERT_EQ(viewport->SetFront(0.1f), D3DRM_OK);
  ASSERT_EQ(viewport->SetBack(5000.0f * viewport->GetFront()), D3DRM_OK);
  ASSERT_EQ(viewport->SetField(0.04f), D3DRM_OK);
  D3DRMVERTEX vertices[3] = {};
  vertices[0].position = {0.5f, 2.5f, 1.0f};
  vertices[1].position = {1.2f, 1.8f, 2.0f};
  vertices[2].position = {-0.3f, 2.1f, 0.5f};
  const DWORD indices[4] = {2, 0, 1, 2};
  ::Transform world;
  world.t[0] = 0.7;
  world.t[2] = 1.5;
  const ::Transform meshToCamera = ::Transform(cameraMatrix).Inverse() * world;
  const double front = viewport->GetFront(), back = viewport->GetBack(), q = back / (back - front);
  const double scale = std::max(20.0, 15.0) / viewport->GetField() * front;
  D3DTLVERTEX viaCamera[4], viaViewport[4];
  ProjectVertices(viewport.get(), world, meshToCamera, vertices, indices, 4, viaCamera, q, q * front, 20.0, 15.0,
                  scale, 0);
  ProjectVertices(viewport.get(), world, meshToCamera, vertices, indices, 4, viaViewport, q, q * front, 20.0, 15.0,
                  scale, 1);
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(viaViewport[i].sx, viaCamera[i].sx, 1e-3);
    EXPECT_NEAR(viaViewport[i].sy, viaCamera[i].sy, 1e-3);
    EXPECT_NEAR(viaViewport[i].sz, viaCamera[i].sz, 1e-6);
    EXPECT_NEAR(viaViewport[i].rhw, viaCamera[i].rhw, 1e-6);
  }
}

}  // namespace
