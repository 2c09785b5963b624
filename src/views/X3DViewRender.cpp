// Rendering a camera window: the rendering objects are made when missing and kept from render to
// render; the camera, lens and projection are written to the 3D layer only when they differ; the
// scene is drawn with its cartoon lines, blurred by depth when the camera asks for it, and put on
// the screen.

#include "core/FatalError.h"
#include "core/Globals.h"
#include "document/XDocument.h"
#include "shell/XApp.h"
#include "views/CountedClientDC.h"
#include "views/Palette8.h"
#include "views/SceneFit.h"
#include "views/X3DView.h"

namespace {

constexpr double kFilmWidth = 0.035;        // metres: the perspective field follows 35 mm film
constexpr double kPerspectiveBackFactor = 5000.0;  // back plane = this times the front distance

// Clears a flag on every way out of the render, also when an exception passes.
class RenderingGuard {
 public:
  explicit RenderingGuard(BOOL& flag) : flag_(flag) { flag_ = TRUE; }
  ~RenderingGuard() { flag_ = FALSE; }
  RenderingGuard(const RenderingGuard&) = delete;
  RenderingGuard& operator=(const RenderingGuard&) = delete;

 private:
  BOOL& flag_;
};

XSize SurfaceSize(IDirectDrawSurface* surface) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  XCHECK_DD(surface->GetSurfaceDesc( &desc ));
  return XSize(static_cast<LONG>(desc.dwWidth), static_cast<LONG>(desc.dwHeight));
}

bool HardwareDriver() {
  const D3DFINDDEVICERESULT* found = XGetApp()->device;
  return found && found->ddHwDesc.dwFlags != 0;
}

// The inner `size` of a banded picture, in system memory.
IUPtr<IDirectDrawSurface> WithoutBand(IDirectDrawSurface* banded, const XSize& size) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  XCHECK_DD(banded->GetSurfaceDesc( &desc ));
  desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY;
  desc.dwWidth = static_cast<DWORD>(size.cx);
  desc.dwHeight = static_cast<DWORD>(size.cy);
  IUPtr<IDirectDrawSurface> inner;
  XCHECK_DD(XGetApp()->lpDD->CreateSurface( &desc, &inner, NULL ));
  RECT to{0, 0, size.cx, size.cy};
  RECT from{X3DView::kBand, X3DView::kBand, X3DView::kBand + size.cx, X3DView::kBand + size.cy};
  XCHECK_DD(inner->Blt( &to, banded, &from, DDBLT_WAIT, NULL ));
  return inner;
}

}  // namespace

XSize X3DView::WindowRenderSize(CDC* dc) const {
  CRect client;
  GetClientRect(&client);
  if (client.right <= 0 || client.bottom <= 0) return XSize(0, 0);
  POINT corners[2] = {{client.left, client.top}, {client.right - 1, client.bottom - 1}};
  dc->DPtoLP(corners, 2);
  return XSize(corners[1].x + 1 - corners[0].x, corners[1].y + 1 - corners[0].y);
}

