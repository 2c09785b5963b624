// Improve Camera Image: the window's picture rendered at twice its size each way and averaged
// down, replacing the displayed image until the window renders again.
#include <cstring>

#include "core/FatalError.h"
#include "core/XMessageBox.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/WaitCursor.h"
#include "platform/win/WindowMessages.h"
#include "shell/XApp.h"
#include "views/LockedRows.h"
#include "views/Palette8.h"
#include "views/SupersampleRows.h"
#include "views/X3DView.h"

namespace {

constexpr UINT IDS_IMPROVE_TOO_LARGE = 40244;

DDSURFACEDESC Describe(IDirectDrawSurface* surface) {
  DDSURFACEDESC desc{};
  desc.dwSize = sizeof desc;
  XCHECK_DD(surface->GetSurfaceDesc( &desc ));
  return desc;
}

// A 24-bit surface of `like`'s size in system memory, for the averaged image before its
// reduction to the palette.
IUPtr<IDirectDrawSurface> RGB24SurfaceLike(const DDSURFACEDESC& like) {
  DDSURFACEDESC destDesc = like;
  destDesc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  destDesc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY | DDSCAPS_3DDEVICE;
  destDesc.ddpfPixelFormat = DDMakePixelFormat(DDFormat::RGB888);
  IUPtr<IDirectDrawSurface> intermediate;
  XCHECK_DD(XGetApp()->lpDD->CreateSurface( &destDesc, &intermediate, NULL ));
  return intermediate;
}

}  // namespace

void X3DView::OnUpdateImproveCameraImage(CCmdUI* cmdUI) { cmdUI->SetCheck(improved ? 1 : 0); }

void X3DView::ResumeImprovement() {
  if (!improved) return;
  improved = FALSE;
  PostMessage(WM_COMMAND, kImproveCommand);
}

void X3DView::OnImproveCameraImage() {
  // A render of this window waiting in a message box still uses its surfaces.
  if (rendering) return;
  CWaitCursor wait;
  if (improved) {
    improved = FALSE;
    OnUpdate(nullptr, 0, nullptr);
    return;
  }
  // A window resized since its last paint still holds an image of its old size.
  RenderImage(nullptr, FALSE, nullptr, nullptr);
  if (!image) return;  // an empty window has nothing to improve
  const DDSURFACEDESC imageDesc = Describe(image);
  XASSERT_TEXT((imageDesc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) == (DDSD_WIDTH | DDSD_HEIGHT),
               "(desc.dwFlags & (DDSD_WIDTH | DDSD_HEIGHT)) == (DDSD_WIDTH | DDSD_HEIGHT)", "");
  const int band = settings.orthographic ? 0 : kBand;
  const XSize imgSize(static_cast<LONG>(imageDesc.dwWidth) - 2 * band, static_cast<LONG>(imageDesc.dwHeight) - 2 * band);
  const XSize res(2 * imgSize.cx, 2 * imgSize.cy);
  if (res.cx > kMaxRenderSize || res.cy > kMaxRenderSize) {
    XErrorBox(IDS_IMPROVE_TOO_LARGE);
    return;
  }

  const bool palette = IsPaletteDisplay();
  const DDPIXELFORMAT rgb24 = DDMakePixelFormat(DDFormat::RGB888);
  RenderImage(nullptr, FALSE, &res, palette ? &rgb24 : nullptr);
  IUPtr<IDirectDrawSurface> doubleRender = image2;
  image2 = nullptr;
  image = nullptr;
  RenderImage(nullptr, FALSE, nullptr, nullptr);
  if (!image2) return;  // the window lost its client area meanwhile

  const DDSURFACEDESC finalDesc = Describe(image2);
  IUPtr<IDirectDrawSurface> intermediate;
  if (palette) {
    XASSERT_TEXT(!(finalDesc.ddsCaps.dwCaps & DDSCAPS_VIDEOMEMORY), "!videoMemory", "");
    intermediate = RGB24SurfaceLike(finalDesc);
  } else {
    intermediate = image2;
  }

  DDSURFACEDESC source{}, dest{};
  source.dwSize = dest.dwSize = sizeof(DDSURFACEDESC);
  XCHECK_DD(doubleRender->Lock( NULL, &source, DDLOCK_WAIT, NULL ));
  XCHECK_DD(intermediate->Lock( NULL, &dest, DDLOCK_WAIT, NULL ));
  XASSERT_TEXT(static_cast<int>(source.dwWidth) == res.cx && static_cast<int>(source.dwHeight) == res.cy,
               "(int)lockDesc.dwWidth == res.cx && (int)lockDesc.dwHeight == res.cy", "");
  // The band, when the final image still has it, keeps the pixels of the normal render.
  const bool banded = static_cast<int>(dest.dwWidth) != imgSize.cx;
  const int offset = banded ? kBand : 0;
  XASSERT_TEXT(static_cast<int>(dest.dwWidth) == imgSize.cx + 2 * offset &&
                   static_cast<int>(dest.dwHeight) == imgSize.cy + 2 * offset,
               "intermediate size == imgRect size (plus the band)", "");
  const SupersampleFormat format = SupersampleFormatOf(source.ddpfPixelFormat);
  const int bytes = BytesPerPixel(format);
  BYTE* sourceTop = FirstRow(source);
  BYTE* destTop = FirstRow(dest);
  for (int k = 0; k < imgSize.cy; ++k) {
    BYTE* first = sourceTop + static_cast<std::ptrdiff_t>(2 * k) * source.lPitch;
    BYTE* second = first + source.lPitch;
    AverageRowPair(first, second, second, imgSize.cx, format);
    BYTE* out = destTop + static_cast<std::ptrdiff_t>(k + offset) * dest.lPitch + offset * bytes;
    std::memcpy(out, second, static_cast<std::size_t>(imgSize.cx) * bytes);
  }
  XCHECK_DD(doubleRender->Unlock( source.lpSurface ));
  XCHECK_DD(intermediate->Unlock( dest.lpSurface ));
  if (palette) ConvertRGB24ToPalette8(image2, intermediate, TRUE);

  improved = TRUE;
  if (CFrameWnd* frame = GetParentFrame()) frame->InvalidateRect(nullptr, TRUE);
  else InvalidateRect(nullptr, TRUE);
}
