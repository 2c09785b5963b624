#include "views/X3DView.h"

#include "core/PreferenceKeys.h"
#include "core/XString.h"
#include "document/XDocument.h"
#include "platform/framework/CmdUI.h"
#include "platform/framework/DC.h"
#include "platform/framework/FrameWnd.h"
#include "views/CameraLengths.h"

// The window is made as a view: its CObject is the scroll view's.
CObject* X3DView::CreateObject() { return static_cast<CScrollView*>(new X3DView); }
IMPLEMENT_RUNTIMECLASS(X3DView, XScrollView, VERSIONABLE_SCHEMA | 1, &X3DView::CreateObject)

BEGIN_MESSAGE_MAP(X3DView, XScrollView)
  // Mouse, keys, prompts, import and the window's commands.
  ON_WM_DESTROY()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_CAPTURECHANGED()
  ON_WM_KILLFOCUS()
  ON_WM_TIMER()
  ON_WM_KEYDOWN()
  ON_WM_KEYUP()
  ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
  ON_MESSAGE(kBackgroundAfterPaintMessage, OnBackgroundAfterPaint)
  ON_COMMAND(33012, OnFileImport)
  ON_COMMAND(33126, OnViewGround)
  ON_UPDATE_COMMAND_UI(33126, OnUpdateViewGround)
  ON_COMMAND(33131, OnPointSunLight)
  ON_COMMAND(33136, OnHelpPrinting)
  ON_COMMAND(33086, OnAutoFocusObject)
  ON_UPDATE_COMMAND_UI(33086, OnUpdateAutoFocusObject)
  ON_COMMAND(33028, OnWindowFrontTopLeft)
  ON_UPDATE_COMMAND_UI(33028, OnUpdateWindowFrontTopLeft)
  ON_UPDATE_COMMAND_UI_RANGE(57607, 57609, OnUpdatePrint)
  // Improve, Copy Image and Export Image.
  ON_COMMAND(kCopyImageCommand, OnEditCopyImage)
  ON_COMMAND(kImproveCommand, OnImproveCameraImage)
  ON_UPDATE_COMMAND_UI(kImproveCommand, OnUpdateImproveCameraImage)
  ON_COMMAND(kExportImageCommand, OnFileExportImage)
  // The Edit Camera sheet.
  ON_COMMAND(33120, OnEditCamera)
  ON_COMMAND(2103, OnEditCameraFocus)
  ON_COMMAND(2104, OnEditCameraLens)
  ON_COMMAND(10001, OnEditLights)
  // The Edit Object sheet.
  ON_COMMAND(33137, OnEditObject)
  ON_COMMAND(10302, OnEditObjectArtistic)
  ON_UPDATE_COMMAND_UI(33137, OnUpdateEditObject)
  ON_UPDATE_COMMAND_UI(10302, OnUpdateEditObject)
END_MESSAGE_MAP()

namespace {

constexpr UINT kNewWindowSection = 900;

}  // namespace

X3DView::X3DView() : XScrollView(TRUE), settings(NewWindowSettings()) {}

CameraFields X3DView::NewWindowSettings() {
  CameraFields s;
  // The default camera stands 0.5 m back and 0.25 m up, looking 30 degrees down.
  s.transform = Transform(0.5235987755982988, Vector(1, 0, 0));
  s.transform.t[0] = 0.0;
  s.transform.t[1] = 0.25;
  s.transform.t[2] = -0.5;
  // A new window's lengths are ones its scene file keeps.
  static_assert(kCameraLength.low == kShortestCameraLength && kCameraLength.high == kLargestCameraLength);
  XGetPrefInRange(XPref::FOCAL, &s.focal, "focal > 0.0");
  XGetPrefInRange(XPref::HEIGHT, &s.height, "height > 0.0");
  s.orthographic = XGetPrefBool(kNewWindowSection, 907, 908);
  XGetPrefInRange(XPref::FRONT, &s.front, "front > 0.0");
  s.background = XGetPrefColor(kNewWindowSection, 903, 904);
  s.autoFocusSelected = XGetPrefBool(kNewWindowSection, 911, 912);
  s.autoAperture = XGetPrefBool(kNewWindowSection, 915, 916);
  s.linearModel = XGetPrefBool(kNewWindowSection, 919, 920);
  if (s.autoAperture && s.linearModel) s.autoAperture = FALSE;
  XGetPref(kNewWindowSection, 921, 922, &s.linearSensitivity);
  // A sensitivity of 0 would divide the linear model's band by zero.
  if (s.linearSensitivity == 0) {
    XWritePrefStringRes(kNewWindowSection, 921, 922);
    XGetPref(kNewWindowSection, 921, 922, &s.linearSensitivity);
  }
  static_assert(kCameraFocus.high == kLargestFocusDistance && kCameraFStop.high == kLargestCameraLength);
  XGetPrefInRange(XPref::FOCUS, &s.focus, "focus > 0.0");
  XGetPrefInRange(XPref::FSTOP, &s.fstop, "fstop >= 0.0");
  return s;
}

X3DView::~X3DView() { ReleaseRenderObjects(); }

void X3DView::ReleaseRenderObjects() {
  clipper = nullptr;
  viewport = nullptr;
  camera = nullptr;
  device = nullptr;
  image = nullptr;
  image2 = nullptr;
  blurImage = nullptr;
  bkImage = nullptr;
}

void X3DView::OnPrepareDC(CDC* dc, CPrintInfo* info) {
  XScrollView::OnPrepareDC(dc, info);
  if (!info && !settings.orthographic) dc->OffsetWindowOrg(kBand, kBand);
}

void X3DView::OnDraw(CDC* dc) {
  struct PaintingFlag {
    BOOL& flag;
    ~PaintingFlag() { flag = FALSE; }
  } paint{painting};
  painting = TRUE;
  RenderImage(dc, TRUE, nullptr, nullptr);
}

void X3DView::OnUpdate(CView* sender, LPARAM, CObject* hintObject) {
  if (sender == this) return;
  if (CFrameWnd* frame = GetParentFrame()) frame->InvalidateRect(nullptr, TRUE);
  needsRender = TRUE;
  if (!settings.backgroundImage && bkImage) DropBackgroundImage();
  if (dynamic_cast<RegenerateHint*>(hintObject) || IsOutOfSight()) ReleaseRenderObjects();
}

bool X3DView::IsInSight() {
  if (!GetSafeHwnd()) return false;
  const CFrameWnd* frame = GetParentFrame();
  if (!IsWindowVisible() || IsIconic() || (frame && frame->IsIconic())) return false;
  CClientDC dc(this);
  RECT box;
  return dc.GetClipBox(&box) != NULLREGION;
}

// An off-screen renderer has no window and keeps what it made.
bool X3DView::IsOutOfSight() { return GetSafeHwnd() && !IsInSight(); }

void X3DView::OnUpdateZoomOut(CCmdUI* cmdUI) {
  cmdUI->Enable(static_cast<double>(_numerator.cx) / _denominator.cx > 1.0 &&
                static_cast<double>(_numerator.cy) / _denominator.cy > 1.0);
}

void X3DView::OnUpdateZoomPreset(CCmdUI* cmdUI) {
  if (cmdUI->m_nID < kNormalZoomPreset)
    cmdUI->Enable(FALSE);
  else
    XScrollView::OnUpdateZoomPreset(cmdUI);
}

