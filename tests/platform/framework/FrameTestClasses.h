// Frame test classes recording the commands that reach them, and the resources they use.
#pragma once

#include <string>
#include <vector>

#include "platform/framework/CmdUI.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/MDIFrameWnd.h"
#include "platform/framework/Resources.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"

// Commands: the number of the first class in the route that handles each one.
enum : UINT {
  kForView = 40100,     // view, document, child, main frame, application
  kForDocument,         // document, child, main frame, application
  kForChild,            // child, main frame, application
  kForMainFrame,        // main frame, application
  kForApp,              // application
  kGuarded = 40200,     // runs unless the main frame's update handler disables it
  kChecked,
  kRadio,
  kRenamed,
};
// Tool bar buttons; their strings give the tips "Undo" and "Redo".
constexpr UINT kToolUndo = 57643;
constexpr UINT kToolRedo = 57644;
constexpr UINT kMainResource = 57344;   // its string, the caption, is "Tavrolin"
constexpr UINT kChildResource = 14;     // ".tvr" documents

extern std::vector<std::string> routeLog;

class TestView : public CView {
  DECLARE_DYNCREATE(TestView)
 public:
  void OnDraw(CDC*) override {}
  void OnCommandForView() { routeLog.push_back("view"); }
  DECLARE_MESSAGE_MAP()
};

class TestDocument : public CDocument {
  DECLARE_DYNCREATE(TestDocument)
 public:
  void OnRouted(UINT) { routeLog.push_back("document"); }
  DECLARE_MESSAGE_MAP()
};

class TestChild : public CMDIChildWnd {
  DECLARE_DYNCREATE(TestChild)
 public:
  void OnRouted(UINT) { routeLog.push_back("child"); }
  void OnMDIActivate(BOOL activate, CWnd* activated, CWnd* deactivated) {
    routeLog.push_back(activate ? "activate" : "deactivate");
    CMDIChildWnd::OnMDIActivate(activate, activated, deactivated);
  }
  DECLARE_MESSAGE_MAP()
};

class TestMainFrame : public CMDIFrameWnd {
  DECLARE_DYNCREATE(TestMainFrame)
 public:
  void OnRouted(UINT id) { routeLog.push_back("main " + std::to_string(id)); }
  void OnUpdateGuarded(CCmdUI* ui) { ui->Enable(guardEnabled); }
  void OnUpdateChecked(CCmdUI* ui) { ui->SetCheck(1); }
  void OnUpdateRadio(CCmdUI* ui) { ui->SetRadio(TRUE); }
  void OnUpdateRenamed(CCmdUI* ui) { ui->SetText("&Renamed"); }
  void OnUpdateRedo(CCmdUI* ui) { ui->Enable(redoEnabled); }
  BOOL guardEnabled = TRUE;
  BOOL redoEnabled = TRUE;
  DECLARE_MESSAGE_MAP()
};

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("Test") {}
  void OnRouted(UINT) { routeLog.push_back("app"); }
  // Records the counts; asks for idle time until `idleRounds` calls were made.
  BOOL OnIdle(LONG count) override {
    idleCounts.push_back(count);
    CWinApp::OnIdle(count);
    return count + 1 < idleRounds;
  }
  std::vector<LONG> idleCounts;
  LONG idleRounds = 1;
  DECLARE_MESSAGE_MAP()
};

// The framework's own texts (document strings, save prompts, "Untitled"), as a program registers them.
void RegisterFrameworkTestStrings();
// Those texts and the menus, accelerators, tool bar and icon of the test frames.
void RegisterTestResources();
