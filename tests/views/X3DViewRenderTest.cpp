// Rendering a camera window: sizes, lens field, blur, palette and background picture.
#include <QAbstractButton>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include "platform/ddraw/DDPixelFormat.h"
#include "platform/d3drm/TestSeams.h"
#include "platform/ddraw/DDResults.h"
#include "platform/ddraw/Display.h"
#include "platform/ddraw/TestSeams.h"
#include "platform/framework/RunModal.h"
#include "support/FatalCheck.h"
#include "support/ScriptedMessageBoxes.h"
#include "support/TemporaryFolder.h"
#include "views/CameraWindowTestSupport.h"
#include "views/DibBytes.h"

namespace views_test {
namespace {

// The display switched to 8 bits per pixel for one test.
struct PaletteDisplay {
  PaletteDisplay() : size(DDDisplaySize()), bits(static_cast<int>(DDDisplayBitsPerPixel())) {
    DDSetDisplayMode(8, size.cx, size.cy);
  }
  ~PaletteDisplay() { DDSetDisplayMode(bits, size.cx, size.cy); }
  SIZE size;
  int bits;
};

struct CameraWindowRender : CameraWindowFixture {
  CSize Rendered(const XSize* size = nullptr) {
    view->RenderImage(nullptr, size == nullptr, size, nullptr);
    return view->image ? CSize(SurfaceSize(view->image)) : CSize(0, 0);
  }
  // A background picture of the folder; "columns.bmp" is one row of red, green, blue and white.
  void Use(const std::string& name) {
    const BYTE columns[12] = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
    std::vector<BYTE> file(54);
    WriteBitmapFileHeader(file.data(), DibSize(4, 1));
    WriteBitmapInfoHeader(file.data() + 14, 4, 1, 0, 0);
    file.insert(file.end(), columns, columns + 12);
    std::ofstream(folder / "columns.bmp", std::ios::binary).write(reinterpret_cast<char*>(file.data()), 66);
    std::ofstream(folder / "broken.bmp") << "not a bitmap";
    view->settings.backgroundImage = TRUE;
    view->settings.backgroundImagePath = (folder / name).c_str();
    view->needsRender = TRUE;
  }
  DWORD PixelAt(int x, int y) { return SurfacePixels(view->image2, x, y, 1, 1)[0]; }

