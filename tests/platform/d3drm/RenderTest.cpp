// Rendering small scenes, seen by a camera that maps (x, y, z) to (16 + 16 x / z, 16 - 16 y / z);
// devices and viewports: the z-buffer, the settings, Transform and InverseTransform, picking.
#include <cmath>

#include "platform/d3drm/RenderTestSupport.h"

namespace {

constexpr std::uint32_t kBackgroundRgb = kBackground & 0xFFFFFF;

class RenderPixelsTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    MakeView(32, 32);
  }
  // The floor y = -0.5 from depth `near` to `far`, x from -1 to 1, facing up; v is 0 near, 1 far.
  ComPtr<IDirect3DRMMesh> Floor(float near, float far) {
    return MeshOf({{-1, -0.5f, far, 0xFFFFFFFF, 0, 1}, {1, -0.5f, far, 0xFFFFFFFF, 1, 1},
                   {1, -0.5f, near, 0xFFFFFFFF, 1, 0}, {-1, -0.5f, near, 0xFFFFFFFF, 0, 0}},
                  {0, 1, 2, 0, 2, 3});
  }
  // A square of n x n cells at depth z, for lighting that varies across it.
  ComPtr<IDirect3DRMMesh> Grid(int n, float half, float z, D3DRMRENDERQUALITY quality) {
    std::vector<Corner> corners;
    std::vector<unsigned> triangles;
    for (int row = 0; row <= n; ++row)
      for (int column = 0; column <= n; ++column)
        corners.push_back({-half + 2 * half * column / n, half - 2 * half * row / n, z});
    for (int row = 0; row < n; ++row)
      for (int column = 0; column < n; ++column) {
        const unsigned tl = row * (n + 1) + column, tr = tl + 1, bl = tl + n + 1, br = bl + 1;
        triangles.insert(triangles.end(), {tl, tr, br, tl, br, bl});
      }
    return MeshOf(corners, triangles, quality);
  }
  ComPtr<IDirect3DRMLight> AddLight(D3DRMLIGHTTYPE type, float r, float g, float b, IDirect3DRMFrame* frame) {
    auto light = Make<IDirect3DRMLight>([&](IDirect3DRMLight** l) { return rm->CreateLightRGB(type, r, g, b, l); });
    EXPECT_EQ(frame->AddLight(light.get()), D3DRM_OK);
    return light;
  }
};

TEST_F(RenderPixelsTest, ASquareWritesItsDepthAndColourUnderEveryPixelItCovers) {
  for (double u : {2.0, 3.0, 7.3}) {
    SCOPED_TRACE(u);
    auto square = Square(static_cast<float>(u), 1.0f, 0xFFC08040);
    auto frame = Show(square.get());
    ClearAndRender();
    // Pixel centres on the left and top edges are covered, those on the right and bottom are not.
    const int first = static_cast<int>(std::ceil(16 - 16 / u)), end = static_cast<int>(std::ceil(16 + 16 / u));
    const std::uint16_t depth = ExpectedDepth(u);
    int mismatches = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const bool inside = x >= first && x < end && y >= first && y < end;
        mismatches += Pixel(x, y) != (inside ? 0xC08040u : kBackgroundRgb);
        mismatches += Depth(x, y) != (inside ? depth : 0xFFFF);
      }
    EXPECT_EQ(mismatches, 0);
    ASSERT_EQ(scene->DeleteChild(frame.get()), D3DRM_OK);
  }
}

