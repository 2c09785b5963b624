// Copy Image: the window's view rendered anew in 24-bit RGB, at the window's size or at the size
// it has on the screen at a chosen resolution, optionally supersampled, and put on the clipboard
// as a device-independent bitmap that records its resolution. The clipboard is opened only once
// the bitmap is complete, so a failure leaves its previous content in place.
#include <memory>

#include "core/FatalError.h"
#include "core/NoMemoryHandler.h"
#include "core/PreferenceKeys.h"
#include "core/XMessageBox.h"
#include "platform/framework/WaitCursor.h"
#include "platform/win/Clipboard.h"
#include "platform/win/SystemInfo.h"
#include "shell/XMainFrame.h"
#include "views/CopyImageSize.h"
#include "views/DibBytes.h"
#include "views/LockedRows.h"
#include "views/X3DView.h"

namespace {

constexpr UINT IDS_CLIPBOARD_BUSY = 40222;
constexpr UINT IDS_COPY_SHRUNK = 40236;
constexpr UINT IDS_WINDOW_TOO_LARGE = 40270;  // 40236 without the resolution setting to blame
constexpr UINT IDS_COPY_NOT_IMPROVED = 40245;
constexpr LONG kScreenWidthWithoutDisplay = 640;

struct GlobalBlockFree {
  void operator()(HGLOBAL block) const { GlobalFree(block); }
};

LONG ScreenWidth() {
  HDC ic = CreateIC("DISPLAY", nullptr, nullptr, nullptr);
  if (!ic) return kScreenWidthWithoutDisplay;
  const LONG width = GetDeviceCaps(ic, HORZRES);
  DeleteDC(ic);
  return width > 0 ? width : kScreenWidthWithoutDisplay;
}

CopyImageSettings ReadCopyImageSettings(bool improvedWindow) {
  CopyImageSettings s;
  s.useDpi = XGetPrefBool(XPref::USE_DPI);
  if (s.useDpi) {
    DWORD dpi = 0;
    XGetPrefInRange(XPref::COPY_IMAGE_DPI, &dpi, "dpi >= 1");
    s.dpi = static_cast<LONG>(dpi);
  }
  XGetPrefInRange(XPref::DISPLAY_WIDTH, &s.displayWidth, "display_width >= 1.0 && display_width <= 1200.0");
  s.screenWidth = ScreenWidth();
  s.supersample = XGetPrefBool(XPref::SOFTEN_JAGGED_EDGES) || improvedWindow;
  return s;
}

// Fills the bitmap at `block` from the window's final image, which is `plan.render` in size.
void PackImage(BYTE* block, IDirectDrawSurface* image2, const CopyImagePlan& plan) {
  WriteBitmapInfoHeader(block, plan.bitmap.cx, plan.bitmap.cy, plan.pelsPerMetre, plan.pelsPerMetre);
  DDSURFACEDESC lockDesc{};
  lockDesc.dwSize = sizeof lockDesc;
  XCHECK_DD_TEXT(image2->Lock(NULL, &lockDesc, DDLOCK_READONLY | DDLOCK_WAIT, NULL),
                 "image2->Lock( NULL, &lockDesc, DDLOCK_READONLY | DDLOCK_SURFACEMEMORYPTR | DDLOCK_WAIT, NULL )");
  XASSERT_TEXT(static_cast<int>(lockDesc.dwWidth) == plan.render.cx && static_cast<int>(lockDesc.dwHeight) == plan.render.cy,
               "(int)lockDesc.dwWidth == res.cx && (int)lockDesc.dwHeight == res.cy", "");
  PackDibRows(block + kBitmapInfoHeaderSize, FirstRow(lockDesc), lockDesc.lPitch, plan.bitmap.cx, plan.bitmap.cy,
              plan.supersampled);
  XCHECK_DD(image2->Unlock( lockDesc.lpSurface ));
}

}  // namespace

void X3DView::OnEditCopyImage() {
  // A render of this window waiting in a message box still uses its surfaces.
  if (rendering) return;
  CWaitCursor wait;
  CRect client;
  GetClientRect(&client);
  const CopyImageSettings settings = ReadCopyImageSettings(improved);
  const CopyImagePlan plan = PlanCopyImage(XSize(client.Width(), client.Height()), settings, kMaxRenderSize);
  // An empty window has no picture to copy.
  if (plan.bitmap.cx <= 0 || plan.bitmap.cy <= 0) return;
  if (plan.shrunk) XErrorBox(settings.useDpi ? IDS_COPY_SHRUNK : IDS_WINDOW_TOO_LARGE);
  if (plan.supersampleDropped) XErrorBox(IDS_COPY_NOT_IMPROVED);
  const DDPIXELFORMAT rgb24 = DDMakePixelFormat(DDFormat::RGB888);
  RenderImage(nullptr, FALSE, &plan.render, &rgb24);

  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, DibSize(plan.bitmap.cx, plan.bitmap.cy));
  // Until the clipboard takes the block, it is ours to free, however the copy ends.
  std::unique_ptr<HGLOBAL__, GlobalBlockFree> owned(block);
  auto* bytes = static_cast<BYTE*>(GlobalLock(block));
  if (!bytes) {
    owned.reset();
    NoMemoryHandler(1);
  } else {
    PackImage(bytes, image2, plan);
    GlobalUnlock(block);
    CWnd* owner = XGetMainFrame();
    if (!OpenClipboard(owner ? owner->GetSafeHwnd() : GetSafeHwnd())) {
      owned.reset();
      XErrorBox(IDS_CLIPBOARD_BUSY);
    } else {
      EmptyClipboard();
      if (SetClipboardData(CF_DIB, block)) owned.release();
      CloseClipboard();
    }
  }
  // The window's next paint renders it again at its own size.
  image2 = nullptr;
  image = nullptr;
}
