#include "dialogs/PageGeneralPrefs.h"

#include "core/Globals.h"
#include "core/PreferenceKeys.h"
#include "dialogs/DialogServices.h"

namespace {

constexpr UINT kMostRecent = 16;

}  // namespace

PageGeneralPrefs::PageGeneralPrefs() : XPropertyPage(kGeneralPrefsTemplate) {
  XGetPrefInRange(XPref::NUM_MRU, &m_recent, "m_recent <= 16");
  m_dither_always = XGetPrefBool(XPref::DITHER_ALWAYS);
}

void PageGeneralPrefs::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, 32798, m_recent);
  DDV_MinMaxUInt(dx, m_recent, 0, kMostRecent);
  DDX_Check(dx, 32865, m_dither_always);
}

void PageGeneralPrefs::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  XPropertyPage::OnOK();
  XWritePref(XPref::NUM_MRU.section, XPref::NUM_MRU.key, &m_recent);
  if (DialogServices* services = GetDialogServices()) services->ReloadRecentFileList(m_recent);
  XWritePrefBool(XPref::DITHER_ALWAYS.section, XPref::DITHER_ALWAYS.key, m_dither_always);
  InitGlobals();
}
