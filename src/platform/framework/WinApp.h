// The application object: one per program, the current application from its construction to its
// destruction, and the object of the program's one thread. It runs the event loop with idle
// processing, keeps the document templates and the recent-file list, and ends with the commands
// at the end of the command route.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/framework/Position.h"
#include "platform/framework/String.h"
#include "platform/framework/Wnd.h"

class CCommandLineInfo;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class QApplication;

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWnd* m_pMainWnd = nullptr;  // the main window, once it exists

  virtual BOOL InitInstance() { return TRUE; }
  virtual int ExitInstance() { return 0; }
  // The event loop: dispatches events until the main window is destroyed (or QuitMessageLoop),
  // and calls OnIdle(0), OnIdle(1) ... while no event waits, until OnIdle answers FALSE; new input
  // starts the count again at 0. An idle loop sleeps until the next event. Returns ExitInstance.
  virtual int Run();
  // Idle work: count 0 runs the update handlers of the frames' bars. TRUE asks for more idle
  // time (the base asks once, for count 0).
  virtual BOOL OnIdle(LONG count);
  // Input before it is dispatched: offered to the windows from the target up; TRUE swallows it.
  virtual BOOL PreTranslateMessage(MSG* msg);
  // Ends Run after the event in hand.
  void QuitMessageLoop();

 private:
  bool quit_ = false;
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

  int ExitInstance() override;

  // Templates, in the order added; the application deletes them.
  void AddDocTemplate(CDocTemplate* docTemplate);
  POSITION GetFirstDocTemplatePosition() const;
  CDocTemplate* GetNextDocTemplate(POSITION& position) const;

  // Opens `pathName` with the template whose extension it has (else the first that has a file
  // type). A path already open activates that document's frame instead. Null on failure.
  virtual CDocument* OpenDocumentFile(const char* pathName);
  virtual void AddToRecentFileList(const char* pathName);
  // Reads the recent-file list (up to `maxMRU` entries) from the preference store.
  void LoadStdProfileSettings(UINT maxMRU = 4);
  void SaveStdProfileSettings();
  CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }

  // Reads the program's arguments into `info`, one ParseParam call each.
  void ParseCommandLine(CCommandLineInfo& info);
  // The arguments after the program's name, as ParseCommandLine hands them to `info`.
  static void ParseArguments(const std::vector<std::string>& arguments, CCommandLineInfo& info);
  // Carries out the command: a new document or the file opened. FALSE when that failed or the
  // command cannot be carried out here (printing, desktop requests).
  BOOL ProcessShellCommand(CCommandLineInfo& info);
  // Opening files from the desktop: the program is the handler of its document types.
  void EnableShellOpen() { m_bShellOpen = TRUE; }
  BOOL m_bShellOpen = FALSE;

  // The save prompt for every modified document; FALSE as soon as one is cancelled.
  BOOL SaveAllModified();
  void CloseAllDocuments(BOOL endSession);

  // The framework's commands at the end of the route.
  void OnFileNew();
  void OnFileOpen();
  void OnFileSaveAll();
  BOOL OnOpenRecentFile(UINT id);
  void OnUpdateRecentFileMenu(CCmdUI* ui);
  void OnAppExit();
  // Shows help (Help.h); the program's help requests all end here.
  virtual void WinHelp(DWORD_PTR data, UINT command = 0x0001);

  CString m_pszAppName;
  CString m_pszProfileName;  // the application's name
  CString m_pszRegistryKey;  // the company's name, once set
  int m_nCmdShow = SW_SHOWNORMAL;

  DECLARE_MESSAGE_MAP()

 private:
  std::vector<CDocTemplate*> templates_;
  std::unique_ptr<CRecentFileList> m_pRecentFileList;
};

// The current application and thread object; null when none exists.
CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();

// The framework's own message box: the application's title as caption and, when `type` names no
// icon, the one its buttons ask for (a question for Yes/No, an exclamation for OK).
int AfxMessageBox(const char* text, UINT type = 0);

// The program's start: makes the QApplication (unless one exists), runs InitInstance and, when it
// succeeds, Run; the result is the exit code.
int AfxWinMain(int argc, char** argv);
