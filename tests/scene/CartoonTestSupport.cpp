#include "scene/CartoonTestSupport.h"

#include <algorithm>

#include "scene/CartoonEdges.h"

void CartoonRenderTest::MakeView(DWORD width, DWORD height, DWORD viewWidth) {
  RenderTest::MakeView(width, height);
  ASSERT_EQ(device->SetQuality(D3DRMRENDER_FLAT), D3DRM_OK);
  ASSERT_EQ(scene->SetSceneBackground(0xFF000000), D3DRM_OK);
  if (viewWidth) {
    IDirect3DRMViewport** narrow = viewport.put();
    ASSERT_EQ(rm->CreateViewport(device.get(), camera.get(), 0, 0, viewWidth, height, narrow), D3DRM_OK);
    ASSERT_EQ(viewport->SetBack(10.0f), D3DRM_OK);
    ASSERT_EQ(viewport->SetField(1.0f), D3DRM_OK);
  }
  ClearAndRender();
}

CartoonProjection CartoonRenderTest::Projection() const {
  IDirect3DRMViewport* v = viewport.get();
  const double front = v->GetFront(), back = v->GetBack(), w = v->GetWidth(), h = v->GetHeight();
  const double a = back / (back - front);
  return {a, a * front, w * 0.5, h * 0.5, std::max(w * 0.5, h * 0.5) / v->GetField() * front, front};
}

void CartoonRenderTest::DrawMesh(const std::vector<D3DRMVERTEX>& vertices, const std::vector<unsigned>& faces,
                                 double silhouetteWidth, double surfaceWidth, D3DCOLOR colour, BOOL allInside) {
  const DWORD vCount = static_cast<DWORD>(vertices.size()), fCount = static_cast<DWORD>(faces.size() / 3);
  const CartoonEdgeData edges = BuildCartoonEdgeData({{vertices.data(), vCount, faces.data(), fCount, 0}});
  const Transform identity;
  const D3DVECTOR viewer{0, 0, 0}, direction{0, 0, 1};
  std::vector<DWORD> numbered(faces.begin(), faces.end());
  if (silhouetteWidth != 0)
    DrawCartoonLines(device.get(), viewport.get(), identity, identity, viewer, direction, vertices.data(),
                     numbered.data(), edges.faceNormals.data(), edges.weldMap.data(), edges.numShared, vCount, fCount,
                     silhouetteWidth, colour, allInside, Projection());
  if (surfaceWidth != 0)
    DrawCartoonQuads(device.get(), viewport.get(), identity, identity, viewer, direction, vertices.data(),
                     edges.faceNormals.data(), vCount, edges.surfEdges.data(), edges.surfEdgeFaces.data(),
                     edges.numEdges, surfaceWidth, colour, allInside, Projection());
}

int CartoonRenderTest::Count(int width, int height, std::uint32_t rgb) {
  int count = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) count += Pixel(x, y) == rgb;
  return count;
}

std::vector<D3DRMVERTEX> CubeVertices(float h, D3DVECTOR centre) {
  std::vector<D3DRMVERTEX> vertices;
  for (int axis = 0; axis < 3; ++axis)
    for (float sign : {1.0f, -1.0f}) {
      const int u = (axis + 1) % 3, v = (axis + 2) % 3;
      for (auto [i, j] : {std::pair{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}}) {
        float p[3], n[3] = {0, 0, 0};
        p[axis] = sign * h;
        p[u] = i * h;
        p[v] = j * h;
        n[axis] = sign;
        vertices.push_back({{centre.x + p[0], centre.y + p[1], centre.z + p[2]}, {n[0], n[1], n[2]}, 0, 0, 0});
      }
    }
  return vertices;
}

std::vector<unsigned> CubeFaces() {
  std::vector<unsigned> faces;
  for (unsigned side = 0; side < 6; ++side) {
    const unsigned b = 4 * side;
    if (side % 2 == 0)
      faces.insert(faces.end(), {b, b + 1, b + 2, b, b + 2, b + 3});
    else
      faces.insert(faces.end(), {b, b + 2, b + 1, b, b + 3, b + 2});
  }
  return faces;
}
