// The Interactive page of the Preferences sheet: the global object quality (a change may reload
// every object of every open scene), the update rates of the interactive modes, the rotate-about
// cylinder's look, rotation by tracking the dragged point, and push/pull parallel to the camera.
#pragma once

#include "dialogs/ColorButton.h"
#include "dialogs/XPropertyPage.h"

class DialogServices;

constexpr UINT kInteractivePrefsTemplate = 10203;

class PageInteractivePrefs : public XPropertyPage {
 public:
  PageInteractivePrefs();

  BOOL OnInitDialog() override;
  void OnOK() override;

  CSliderCtrl m_quality_bias;
  CSliderCtrl m_min_updates;
  CSliderCtrl m_max_updates;
  CSliderCtrl m_cylinder_radius;
  ColorChooserButton m_cylinder_color;
  int m_cylinder_transparent = FALSE;
  int m_push_pull_parallel = FALSE;
  int m_rotate_with_tracking = FALSE;
  int m_256_colors = FALSE;

 protected:
  void DoDataExchange(CDataExchange* dx) override;

 private:
  // Writes the two quality keys and reloads the open scenes' objects, after asking when scenes
  // are open.
  void ApplyQuality(DialogServices* services);

  int m_shown_quality_bias = 0;  // where the quality slider started
};
