#include "dialogs/PageEditCameraLens.h"

#include "dialogs/PropertySheetEditCamera.h"
#include "platform/framework/ControlNotifications.h"

BEGIN_MESSAGE_MAP(PageEditCameraLens, CameraControlsPage)
  ON_WM_HSCROLL()
  ON_EN_CHANGE(32829, OnFocalChanged)
  ON_BN_CLICKED(32830, OnPerspective)
END_MESSAGE_MAP()

PageEditCameraLens::PageEditCameraLens(PropertySheetEditCamera* owner)
    : CameraControlsPage(kEditCameraLensTemplate),
      m_focal(owner->camera->GetCameraFields().focal * 1000.0),
      m_perspective(!owner->camera->GetCameraFields().orthographic),
      sheet(owner) {}

void PageEditCameraLens::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, 32828, m_slider);
  DDX_Check(dx, 32830, m_perspective);
  Lens().ExchangeFocal(dx);
}

BOOL PageEditCameraLens::OnInitDialog() {
  CameraControlsPage::OnInitDialog();
  Lens().InitSlider();
  UpdateDataGuarded(FALSE);
  EnableRules();
  return TRUE;
}

void PageEditCameraLens::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  if (reinterpret_cast<CWnd*>(bar) == &m_slider && !Lens().SliderMoved()) return;
  CameraControlsPage::OnHScroll(code, pos, bar);
}

void PageEditCameraLens::OnFocalChanged() { Lens().Edited(); }

void PageEditCameraLens::OnPerspective() {
  EnableRules();
  sheet->ShareFocusPerspective(m_perspective);
}

void PageEditCameraLens::EnableRules() {
  UpdateDataGuarded(TRUE);
  LensControls::Enable(*this, m_perspective);
}

void PageEditCameraLens::OnOK() {
  if (UpdateDataGuarded(TRUE)) CameraControlsPage::OnOK();
}
