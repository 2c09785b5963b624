// Test support of the cartoon lines: a small surface with a retained-mode device, a scene with a
// camera at the origin looking along +z and a viewport over the device, seen by the drawers
// through stand-ins that pass every call on and record each executed buffer's bytes and each
// viewport update.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/Pointers.h"
#include "platform/d3drm/D3DRM.h"
#include "platform/ddraw/DirectDraw.h"
#include "scene/CartoonLines.h"

struct ExecutedBatch {
  std::vector<BYTE> bytes;  // the buffer as it was unlocked
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

class CartoonRenderTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // A width x height 32-bit surface; the viewport has front 1, back 10 and field 1 unless changed.
  // The objects come from `root` when given, else from a retained-mode object of the test's own.
  void MakeView(DWORD width, DWORD height, DWORD viewX = 0, DWORD viewY = 0, DWORD viewWidth = 0,
                DWORD viewHeight = 0, IDirect3DRM* root = nullptr);
  // The projection the renderer uses for the viewport.
  CartoonProjection Projection() const;
  // A mesh frame under the scene showing one group of `vertices` and `faces`, lit flat in `colour`.
  void Show(const std::vector<D3DRMVERTEX>& vertices, const std::vector<unsigned>& faces, D3DCOLOR colour);
  void ClearAndRender();
  std::uint32_t Pixel(int x, int y);  // 0xRRGGBB

  // Draws the silhouette lines, then the surface lines, of one mesh group seen from the camera at
  // the origin, with its edge data; a width of 0 skips that kind.
  void DrawMesh(const std::vector<D3DRMVERTEX>& vertices, const std::vector<unsigned>& faces, double silhouetteWidth,
                double surfaceWidth, D3DCOLOR colour = 0xFFFF0000, BOOL allInside = FALSE);

  IDirect3DRMDevice* Device() { return recordingDevice; }
  IDirect3DRMViewport* Viewport() { return recordingViewport; }

  IUPtr<IDirectDraw> dd;
  IUPtr<IDirect3DRM> rm;
  IUPtr<IDirectDrawSurface> surface;
  IUPtr<IDirect3DRMDevice> device;
  IUPtr<IDirect3DRMFrame> scene;
  IUPtr<IDirect3DRMFrame> camera;
  IUPtr<IDirect3DRMViewport> viewport;
  IUPtr<IDirect3DRMDevice> recordingDevice;
  IUPtr<IDirect3DRMViewport> recordingViewport;
  CartoonRecord record;
  std::vector<IUPtr<IDirect3DRMFrame>> shown;
};

// A cube of 12 triangles from -h to h with one normal per side (24 vertices), every face turned
// outward, placed at `centre`.
std::vector<D3DRMVERTEX> CubeVertices(float h, D3DVECTOR centre = {0, 0, 0});
std::vector<unsigned> CubeFaces();
