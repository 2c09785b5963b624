// The renderer tests' fixture: a small surface and device, a scene with a camera at the origin looking
// along +z, a viewport over the whole device, and meshes built in place.
#pragma once

#include <cmath>
#include <initializer_list>
#include <tuple>
#include <vector>

#include "platform/d3drm/D3DRMTestSupport.h"
#include "platform/d3drm/RenderStage.h"
#include "platform/ddraw/DirectDraw.h"

inline constexpr D3DCOLOR kBackground = 0xFF203040;

struct Corner {
  float x, y, z;
  D3DCOLOR colour = 0xFFFFFFFF;
  float u = 0.0f, v = 0.0f;
};

class RenderTest : public RetainedModeTest, protected RenderStage {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A width x height surface, a device and a viewport with front 1, back 10 and field 1, so that
  // a point (x, y, z) of the camera lands on (w/2 + S x / z, h/2 - S y / z) with S = max(w, h)/2.
  void MakeView(DWORD width, DWORD height, DDFormat format = DDFormat::XRGB8888);

  // A mesh of one group of triangles over `corners`, normals towards the camera (-z).
  ComPtr<IDirect3DRMMesh> MeshOf(const std::vector<Corner>& corners, const std::vector<unsigned>& triangles,
                              D3DRMRENDERQUALITY quality = D3DRMRENDER_UNLITFLAT);
  // The square of half size `half` at depth z, facing the camera, one colour.
  ComPtr<IDirect3DRMMesh> Square(float z, float half, D3DCOLOR colour, D3DRMRENDERQUALITY quality = D3DRMRENDER_UNLITFLAT);
  ComPtr<IDirect3DRMTexture> TextureOf(DWORD width, DWORD height, std::uint32_t (*texel)(DWORD x, DWORD y)) {
    return RenderStage::TextureOf(rm, width, height, texel);
  }
  // A new child frame of the scene showing `visual`.
  ComPtr<IDirect3DRMFrame> Show(IDirect3DRMVisual* visual);

  // Turns the camera by 0.3 about y and moves it to (1, 2, -3).
  void MoveCamera() {
    ASSERT_EQ(camera->AddRotation(D3DRMCOMBINE_REPLACE, 0, 1, 0, 0.3f), D3DRM_OK);
    ASSERT_EQ(camera->GetTransform(cameraMatrix), D3DRM_OK);
    cameraMatrix[3][0] = 1;
    cameraMatrix[3][1] = 2;
    cameraMatrix[3][2] = -3;
    ASSERT_EQ(camera->AddTransform(D3DRMCOMBINE_REPLACE, cameraMatrix), D3DRM_OK);
  }

  void ClearAndRender();
  std::uint32_t Pixel(int x, int y);  // 0x00RRGGBB as the surface holds it
  // Each listed pixel {x, y, 0x00RRGGBB} holds its colour.
  void ExpectPixels(std::initializer_list<std::tuple<int, int, std::uint32_t>> pixels) {
    for (const auto& [x, y, rgb] : pixels) EXPECT_EQ(Pixel(x, y), rgb) << "pixel " << x << ", " << y;
  }
  std::uint16_t Depth(int x, int y);
  // trunc(65535 F/(F - D) (1 - D/u)) for the fixture's planes; fails a value too near a step.
  static std::uint16_t ExpectedDepth(double u);

  std::vector<ComPtr<IDirect3DRMFrame>> shown;
  D3DRMMATRIX4D cameraMatrix = {};

 private:
  std::uint32_t Read(int x, int y, bool depth);
};

inline int Channel(std::uint32_t rgb, int shift) { return static_cast<int>(rgb >> shift & 0xFF); }

// Colours equal within `tolerance` in every channel.
::testing::AssertionResult NearColour(std::uint32_t actual, std::uint32_t expected, int tolerance);
