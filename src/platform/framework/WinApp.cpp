#include "platform/framework/WinApp.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <algorithm>
#include <cctype>
#include <string>

#include "platform/framework/CmdUI.h"
#include "platform/framework/CommandLine.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/Help.h"
#include "platform/framework/MessageLoop.h"
#include "platform/framework/DesktopDisplay.h"
#include "platform/framework/PrimarySurfacePresenter.h"
#include "platform/framework/QtBackends.h"
#include "platform/framework/RecentFileList.h"
#include "platform/framework/ScreenColormap.h"
#include "platform/framework/View.h"
#include "platform/win/FileProfileStore.h"
#include "platform/win/MessageBox.h"
#include "platform/win/RuntimeFolder.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
  ON_COMMAND(ID_FILE_NEW, OnFileNew)
  ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
  ON_COMMAND(ID_FILE_SAVE_ALL, OnFileSaveAll)
  ON_COMMAND(ID_APP_EXIT, OnAppExit)
  ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
  ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

namespace {

constexpr UINT kAppTitle = 57344;
constexpr char kRecentFileSection[] = "Recent File List";

CWinApp* currentApp = nullptr;

bool EndsWithNoCase(const std::string& text, const std::string& end) {
  return !end.empty() && text.size() >= end.size() &&
         std::equal(end.rbegin(), end.rend(), text.rbegin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

}  // namespace

int CWinThread::Run() {
  InstallInputFilter();
  quit_ = false;
  LONG count = 0;
  bool idle = true;
  TakeInputSeen();
  while (!quit_) {
    // Idle work runs between the events that are already waiting, never instead of them.
    while (idle && !quit_) {
      if (!OnIdle(count++)) idle = false;
      QCoreApplication::processEvents(QEventLoop::AllEvents);
      if (TakeInputSeen()) count = 0;
    }
    if (quit_) break;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (TakeInputSeen()) {
      idle = true;
      count = 0;
    }
  }
  // Windows destroyed by their own handlers are deleted once their events are over.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return ExitInstance();
}

void CWinThread::QuitMessageLoop() {
  quit_ = true;
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) dispatcher->wakeUp();
}

BOOL CWinThread::OnIdle(LONG count) {
  if (count == 0)
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd)) frame->OnIdleUpdateCmdUI();
  return count < 1;
}

BOOL CWinThread::PreTranslateMessage(MSG* msg) { return WalkPreTranslateTree(msg); }

CWinApp::CWinApp(const char* appName) {
  if (appName)
    m_pszAppName = appName;
  else
    m_pszAppName.LoadString(kAppTitle);
  m_pszProfileName = m_pszAppName;
  currentApp = this;
}

CWinApp::~CWinApp() {
  for (CDocTemplate* docTemplate : templates_) delete docTemplate;
  if (currentApp == this) currentApp = nullptr;
}

void CWinApp::SetRegistryKey(UINT companyId) {
  m_pszRegistryKey.LoadString(companyId);
  OpenUserProfile(m_pszRegistryKey, m_pszProfileName);
}

int CWinApp::ExitInstance() {
  SaveStdProfileSettings();
  return 0;
}

void CWinApp::AddDocTemplate(CDocTemplate* docTemplate) { templates_.push_back(docTemplate); }

POSITION CWinApp::GetFirstDocTemplatePosition() const { return FirstPosition(templates_); }

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& position) const { return NextAt(templates_, position); }

CDocument* CWinApp::OpenDocumentFile(const char* pathName) {
  const std::string full = FullPathName(pathName).str();
  CDocTemplate* chosen = nullptr;
  for (CDocTemplate* docTemplate : templates_) {
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;) {
      CDocument* document = docTemplate->GetNextDoc(pos);
      if (document->GetPathName() == full.c_str()) {
        POSITION viewPos = document->GetFirstViewPosition();
        if (CFrameWnd* frame = viewPos ? document->GetNextView(viewPos)->GetParentFrame() : nullptr)
          frame->ActivateFrame();
        return document;
      }
    }
    CString ext, type;
    docTemplate->GetDocString(ext, CDocTemplate::filterExt);
    docTemplate->GetDocString(type, CDocTemplate::regFileTypeId);
    if (!chosen && EndsWithNoCase(full, ext.str())) chosen = docTemplate;
  }
  if (!chosen)
    for (CDocTemplate* docTemplate : templates_) {
      CString ext;
      if (docTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty()) {
        chosen = docTemplate;
        break;
      }
    }
  return chosen ? chosen->OpenDocumentFile(full.c_str()) : nullptr;
}