TEST_F(RenderPixelsTest, ANearerSquareHidesAFartherOneInEitherOrder) {
  auto nearSquare = Square(2.0f, 0.5f, 0xFFFF0000);
  auto farSquare = Square(4.0f, 2.0f, 0xFF00FF00);
  for (bool nearFirst : {true, false}) {
    auto first = Show(nearFirst ? nearSquare.get() : farSquare.get());
    auto second = Show(nearFirst ? farSquare.get() : nearSquare.get());
    ClearAndRender();
    ExpectPixels({{15, 15, 0xFF0000}, {9, 9, 0x00FF00}});
    EXPECT_EQ(Depth(15, 15), ExpectedDepth(2.0));
    EXPECT_EQ(Depth(9, 9), ExpectedDepth(4.0));
    ASSERT_EQ(scene->DeleteChild(first.get()), D3DRM_OK);
    ASSERT_EQ(scene->DeleteChild(second.get()), D3DRM_OK);
  }
  // The test is "less or equal": of two squares at the same depth the one drawn last shows.
  auto sameDepth = Square(2.0f, 0.5f, 0xFF0000FF);
  Show(nearSquare.get());
  Show(sameDepth.get());
  ClearAndRender();
  EXPECT_EQ(Pixel(15, 15), 0x0000FFu);
}

// Row y below the centre shows the floor at depth 8 / (y - 16); planes at 1 and 3 keep rows 19 to 23.
TEST_F(RenderPixelsTest, TrianglesAreCutAtTheFrontAndBackPlanes) {
  ASSERT_EQ(viewport->SetBack(3.0f), D3DRM_OK);
  auto floor = Floor(0.5f, 6.0f);
  Show(floor.get());
  ClearAndRender();
  for (int y = 16; y < 32; ++y) {
    SCOPED_TRACE(y);
    const bool kept = y >= 19 && y <= 23;
    EXPECT_EQ(Pixel(16, y), kept ? 0xFFFFFFu : kBackgroundRgb);
    if (!kept) continue;
    const double depth = 8.0 / (y - 16), expected = 65535.0 * 3.0 / 2.0 * (1.0 - 1.0 / depth);
    EXPECT_NEAR(Depth(16, y), expected, 1.0);
  }
}

TEST_F(RenderPixelsTest, ClearStretchesTheBackgroundImageOverTheViewport) {
  auto image = TextureOf(2, 2, [](DWORD x, DWORD y) { return 0x400000u * (1 + x) + 0x40u * (1 + y); });
  ASSERT_EQ(scene->SetSceneBackgroundImage(image.get()), D3DRM_OK);
  ASSERT_EQ(viewport->Clear(), D3DRM_OK);
  ExpectPixels({{0, 0, 0x400040}, {15, 15, 0x400040}, {16, 0, 0x800040}, {0, 16, 0x400080},
                {31, 31, 0x800080}});
  EXPECT_EQ(Depth(31, 31), 0xFFFF);
}

TEST_F(RenderPixelsTest, ATexturesCornersLandOnTheQuadsCorners) {
  auto square = Square(2.0f, 0.5f, 0xFFFFFFFF);  // pixels 12 to 19
  auto texture = TextureOf(4, 4, [](DWORD x, DWORD y) { return 0x500000u * x + 0x5000u * y + 0x11u; });
  ASSERT_EQ(square->SetGroupTexture(0, texture.get()), D3DRM_OK);
  Show(square.get());
  ClearAndRender();
  ExpectPixels({{12, 12, 0x000011}, {19, 12, 0xF00011}, {12, 19, 0x00F011}, {19, 19, 0xF0F011}});
}

// Texture rows follow depth: on the floor from depth 1 to 3, v = 0.5 lies at depth 2 (row 20).
TEST_F(RenderPixelsTest, TexturesArePerspectiveCorrectAndWrap) {
  auto floor = Floor(1.0f, 3.0f);
  auto texture = TextureOf(1, 2, [](DWORD, DWORD y) { return y ? 0x0000FFu : 0xFF0000u; });
  ASSERT_EQ(floor->SetGroupTexture(0, texture.get()), D3DRM_OK);
  Show(floor.get());
  ClearAndRender();
  // Depths 1.33, 1.6 and 2.67 give v 0.17, 0.3 and 0.83; an affine mapping gives blue on row 21.
  ExpectPixels({{16, 22, 0xFF0000}, {16, 21, 0xFF0000}, {16, 19, 0x0000FF}});

  D3DRMVERTEX corner;
  for (unsigned i = 0; i < 4; ++i) {
    ASSERT_EQ(floor->GetVertices(0, i, 1, &corner), D3DRM_OK);
    corner.tv += 1.0f;  // one picture further: the same texels
    ASSERT_EQ(floor->SetVertices(0, i, 1, &corner), D3DRM_OK);
  }
  ClearAndRender();
  ExpectPixels({{16, 21, 0xFF0000}, {16, 19, 0x0000FF}});
}