void X3DView::RenderImage(CDC* dc, BOOL paint, const XSize* renderSize, const DDPIXELFORMAT* pixelFormat) {
  if (rendering) return;
  RenderingGuard guard(rendering);
  const bool blurs = BlursCamera();
  const bool windowRender = renderSize == nullptr;
  Ptr<CountedClientDC> ownDC;
  if (!dc && windowRender) {
    ownDC = new CountedClientDC(this);
    dc = ownDC;
  }
  const bool perspective = !settings.orthographic;
  // The render works in the window's logical pixels without the band's offset.
  const bool shiftedOrigin = windowRender && perspective;
  if (shiftedOrigin) dc->OffsetWindowOrg(-kBand, -kBand);
  struct OriginRestore {
    CDC* dc;
    bool active;
    ~OriginRestore() {
      if (active) dc->OffsetWindowOrg(kBand, kBand);
    }
  } restore{dc, shiftedOrigin && !ownDC};

  const XSize size = windowRender ? WindowRenderSize(dc) : *renderSize;
  // An empty window (shrunk to its caption) has nothing to render, improve or show.
  if (size.cx <= 0 || size.cy <= 0) return;

  if (windowRender && image) {
    XSize held = SurfaceSize(image);
    if (perspective) held = XSize(held.cx < 15 ? 0 : held.cx - 2 * kBand, held.cy < 15 ? 0 : held.cy - 2 * kBand);
    if (held.cx != size.cx || held.cy != size.cy) {
      ReleaseRenderObjects();
      needsRender = paint = TRUE;
    }
  }
  if (image && SurfaceLost(image)) image = nullptr;
  const bool band = perspective && (windowRender || blurs);
  if (!image || !windowRender) {
    ReleaseRenderObjects();
    needsRender = paint = TRUE;
    MakeSurface(size, band, pixelFormat);
  }
  UpdateBackgroundImage(band);
  if (!device || !camera || !viewport) {
    MakeDeviceCameraViewport();
    needsRender = paint = TRUE;
  }

  if (needsRender) {
    needsRender = FALSE;
    paint = TRUE;
    image2 = nullptr;
    improved = FALSE;
    SetCameraAndProjection(size, band);
    XDocument* doc = GetDocument();
    GroupSO* root = doc->GetScene();
    const BYTE r = GetRValue(settings.background), g = GetGValue(settings.background), b = GetBValue(settings.background);
    const D3DCOLOR background = 0xFF000000u | (DWORD{r} << 16) | (DWORD{g} << 8) | b;
    if (root->GetD3DRMFrame()->GetSceneBackground() != background)
      XCHECK_D3DRM_TEXT(root->GetD3DRMFrame()->SetSceneBackground(background),
                        "doc->GetScene()->GetD3DRMFrame()->SetSceneBackground( D3DColor( background ) )");
    XCHECK_D3DRM_TEXT(root->GetD3DRMFrame()->SetSceneBackgroundImage(bkImage),
                      "doc->GetScene()->GetD3DRMFrame()->SetSceneBackgroundImage( bkImage )");
    XCHECK_D3DRM(viewport->Clear());
    // A camera the 3D layer cannot see through shows the background alone.
    if (!D3DRMViewportSeesThrough(viewport)) {
      // A picture of a requested size (Improve, Copy, Export) comes without the blur's band.
      image2 = band && !windowRender ? WithoutBand(image, size) : image;
      if (paint && windowRender) Blit(dc, size);
      return;
    }
    double lineScale = 1.0;
    if (!windowRender) {
      CRect client;
      GetClientRect(&client);
      // Lines keep their width relative to the picture; without a window they keep it in pixels.
      if (client.Width() > 0 && client.Height() > 0)
        lineScale = client.Width() > client.Height() ? static_cast<double>(size.cx) / client.Width()
                                                     : static_cast<double>(size.cy) / client.Height();
    }
    root->DrawCartoonLines(device, viewport, root->GetTransform(), root->GetInverseTransform(), lineScale);
    // Dithering spreads each pixel's error over its neighbours, so no part of the image is kept.
    if (windowRender && Globals::GetDitherAlways() && IsPaletteDisplay()) {
      const LONG viewX = viewport->GetX(), viewY = viewport->GetY();
      XCHECK_D3DRM(viewport->ForceUpdate( viewX, viewY, viewX + viewport->GetWidth(), viewY + viewport->GetHeight() ));
    }
    XCHECK_D3DRM_TEXT(viewport->Render(root->GetD3DRMFrame()), "viewport->Render( doc->GetScene()->GetD3DRMFrame() )");
    if (blurs)
      Blur(renderSize);
    else
      image2 = image;
    if (windowRender && IsPaletteDisplay()) ReduceToPalette();
  }
  if (paint && windowRender) Blit(dc, size);
}

void X3DView::ReduceToPalette() {
  DDSURFACEDESC destDesc{};
  destDesc.dwSize = sizeof destDesc;
  XCHECK_DD(image2->GetSurfaceDesc( &destDesc ));
  IUPtr<IDirectDrawSurface> source = image2;
  if (destDesc.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY) {
    DDSURFACEDESC copyDesc = destDesc;
    copyDesc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    copyDesc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_SYSTEMMEMORY;
    source = nullptr;
    XCHECK_DD_TEXT(XGetApp()->lpDD->CreateSurface(&copyDesc, &source, NULL),
                   "XGetApp()->lpDD->CreateSurface( &copyDesc, &copy, NULL )");
    RECT rect{0, 0, static_cast<LONG>(destDesc.dwWidth), static_cast<LONG>(destDesc.dwHeight)};
    XCHECK_DD_TEXT(source->Blt(&rect, image2, &rect, DDBLT_WAIT, NULL),
                   "copy->Blt( &rect, image2, &rect, DDBLT_WAIT, NULL )");
  }
  destDesc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  destDesc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
  destDesc.ddpfPixelFormat = DDMakePixelFormat(DDFormat::Palette8);
  IUPtr<IDirectDrawSurface> image3;
  XCHECK_DD(XGetApp()->lpDD->CreateSurface( &destDesc, &image3, NULL ));
  ConvertRGB24ToPalette8(image3, source, Globals::GetDitherAlways());
  image2 = nullptr;
  image2 = image3;
}

void X3DView::MakeSurface(const XSize& size, bool band, const DDPIXELFORMAT* pixelFormat) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
  desc.ddsCaps.dwCaps |= pixelFormat == nullptr && HardwareDriver() ? DDSCAPS_VIDEOMEMORY : DDSCAPS_SYSTEMMEMORY;
  if (pixelFormat || IsPaletteDisplay()) {
    desc.dwFlags |= DDSD_PIXELFORMAT;
    desc.ddpfPixelFormat = pixelFormat ? *pixelFormat : DDMakePixelFormat(DDFormat::RGB888);
  }
  desc.dwWidth = static_cast<DWORD>(size.cx + (band ? 2 * kBand : 0));
  desc.dwHeight = static_cast<DWORD>(size.cy + (band ? 2 * kBand : 0));
  if (XGetApp()->lpDD->CreateSurface(&desc, &image, nullptr) == DDERR_OUTOFVIDEOMEMORY) {
    desc.ddsCaps.dwCaps = (desc.ddsCaps.dwCaps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
    image = nullptr;
  }
  if (!image)
    XCHECK_DD_TEXT(XGetApp()->lpDD->CreateSurface(&desc, &image, NULL),
                   "XGetApp()->lpDD->CreateSurface( &surfDesc, &image, NULL )");
}

