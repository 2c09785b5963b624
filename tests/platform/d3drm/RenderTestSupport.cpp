#include "platform/d3drm/RenderTestSupport.h"

#include <cstdlib>

#include "platform/ddraw/TestSeams.h"

void RenderTest::SetUp() {
  RetainedModeTest::SetUp();
  ASSERT_TRUE(Open());
}

void RenderTest::TearDown() {
  shown.clear();
  Close();
  EXPECT_EQ(DDLiveObjectCount(), 0) << "a surface or z-buffer outlived its users";
  RetainedModeTest::TearDown();
}

void RenderTest::MakeView(DWORD width, DWORD height, DDFormat format) {
  ASSERT_TRUE(Build(rm, width, height, format, kBackground));
  ASSERT_EQ(viewport->SetBack(10.0f), D3DRM_OK);
  ASSERT_EQ(viewport->SetField(1.0f), D3DRM_OK);
}

ComPtr<IDirect3DRMMesh> RenderTest::MeshOf(const std::vector<Corner>& corners, const std::vector<unsigned>& triangles,
                                        D3DRMRENDERQUALITY quality) {
  auto mesh = NewMesh();
  D3DRMGROUPINDEX group = -1;
  EXPECT_EQ(mesh->AddGroup(static_cast<unsigned>(corners.size()), static_cast<unsigned>(triangles.size() / 3), 3,
                           triangles.data(), &group),
            D3DRM_OK);
  std::vector<D3DRMVERTEX> vertices;
  for (const Corner& c : corners) vertices.push_back({{c.x, c.y, c.z}, {0.0f, 0.0f, -1.0f}, c.u, c.v, c.colour});
  EXPECT_EQ(mesh->SetVertices(group, 0, static_cast<unsigned>(vertices.size()), vertices.data()), D3DRM_OK);
  EXPECT_EQ(mesh->SetGroupQuality(group, quality), D3DRM_OK);
  return mesh;
}

ComPtr<IDirect3DRMMesh> RenderTest::Square(float z, float half, D3DCOLOR colour, D3DRMRENDERQUALITY quality) {
  // Top-left, top-right, bottom-right, bottom-left: clockwise as the camera sees them.
  auto mesh = MeshOf({{-half, half, z, colour, 0, 0}, {half, half, z, colour, 1, 0}, {half, -half, z, colour, 1, 1},
                      {-half, -half, z, colour, 0, 1}},
                     {0, 1, 2, 0, 2, 3}, quality);
  EXPECT_EQ(mesh->SetGroupColor(0, colour), D3DRM_OK);
  return mesh;
}

ComPtr<IDirect3DRMFrame> RenderTest::Show(IDirect3DRMVisual* visual) {
  auto frame = NewFrame(scene.get());
  EXPECT_EQ(frame->AddVisual(visual), D3DRM_OK);
  shown.push_back(frame);
  return frame;
}

void RenderTest::ClearAndRender() {
  ASSERT_EQ(viewport->Clear(), D3DRM_OK);
  ASSERT_EQ(viewport->Render(scene.get()), D3DRM_OK);
}

std::uint32_t RenderTest::Read(int x, int y, bool depth) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  ComPtr<IDirectDrawSurface> target = surface;
  DDSCAPS caps{DDSCAPS_ZBUFFER};
  EXPECT_EQ(depth ? surface->GetAttachedSurface(&caps, target.put()) : DD_OK, DD_OK);
  EXPECT_EQ(target->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  const DWORD bytes = depth ? 2 : DDBytesPerPixel(desc.ddpfPixelFormat);
  const BYTE* p = DDFirstRow(desc) + y * desc.lPitch + x * bytes;
  std::uint32_t pixel = 0;
  for (DWORD i = 0; i < bytes; ++i) pixel |= std::uint32_t{p[i]} << (8 * i);
  EXPECT_EQ(target->Unlock(nullptr), DD_OK);
  if (depth) return pixel;
  // Each channel as 8 bits; narrower ones keep their low bits 0.
  const DDPIXELFORMAT& f = desc.ddpfPixelFormat;
  std::uint32_t rgb = 0;
  for (DWORD mask : {f.dwRBitMask, f.dwGBitMask, f.dwBBitMask}) {
    int shift = 0, bits = 0;
    while (!(mask >> shift & 1)) ++shift;
    while (mask >> (shift + bits) & 1) ++bits;
    const std::uint32_t field = (pixel & mask) >> shift;
    rgb = rgb << 8 | (bits >= 8 ? field >> (bits - 8) : field << (8 - bits));
  }
  return rgb;
}

std::uint32_t RenderTest::Pixel(int x, int y) { return Read(x, y, false); }
std::uint16_t RenderTest::Depth(int x, int y) { return static_cast<std::uint16_t>(Read(x, y, true)); }

std::uint16_t RenderTest::ExpectedDepth(double u) {
  const double front = 1.0, back = 10.0;
  const double value = 65535.0 * back / (back - front) * (1.0 - front / u);
  const double fraction = value - std::floor(value);
  EXPECT_TRUE(fraction > 0.01 && fraction < 0.99) << "pick another distance than " << u;
  return static_cast<std::uint16_t>(value);
}

::testing::AssertionResult NearColour(std::uint32_t actual, std::uint32_t expected, int tolerance) {
  for (int shift : {16, 8, 0})
    if (std::abs(Channel(actual, shift) - Channel(expected, shift)) > tolerance)
      return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not 0x" << expected << std::dec
                                           << " within " << tolerance;
  return ::testing::AssertionSuccess();
}