// Orthographic, so N.L = N.H = 1 everywhere: emissive + diffuse (ambient + light) + specular light.
TEST_F(RenderPixelsTest, AmbientDirectionalAndMaterialLighting) {
  ASSERT_EQ(viewport->SetProjection(D3DRMPROJECT_ORTHOGRAPHIC), D3DRM_OK);
  auto square = Square(2.0f, 0.5f, 0xFFFFFFFF, D3DRMRENDER_GOURAUD);  // pixels 8 to 23
  auto material = Make<IDirect3DRMMaterial>([&](IDirect3DRMMaterial** m) { return rm->CreateMaterial(5.0f, m); });
  ASSERT_EQ(material->SetEmissive(0.1f, 0.0f, 0.0f), D3DRM_OK);
  ASSERT_EQ(material->SetSpecular(0.0f, 0.2f, 0.0f), D3DRM_OK);
  ASSERT_EQ(square->SetGroupMaterial(0, material.get()), D3DRM_OK);
  auto unlit = Square(3.0f, 1.0f, 0xFF102030);
  auto shows = Show(square.get());
  Show(unlit.get());
  auto ambient = AddLight(D3DRMLIGHT_AMBIENT, 0.25f, 0.25f, 0.25f, scene.get());
  auto sun = AddLight(D3DRMLIGHT_DIRECTIONAL, 0.5f, 0.25f, 0.0f, scene.get());  // shines along +z
  auto elsewhere = AddLight(D3DRMLIGHT_DIRECTIONAL, 1.0f, 1.0f, 1.0f, scene.get());
  ASSERT_EQ(elsewhere->SetEnableFrame(camera.get()), D3DRM_OK);
  ClearAndRender();
  // red 0.1 + 0.75, green 0.5 + 0.2 x 0.25, blue 0.25
  EXPECT_TRUE(NearColour(Pixel(10, 12), 0xD98C40, 1));
  EXPECT_EQ(Pixel(4, 4), 0x102030u) << "a group with lighting off keeps its colour";

  ASSERT_EQ(elsewhere->SetEnableFrame(shows.get()), D3DRM_OK);
  ClearAndRender();
  EXPECT_EQ(Pixel(10, 12), 0xFFFFFFu);
}

// A spot at the eye with cones of 0.6 lights a disc of radius 2 tan 0.3 = 0.62 at depth 2, nothing else.
TEST_F(RenderPixelsTest, ASpotLightLightsItsConeAndNothingOutside) {
  auto grid = Grid(16, 1.0f, 2.0f, D3DRMRENDER_GOURAUD);  // a vertex every pixel, pixels 8 to 23
  Show(grid.get());
  auto spot = AddLight(D3DRMLIGHT_SPOT, 1.0f, 1.0f, 1.0f, camera.get());
  ASSERT_EQ(spot->SetUmbra(0.6f), D3DRM_OK);
  ASSERT_EQ(spot->SetPenumbra(0.6f), D3DRM_OK);
  ClearAndRender();
  EXPECT_TRUE(NearColour(Pixel(16, 16), 0xFFFFFF, 2));
  EXPECT_TRUE(NearColour(Pixel(13, 16), 0xF8F8F8, 8));  // inside: N.L = cos 0.09
  ExpectPixels({{9, 16, 0}, {16, 9, 0}, {22, 22, 0}, {8, 8, 0}});
}

