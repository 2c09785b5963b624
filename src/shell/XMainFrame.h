// The main frame: the program's main window. It owns the status bar and the five toolbars, lays
// the toolbars out, supplies the idle prompt and the prompts of its menu items, and handles the
// View and Window commands.
#pragma once

#include "platform/framework/MDIFrameWnd.h"
#include "shell/Objects3DView.h"
#include "shell/XStatusBar.h"
#include "shell/XToolBar.h"

class XMainFrame : public CMDIFrameWnd {
  DECLARE_DYNAMIC(XMainFrame)
 public:
  XMainFrame();
  ~XMainFrame() override;

  XStatusBar& GetStatusBar() { return statusBar; }
  XToolBar& GetBeginnerToolBar() { return beginnerToolBar; }
  XToolBar& GetMainToolBar() { return mainToolBar; }
  XToolBar& GetInteractiveToolBar() { return interactiveToolBar; }
  XToolBar& GetAdvancedToolBar() { return advancedToolBar; }
  XToolBar& GetFileToolBar() { return fileToolBar; }
  // The list view of the 3D Objects window; null while that window does not exist.
  Objects3DView* GetObjects3DView() const { return objects3DView; }

  // Docks `bar` on dock bar `dockBarId` right after `before`, which must be docked there.
  void DockControlBarNextTo(CControlBar* bar, UINT dockBarId, CControlBar* before);
  // Floats every docked toolbar, then docks again those that were docked: Beginner, File, Main
  // and Interactive in a chain on top (Interactive alone on the right on screens narrower than
  // 800 pixels when Main and File are docked too), Advanced alone on the left.
  void RedockToolBars();
  // Visible, not minimised child windows.
  int CountTileableWindows() const;
  BOOL IsWindowCountSquare() const;

  // The last menu-bar popup holding Arrange Icons, Tile Horizontal or Tile Vertical: the window
  // list goes there.
  QMenu* GetWindowMenuPopup() const override;
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
  // Each file dropped from the file manager is opened as a scene.
  void OnDropFiles(HDROP drop);
  // The status bar's periodic work (the prompt under the mouse, blinking, widening), run by the
  // application's timer and, without one, at idle.
  virtual void OnStatusBarIdle() { statusBar.OnIdle(); }
  // The Help button of a message box this frame owns: the topic of the box's prompt.
  void OnMessageBoxHelp();

 protected:
  int OnCreate(LPCREATESTRUCT createStruct);
  void OnDestroy();
  void OnMenuSelect(UINT id, UINT flags, HMENU menu);
  void OnActivateApp(BOOL active, DWORD threadId);
  // On an 8-bit display, puts the application's palette into the display's as the frame comes to
  // the front, so that the camera windows' images show in their own colours.
  BOOL OnQueryNewPalette();

  void OnViewStatusBar();
  void OnViewBeginnerToolBar();
  void OnViewMainToolBar();
  void OnViewOtherToolBar(UINT id);
  void OnUpdateViewStatusBar(CCmdUI* ui);
  void OnUpdateViewBeginnerToolBar(CCmdUI* ui);
  void OnUpdateViewOtherToolBar(CCmdUI* ui);
  void OnFloatAll();
  void OnResetAll();
  void OnTileHorizontal();
  void OnTileVertical();
  void OnArrangeIcons();
  // Makes the 3D Objects window the first time, then shows or hides it.
  void OnWindowObjects();
  void OnUpdateWindowObjects(CCmdUI* ui);
  void OnUpdateTileHorizontal(CCmdUI* ui);
  void OnUpdateTileVertical(CCmdUI* ui);
  void OnUpdateArrangeIcons(CCmdUI* ui);
  // The Preferences sheet at its General page, and at the page of a toolbar button's settings.
  void OnEditPreferences();
  void OnToolBarSettings(UINT command);
  void OnHelpSupport();
  void OnHelpMoreObjects();
  // F1: the help page of the prompt on the status bar, or the contents when it has none.
  void OnHelp();
  DECLARE_MESSAGE_MAP()

 private:
  static void StatusCallback(void* argument);
  BOOL CreateBars();
  void DefaultLayout();
  // Floats the docked toolbars at their places; only the visible ones when `visibleOnly`.
  void FloatDockedBars(BOOL visibleOnly);
  XToolBar* OtherToolBar(UINT viewCommand, UINT* showKey);

  XStatusBar statusBar;
  XToolBar beginnerToolBar;
  XToolBar mainToolBar;
  XToolBar interactiveToolBar;
  XToolBar advancedToolBar;
  XToolBar fileToolBar;
  Objects3DView* objects3DView = nullptr;  // not owned: the view clears it when it goes
};

// The main window of the program's thread; null before it exists and after it is gone. A main
// window of another class is fatal.
XMainFrame* XGetMainFrame();
