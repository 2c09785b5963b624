// Putting a camera window's image on the screen: a blit into the display's primary surface
// through a clipper bound to the window, stretched by the zoom.
#include "core/FatalError.h"
#include "platform/framework/DC.h"
#include "shell/XApp.h"
#include "views/X3DView.h"

namespace {

// The display's primary surface, shared by every camera window and made again when lost.
IUPtr<IDirectDrawSurface>& PrimarySurface() {
  static IUPtr<IDirectDrawSurface> screen;
  return screen;
}

IDirectDrawSurface* ValidPrimarySurface() {
  IUPtr<IDirectDrawSurface>& screen = PrimarySurface();
  if (screen && SurfaceLost(screen)) screen = nullptr;
  if (!screen) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    XCHECK_DD_TEXT(XGetApp()->lpDD->CreateSurface(&desc, &screen, NULL),
                   "XGetApp()->lpDD->CreateSurface( &surfDesc, &XGetApp()->screen, NULL )");
  }
  return screen;
}

}  // namespace

bool SurfaceLost(IDirectDrawSurface* surface) {
  const HRESULT hr = surface->IsLost();
  if (hr == DDERR_SURFACELOST) return true;
  XASSERT_TEXT(hr != DDERR_OUTOFMEMORY, "hr != DDERR_OUTOFMEMORY", "");
  XASSERT_TEXT(hr == DD_OK, "hr", "");
  return false;
}

bool IsPaletteDisplay() {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  XCHECK_DD(ValidPrimarySurface()->GetSurfaceDesc( &desc ));
  return desc.ddpfPixelFormat.dwRGBBitCount == 8;
}

void X3DView::Blit(CDC* dc, const XSize& size) {
  if (!image2) return;
  if (!clipper) {
    XCHECK_DD(DirectDrawCreateClipper( 0, &clipper, NULL ));
    XCHECK_DD(clipper->SetHWnd( 0, m_hWnd ));
  }
  CRect dest(0, 0, size.cx, size.cy);
  dc->LPtoDP(&dest);
  SIZE unit{1, 1};
  dc->LPtoDP(&unit);
  dest.OffsetRect(-(unit.cx / 2), -(unit.cy / 2));
  XASSERT_TEXT(!dest.left && !dest.top, "!dest.left && !dest.top",
               "A pecularity of Windows or DX requires this for correct results");
  ClientToScreen(&dest);
  CRect source(0, 0, size.cx, size.cy);
  // An image that still carries the band shows its inner part.
  DDSURFACEDESC imageDesc{}, finalDesc{};
  imageDesc.dwSize = finalDesc.dwSize = sizeof(DDSURFACEDESC);
  XCHECK_DD(image->GetSurfaceDesc( &imageDesc ));
  XCHECK_DD(image2->GetSurfaceDesc( &finalDesc ));
  if (finalDesc.dwWidth == imageDesc.dwWidth && !settings.orthographic) source.OffsetRect(kBand, kBand);
  IDirectDrawSurface* screen = ValidPrimarySurface();
  XCHECK_DD_TEXT(screen->SetClipper(clipper), "XGetApp()->screen->SetClipper( clipper )");
  if (screen->Blt(&dest, image2, &source, DDBLT_ASYNC, nullptr) != DD_OK)
    XCHECK_DD_TEXT(screen->Blt(&dest, image2, &source, DDBLT_WAIT, NULL),
                   "XGetApp()->screen->Blt( &dest, image2, srcRect, DDBLT_WAIT, NULL )");
  XCHECK_DD_TEXT(screen->SetClipper(NULL), "XGetApp()->screen->SetClipper( NULL )");
}
