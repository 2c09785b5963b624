// The Ground page of the Preferences sheet: how many grid lines the ground under the scene has,
// its colour, whether it is drawn half transparent, and whether it follows the scene's position
// and size.
#pragma once

#include "dialogs/ColorButton.h"
#include "dialogs/XPropertyPage.h"

constexpr UINT kGroundPrefsTemplate = 10207;

class PageGroundPrefs : public XPropertyPage {
 public:
  PageGroundPrefs();

  BOOL OnInitDialog() override;
  void OnOK() override;

  CSliderCtrl m_grid_lines;
  ColorChooserButton m_ground_color;
  int m_track_scene_dimensions = FALSE;
  int m_transparent = FALSE;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
