#include "dialogs/PageNewSceneCameraPrefs.h"

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "platform/framework/ControlNotifications.h"

BEGIN_MESSAGE_MAP(PageNewSceneCameraPrefs, CameraControlsPage)
  ON_WM_HSCROLL()
  ON_EN_CHANGE(32832, OnFstopChanged)
  ON_EN_CHANGE(32829, OnFocalChanged)
  ON_BN_CLICKED(32835, OnAutoFstop)
  ON_BN_CLICKED(32836, OnDepthCue)
  ON_BN_CLICKED(32834, EnableRules)
  ON_BN_CLICKED(32830, EnableRules)
END_MESSAGE_MAP()

PageNewSceneCameraPrefs::PageNewSceneCameraPrefs() : CameraControlsPage(kNewSceneCameraPrefsTemplate) {
  double focal = 0.0;
  XGetPrefInRange(XPref::FOCAL, &focal, "m_focal_edit > 0.0");
  // The store keeps single precision: millimetres rounded to it show as typed (50, not 50.0000007).
  m_focal_edit = static_cast<float>(focal * 1000.0);
  m_perspective = !XGetPrefBool(XPref::ORTHOGRAPHIC);
  Color background;
  background.SetCOLORREF(XGetPrefColor(XPref::BACKGROUND_COLOR));
  m_colorButton.SetColor(background);
  m_autoFocus = XGetPrefBool(XPref::AUTO_FOCUS_SELECTED);
  m_autoFstop = XGetPrefBool(XPref::AUTO_APERTURE);
  m_depthCue = XGetPrefBool(XPref::LINEAR_MODEL);
  XGetPref(XPref::LINEAR_MODEL_SENSITIVITY, &m_sensitivity);
  XGetPrefInRange(XPref::FOCUS, &m_focus, "m_focus > 0.0");
  XGetPrefInRange(XPref::FSTOP, &m_fstop_edit, "m_fstop_edit >= 0.0");
}

void PageNewSceneCameraPrefs::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, 32828, m_focalSlider);
  DDX_Control(dx, 32827, m_colorButton);
  DDX_Control(dx, 32831, m_fstopSlider);
  Focus().ExchangeFstop(dx);
  Lens().ExchangeFocal(dx);
  Focus().ExchangeDistance(dx, 0, 255);
  DDX_Check(dx, 32830, m_perspective);
}

BOOL PageNewSceneCameraPrefs::OnInitDialog() {
  CameraControlsPage::OnInitDialog();
  Lens().InitSlider();
  Focus().InitSlider();
  UpdateDataGuarded(FALSE);
  EnableRules();
  return TRUE;
}

void PageNewSceneCameraPrefs::OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
  CWnd* sender = reinterpret_cast<CWnd*>(bar);
  if (sender == &m_fstopSlider && !Focus().SliderMoved()) return;
  if (sender == &m_focalSlider && !Lens().SliderMoved()) return;
  CameraControlsPage::OnHScroll(code, pos, bar);
}

void PageNewSceneCameraPrefs::OnFstopChanged() { Focus().Edited(); }

void PageNewSceneCameraPrefs::OnFocalChanged() { Lens().Edited(); }

void PageNewSceneCameraPrefs::OnAutoFstop() { Focus().ExclusiveClicked(m_depthCue); }

void PageNewSceneCameraPrefs::OnDepthCue() { Focus().ExclusiveClicked(m_autoFstop); }

void PageNewSceneCameraPrefs::EnableRules() {
  UpdateDataGuarded(TRUE);
  LensControls::Enable(*this, m_perspective);
  GetDlgItem(1132)->EnableWindow(m_perspective);
  Focus().Enable();
}

void PageNewSceneCameraPrefs::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  CameraControlsPage::OnOK();
  m_focal_edit /= 1000.0;
  XWritePref(XPref::FOCAL.section, XPref::FOCAL.key, &m_focal_edit);
  XWritePrefBool(XPref::ORTHOGRAPHIC.section, XPref::ORTHOGRAPHIC.key, !m_perspective);
  XWritePrefColor(XPref::BACKGROUND_COLOR.section, XPref::BACKGROUND_COLOR.key, m_colorButton.m_color.GetCOLORREF());
  XWritePrefBool(XPref::AUTO_FOCUS_SELECTED.section, XPref::AUTO_FOCUS_SELECTED.key, m_autoFocus);
  XWritePrefBool(XPref::AUTO_APERTURE.section, XPref::AUTO_APERTURE.key, m_autoFstop);
  XWritePrefBool(XPref::LINEAR_MODEL.section, XPref::LINEAR_MODEL.key, m_depthCue);
  XWritePref(XPref::LINEAR_MODEL_SENSITIVITY.section, XPref::LINEAR_MODEL_SENSITIVITY.key, &m_sensitivity);
  XWritePref(XPref::FOCUS.section, XPref::FOCUS.key, &m_focus);
  XWritePref(XPref::FSTOP.section, XPref::FSTOP.key, &m_fstop_edit);
  InitGlobals();
}
