#include "dialogs/PageFrontTopLeftPrefs.h"

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "dialogs/DialogServices.h"

PageFrontTopLeftPrefs::PageFrontTopLeftPrefs() : XPropertyPage(kFrontTopLeftPrefsTemplate) {
  m_track_scene_extents = Globals::GetTrackSceneExtents();
}

void PageFrontTopLeftPrefs::DoDataExchange(CDataExchange* dx) { DDX_Check(dx, 32813, m_track_scene_extents); }

void PageFrontTopLeftPrefs::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  XPropertyPage::OnOK();
  XWritePrefBool(XPref::TRACK_SCENE_EXTENTS.section, XPref::TRACK_SCENE_EXTENTS.key, m_track_scene_extents);
  InitGlobals();
  // Every open scene re-fits, whether or not the setting changed.
  if (DialogServices* services = GetDialogServices()) services->UpdateAllSceneExtents();
}