void CWinApp::LoadStdProfileSettings(UINT maxMRU) {
  m_pRecentFileList.reset();
  if (maxMRU == 0) return;
  m_pRecentFileList = std::make_unique<CRecentFileList>(ID_FILE_MRU_FILE1, kRecentFileSection, maxMRU);
  m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
  if (m_pRecentFileList) m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(const char* pathName) {
  if (m_pRecentFileList) m_pRecentFileList->Add(pathName);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
  const QStringList arguments = QCoreApplication::arguments();
  std::vector<std::string> after;
  for (qsizetype i = 1; i < arguments.size(); ++i) after.push_back(arguments[i].toStdString());
  ParseArguments(after, info);
}

void CWinApp::ParseArguments(const std::vector<std::string>& arguments, CCommandLineInfo& info) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    // Switches start with '-': a leading '/' is an absolute path, as file managers pass them.
    const bool flag = !argument.empty() && argument[0] == '-';
    info.ParseParam(argument.c_str() + (flag ? 1 : 0), flag, i + 1 == arguments.size());
  }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
  switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNothing: return TRUE;
    case CCommandLineInfo::FileNew:
      if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr)) OnFileNew();
      return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen: return OpenDocumentFile(info.m_strFileName) != nullptr;
    default: return FALSE;  // no printing or desktop requests on this platform
  }
}

BOOL CWinApp::SaveAllModified() {
  for (CDocTemplate* docTemplate : templates_)
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;)
      if (!docTemplate->GetNextDoc(pos)->SaveModified()) return FALSE;
  return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL) {
  for (CDocTemplate* docTemplate : templates_)
    while (POSITION pos = docTemplate->GetFirstDocPosition()) {
      CDocument* document = docTemplate->GetNextDoc(pos);
      document->OnCloseDocument();
      // A document that does not delete itself is no longer listed either.
      POSITION again = docTemplate->GetFirstDocPosition();
      if (again && docTemplate->GetNextDoc(again) == document) docTemplate->RemoveDocument(document);
    }
}

void CWinApp::OnFileNew() {
  // The first template that makes documents of its own (one with a new-file name).
  for (CDocTemplate* docTemplate : templates_) {
    CString name;
    if (docTemplate->GetDocString(name, CDocTemplate::fileNewName) && !name.IsEmpty()) {
      docTemplate->OpenDocumentFile(nullptr);
      return;
    }
  }
}

void CWinApp::OnFileOpen() {
  CString filter;
  for (CDocTemplate* docTemplate : templates_) {
    CString name, ext;
    if (docTemplate->GetDocString(ext, CDocTemplate::filterExt) && !ext.IsEmpty() &&
        docTemplate->GetDocString(name, CDocTemplate::filterName))
      filter += name + "|*" + ext + "|";
  }
  filter += "All Files (*.*)|*.*||";
  CFileDialog dialog(TRUE, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter);
  if (dialog.DoModal() != IDOK) return;
  OpenDocumentFile(dialog.GetPathName());
}

void CWinApp::OnFileSaveAll() {
  for (CDocTemplate* docTemplate : templates_)
    for (POSITION pos = docTemplate->GetFirstDocPosition(); pos;) {
      CDocument* document = docTemplate->GetNextDoc(pos);
      if (document->IsModified() && !document->DoFileSave()) return;
    }
}

BOOL CWinApp::OnOpenRecentFile(UINT id) {
  if (!m_pRecentFileList) return FALSE;
  const int index = static_cast<int>(id - ID_FILE_MRU_FILE1);
  if (index < 0 || index >= m_pRecentFileList->GetCount()) return FALSE;
  const std::string path = (*m_pRecentFileList)[index];
  // A file that can no longer be opened leaves the list.
  if (!OpenDocumentFile(path.c_str())) m_pRecentFileList->Remove(index);
  return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* ui) {
  if (m_pRecentFileList)
    m_pRecentFileList->UpdateMenu(ui);
  else
    ui->Enable(FALSE);
}

void CWinApp::WinHelp(DWORD_PTR data, UINT command) { ShowHelp(command, data); }

void CWinApp::OnAppExit() {
  if (m_pMainWnd) m_pMainWnd->SendMessage(WM_CLOSE);
}

CWinApp* AfxGetApp() { return currentApp; }

CWinThread* AfxGetThread() { return currentApp; }

CWnd* AfxGetMainWnd() { return currentApp ? currentApp->m_pMainWnd : nullptr; }

int AfxMessageBox(const char* text, UINT type) {
  if ((type & MB_ICONMASK) == 0) {
    const UINT buttons = type & MB_TYPEMASK;
    if (buttons == MB_OK || buttons == MB_OKCANCEL) type |= MB_ICONEXCLAMATION;
    if (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) type |= MB_ICONQUESTION;
  }
  const CWinApp* app = AfxGetApp();
  return MessageBox(nullptr, text, app ? static_cast<const char*>(app->m_pszAppName) : nullptr, type);
}

int AfxWinMain(int argc, char** argv) {
  std::unique_ptr<QApplication> owned;
  if (!QApplication::instance()) {
    EnsureRuntimeFolder();
    owned = std::make_unique<QApplication>(argc, argv);
    AfxInstallQtBackends();
    UseScreenColormaps();
  }
  QApplication::setQuitOnLastWindowClosed(false);
  // What the program blits to the DirectDraw primary surface shows in its windows, a surface the
  // size of the desktop.
  DesktopDisplay display;
  PrimarySurfacePresenter presenter;
  CWinApp* app = AfxGetApp();
  if (!app) return 1;
  if (!app->InitInstance()) return app->ExitInstance();
  return app->Run();
}
