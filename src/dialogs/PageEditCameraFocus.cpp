#include "dialogs/PageEditCameraFocus.h"

#include "dialogs/PropertySheetEditCamera.h"
#include "platform/framework/ControlNotifications.h"

BEGIN_MESSAGE_MAP(PageEditCameraFocus, CameraControlsPage)
  ON_WM_HSCROLL()
  ON_EN_CHANGE(32832, OnFstopChanged)
  ON_BN_CLICKED(32835, OnAutoFstop)
  ON_BN_CLICKED(32836, OnDepthCue)
  ON_BN_CLICKED(32834, EnableRules)
  ON_BN_CLICKED(32830, OnPerspective)
END_MESSAGE_MAP()

PageEditCameraFocus::PageEditCameraFocus(PropertySheetEditCamera* owner)
    : CameraControlsPage(kEditCameraFocusTemplate), sheet(owner) {
  const CameraFields& camera = owner->camera->GetCameraFields();
  m_fstop = camera.fstop;
  m_autoFocus = camera.autoFocusSelected;
  m_autoFstop = camera.autoAperture;
  m_focus = camera.focus;
  m_depthCue = camera.linearModel;
  m_sensitivity = camera.linearSensitivity;
  m_perspective = !camera.orthographic;
}

void PageEditCameraFocus::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, 32831, m_slider);
  Focus().ExchangeFstop(dx);
  // The depth cue divides the selection by the sensitivity: a window takes no 0.
  Focus().ExchangeDistance(dx, 1, 8);
  DDX_Check(dx, 32830, m_perspective);
}

BOOL PageEditCameraFocus::OnInitDialog() {
  CameraControlsPage::OnInitDialog();
  Focus().InitSlider();
  UpdateDataGuarded(FALSE);
  EnableRules();
  return TRUE;
}

void PageEditCameraFocus::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  if (reinterpret_cast<CWnd*>(bar) == &m_slider && !Focus().SliderMoved()) return;
  CameraControlsPage::OnHScroll(code, pos, bar);
}

void PageEditCameraFocus::OnFstopChanged() { Focus().Edited(); }

void PageEditCameraFocus::OnAutoFstop() { Focus().ExclusiveClicked(m_depthCue); }

void PageEditCameraFocus::OnDepthCue() { Focus().ExclusiveClicked(m_autoFstop); }

void PageEditCameraFocus::OnPerspective() {
  EnableRules();
  sheet->ShareLensPerspective(m_perspective);
}

void PageEditCameraFocus::EnableRules() {
  UpdateDataGuarded(TRUE);
  Focus().Enable();
}

void PageEditCameraFocus::OnOK() {
  if (UpdateDataGuarded(TRUE)) CameraControlsPage::OnOK();
}
