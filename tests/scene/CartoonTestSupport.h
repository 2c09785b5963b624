// Test support of the cartoon lines: the renderer tests' view (camera at the origin looking along
// +z), seen by the drawers through stand-ins that pass every call on and record each executed
// buffer and each viewport update.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Pointers.h"
#include "platform/d3drm/RenderTestSupport.h"
#include "scene/CartoonLines.h"

struct ExecutedBatch {
  std::vector<BYTE> bytes;  // the buffer as it was executed
  D3DEXECUTEDATA data{};

  DWORD VertexCount() const { return data.dwVertexCount; }
  D3DTLVERTEX Vertex(DWORD i) const;
  // The triangles in list order, read from the TRIANGLE instruction.
  std::vector<D3DTRIANGLE> Triangles() const;
};

struct CartoonRecord {
  std::vector<ExecutedBatch> batches;
  int updates = 0;  // viewport updates, each of the whole viewport
  std::vector<int> batchesAtUpdate;
};

class CartoonRenderTest : public RenderTest {
 protected:
  void TearDown() override;

  // A width x height view on black at flat quality; the viewport is `viewWidth` wide when given.
  void MakeView(DWORD width, DWORD height, DWORD viewWidth = 0);
  // The projection the renderer uses for the viewport.
  CartoonProjection Projection() const;
  // Draws the silhouette lines, then the surface lines, of one mesh group seen from the camera at
  // the origin, with its edge data; a width of 0 skips that kind.
  void DrawMesh(const std::vector<D3DRMVERTEX>& vertices, const std::vector<unsigned>& faces, double silhouetteWidth,
                double surfaceWidth, D3DCOLOR colour = 0xFFFF0000, BOOL allInside = FALSE);

  IUPtr<IDirect3DRMDevice> recordingDevice;
  IUPtr<IDirect3DRMViewport> recordingViewport;
  CartoonRecord record;
};

// A cube of 12 triangles from -h to h with one normal per side (24 vertices), every face turned
// outward, placed at `centre`.
std::vector<D3DRMVERTEX> CubeVertices(float h, D3DVECTOR centre = {0, 0, 0});
std::vector<unsigned> CubeFaces();
