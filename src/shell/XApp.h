// The application object: it brings the program up in a fixed order and takes it down again, owns
// the DirectX objects, the document templates, the shared interactive mode, the ground switch and
// the shared meshes, and the internal object clipboard. It keeps the low-memory handler installed
// for its whole life.
#pragma once

#include <memory>
#include <new>

#include "core/DirectXProbe.h"
#include "core/XList.h"
#include "core/XString.h"
#include "platform/d3drm/D3DRM.h"
#include "platform/ddraw/DirectDraw.h"
#include "platform/framework/GdiPalette.h"
#include "platform/framework/NewHandler.h"
#include "platform/framework/WinApp.h"

class CView;
class DialogAbout;
class DocTemplateEntry;
class GroupSO;
class MeshSO;
class XAppDialogServices;
class XAppDocumentServices;
class XAppSceneServices;
class XDocument;

class XApp : public CWinApp {
  DECLARE_DYNAMIC(XApp)
 public:
  static constexpr int rotateObjectAbout = 2;  // the mode in which scenes show the cylinder
  static constexpr int numberInteractiveModes = 20;
  static constexpr UINT kTimerPeriod = 200;  // ms between status-bar refreshes

  // Takes the low-memory reserve and makes the handler the allocator's failure handler before
  // anything else is allocated.
  XApp();
  // Releases the DirectX objects and gives the reserve back.
  ~XApp() override;

  // Start-up and shut-down.
  BOOL InitInstance() override;
  int ExitInstance() override;

  // The status bar's periodic work: a thread timer, the overdue check before each message, and
  // idle time when no timer could be made.
  static void TimerProc(HWND hwnd, UINT message, UINT_PTR idEvent, DWORD time);
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnIdle(LONG count) override;

  // The templates: 0 scene files, 1 camera windows, 2 the 3D Objects window.
  Ptr<DocTemplateEntry> GetDocTemplate(int index) const;
  // The index of the template that made `view`, searched from the last template.
  int FindDocTemplate(CView* view) const;
  // The one template that makes documents of `document`'s class.
  Ptr<DocTemplateEntry> FindTemplateOfDocument(CDocument* document) const;

  // Walks over every document of the scene template.
  void RefreshDocumentTitles();
  void UpdateAllSceneExtents();
  void ApplyObjectQualityAll();
  void UpdateAllDocumentViews();
  // Every view of every open scene rebuilds its retained-mode content (a look change that the
  // views cannot see by repainting: lighting or opacity).
  virtual void RegenerateAllViews();
  int CountOpenScenes() const;

  int GetInteractiveMode() const { return interactiveMode; }
  BOOL GetShowGround() const { return showGround; }
  // Tell every scene only when the value changes.
  void SetInteractiveMode(int mode);
  void SetShowGround(BOOL show);
  Ptr<MeshSO>& GetCylinderMesh();
  Ptr<MeshSO>& GetGroundMesh();
  // Build the shared meshes from their preferences, or rebuild them in place so that every scene
  // keeps the same objects.
  void LoadAboutCylinderPrefs();
  void LoadGroundPrefs();
  // Reloads the recent-file list with a new length (at most 16).
  void ReloadRecentFileList(UINT numMRU);

  // Releases every object of the internal clipboard and empties it.
  void EmptyObjectClipboard();

  // Commands.
  void OnFileNew();
  void OnFileOpen();
  void OnFileSaveAll();
  void OnUpdateFileSaveAll(CCmdUI* cmdUI);
  // The start-up splash (posted by the main frame) and Help/About.
  void OnShowSplash();
  BOOL OnSplashClosed(int);
  void OnHelpAbout();

  XString programPath;  // the program's own file; the tutorials and objects folder lie beside it
  IUPtr<IDirectDraw> lpDD;
  IUPtr<IDirectDraw2> lpDD2;
  IUPtr<IDirectDrawSurface> screen;  // the primary surface
  std::unique_ptr<CPalette> palette;  // the fixed 8-bit palette; only on an 8-bit display
  IUPtr<IDirect3DRM> lpD3DRM;
  const D3DFINDDEVICERESULT* device = nullptr;  // the Direct3D device chosen at start-up
  // The scene groups Edit/Copy and Edit/Cut keep for Edit/Paste (not the desktop clipboard).
  XList<Ptr<GroupSO>> objectClipboard;
  UINT_PTR m_applTimerId = 0;
  DialogAbout* m_dialogAbout = nullptr;  // the splash while it is up

  DECLARE_MESSAGE_MAP()

 protected:
  // The steps of start-up; each FALSE ends it.
  virtual BOOL CreateMainFrame();
  BOOL ProcessCommandLine();
  BOOL StartTimer();
  BOOL RunStartupChecks();
  void CreateDirectX();
  void ReadStartupPreferences();
  void CreateDocTemplates();

 private:
  // Every document of the scene template, in its order; `scenesOnly` checks each is a scene.
  template <class Visit>
  void ForEachDocument(Visit&& visit) const;

  Ptr<DocTemplateEntry> docTemplates[3];
  int interactiveMode = 1;
  BOOL showGround = FALSE;
  Ptr<MeshSO> cylinderMesh;
  Ptr<MeshSO> groundMesh;
  std::unique_ptr<XAppDocumentServices> documentServices;
  std::unique_ptr<XAppSceneServices> sceneServices;
  std::unique_ptr<XAppDialogServices> dialogServices;
  std::new_handler previousNewHandler;
  AFX_PNH previousFrameworkNewHandler;
};

// The application object; fatal when there is none or it is not an XApp.
XApp* XGetApp();