// Lights at the eye, attenuation 1 + d/4 + d^2/8: a point light halves at the centre (d 2) and is weaker
// at the corner (d 2.45, N.L 0.82); a parallel-point light shines one way, so every corner alike.
TEST_F(RenderPixelsTest, PointLightsFadeWithDistanceAndParallelPointLightsShineOneWay) {
  auto grid = Grid(16, 1.0f, 0.0f, D3DRMRENDER_GOURAUD);  // pixels 8 to 23
  auto frame = Show(grid.get());
  D3DRMMATRIX4D ahead = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 2, 1}};
  ASSERT_EQ(frame->AddTransform(D3DRMCOMBINE_REPLACE, ahead), D3DRM_OK);
  auto light = AddLight(D3DRMLIGHT_POINT, 1.0f, 1.0f, 1.0f, camera.get());
  ASSERT_EQ(light->SetLinearAttenuation(0.25f), D3DRM_OK);
  ASSERT_EQ(light->SetQuadraticAttenuation(0.125f), D3DRM_OK);
  ClearAndRender();
  EXPECT_TRUE(NearColour(Pixel(16, 16), 0x808080, 1));
  EXPECT_TRUE(NearColour(Pixel(8, 8), 0x585858, 1));

  ASSERT_EQ(light->SetType(D3DRMLIGHT_PARALLELPOINT), D3DRM_OK);
  ClearAndRender();
  EXPECT_TRUE(NearColour(Pixel(16, 16), 0x808080, 1));
  EXPECT_TRUE(NearColour(Pixel(8, 8), 0x808080, 1));

  ASSERT_EQ(light->SetRange(1.5f), D3DRM_OK);
  ClearAndRender();
  EXPECT_EQ(Pixel(16, 16), 0u) << "out of the light's range";
}

TEST_F(RenderPixelsTest, GouraudFlatAndFacing) {
  const D3DCOLOR red = 0xFFFF0000, blue = 0xFF0000FF;
  auto square = MeshOf({{-0.5f, 0.5f, 2, red}, {0.5f, 0.5f, 2, blue}, {0.5f, -0.5f, 2, blue}, {-0.5f, -0.5f, 2, red}},
                       {0, 1, 2, 0, 2, 3}, D3DRMRENDER_GOURAUD & ~D3DRMLIGHT_ON);
  auto frame = Show(square.get());
  ClearAndRender();
  EXPECT_EQ(Pixel(12, 15), 0xFF0000u);
  EXPECT_TRUE(NearColour(Pixel(16, 15), 0x800080, 1));  // halfway from x = 12 to x = 20

  ASSERT_EQ(square->SetGroupQuality(0, D3DRMRENDER_UNLITFLAT), D3DRM_OK);
  ClearAndRender();
  ExpectPixels({{19, 13, 0xFF0000}, {13, 19, 0xFF0000}});  // both triangles take their first corner's colour

  D3DRMMATRIX4D turned = {{-1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, -1, 0}, {0, 0, 4, 1}};  // its back to the camera
  ASSERT_EQ(frame->AddTransform(D3DRMCOMBINE_REPLACE, turned), D3DRM_OK);
  ClearAndRender();
  EXPECT_EQ(Pixel(15, 15), kBackgroundRgb);
}

TEST_F(RenderPixelsTest, WireframeGroupsDrawTheirEdgesOnly) {
  auto square = Square(2.0f, 0.5f, 0xFFFFFF00, D3DRMRENDER_WIREFRAME);
  Show(square.get());
  ClearAndRender();
  // The top and left edges and the diagonal between the triangles; nothing inside.
  ExpectPixels({{15, 12, 0xFFFF00}, {12, 15, 0xFFFF00}, {15, 15, 0xFFFF00}, {13, 17, kBackgroundRgb},
                {17, 14, kBackgroundRgb}});
}

class RenderFormatTest : public RenderTest, public ::testing::WithParamInterface<DDFormat> {};

// Transparent groups blend once (the diagonal seam too) over everything opaque, even when drawn first.
TEST_P(RenderFormatTest, EveryRgbSurfaceFormatBlendsTransparentGroupsOnceOverOpaqueOnes) {
  MakeView(32, 32, GetParam());
  const int tolerance = GetParam() == DDFormat::RGB555 || GetParam() == DDFormat::RGB565 ? 8 : 0;
  auto glass = Square(2.0f, 0.5f, 0x800000FF);  // pixels 12 to 19
  auto wall = Square(4.0f, 2.0f, 0xFFFF0000);
  Show(glass.get());
  Show(wall.get());
  ClearAndRender();
  int uneven = 0;
  for (int y = 12; y < 20; ++y)
    for (int x = 12; x < 20; ++x) uneven += !static_cast<bool>(NearColour(Pixel(x, y), 0x7F0080, tolerance));
  EXPECT_EQ(uneven, 0);
  EXPECT_EQ(Depth(15, 15), ExpectedDepth(2.0));
  EXPECT_TRUE(NearColour(Pixel(9, 9), 0xFF0000, tolerance));
  EXPECT_TRUE(NearColour(Pixel(0, 0), kBackgroundRgb, tolerance));
}

