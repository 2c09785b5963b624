// The Focus page of the Edit Camera sheet: the depth of field of the camera window. The f-stop
// (0 is "Perfect Clarity": no blur), the focus distance, auto focus on the selection with its
// automatic f-stop or depth cue, and the perspective flag it shares with the Lens page.
#pragma once

#include "dialogs/CameraControlsPage.h"

class PropertySheetEditCamera;

constexpr UINT kEditCameraFocusTemplate = 10253;

class PageEditCameraFocus : public CameraControlsPage {
 public:
  explicit PageEditCameraFocus(PropertySheetEditCamera* sheet);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void EnableRules() override;
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnFstopChanged();
  void OnAutoFstop();
  void OnDepthCue();
  void OnPerspective();

  CSliderCtrl m_slider;
  double m_fstop;  // 0.0: "Perfect Clarity"
  BOOL m_autoFocus;
  BOOL m_autoFstop;
  double m_focus;  // metres
  BOOL m_depthCue;
  BYTE m_sensitivity;
  BOOL m_perspective;
  PropertySheetEditCamera* sheet;
  int m_lastPos = 0;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  DECLARE_MESSAGE_MAP()

 private:
  FocusControls Focus() {
    return {*this, m_slider, m_fstop, m_lastPos, m_perspective, m_autoFocus, m_autoFstop, m_depthCue, m_focus,
            m_sensitivity};
  }
};