  TemporaryFolder folder;
  ScriptedMessageBoxes boxes;
};

TEST_F(CameraWindowRender, WindowsFollowTheirSizeZoomProjectionAndBlurAndAnEmptyOneRendersNothing) {
  TestCameraView& view = Window(400, 300);
  view.MoveWindow(0, 0, 0, 0);  // a child frame shrunk to its caption leaves its view no client area
  Rendered();
  EXPECT_FALSE(view.image);
  EXPECT_FALSE(view.rendering);
  view.MoveWindow(0, 0, 400, 300);
  EXPECT_EQ(Rendered(), CSize(414, 314));  // perspective windows carry the band
  EXPECT_FLOAT_EQ(view.viewport->GetField(), 0.035 * 414 / 400);
  EXPECT_FLOAT_EQ(view.viewport->GetBack(), 5000 * 0.1f);
  view.MoveWindow(0, 0, 300, 400);
  EXPECT_EQ(Rendered(), CSize(314, 414));
  EXPECT_FLOAT_EQ(view.viewport->GetField(), 0.035 * 414 / 400);  // the larger side decides
  view.MoveWindow(0, 0, 400, 300);
  view.SetZoom(XSize(2, 2), XSize(1, 1), FALSE);
  EXPECT_EQ(Rendered(), CSize(214, 164));
  EXPECT_FLOAT_EQ(view.viewport->GetField(), 0.035 / 2 * 214 / 200);

  // Orthographic windows have no band and a field of half their height.
  view.settings.orthographic = TRUE;
  view.needsRender = TRUE;
  EXPECT_EQ(Rendered(), CSize(200, 150));
  EXPECT_FLOAT_EQ(view.viewport->GetField(), 0.25f);

  // The camera blurs by its aperture or by selected objects, and the blur drops the band.
  CameraFields& s = view.settings;
  struct Case {
    BOOL orthographic, autoFocus, autoAperture;
    double fstop;
    bool selection, blurs;
  };
  const Case cases[] = {
      {FALSE, FALSE, FALSE, 0.0, false, false}, {FALSE, FALSE, FALSE, 2.8, false, true},
      {TRUE, FALSE, FALSE, 2.8, false, false},  {FALSE, TRUE, TRUE, 0.0, false, false},
      {FALSE, TRUE, TRUE, 0.0, true, true},     {FALSE, TRUE, FALSE, 2.8, false, false},
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

  // A sharp off-screen image never had the band; a blurred one loses it.
  s.autoFocusSelected = s.autoAperture = s.orthographic = FALSE;
  s.fstop = 0.0;
  const XSize size(640, 480);
  EXPECT_EQ(Rendered(&size), CSize(640, 480));
  EXPECT_EQ(view.image2, view.image);
  s.fstop = 2.8;
  EXPECT_EQ(Rendered(&size), CSize(654, 494));
  EXPECT_EQ(CSize(SurfaceSize(view.image2)), CSize(640, 480));
  // Auto focus and aperture on a selection around the camera: no aperture, the render goes on unblurred.
  Ptr<GroupSO> around = document_test::NewGroup(doc, "around", false, 4.0);
  doc.AddGroup(around, TRUE, FALSE, 0);
  s.autoFocusSelected = TRUE;
  s.autoAperture = TRUE;
  s.transform = Transform();
  s.transform.t[0] = 2.0;  // inside the 4 m cylinder
  Rendered(&size);
  EXPECT_EQ(CSize(SurfaceSize(view.image2)), CSize(640, 480));
}

TEST_F(CameraWindowRender, OnAPaletteDisplayWindowImagesAreReducedAndOffScreenOnesAreNot) {
  PaletteDisplay display;
  TestCameraView& view = Window(40, 30);
  Rendered();
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  ASSERT_EQ(view.image->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 24u);
  ASSERT_EQ(view.image2->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 8u);
  EXPECT_EQ(CSize(SurfaceSize(view.image2)), CSize(54, 44));
  const XSize size(64, 48);
  Rendered(&size);
  ASSERT_EQ(view.image2->GetSurfaceDesc(&desc), DD_OK);
  EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 24u);
}

TEST_F(CameraWindowRender, BackgroundPicturesShowWholeWithOrWithoutTheBandAndABrokenOneIsReportedOnce) {
  // A 400 x 300 window: columns of 100 visible pixels each, after the 7-pixel band.
  Window(400, 300);
  Use("columns.bmp");
  Rendered();
  ASSERT_TRUE(view->bkImage);
  for (const auto& [x, colour] :
       {std::pair{0, 0xFF0000u}, {97, 0xFF0000u}, {103, 0xFF00u}, {299, 0xFFu}, {399, 0xFFFFFFu}})
    EXPECT_EQ(PixelAt(7 + x, 157), colour) << x;
  // Off screen without blur there is no band: 160 pixels a column, no frame inside.
  const XSize size(640, 480);
  const DDPIXELFORMAT format = DDMakePixelFormat(DDFormat::XRGB8888);
  view->RenderImage(nullptr, FALSE, &size, &format);
  for (const auto& [x, colour] : {std::pair{0, 0xFF0000u}, {159, 0xFF0000u}, {161, 0xFF00u}, {639, 0xFFFFFFu}})
    EXPECT_EQ(PixelAt(x, 240), colour) << x;
  EXPECT_TRUE(boxes.boxes.empty());

  // A broken one is reported once and tried again only after a change.
  view->settings.background = RGB(0, 0, 255);
  Use("broken.bmp");
  for (int paint = 0; paint < 3; ++paint) {
    view->needsRender = TRUE;
    Rendered();
  }
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_NE(boxes.boxes[0].text.find("broken.bmp"), std::string::npos);
  EXPECT_FALSE(view->bkImage);
  EXPECT_EQ(PixelAt(50, 50), 0xFFu);
  view->settings.backgroundImage = FALSE;
  Rendered();
  Use("broken.bmp");
  Rendered();
  EXPECT_EQ(boxes.boxes.size(), 2u);
}

// A render asks the window's image whether the display took it, and a resized window asks the
// display's own surface: a lost one is made again, a shortage or any other failure is fatal.
TEST_F(CameraWindowRender, ALostSurfaceIsMadeAgainAndAnyOtherAnswerButOKIsFatal) {
  TestCameraView& view = Window(400, 300);
  Rendered();
  struct Case {
    bool resized;  // the display's surface is asked first, not the image
    HRESULT answer;
    const char* check;  // none: the window renders into a new image
  };
  const Case cases[] = {
      {false, DDERR_SURFACELOST, nullptr}, {false, DDERR_OUTOFMEMORY, "hr != DDERR_OUTOFMEMORY"},
      {false, DDERR_GENERIC, "hr"},        {true, DDERR_SURFACELOST, nullptr},
      {true, DDERR_OUTOFMEMORY, "hr != DDERR_OUTOFMEMORY"}, {true, DDERR_GENERIC, "hr"},
  };
  int width = 400;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.resized ? "resized, " : "image, ") << std::hex << c.answer);
    Rendered();
    IUPtr<IDirectDrawSurface> before = view.image;
    if (c.resized) view.MoveWindow(0, 0, ++width, 300);
    DDFailNext(DDCall::IsLost, 1, c.answer);
    if (c.check) {
      EXPECT_FATAL(Rendered(), c.check, "");
    } else {
      EXPECT_EQ(Rendered(), CSize(width + 14, 314));
      EXPECT_NE(view.image.get(), before.get());
    }
    DDClearFaults();
  }
}