INSTANTIATE_TEST_SUITE_P(Formats, RenderFormatTest,
                         ::testing::Values(DDFormat::RGB555, DDFormat::RGB565, DDFormat::RGB888, DDFormat::BGR888,
                                           DDFormat::XRGB8888));

using ViewportTest = RenderTest;

TEST_F(ViewportTest, DevicesAttachA16BitZBufferOfTheSurfacesSizeAndRefuseBadSettings) {
  MakeView(24, 16);
  EXPECT_EQ(device->GetWidth(), 24u);
  EXPECT_EQ(device->GetHeight(), 16u);
  DDSCAPS caps{DDSCAPS_ZBUFFER};
  ComPtr<IDirectDrawSurface> zBuffer, kept;
  ASSERT_EQ(surface->GetAttachedSurface(&caps, zBuffer.put()), DD_OK);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  ASSERT_EQ(zBuffer->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.dwZBufferBitDepth, 16u);
  EXPECT_EQ(desc.dwWidth, 24u);
  EXPECT_EQ(desc.dwHeight, 16u);

  // A second device on the same surface keeps its z-buffer.
  auto again = Make<IDirect3DRMDevice>(
      [&](IDirect3DRMDevice** d) { return rm->CreateDeviceFromSurface(nullptr, dd.get(), surface.get(), d); });
  ASSERT_EQ(surface->GetAttachedSurface(&caps, kept.put()), DD_OK);
  EXPECT_EQ(kept.get(), zBuffer.get());

  IDirect3DRMDevice* refused = nullptr;
  auto indexed = MakeSurface(4, 4, DDFormat::Palette8);
  EXPECT_EQ(rm->CreateDeviceFromSurface(nullptr, dd.get(), indexed.get(), &refused), D3DRMERR_BADDEVICE);
  auto deep = MakeSurface(4, 4, DDFormat::RGB565);
  desc = {};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_ZBUFFERBITDEPTH;
  desc.dwWidth = desc.dwHeight = 4;
  desc.dwZBufferBitDepth = 32;
  desc.ddsCaps.dwCaps = DDSCAPS_ZBUFFER;
  IDirectDrawSurface* deepZ = nullptr;
  ASSERT_EQ(dd->CreateSurface(&desc, &deepZ, nullptr), DD_OK);
  ASSERT_EQ(deep->AddAttachedSurface(deepZ), DD_OK);
  deepZ->Release();
  EXPECT_EQ(rm->CreateDeviceFromSurface(nullptr, dd.get(), deep.get(), &refused), D3DRMERR_BADDEVICE);
  EXPECT_EQ(refused, nullptr);

  // Bad settings of the viewport and the device are refused.
  ASSERT_EQ(viewport->SetFront(D3DVAL(0.1)), D3DRM_OK);
  for (float bad : {0.0f, -1.0f, std::nanf("")}) {
    EXPECT_EQ(viewport->SetField(bad), D3DRMERR_BADVALUE);
    EXPECT_EQ(viewport->SetFront(bad), D3DRMERR_BADVALUE);
    EXPECT_EQ(viewport->SetBack(bad), D3DRMERR_BADVALUE);
  }
  EXPECT_EQ(viewport->GetField(), 1.0f);
  EXPECT_EQ(viewport->SetProjection(static_cast<D3DRMPROJECTIONTYPE>(2)), D3DRMERR_BADVALUE);
  ASSERT_EQ(viewport->SetBack(0.05f), D3DRM_OK);
  EXPECT_EQ(viewport->Render(scene.get()), D3DRMERR_BADVALUE) << "the back plane in front of the front plane";

  EXPECT_EQ(device->SetQuality(D3DRMSHADE_MASK), D3DRMERR_BADVALUE);
  EXPECT_EQ(device->GetQuality(), D3DRMRENDER_PHONG);
  EXPECT_EQ(device->SetTextureQuality(1), D3DRMERR_BADVALUE);

  IDirect3DRMViewport* refusedView = nullptr;
  EXPECT_EQ(rm->CreateViewport(device.get(), camera.get(), 8, 0, 17, 16, &refusedView), D3DRMERR_BADVALUE);
  EXPECT_EQ(rm->CreateViewport(device.get(), camera.get(), 0, 0, 0, 16, &refusedView), D3DRMERR_BADVALUE);
  EXPECT_EQ(rm->CreateViewport(nullptr, camera.get(), 0, 0, 4, 4, &refusedView), D3DRMERR_BADVALUE);
  EXPECT_EQ(refusedView, nullptr);
}

