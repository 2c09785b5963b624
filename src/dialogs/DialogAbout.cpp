#include "dialogs/DialogAbout.h"

#include "core/XString.h"
#include "platform/framework/MessageMap.h"

namespace {

constexpr UINT kVersionString = 22;
constexpr int kVersionLine = 1219;
constexpr UINT_PTR kSplashTimer = 1;
// A splash the user leaves alone closes itself after this long (later when the program is busy).
constexpr UINT kSplashMilliseconds = 2000;

}  // namespace

BEGIN_MESSAGE_MAP(DialogAbout, XDialog)
  ON_COMMAND(IDOK, OnOK)
  ON_WM_KEYDOWN()
  ON_WM_LBUTTONDOWN()
  ON_WM_TIMER()
END_MESSAGE_MAP()

DialogAbout::DialogAbout(XMethod closeMethod) : XDialog(kAboutTemplate, nullptr), m_closeMethod(closeMethod) {
  // The version, then the day this program was built.
  m_versionText = (XString(kVersionString).str() + ", " + __DATE__).c_str();
  if (!(m_closeMethod == 0)) {
    m_modal = FALSE;
    m_promptId = kAboutTemplate;
    Create(kAboutTemplate, nullptr);
    SetTimer(kSplashTimer, kSplashMilliseconds);
  }
}

void DialogAbout::DoDataExchange(CDataExchange* dx) {
  XDialog::DoDataExchange(dx);
  DDX_Text(dx, kVersionLine, m_versionText);
}

// The owner's close method destroys this box: nothing of it is touched after the call.
void DialogAbout::OnOK() {
  if (m_closeMethod == 0)
    XDialog::OnOK();
  else
    m_closeMethod.Perform(0);
}

void DialogAbout::OnCancel() {
  if (m_closeMethod == 0)
    XDialog::OnCancel();
  else
    m_closeMethod.Perform(0);
}

void DialogAbout::OnKeyDown(UINT, UINT, UINT) { OnOK(); }
void DialogAbout::OnLButtonDown(UINT, CPoint) { OnOK(); }

void DialogAbout::OnTimer(UINT_PTR) {
  KillTimer(kSplashTimer);
  OnOK();
}
