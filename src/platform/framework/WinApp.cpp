#include "platform/framework/WinApp.h"

#include "platform/win/FileProfileStore.h"

IMPLEMENT_DYNAMIC(CWinThread, CObject)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

constexpr UINT kAppTitle = 57344;

CWinApp* currentApp = nullptr;

}  // namespace

CWinApp::CWinApp(const char* appName) {
  if (appName)
    m_pszAppName = appName;
  else
    m_pszAppName.LoadString(kAppTitle);
  m_pszProfileName = m_pszAppName;
  currentApp = this;
}

CWinApp::~CWinApp() {
  if (currentApp == this) currentApp = nullptr;
}

void CWinApp::SetRegistryKey(UINT companyId) {
  m_pszRegistryKey.LoadString(companyId);
  OpenUserProfile(m_pszRegistryKey, m_pszProfileName);
}

CWinApp* AfxGetApp() { return currentApp; }

CWinThread* AfxGetThread() { return currentApp; }
