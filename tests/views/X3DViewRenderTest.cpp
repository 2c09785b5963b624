// Rendering a camera window: surface sizes with and without the band, the lens field, the depth
// values of the z-buffer, when the camera blurs and what the blur leaves.
#include <cmath>

#include "views/CameraWindowTestSupport.h"

namespace views_test {
namespace {

using CameraWindowRender = CameraWindowFixture;

void Render(X3DView& view) { view.RenderImage(nullptr, TRUE, nullptr, nullptr); }

TEST_F(CameraWindowRender, PerspectiveWindowsCarryTheBandAndFollowTheirSizeAndZoom) {
  TestCameraView& view = Window(400, 300);
  Render(view);
  ASSERT_TRUE(view.image);
  EXPECT_EQ(CSize(SurfaceSize(view.image)), CSize(414, 314));
  EXPECT_EQ(view.image2, view.image);
  EXPECT_FLOAT_EQ(view.viewport->GetField(), 0.035 * 414 / 400);
  EXPECT_FLOAT_EQ(view.viewport->GetBack(), 5000 * 0.1f);

  view.MoveWindow(0, 0, 300, 400);
  Render(view);
  EXPECT_EQ(CSize(SurfaceSize(view.image)), CSize(314, 414));
  EXPECT_FLOAT_EQ(view.viewport->GetField(), 0.035 * 414 / 400);  // the larger side decides
  view.MoveWindow(0, 0, 400, 300);
  Render(view);
  EXPECT_EQ(CSize(SurfaceSize(view.image)), CSize(414, 314));

  view.SetZoom(XSize(2, 2), XSize(1, 1), FALSE);
  Render(view);
  EXPECT_EQ(CSize(SurfaceSize(view.image)), CSize(214, 164));
  EXPECT_FLOAT_EQ(view.viewport->GetField(), 0.035 / 2 * 214 / 200);
}

TEST_F(CameraWindowRender, OrthographicWindowsHaveNoBandAndAFieldOfHalfTheirHeight) {
  TestCameraView& view = Window(400, 300);
  view.settings.orthographic = TRUE;
  Render(view);
  EXPECT_EQ(CSize(SurfaceSize(view.image)), CSize(400, 300));
  EXPECT_FLOAT_EQ(view.viewport->GetField(), 0.5f);
  view.SetZoom(XSize(2, 2), XSize(1, 1), FALSE);
  view.needsRender = TRUE;
  Render(view);
  EXPECT_EQ(CSize(SurfaceSize(view.image)), CSize(200, 150));
  EXPECT_FLOAT_EQ(view.viewport->GetField(), 0.25f);
}

TEST_F(CameraWindowRender, AnEmptyWindowRendersNothing) {
  // A child frame shrunk to its caption leaves its view no client area.
  TestCameraView& view = Window(400, 300);
  view.MoveWindow(0, 0, 0, 0);
  Render(view);
  EXPECT_FALSE(view.image);
  EXPECT_FALSE(view.rendering);
}

TEST_F(CameraWindowRender, TheZBufferHoldsTheDepthOfAPlaneAtItsDistance) {
  // The flat end of a wide cylinder lies across the view, 2 m in front of the camera.
  Ptr<GroupSO> group(new GroupSO);
  group->AddVisual(Ptr<MeshSO>(new MeshSO(16, 5.0, 1.0, 0xFFFF0000)));
  doc.AddGroup(group, FALSE, FALSE, 0);
  TestCameraView& view = Offscreen();
  const double u = 2.0;
  view.settings.transform = Transform(M_PI / 2, Vector(0, 1, 0));  // looking along +x
  view.settings.transform.t[0] = -u;
  const XSize size(64, 48);
  view.RenderImage(nullptr, FALSE, &size, nullptr);

  DDSCAPS caps{DDSCAPS_ZBUFFER};
  IUPtr<IDirectDrawSurface> zBuffer;
  ASSERT_EQ(view.image->GetAttachedSurface(&caps, &zBuffer), DD_OK);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  ASSERT_EQ(zBuffer->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr), DD_OK);
  const WORD centre = *reinterpret_cast<const WORD*>(static_cast<const BYTE*>(desc.lpSurface) + 24 * desc.lPitch + 32 * 2);
  zBuffer->Unlock(desc.lpSurface);
  const double D = view.viewport->GetFront(), F = view.viewport->GetBack();
  EXPECT_NEAR(centre, 65535.0 * F / (F - D) * (1.0 - D / u), 1.0);
}

TEST_F(CameraWindowRender, TheCameraBlursByItsApertureOrBySelectedObjects) {
  TestCameraView& view = Offscreen();
  CameraFields& s = view.settings;
  struct Case {
    BOOL orthographic, autoFocus, autoAperture;
    double fstop;
    bool selection, blurs;
  };
  const Case cases[] = {
      {FALSE, FALSE, FALSE, 0.0, false, false}, {FALSE, FALSE, FALSE, 2.8, false, true},
      {TRUE, FALSE, FALSE, 2.8, false, false},  {FALSE, TRUE, FALSE, 0.0, true, false},
      {FALSE, TRUE, TRUE, 0.0, false, false},   {FALSE, TRUE, TRUE, 0.0, true, true},
      {FALSE, TRUE, FALSE, 2.8, true, true},    {FALSE, TRUE, FALSE, 2.8, false, false},
      {TRUE, TRUE, TRUE, 2.8, true, false},
  };
  Ptr<GroupSO> group = document_test::NewGroup(doc, "box", false, 0.3);
  doc.AddGroup(group, FALSE, FALSE, 0);
  for (const Case& c : cases) {
    s.orthographic = c.orthographic;
    s.autoFocusSelected = c.autoFocus;
    s.autoAperture = c.autoAperture;
    s.fstop = c.fstop;
    doc.SelectOnly(c.selection ? group : Ptr<GroupSO>(), FALSE, 0);
    EXPECT_EQ(view.BlursCamera(), c.blurs) << &c - cases;
  }
}

TEST_F(CameraWindowRender, ABlurredImageLosesTheBandAndASharpOneNeverHadIt) {
  TestCameraView& view = Offscreen();
  const XSize size(640, 480);
  view.RenderImage(nullptr, FALSE, &size, nullptr);
  EXPECT_EQ(CSize(SurfaceSize(view.image)), CSize(640, 480));
  EXPECT_EQ(view.image2, view.image);

  view.settings.fstop = 2.8;
  view.RenderImage(nullptr, FALSE, &size, nullptr);
  EXPECT_EQ(CSize(SurfaceSize(view.image)), CSize(654, 494));
  EXPECT_EQ(CSize(SurfaceSize(view.image2)), CSize(640, 480));
  EXPECT_EQ(view.fifoRBuf.size(), 654u);

  // Auto focus and auto aperture on a selection that surrounds the camera: nothing is left to
  // work an aperture out from, and the render goes on without blurring.
  Ptr<GroupSO> group = document_test::NewGroup(doc, "around", false, 4.0);
  doc.AddGroup(group, TRUE, FALSE, 0);
  view.settings.autoFocusSelected = TRUE;
  view.settings.autoAperture = TRUE;
  view.settings.transform = Transform();
  view.settings.transform.t[0] = 2.0;  // inside the 4 m cylinder
  view.RenderImage(nullptr, FALSE, &size, nullptr);
  EXPECT_EQ(CSize(SurfaceSize(view.image2)), CSize(640, 480));
}

}  // namespace
}  // namespace views_test

namespace views_test {
namespace {

TEST_F(CameraWindowRender, OnAPaletteDisplayWindowImagesAreReducedAndOffScreenOnesAreNot) {
  PaletteDisplay display;
  TestCameraView& view = Window(40, 30);
  Render(view);
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  ASSERT_EQ(view.image->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 24u);
  ASSERT_EQ(view.image2->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 8u);
  EXPECT_EQ(CSize(SurfaceSize(view.image2)), CSize(54, 44));
  // The grey background (192, 192, 192) lies on cube levels 4, 4, 4: index 10 + 144 + 24 + 4.
  EXPECT_EQ(SurfacePixels(view.image2, 0, 0, 1, 1)[0], 182u);

  const XSize size(64, 48);
  view.RenderImage(nullptr, FALSE, &size, nullptr);
  ASSERT_EQ(view.image2->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 24u);
}

}  // namespace
}  // namespace views_test
