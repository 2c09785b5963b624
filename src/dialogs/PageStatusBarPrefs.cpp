#include "dialogs/PageStatusBarPrefs.h"

#include <algorithm>

#include "dialogs/DialogServices.h"

namespace {

constexpr int kBlinkRate = 32814;
constexpr DWORD kFastest = 500;  // ms
constexpr DWORD kSlowest = 3000;

}  // namespace

PageStatusBarPrefs::PageStatusBarPrefs() : XPropertyPage(kStatusBarPrefsTemplate) {
  DWORD duration = 0;
  if (DialogServices* services = GetDialogServices()) services->GetStatusBarPrefs(&duration, &m_blink, &m_expand);
}

BOOL PageStatusBarPrefs::OnInitDialog() {
  XPropertyPage::OnInitDialog();
  DWORD duration = kFastest;
  BOOL blink = FALSE, expand = FALSE;
  if (DialogServices* services = GetDialogServices()) services->GetStatusBarPrefs(&duration, &blink, &expand);
  m_blink_rate.SetRange(static_cast<int>(kFastest), static_cast<int>(kSlowest), FALSE);
  m_blink_rate.SetPos(static_cast<int>(std::clamp(duration, kFastest, kSlowest)));
  return TRUE;
}

void PageStatusBarPrefs::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, kBlinkRate, m_blink_rate);
  DDX_Check(dx, 32815, m_blink);
  DDX_Check(dx, 32816, m_expand);
}

void PageStatusBarPrefs::OnOK() {
  if (!UpdateDataGuarded(TRUE)) return;
  XPropertyPage::OnOK();
  if (DialogServices* services = GetDialogServices())
    services->SetStatusBarPrefs(static_cast<DWORD>(m_blink_rate.GetPos()), m_blink, m_expand);
}