// A failed call of a render reports the call by its fixed text, whatever the code names.
TEST_F(CameraWindowRender, FailedCallsOfTheRenderReportTheCallByItsFixedText) {
  Window(400, 300);
  Rendered();  // the display's primary surface exists from here on
  // Renders a window whose rendering objects are all gone.
  const auto fresh = [&](BOOL orthographic) {
    return [&, orthographic] {
      view->settings.orthographic = orthographic;
      view->viewport = nullptr;
      view->camera = nullptr;
      view->device = nullptr;
      view->image = nullptr;
      view->needsRender = TRUE;
      Rendered();
    };
  };
  const auto withPicture = [&] {
    Use("columns.bmp");
    Rendered();
  };
  const auto none = [] {};
  // A hardware device renders into video memory, which the blur and the palette reduction copy out.
  D3DFINDDEVICERESULT hardware{};
  hardware.ddHwDesc.dwFlags = 1;
  const auto blurredInVideoMemory = [&] {
    app.device = &hardware;
    view->settings.fstop = 2.8;
  };
  std::optional<PaletteDisplay> palette;
  const auto paletteFromVideoMemory = [&] {
    app.device = &hardware;
    palette.emplace();
  };
  const auto rm = [](D3DRMCall call) { return [call] { D3DRMFailCall(call, 0, D3DRMERR_BADVALUE); }; };
  const auto dd = [](DDCall call, int count, int skip = 0) {
    return [call, count, skip] { DDFailAfter(call, skip, count, DDERR_GENERIC); };
  };
  const std::string rmFailed = std::to_string(static_cast<DWORD>(D3DRMERR_BADVALUE) & 0xFFFF);
  const std::string ddFailed = std::to_string(static_cast<DWORD>(DDERR_GENERIC) & 0xFFFF);

  const struct {
    std::function<void()> before, arm, fail;
    const char* expression;
    const std::string& detail;
  } cases[] = {
      {none, rm(D3DRMCall::CreateDeviceFromSurface), fresh(FALSE),
       "XGetApp()->lpD3DRM->CreateDeviceFromSurface( &XGetApp()->device->guid, XGetApp()->lpDD, image, &device )",
       rmFailed},
      {none, rm(D3DRMCall::CreateFrame), fresh(FALSE),
       "XGetApp()->lpD3DRM->CreateFrame( doc->GetScene()->GetD3DRMFrame(), &camera )", rmFailed},
      {none, rm(D3DRMCall::CreateViewport), fresh(FALSE),
       "XGetApp()->lpD3DRM->CreateViewport( device, camera, 0, 0, device->GetWidth(), device->GetHeight(), &viewport )",
       rmFailed},
      {none, rm(D3DRMCall::GetTransform), fresh(FALSE), "camera->GetTransform( matrix )", rmFailed},
      {none, rm(D3DRMCall::AddTransform), fresh(FALSE), "camera->AddTransform( D3DRMCOMBINE_REPLACE, matrix )", rmFailed},
      {none, rm(D3DRMCall::SetFront), fresh(FALSE), "viewport->SetFront( D3DVAL(front) )", rmFailed},
      {none, rm(D3DRMCall::SetBack), fresh(FALSE), "viewport->SetBack( D3DVAL(5000.0) * viewport->GetFront() )",
       rmFailed},
      {none, rm(D3DRMCall::SetBack), fresh(TRUE), "viewport->SetBack( orthoBack )", rmFailed},
      {[&] { view->settings.background = RGB(1, 2, 3); }, rm(D3DRMCall::SetSceneBackground), fresh(FALSE),
       "doc->GetScene()->GetD3DRMFrame()->SetSceneBackground( D3DColor( background ) )", rmFailed},
      {none, rm(D3DRMCall::SetSceneBackgroundImage), fresh(FALSE),
       "doc->GetScene()->GetD3DRMFrame()->SetSceneBackgroundImage( bkImage )", rmFailed},
      {withPicture, rm(D3DRMCall::SetSceneBackgroundImage), [&] {
         view->settings.backgroundImage = FALSE;
         doc.UpdateAllViews(nullptr);
       },
       "GetDocument()->GetScene()->GetD3DRMFrame()->SetSceneBackgroundImage( bkImage )", rmFailed},
      {none, rm(D3DRMCall::Render), fresh(FALSE), "viewport->Render( doc->GetScene()->GetD3DRMFrame() )", rmFailed},
      {fresh(TRUE), rm(D3DRMCall::Transform), [&] { view->Pick(XDPoint(10, 10)); },
       "viewport->Transform( &screenDir, &_lookDir )", rmFailed},
      {none, rm(D3DRMCall::CreateTextureFromSurface), withPicture,
       "XGetApp()->lpD3DRM->CreateTextureFromSurface( bkImgSurface, &bkImage )", rmFailed},
      {none, dd(DDCall::Create, 2), fresh(FALSE), "XGetApp()->lpDD->CreateSurface( &surfDesc, &image, NULL )", ddFailed},
      {DDLoseSurfaces, dd(DDCall::Create, 1), fresh(FALSE),
       "XGetApp()->lpDD->CreateSurface( &surfDesc, &XGetApp()->screen, NULL )", ddFailed},
      {none, dd(DDCall::SetClipper, 1), fresh(FALSE), "XGetApp()->screen->SetClipper( clipper )", ddFailed},
      {none, dd(DDCall::SetClipper, 1, 1), fresh(FALSE), "XGetApp()->screen->SetClipper( NULL )", ddFailed},
      {none, dd(DDCall::Blt, 2), fresh(FALSE), "XGetApp()->screen->Blt( &dest, image2, srcRect, DDBLT_WAIT, NULL )",
       ddFailed},
      {[&] { view->settings.fstop = 2.8; }, dd(DDCall::Create, 1), [&] {
         view->needsRender = TRUE;
         Rendered();
       },
       "XGetApp()->lpDD->CreateSurface( &destDesc, &image2, NULL )", ddFailed},
      // Three surfaces are made before each copy: the window's image, its depth and the blur's or
      // the display's own.
      {blurredInVideoMemory, dd(DDCall::Create, 1, 3), fresh(FALSE),
       "XGetApp()->lpDD->CreateSurface( &copyDesc, &copy, NULL )", ddFailed},
      {blurredInVideoMemory, dd(DDCall::Blt, 1), fresh(FALSE), "copy->Blt( &rect, image, &rect, DDBLT_WAIT, NULL )",
       ddFailed},
      {blurredInVideoMemory, dd(DDCall::Create, 1, 4), fresh(FALSE),
       "XGetApp()->lpDD->CreateSurface( &zBufDesc, &zBufCopy, NULL )", ddFailed},
      {blurredInVideoMemory, dd(DDCall::Blt, 1, 1), fresh(FALSE),
       "zBufCopy->Blt( &rect, zBufImage, &rect, DDBLT_WAIT, NULL )", ddFailed},
      {paletteFromVideoMemory, dd(DDCall::Create, 1, 3), fresh(FALSE),
       "XGetApp()->lpDD->CreateSurface( &copyDesc, &copy, NULL )", ddFailed},
      {paletteFromVideoMemory, dd(DDCall::Blt, 1), fresh(FALSE), "copy->Blt( &rect, image2, &rect, DDBLT_WAIT, NULL )",
       ddFailed},
      // The render the copy makes first locks its surfaces four times (clear and render).
      {none, dd(DDCall::Lock, 1, 4), [&] { view->OnEditCopyImage(); },
       "image2->Lock( NULL, &lockDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )", ddFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expression);
    view->settings.fstop = 0.0;
    view->settings.backgroundImage = FALSE;
    fresh(FALSE)();
    c.before();
    c.arm();
    EXPECT_FATAL(c.fail(), c.expression, c.detail);
    D3DRMClearFaults();
    DDClearFaults();
    app.device = nullptr;
    palette.reset();
  }
}

