// Devices and viewports: the z-buffer, the settings, Transform and InverseTransform, and picking.
#include <cmath>

#include "platform/d3drm/RenderTestSupport.h"

namespace {

class ViewportTest : public RenderTest {
 protected:
  // A world point in the moved camera's space (the rotation's inverse is its transpose).
  void ToCamera(const D3DVECTOR& p, double c[3]) const {
    const double d[3] = {p.x - cameraMatrix[3][0], p.y - cameraMatrix[3][1], p.z - cameraMatrix[3][2]};
    for (int j = 0; j < 3; ++j) c[j] = d[0] * cameraMatrix[j][0] + d[1] * cameraMatrix[j][1] + d[2] * cameraMatrix[j][2];
  }
};

TEST_F(ViewportTest, DevicesAttachA16BitZBufferOfTheSurfacesSize) {
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
}

TEST_F(ViewportTest, SettingsAreKeptAsFloatsAndBadOnesRefused) {
  MakeView(24, 16);
  ASSERT_EQ(viewport->SetFront(D3DVAL(0.1)), D3DRM_OK);
  ASSERT_EQ(viewport->SetBack(D3DVAL(5000.0) * viewport->GetFront()), D3DRM_OK);
  EXPECT_EQ(viewport->GetBack(), 5000.0f * 0.1f);
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
  EXPECT_EQ(device->SetQuality(D3DRMRENDER_PHONG | 0x200), D3DRMERR_BADVALUE);
  EXPECT_EQ(device->GetQuality(), D3DRMRENDER_PHONG);
  EXPECT_EQ(device->SetTextureQuality(1), D3DRMERR_BADVALUE);

  IDirect3DRMViewport* refused = nullptr;
  EXPECT_EQ(rm->CreateViewport(device.get(), camera.get(), 8, 0, 17, 16, &refused), D3DRMERR_BADVALUE);
  EXPECT_EQ(rm->CreateViewport(device.get(), camera.get(), 0, 0, 0, 16, &refused), D3DRMERR_BADVALUE);
  EXPECT_EQ(rm->CreateViewport(nullptr, camera.get(), 0, 0, 4, 4, &refused), D3DRMERR_BADVALUE);
  EXPECT_EQ(refused, nullptr);
}

// sx = w/2 + S x/z, sy = h/2 - S y/z, sz = F/(F - D) (1 - D/z) with S = max(w, h)/2 D / field:
// the field is half the larger side on the front plane, whichever side that is. Orthographic:
// S = max(w, h)/2 / field, sz = (z - D)/(F - D).
TEST_F(ViewportTest, TransformFollowsTheProjectionFormulas) {
  for (const auto& [width, height] : {std::pair{40u, 20u}, {20u, 40u}}) {
    MakeView(width, height);
    MoveCamera();
    const double front = 0.5, back = 50, field = 0.25;
    ASSERT_EQ(viewport->SetFront(0.5f), D3DRM_OK);
    ASSERT_EQ(viewport->SetBack(50.0f), D3DRM_OK);
    ASSERT_EQ(viewport->SetField(0.25f), D3DRM_OK);
    D3DVECTOR world{1.5f, 2.2f, 4.0f};
    double c[3];
    ToCamera(world, c);
    for (bool orthographic : {false, true}) {
      SCOPED_TRACE(::testing::Message() << width << "x" << height << (orthographic ? " orthographic" : ""));
      ASSERT_EQ(viewport->SetProjection(orthographic ? D3DRMPROJECT_ORTHOGRAPHIC : D3DRMPROJECT_PERSPECTIVE), D3DRM_OK);
      const double scale = 20.0 * (orthographic ? 1.0 : front) / field;
      const double sx = width / 2.0 + scale * c[0] / (orthographic ? 1.0 : c[2]);
      const double sy = height / 2.0 - scale * c[1] / (orthographic ? 1.0 : c[2]);
      const double sz = orthographic ? (c[2] - front) / (back - front) : back / (back - front) * (1 - front / c[2]);
      D3DRMVECTOR4D screen;
      ASSERT_EQ(viewport->Transform(&screen, &world), D3DRM_OK);
      EXPECT_NEAR(screen.x / screen.w, sx, 1e-3);
      EXPECT_NEAR(screen.y / screen.w, sy, 1e-3);
      EXPECT_NEAR(screen.z / screen.w, sz, 1e-6);

      D3DVECTOR back3;
      ASSERT_EQ(viewport->InverseTransform(&back3, &screen), D3DRM_OK);
      EXPECT_NEAR(back3.x, world.x, 1e-4);
      EXPECT_NEAR(back3.y, world.y, 1e-4);
      EXPECT_NEAR(back3.z, world.z, 1e-4);

      // The pick ray's far end: depth 1 is the back plane.
      D3DRMVECTOR4D farEnd{static_cast<float>(sx), static_cast<float>(sy), 1.0f, 1.0f};
      ASSERT_EQ(viewport->InverseTransform(&back3, &farEnd), D3DRM_OK);
      ToCamera(back3, c);
      EXPECT_NEAR(c[2], back, 1e-3);
      ToCamera(world, c);
    }
  }
}

// The camera looks along +z from the origin: pixel (x, y) sees (x - 16, 16 - y) z / 16.
TEST_F(ViewportTest, PickFindsTheNearestVisualAndFaceUnderAPixel) {
  MakeView(32, 32);
  auto holder = NewFrame(scene.get());
  auto nearFrame = NewFrame(holder.get());
  auto nearSquare = Square(2.0f, 0.5f, 0xFFFF0000);  // pixels 12 to 19
  ASSERT_EQ(nearFrame->AddVisual(nearSquare.get()), D3DRM_OK);
  auto wall = Square(4.0f, 2.0f, 0xFF00FF00);  // group 0 behind, pixels 8 to 23
  const unsigned faces[6] = {0, 1, 2, 0, 2, 3};
  D3DRMGROUPINDEX second = -1;
  ASSERT_EQ(wall->AddGroup(4, 2, 3, faces, &second), D3DRM_OK);
  D3DRMVERTEX corners[4];
  ASSERT_EQ(wall->GetVertices(0, 0, 4, corners), D3DRM_OK);
  for (D3DRMVERTEX& corner : corners) corner.position = {corner.position.x / 4, corner.position.y / 4, 3.0f};
  ASSERT_EQ(wall->SetVertices(second, 0, 4, corners), D3DRM_OK);  // group 1 in front of it, pixels 14 to 18
  Show(wall.get());

  const auto pick = [&](LONG x, LONG y) {
    IDirect3DRMPickedArray* picked = nullptr;
    EXPECT_EQ(viewport->Pick(x, y, &picked), D3DRM_OK);
    return ComPtr<IDirect3DRMPickedArray>::adopt(picked);
  };
  auto both = pick(17, 14);
  ASSERT_EQ(both->GetSize(), 2u);
  ComPtr<IDirect3DRMVisual> visual;
  ComPtr<IDirect3DRMFrameArray> frames;
  D3DRMPICKDESC desc;
  ASSERT_EQ(both->GetPick(0, visual.put(), frames.put(), &desc), D3DRM_OK);
  EXPECT_EQ(visual.get(), nearSquare.get());
  EXPECT_EQ(desc.ulFaceIdx, 0u);
  EXPECT_EQ(desc.lGroupIdx, 0);
  EXPECT_NEAR(desc.vPosition.x, 0.125, 1e-4);
  EXPECT_NEAR(desc.vPosition.y, 0.25, 1e-4);
  EXPECT_NEAR(desc.vPosition.z, 2.0, 1e-4);
  ASSERT_EQ(frames->GetSize(), 3u);
  ComPtr<IDirect3DRMFrame> frame;
  ASSERT_EQ(frames->GetElement(1, frame.put()), D3DRM_OK);
  EXPECT_EQ(frame.get(), holder.get());
  ASSERT_EQ(both->GetPick(1, visual.put(), nullptr, &desc), D3DRM_OK);
  EXPECT_EQ(visual.get(), wall.get());
  EXPECT_EQ(desc.lGroupIdx, 1) << "the nearer of the wall's groups";

  auto lower = pick(13, 18);
  ASSERT_EQ(lower->GetSize(), 2u);
  ASSERT_EQ(lower->GetPick(0, nullptr, nullptr, &desc), D3DRM_OK);
  EXPECT_EQ(desc.ulFaceIdx, 1u);
  EXPECT_EQ(pick(20, 15)->GetSize(), 1u) << "a right edge is not the square's, as in drawing";
  EXPECT_EQ(pick(2, 2)->GetSize(), 0u);
  EXPECT_EQ(pick(-1, 15)->GetSize(), 0u);
}

}  // namespace
