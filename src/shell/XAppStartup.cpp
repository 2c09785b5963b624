// Start-up and shut-down of the application.
#include <vector>

#include "core/DirectX.h"
#include "core/FatalError.h"
#include "core/PreferenceKeys.h"
#include "core/XMessageBox.h"
#include "dialogs/EditHistoryDialog.h"
#include "platform/framework/CommandLine.h"
#include "document/XDocument.h"
#include "platform/framework/Document.h"
#include "platform/framework/View.h"
#include "platform/win/CurrentDirectory.h"
#include "scene/MeshSO.h"
#include "shell/DocTemplates.h"
#include "shell/Objects3DView.h"
#include "shell/XApp.h"
#include "shell/XAppDialogServices.h"
#include "shell/XAppDocumentServices.h"
#include "shell/XFrameWnd.h"
#include "shell/XMainFrame.h"
#include "shell/XMainFrameHelp.h"

namespace {

constexpr UINT kCompanyNameId = 13;
constexpr UINT kMainFrameId = 12;
constexpr UINT kNoTimerMessage = 40037;

// The process's current directory; a folder that cannot be read is fatal.
XString CurrentDirectory() {
  const DWORD size = GetCurrentDirectory(0, nullptr);
  XASSERT(size != 0, "");
  std::vector<char> buffer(size);
  const DWORD length = GetCurrentDirectory(size, buffer.data());
  XASSERT(length == size - 1, "");
  return XString(buffer.data());
}

}  // namespace

BOOL XApp::InitInstance() {
  if (!documentServices) documentServices = std::make_unique<XAppDocumentServices>(*this);
  SetDocumentApp(documentServices.get());
  if (!dialogServices) dialogServices = std::make_unique<XAppDialogServices>(*this);
  SetDialogServices(dialogServices.get());
  SetEditHistoryRunner(&EditHistoryDialog::Run);
  InstallMainFrameServices();
  SetRegistryKey(kCompanyNameId);
  // The shell reads the count as a UINT, the General page as the DWORD it is written as.
  XPrefKey asUint = XPref::NUM_MRU;
  asUint.kind = XPrefKind::Uint;
  UINT numMRU = 0;
  XGetPrefInRange(asUint, &numMRU, "numMRU <= 16");
  LoadStdProfileSettings(numMRU);
  CreateDocTemplates();
  if (!CreateMainFrame()) return FALSE;

  // The command line is read now but its scene is opened only when the display, DirectX and the
  // shared meshes it needs exist.
  CCommandLineInfo commandLine;
  ParseCommandLine(commandLine);

  m_pMainWnd->ShowWindow(m_nCmdShow == SW_SHOWMINIMIZED ? SW_SHOWMINIMIZED : SW_SHOWMAXIMIZED);
  m_pMainWnd->UpdateWindow();

  ReadStartupPreferences();
  if (!StartTimer()) return FALSE;
  if (!RunStartupChecks()) return FALSE;
  CreateDirectX();
  LoadAboutCylinderPrefs();
  LoadGroundPrefs();

  if (commandLine.m_nShellCommand != CCommandLineInfo::FileNew && !ProcessShellCommand(commandLine)) return FALSE;
  return TRUE;
}

void XApp::CreateDocTemplates() {
  // The scene template's frame and view are never made through it; camera windows come from the
  // second template.
  docTemplates[0] = new DocTemplateEntry(14, RUNTIME_CLASS(XDocument), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CView), FALSE);
  docTemplates[1] = new DocTemplateEntry(16, RUNTIME_CLASS(XDocument), RUNTIME_CLASS(XFrameWndNullSize),
                                         CameraViewClass(), TRUE);
  docTemplates[2] = new DocTemplateEntry(20, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(XFrameWnd),
                                         RUNTIME_CLASS(Objects3DView), TRUE);
}

BOOL XApp::CreateMainFrame() {
  auto* frame = new XMainFrame;
  if (!frame->LoadFrame(kMainFrameId, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE)) {
    delete frame;
    return FALSE;
  }
  m_pMainWnd = frame;
  frame->DragAcceptFiles();
  return TRUE;
}

void XApp::ReadStartupPreferences() {
  const XString current = CurrentDirectory();
  const XString wanted = XGetPrefString(XPref::CURRENT_DIRECTORY.section, XPref::CURRENT_DIRECTORY.key, current);
  SetCurrentDirectory(wanted);  // a folder that is gone leaves the current one
  UINT mode = 0;
  XGetPrefInRange(XPref::INTERACTIVE_MODE, &mode, "interactiveMode < numberInteractiveModes");
  interactiveMode = static_cast<int>(mode);
  showGround = XGetPrefBool(XPref::SHOW_GROUND);
}

BOOL XApp::StartTimer() {
  for (;;) {
    m_applTimerId = SetTimer(nullptr, 0, kTimerPeriod, &XApp::TimerProc);
    if (m_applTimerId) return TRUE;
    const CMMReturn answer = XErrorBox(kNoTimerMessage, CMMButtons::ABORTRETRYIGNORE);
    if (answer == CMMReturn::ABORT) return FALSE;
    if (answer == CMMReturn::IGNORE) return TRUE;  // idle time drives the status bar instead
  }
}

void XApp::CreateDirectX() {
  XCHECK_DD(DirectDrawCreate( NULL, &lpDD, NULL ));
  XCHECK_DD_TEXT(lpDD->SetCooperativeLevel(m_pMainWnd->m_hWnd, DDSCL_NORMAL),
                 "lpDD->SetCooperativeLevel( pMainFrame->m_hWnd, DDSCL_NORMAL )");
  XCHECK_DD(lpDD->QueryInterface( IID_IDirectDraw2, (LPVOID*)&lpDD2 ));
  DDSURFACEDESC surfDesc{};
  surfDesc.dwSize = kDDSurfaceDescSize;
  surfDesc.dwFlags = DDSD_CAPS;
  surfDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  XCHECK_DD(lpDD->CreateSurface( &surfDesc, &screen, NULL ));
  XCHECK_D3DRM(Direct3DRMCreate( &lpD3DRM ));
  XCHECK_D3DRM(lpD3DRM->SetDefaultTextureColors( 1<<24 ));
  XCHECK_D3DRM(lpD3DRM->SetDefaultTextureShades( 256 ));
  device = XFindD3DDevice(lpDD, FALSE);
}

int XApp::ExitInstance() {
  XWritePrefString(XPref::CURRENT_DIRECTORY.section, XPref::CURRENT_DIRECTORY.key, CurrentDirectory());
  XWritePref(XPref::INTERACTIVE_MODE.section, XPref::INTERACTIVE_MODE.key, &interactiveMode);
  XWritePrefBool(XPref::SHOW_GROUND.section, XPref::SHOW_GROUND.key, showGround);
  if (m_applTimerId) XASSERT(::KillTimer( NULL, m_applTimerId ), "");
  m_applTimerId = 0;
  EmptyObjectClipboard();
  if (m_dialogAbout) OnSplashClosed(0);
  RemoveMainFrameServices();
  return CWinApp::ExitInstance();
}
