// The application object: one per program, the current application from its construction to its
// destruction, and the object of the program's one thread.
#pragma once

#include "platform/framework/String.h"
#include "platform/framework/Wnd.h"

class CWinThread : public CObject {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWnd* m_pMainWnd = nullptr;  // the main window, once it exists
};

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  // The application's name is its title, string 57344, unless given.
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Keeps the preferences in the user's profile of the company named by string `companyId`,
  // under the application's profile name.
  void SetRegistryKey(UINT companyId);

  CString m_pszAppName;
  CString m_pszProfileName;  // the application's name
  CString m_pszRegistryKey;  // the company's name, once set
};

// The current application and thread object; null when none exists.
CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