// Switching the picture off in the Edit Camera sheet lets go of it at once: the shared scene frame
// no longer holds it and the surface shows the background colour, before the window paints.
TEST_F(CameraWindowRender, APictureSwitchedOffInTheSheetIsReleasedAndClearedBeforeTheNextPaint) {
  Window(400, 300);
  view->settings.background = RGB(0, 0, 255);
  Use("columns.bmp");
  Rendered();
  ASSERT_TRUE(view->bkImage);
  ASSERT_EQ(SurfacePixels(view->image, 7, 157, 1, 1)[0], 0xFF0000u);
  IDirect3DRMTexture* picture = view->bkImage;
  picture->AddRef();

  RunModal([&] { return static_cast<int>(view->SendMessage(WM_COMMAND, 33120)); },  // Edit Camera
           [](QDialog* window) {
             for (const char* caption : {"Use image", "OK"})
               for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
                 if (button->text() == caption) QTest::mouseClick(button, Qt::LeftButton);
           });
  EXPECT_FALSE(view->settings.backgroundImage);
  EXPECT_FALSE(view->bkImage);
  EXPECT_EQ(picture->Release(), 0u);  // neither the window nor the scene frame holds it
  ASSERT_TRUE(view->image);
  EXPECT_EQ(SurfacePixels(view->image, 7, 157, 1, 1)[0], 0xFFu);
  EXPECT_TRUE(view->needsRender);
}

}  // namespace
}  // namespace views_test
