// The camera window's background picture: a bitmap stretched over the whole rendered surface
// and, where the surface carries the blur's band, once more over the part inside the band, so
// that the visible picture shows all of it. The scene's frame is shared by every window, so each
// render sets its own picture (or none) before clearing.
#include "core/FatalError.h"
#include "core/MissingFile.h"
#include "core/XMessageBox.h"
#include "document/XDocument.h"
#include "shell/XApp.h"
#include "views/X3DView.h"

namespace {

constexpr UINT IDS_FILE_DAMAGED = 40045;

// Draws `picture` stretched over the rectangles of `surface` in their order.
void StretchOnto(IDirectDrawSurface* surface, IDirect3DRMTexture* picture, std::initializer_list<RECT> rects) {
  IDirect3DRM* rm = XGetApp()->lpD3DRM;
  const D3DFINDDEVICERESULT* found = XGetApp()->device;
  IUPtr<IDirect3DRMDevice> device;
  XCHECK_D3DRM(rm->CreateDeviceFromSurface( found ? &found->guid : nullptr, XGetApp()->lpDD, surface, &device ));
  IUPtr<IDirect3DRMFrame> backdrop;
  XCHECK_D3DRM(rm->CreateFrame( nullptr, &backdrop ));
  XCHECK_D3DRM(backdrop->SetSceneBackgroundImage( picture ));
  IUPtr<IDirect3DRMFrame> eye;
  XCHECK_D3DRM(rm->CreateFrame( backdrop, &eye ));
  for (const RECT& r : rects) {
    IUPtr<IDirect3DRMViewport> viewport;
    XCHECK_D3DRM(rm->CreateViewport( device, eye, r.left, r.top, r.right - r.left, r.bottom - r.top, &viewport ));
    XCHECK_D3DRM(viewport->Clear());
  }
}

}  // namespace

void X3DView::UpdateBackgroundImage(bool band) {
  if (!settings.backgroundImage || settings.backgroundImagePath.IsEmpty()) {
    bkFailedPath.Empty();
    bkImage = nullptr;
    return;
  }
  if (bkImage && settings.backgroundImagePath == bkLoadedPath) return;
  // A picture that failed was reported once; the repaint that the message causes must not try
  // it, and report it, again.
  if (settings.backgroundImagePath == bkFailedPath) return;
  bkImage = nullptr;

  IDirect3DRM* rm = XGetApp()->lpD3DRM;
  IUPtr<IDirect3DRMTexture> picture;
  HRESULT loaded = rm->LoadTexture(settings.backgroundImagePath, &picture);
  if (loaded == D3DRMERR_FILENOTFOUND && !painting) {
    const XString located = XLocateMissingFile(settings.backgroundImagePath, FALSE);
    if (located != settings.backgroundImagePath) {
      settings.backgroundImagePath = located;
      loaded = rm->LoadTexture(located, &picture);
    }
  }
  if (loaded != D3DRM_OK) {
    bkFailedPath = settings.backgroundImagePath;
    if (painting) {
      if (bkAfterPaintPath.IsEmpty()) PostMessage(kBackgroundAfterPaintMessage);
      bkAfterPaintPath = settings.backgroundImagePath;
      bkAfterPaintMissing = loaded == D3DRMERR_FILENOTFOUND;
      return;
    }
    // A file the user did not find again was already reported as cancelled.
    if (loaded != D3DRMERR_FILENOTFOUND) XErrorBox(IDS_FILE_DAMAGED, settings.backgroundImagePath);
    return;
  }
  bkLoadedPath = settings.backgroundImagePath;
  bkFailedPath.Empty();
  // Without the band the render's own stretch over the whole surface is all it takes.
  if (!band) {
    bkImage = picture;
    return;
  }

  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  XCHECK_DD(image->GetSurfaceDesc( &desc ));
  desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
  desc.ddsCaps.dwCaps =
      (desc.ddsCaps.dwCaps & (DDSCAPS_VIDEOMEMORY | DDSCAPS_SYSTEMMEMORY)) | DDSCAPS_TEXTURE | DDSCAPS_3DDEVICE;
  IUPtr<IDirectDrawSurface> bkImgSurface;
  if (XGetApp()->lpDD->CreateSurface(&desc, &bkImgSurface, nullptr) == DDERR_OUTOFVIDEOMEMORY) {
    desc.ddsCaps.dwCaps = (desc.ddsCaps.dwCaps & ~DDSCAPS_VIDEOMEMORY) | DDSCAPS_SYSTEMMEMORY;
    bkImgSurface = nullptr;
  }
  if (!bkImgSurface)
    XCHECK_DD_TEXT(XGetApp()->lpDD->CreateSurface(&desc, &bkImgSurface, NULL),
                   "XGetApp()->lpDD->CreateSurface( &surfDesc, &bkImgSurface, NULL )");
  const LONG width = static_cast<LONG>(desc.dwWidth), height = static_cast<LONG>(desc.dwHeight);
  StretchOnto(bkImgSurface, picture, {{0, 0, width, height}, {kBand, kBand, width - kBand, height - kBand}});
  XCHECK_D3DRM_TEXT(rm->CreateTextureFromSurface(bkImgSurface, &bkImage),
                    "XGetApp()->lpD3DRM->CreateTextureFromSurface( bkImgSurface, &bkImage )");
}

LRESULT X3DView::OnBackgroundAfterPaint(WPARAM, LPARAM) {
  const CString path = bkAfterPaintPath;
  bkAfterPaintPath.Empty();
  if (path.IsEmpty()) return 0;
  if (!bkAfterPaintMissing) {
    XErrorBox(IDS_FILE_DAMAGED, path);
    return 0;
  }
  // The picture the user points to is loaded by the next paint; one given up stays failed.
  if (settings.backgroundImagePath != path) return 0;
  const XString located = XLocateMissingFile(path, FALSE);
  if (located == path) return 0;
  settings.backgroundImagePath = located;
  needsRender = TRUE;
  Invalidate();
  return 0;
}

void X3DView::DropBackgroundImage() {
  bkImage = nullptr;
  XCHECK_D3DRM_TEXT(GetDocument()->GetScene()->GetD3DRMFrame()->SetSceneBackgroundImage(bkImage),
                    "GetDocument()->GetScene()->GetD3DRMFrame()->SetSceneBackgroundImage( bkImage )");
  if (viewport) XCHECK_D3DRM(viewport->Clear());
}
