// The Front, Top, Left page of the Preferences sheet: whether the fixed-direction camera windows
// keep the whole scene in view, full and centred, while the scene is edited.
#pragma once

#include "dialogs/XPropertyPage.h"

constexpr UINT kFrontTopLeftPrefsTemplate = 10204;

class PageFrontTopLeftPrefs : public XPropertyPage {
 public:
  PageFrontTopLeftPrefs();

  void OnOK() override;

  int m_track_scene_extents = FALSE;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
};
