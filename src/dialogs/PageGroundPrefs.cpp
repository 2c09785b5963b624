#include "dialogs/PageGroundPrefs.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "dialogs/DialogServices.h"
#include "dialogs/PrefColor.h"

namespace {

constexpr UINT kMostGridLines = 50;

}  // namespace

PageGroundPrefs::PageGroundPrefs() : XPropertyPage(kGroundPrefsTemplate) {
  m_transparent = XGetPrefBool(XPref::GROUND_TRANSPARENT);
  m_ground_color.SetColor(XGetPrefColorOpaque(XPref::GROUND_COLOR));
  m_track_scene_dimensions = Globals::GetGroundTrackSceneExtents();
}

BOOL PageGroundPrefs::OnInitDialog() {
  XPropertyPage::OnInitDialog();
  // More lines than the slider reaches are only shown at its end; the key is not repaired.
  UINT count = 0;
  XGetPref(XPref::GROUND_NUM_GRID_LINES, &count);
  m_grid_lines.SetRange(0, static_cast<int>(kMostGridLines), FALSE);
  m_grid_lines.SetPos(static_cast<int>(std::min(count, kMostGridLines)));
  return TRUE;
}

void PageGroundPrefs::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, 32822, m_grid_lines);
  DDX_Control(dx, 32823, m_ground_color);
  DDX_Check(dx, 32825, m_track_scene_dimensions);
  DDX_Check(dx, 32824, m_transparent);
}

void PageGroundPrefs::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  XPropertyPage::OnOK();
  const UINT count = static_cast<UINT>(m_grid_lines.GetPos());
  XWritePref(XPref::GROUND_NUM_GRID_LINES.section, XPref::GROUND_NUM_GRID_LINES.key, &count);
  XWritePrefBool(XPref::GROUND_TRANSPARENT.section, XPref::GROUND_TRANSPARENT.key, m_transparent);
  XWritePrefColor(XPref::GROUND_COLOR.section, XPref::GROUND_COLOR.key, m_ground_color.m_color.GetCOLORREF());
  // The ground is rebuilt before the track setting changes; that one takes effect through the
  // global from here on.
  if (DialogServices* services = GetDialogServices()) services->LoadGroundPrefs();
  XWritePrefBool(XPref::GROUND_TRACK_SCENE_EXTENTS.section, XPref::GROUND_TRACK_SCENE_EXTENTS.key,
                 m_track_scene_dimensions);
  InitGlobals();
}