// Front 0.5, back 50, field 0.25: the field is half the larger side on the front plane, so S = 40 on
// 40 x 20 and 20 x 40 alike and (1, 0.5, 4) lands on (w/2 + S/4, h/2 - S/8) at depth 50/49.5 (1 - 0.5/4);
// orthographic, S = 80 and the depth is (4 - 0.5)/49.5.
TEST_F(ViewportTest, TransformProjectsByTheLargerSideAndInverseTransformUndoesIt) {
  D3DVECTOR world{1.0f, 0.5f, 4.0f}, back;
  D3DRMVECTOR4D screen;
  for (const auto& [width, height] : {std::pair{40u, 20u}, {20u, 40u}}) {
    MakeView(width, height);
    ASSERT_EQ(viewport->SetFront(0.5f), D3DRM_OK);
    ASSERT_EQ(viewport->SetBack(50.0f), D3DRM_OK);
    ASSERT_EQ(viewport->SetField(0.25f), D3DRM_OK);
    for (bool orthographic : {false, true}) {
      SCOPED_TRACE(::testing::Message() << width << "x" << height << (orthographic ? " orthographic" : ""));
      ASSERT_EQ(viewport->SetProjection(orthographic ? D3DRMPROJECT_ORTHOGRAPHIC : D3DRMPROJECT_PERSPECTIVE), D3DRM_OK);
      const double sx = width / 2.0 + (orthographic ? 80 : 10), sy = height / 2.0 - (orthographic ? 40 : 5);
      ASSERT_EQ(viewport->Transform(&screen, &world), D3DRM_OK);
      EXPECT_NEAR(screen.x / screen.w, sx, 1e-3);
      EXPECT_NEAR(screen.y / screen.w, sy, 1e-3);
      EXPECT_NEAR(screen.z / screen.w, orthographic ? 0.0707071 : 0.8838384, 1e-6);
      // The pick ray's far end: depth 1 is the back plane.
      D3DRMVECTOR4D farEnd{static_cast<float>(sx), static_cast<float>(sy), 1.0f, 1.0f};
      ASSERT_EQ(viewport->InverseTransform(&back, &farEnd), D3DRM_OK);
      EXPECT_NEAR(back.z, 50.0, 1e-3);
    }
  }
  // From a moved camera, in either projection, InverseTransform takes the projected point back.
  MoveCamera();
  for (D3DRMPROJECTIONTYPE projection : {D3DRMPROJECT_ORTHOGRAPHIC, D3DRMPROJECT_PERSPECTIVE}) {
    ASSERT_EQ(viewport->SetProjection(projection), D3DRM_OK);
    ASSERT_EQ(viewport->Transform(&screen, &world), D3DRM_OK);
    ASSERT_EQ(viewport->InverseTransform(&back, &screen), D3DRM_OK);
    EXPECT_NEAR(back.x, world.x, 1e-4);
    EXPECT_NEAR(back.y, world.y, 1e-4);
    EXPECT_NEAR(back.z, world.z, 1e-4);
  }
}

}  // namespace
