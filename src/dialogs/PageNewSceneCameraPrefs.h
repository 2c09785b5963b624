// The New Scene Camera page: the preferences from which every new camera window takes its
// camera (lens, background colour, focus). Not windows cloned with Window/New, nor those read
// from a scene file. It reads the preferences when built and writes them on OK; it never changes
// an open window. It sits in the Preferences sheet and in the Edit Camera sheet.
#pragma once

#include "dialogs/CameraControlsPage.h"
#include "dialogs/ColorButton.h"

constexpr UINT kNewSceneCameraPrefsTemplate = 10208;

class PageNewSceneCameraPrefs : public CameraControlsPage {
 public:
  PageNewSceneCameraPrefs();

  BOOL OnInitDialog() override;
  void OnOK() override;
  void EnableRules() override;
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnFstopChanged();
  void OnFocalChanged();
  void OnAutoFstop();
  void OnDepthCue();

  CSliderCtrl m_focalSlider;
  ColorChooserButton m_colorButton;
  CSliderCtrl m_fstopSlider;
  double m_fstop_edit = 0.0;  // 0.0: "Perfect Clarity"
  BOOL m_autoFocus = FALSE;
  BOOL m_autoFstop = FALSE;
  double m_focal_edit = 0.0;  // millimetres while shown
  double m_focus = 0.0;       // metres
  BOOL m_depthCue = FALSE;
  BYTE m_sensitivity = 0;
  BOOL m_perspective = FALSE;
  int m_lastPos = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  DECLARE_MESSAGE_MAP()

 private:
  LensControls Lens() { return {*this, m_focalSlider, m_focal_edit}; }
  FocusControls Focus() {
    return {*this, m_fstopSlider, m_fstop_edit, m_lastPos, m_perspective, m_autoFocus, m_autoFstop, m_depthCue, m_focus,
            m_sensitivity};
  }
};