void X3DView::MakeDeviceCameraViewport() {
  IDirect3DRM* rm = XGetApp()->lpD3DRM;
  if (!device) {
    viewport = nullptr;
    camera = nullptr;
    const D3DFINDDEVICERESULT* found = XGetApp()->device;
    XCHECK_D3DRM_TEXT(rm->CreateDeviceFromSurface(found ? &found->guid : nullptr, XGetApp()->lpDD, image, &device),
                      "XGetApp()->lpD3DRM->CreateDeviceFromSurface( &XGetApp()->device->guid, XGetApp()->lpDD, image, "
                      "&device )");
  }
  if (!camera) {
    viewport = nullptr;
    XCHECK_D3DRM_TEXT(rm->CreateFrame(GetDocument()->GetScene()->GetD3DRMFrame(), &camera),
                      "XGetApp()->lpD3DRM->CreateFrame( doc->GetScene()->GetD3DRMFrame(), &camera )");
  }
  if (!viewport)
    XCHECK_D3DRM_TEXT(rm->CreateViewport(device, camera, 0, 0, device->GetWidth(), device->GetHeight(), &viewport),
                      "XGetApp()->lpD3DRM->CreateViewport( device, camera, 0, 0, device->GetWidth(), "
                      "device->GetHeight(), &viewport )");
}

void X3DView::SetCameraAndProjection(const XSize& size, bool band) {
  if (device->GetQuality() != D3DRMRENDER_PHONG) XCHECK_D3DRM(device->SetQuality( D3DRMRENDER_PHONG ));
  if (device->GetTextureQuality() != D3DRMTEXTURE_NEAREST)
    XCHECK_D3DRM(device->SetTextureQuality( D3DRMTEXTURE_NEAREST ));
  D3DRMMATRIX4D held, wanted;
  XCHECK_D3DRM_TEXT(camera->GetTransform(held), "camera->GetTransform( matrix )");
  settings.transform.GetD3DRMMatrix(wanted);
  if (Transform(held) != Transform(wanted))
    XCHECK_D3DRM_TEXT(camera->AddTransform(D3DRMCOMBINE_REPLACE, wanted),
                      "camera->AddTransform( D3DRMCOMBINE_REPLACE, matrix )");
  if (viewport->GetFront() != static_cast<D3DVALUE>(settings.front))
    XCHECK_D3DRM_TEXT(viewport->SetFront(D3DVAL(settings.front)), "viewport->SetFront( D3DVAL(front) )");

  XASSERT_TEXT(_numerator.cx == _numerator.cy && _denominator.cx == _denominator.cy,
               "GetZoomNumerator().cx == GetZoomNumerator().cy && GetZoomDenominator().cx == GetZoomDenominator().cy",
               "Distorting zooms not supported");
  XASSERT_TEXT(_numerator.cy >= _denominator.cy, "GetZoomNumerator().cy >= GetZoomDenominator().cy",
               "Reduction zooms not supported");
  const double n = _numerator.cy, d = _denominator.cy;
  double field;
  if (!settings.orthographic) {
    const D3DVALUE back = D3DVAL(kPerspectiveBackFactor) * viewport->GetFront();
    if (viewport->GetBack() != back)
      XCHECK_D3DRM_TEXT(viewport->SetBack(back), "viewport->SetBack( D3DVAL(5000.0) * viewport->GetFront() )");
    if (viewport->GetProjection() != D3DRMPROJECT_PERSPECTIVE)
      XCHECK_D3DRM(viewport->SetProjection( D3DRMPROJECT_PERSPECTIVE ));
    field = viewport->GetFront() * (d * kFilmWidth) / (n * 2.0) / settings.focal;
  } else {
    const double orthoBack = settings.front + kOrthographicDepth;
    if (viewport->GetBack() != static_cast<D3DVALUE>(orthoBack))
      XCHECK_D3DRM_TEXT(viewport->SetBack(D3DVAL(orthoBack)), "viewport->SetBack( orthoBack )");
    if (viewport->GetProjection() != D3DRMPROJECT_ORTHOGRAPHIC)
      XCHECK_D3DRM(viewport->SetProjection( D3DRMPROJECT_ORTHOGRAPHIC ));
    field = d * settings.height / (n * 2.0);
  }
  // The band widens the view without changing the scale of its visible part.
  if (band) {
    const double w = size.cx, h = size.cy;
    field = h < w ? field * (w + 2 * kBand) / w : field * (h + 2 * kBand) / h;
  }
  if (viewport->GetField() != static_cast<D3DVALUE>(field)) XCHECK_D3DRM(viewport->SetField( D3DVAL(field) ));
}
