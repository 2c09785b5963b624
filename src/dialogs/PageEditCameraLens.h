// The Lens page of the Edit Camera sheet: the focal length in millimetres and whether the camera
// shows perspective. The Focus page edits the same perspective flag; the two keep it equal.
#pragma once

#include "dialogs/CameraControlsPage.h"

class PropertySheetEditCamera;

constexpr UINT kEditCameraLensTemplate = 10252;

class PageEditCameraLens : public CameraControlsPage {
 public:
  explicit PageEditCameraLens(PropertySheetEditCamera* sheet);

  BOOL OnInitDialog() override;
  void OnOK() override;
  void EnableRules() override;
  void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  void OnFocalChanged();
  void OnPerspective();

  CSliderCtrl m_slider;
  double m_focal;  // millimetres
  BOOL m_perspective;
  PropertySheetEditCamera* sheet;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  DECLARE_MESSAGE_MAP()

 private:
  LensControls Lens() { return {*this, m_slider, m_focal}; }
};
