// The About box: shown modeless as the start-up splash, and modal from Help/About.
#include "dialogs/DialogAbout.h"
#include "shell/XApp.h"

void XApp::OnShowSplash() {
  XASSERT_TEXT(!m_dialogAbout, "!m_dialogAbout", "Already exists");
  m_dialogAbout = new DialogAbout(XMethod(this, &XApp::OnSplashClosed));
}

BOOL XApp::OnSplashClosed(int) {
  XASSERT_TEXT(m_dialogAbout, "m_dialogAbout", "");
  m_dialogAbout->DestroyWindow();
  delete m_dialogAbout;
  m_dialogAbout = nullptr;
  return TRUE;
}

void XApp::OnHelpAbout() {
  DialogAbout about(0);
  about.DoModal();
}
