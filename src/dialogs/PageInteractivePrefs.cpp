#include "dialogs/PageInteractivePrefs.h"

#include <algorithm>

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "core/XMessageBox.h"
#include "dialogs/DialogServices.h"
#include "dialogs/PrefColor.h"

namespace {

constexpr UINT IDS_CHANGE_QUALITY = 40217;
constexpr int kLeastBias = -3, kMostBias = 3;
constexpr int kLeastMinFps = 0, kMostMinFps = 24;
constexpr int kLeastMaxFps = 1, kMostMaxFps = 64;
constexpr int kThinnest = 1, kThickest = 100;  // tenths of a percent
// A radius stored as text is not exactly its tenths: 0.7 may read just below it. The nudge keeps
// such a value on its own position instead of the one below.
constexpr double kRadiusNudge = 1e-4;

int Clamped(long value, int low, int high) {
  return static_cast<int>(std::clamp(value, static_cast<long>(low), static_cast<long>(high)));
}

}  // namespace

PageInteractivePrefs::PageInteractivePrefs() : XPropertyPage(kInteractivePrefsTemplate) {
  m_256_colors = Globals::GetObjectQuality256Colors();
  m_push_pull_parallel = Globals::GetPushPullObjectParallel();
  m_rotate_with_tracking = Globals::GetRotateWithTracking();
  m_cylinder_transparent = XGetPrefBool(XPref::ABOUT_CYL_TRANSPARENT);
  m_cylinder_color.SetColor(XGetPrefColorOpaque(XPref::ABOUT_CYL_COLOR));
}

BOOL PageInteractivePrefs::OnInitDialog() {
  XPropertyPage::OnInitDialog();
  double radius = 0.0;
  XGetPrefInRange(XPref::ABOUT_CYL_RADIUS, &radius, "radius >= 0.1 && radius <= 10.0");
  m_cylinder_radius.SetRange(kThinnest, kThickest, FALSE);
  m_cylinder_radius.SetPos(static_cast<int>(radius * 10.0 + kRadiusNudge));
  m_max_updates.SetRange(kLeastMaxFps, kMostMaxFps, FALSE);
  m_max_updates.SetPos(Clamped(static_cast<long>(Globals::GetMaxFps()), kLeastMaxFps, kMostMaxFps));
  m_min_updates.SetRange(kLeastMinFps, kMostMinFps, FALSE);
  m_min_updates.SetPos(Clamped(static_cast<long>(Globals::GetMinFps()), kLeastMinFps, kMostMinFps));
  m_quality_bias.SetRange(kLeastBias, kMostBias, TRUE);
  m_shown_quality_bias = Clamped(Globals::GetObjectQualityBias(), kLeastBias, kMostBias);
  m_quality_bias.SetPos(m_shown_quality_bias);
  return TRUE;
}

void PageInteractivePrefs::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, 32817, m_quality_bias);
  DDX_Control(dx, 32804, m_min_updates);
  DDX_Control(dx, 32805, m_max_updates);
  DDX_Control(dx, 32795, m_cylinder_radius);
  DDX_Control(dx, 32797, m_cylinder_color);
  DDX_Check(dx, 32796, m_cylinder_transparent);
  DDX_Check(dx, 32793, m_push_pull_parallel);
  DDX_Check(dx, 32794, m_rotate_with_tracking);
  DDX_Check(dx, 32818, m_256_colors);
}

void PageInteractivePrefs::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  XPropertyPage::OnOK();
  DialogServices* services = GetDialogServices();
  XWritePrefBool(XPref::PUSH_PULL_OBJECT_PARALLEL.section, XPref::PUSH_PULL_OBJECT_PARALLEL.key,
                 m_push_pull_parallel);
  const double radius = m_cylinder_radius.GetPos() / 10.0;
  XWritePref(XPref::ABOUT_CYL_RADIUS.section, XPref::ABOUT_CYL_RADIUS.key, &radius);
  XWritePrefBool(XPref::ABOUT_CYL_TRANSPARENT.section, XPref::ABOUT_CYL_TRANSPARENT.key, m_cylinder_transparent);
  XWritePrefColor(XPref::ABOUT_CYL_COLOR.section, XPref::ABOUT_CYL_COLOR.key, m_cylinder_color.m_color.GetCOLORREF());
  if (services) services->LoadAboutCylinderPrefs();
  XWritePrefBool(XPref::ROTATE_WITH_TRACKING.section, XPref::ROTATE_WITH_TRACKING.key, m_rotate_with_tracking);
  const UINT maxFps = static_cast<UINT>(m_max_updates.GetPos());
  XWritePref(XPref::MAX_FPS.section, XPref::MAX_FPS.key, &maxFps);
  const UINT minFps = static_cast<UINT>(m_min_updates.GetPos());
  XWritePref(XPref::MIN_FPS.section, XPref::MIN_FPS.key, &minFps);
  // Only a setting the user changed counts: a stored bias beyond the slider's ends is shown at
  // the end and kept when the slider is not moved.
  if (m_quality_bias.GetPos() != m_shown_quality_bias || m_256_colors != Globals::GetObjectQuality256Colors())
    ApplyQuality(services);
  InitGlobals();
}

void PageInteractivePrefs::ApplyQuality(DialogServices* services) {
  if (services && services->CountOpenScenes() != 0 &&
      XInfoBox(IDS_CHANGE_QUALITY, CMMButtons::YESNO, CMMDefault::BUTTON2) != CMMReturn::YES)
    return;
  const long bias = m_quality_bias.GetPos();
  XWritePref(XPref::OBJECT_QUALITY_BIAS.section, XPref::OBJECT_QUALITY_BIAS.key, &bias);
  XWritePrefBool(XPref::OBJECT_QUALITY_256_COLORS.section, XPref::OBJECT_QUALITY_256_COLORS.key, m_256_colors);
  InitGlobals();
  if (services) services->ApplyObjectQualityAll();
}
