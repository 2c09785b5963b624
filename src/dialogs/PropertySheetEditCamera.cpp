#include "dialogs/PropertySheetEditCamera.h"

#include <numbers>

#include "core/FatalReport.h"
#include "core/XMessageBox.h"
#include "document/XDocument.h"
#include "platform/framework/View.h"
#include "platform/framework/WaitCursor.h"

namespace {

constexpr int kEditCameraKind = 9;
constexpr UINT IDS_FIT_BEFORE_ORTHOGRAPHIC = 40227;
constexpr int kGeneralCamera = 0;

// The orientation of a fixed-direction window: Front, Back, Top, Bottom, Left, Right.
Transform FixedDirection(int type) {
  constexpr double pi = std::numbers::pi;
  switch (type) {
    case 1: return Transform();
    case 2: return Transform(pi, Vector(0, 1, 0));
    case 3: return Transform(pi / 2, Vector(1, 0, 0));
    case 4: return Transform(-pi / 2, Vector(1, 0, 0));
    case 5: return Transform(pi / 2, Vector(0, 1, 0));
    case 6: return Transform(-pi / 2, Vector(0, 1, 0));
    default: XASSERT_TEXT(false, "camera->type == X3DView::General", ""); return Transform();
  }
}

template <class Page>
void SharePerspective(Page& page, BOOL perspective) {
  const bool shown = page.GetSafeHwnd() != nullptr;
  if (shown) page.UpdateDataGuarded(TRUE);
  page.m_perspective = perspective;
  if (!shown) return;
  page.UpdateDataGuarded(FALSE);
  page.EnableRules();
}

}  // namespace

PropertySheetEditCamera::PropertySheetEditCamera(CameraView* cameraView, UINT startPage)
    : XPropertySheet(kEditCameraCaption, nullptr, startPage), camera(cameraView) {
  m_psh.dwFlags |= PSH_NOAPPLYNOW;
  general = std::make_unique<PageEditCameraGeneral>(this);
  lens = std::make_unique<PageEditCameraLens>(this);
  focus = std::make_unique<PageEditCameraFocus>(this);
  newScene = std::make_unique<PageNewSceneCameraPrefs>();
  AddPage(general.get());
  AddPage(lens.get());
  AddPage(focus.get());
  AddPage(newScene.get());
}

void PropertySheetEditCamera::ShareFocusPerspective(BOOL perspective) { SharePerspective(*focus, perspective); }

void PropertySheetEditCamera::ShareLensPerspective(BOOL perspective) { SharePerspective(*lens, perspective); }

int PropertySheetEditCamera::DoModal() {
  const int result = XPropertySheet::DoModal();
  if (result != IDOK) return result;
  const CWaitCursor wait;
  CView* view = dynamic_cast<CView*>(camera);
  auto* doc = view ? dynamic_cast<XDocument*>(view->GetDocument()) : nullptr;
  XASSERT_TEXT(doc, "ISKINDOF( CScrollView::GetDocument(), XDocument )", "");
  CameraFields& fields = camera->GetCameraFields();
  // Taken before anything changes: an untouched Lens page still holds exactly this.
  const double shownFocal = fields.focal * 1000.0;
  bool recorded = false;
  const auto record = [&] {
    if (!recorded) doc->RecordUndo(kEditCameraKind, view, 0);
    recorded = true;
  };

  if (general->m_initialized) {
    Color background;
    background.SetCOLORREF(fields.background);
    if (general->m_colorButton.m_color != background) {
      record();
      fields.background = general->m_colorButton.m_color.GetCOLORREF();
    }
    const int type = general->m_chosenType < 0 ? fields.windowKind : general->m_chosenType;
    if (type != fields.windowKind) {
      record();
      fields.windowKind = type;
      if (type != kGeneralCamera) fields.transform = FixedDirection(type);
      doc->SetTitle(doc->GetTitle());
      if (type != kGeneralCamera) camera->ShowEntireScene(doc->GetSceneBox());
    }
    if (fields.backgroundImagePath != general->m_path) {
      record();
      fields.backgroundImagePath = general->m_path;
    }
    if (fields.backgroundImage != general->m_useImage) {
      record();
      fields.backgroundImage = general->m_useImage;
    }
  }

  // A perspective change reaches the Lens page's flag from either page, so either page shown
  // is enough to apply it.
  if (lens->m_initialized || focus->m_initialized) {
    XASSERT(lens->m_perspective == focus->m_perspective, "lens->m_perspective == focus->m_perspective");
    const BOOL orthographic = lens->m_perspective ? FALSE : TRUE;
    if (fields.orthographic != orthographic) {
      record();
      if (fields.windowKind == kGeneralCamera && orthographic &&
          XInfoBox(IDS_FIT_BEFORE_ORTHOGRAPHIC, CMMButtons::YESNO, CMMDefault::BUTTON1) == CMMReturn::YES)
        camera->ShowEntireScene(doc->GetSceneBox());
      fields.orthographic = orthographic;
    }
    if (lens->m_focal != shownFocal) {
      record();
      fields.focal = lens->m_focal / 1000.0;
    }
  }

  if (focus->m_initialized) {
    const auto apply = [&](auto& field, const auto& value) {
      if (field == value) return;
      record();
      field = value;
    };
    apply(fields.fstop, focus->m_fstop);
    apply(fields.autoFocusSelected, focus->m_autoFocus);
    apply(fields.autoAperture, focus->m_autoFstop);
    apply(fields.focus, focus->m_focus);
    apply(fields.linearModel, focus->m_depthCue);
    apply(fields.linearSensitivity, focus->m_sensitivity);
  }

  if (recorded) view->OnUpdate(nullptr, 0, nullptr);
  return IDOK;
}
