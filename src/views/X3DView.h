// The camera window: one view of a scene document with a camera of its own. It renders the
// shared scene with its cartoon lines into an off-screen surface, blurs it by depth when the
// camera asks for it, and shows it in the window.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "core/XPtSzRect.h"
#include "document/DocumentServices.h"
#include "platform/d3drm/D3DRM.h"
#include "platform/ddraw/DirectDraw.h"
#include "scene/GroupSO.h"
#include "shell/ObjectDropTarget.h"
#include "views/CountedClientDC.h"
#include "views/DragPreconditions.h"
#include "views/MousePress.h"
#include "views/StatusPrompts.h"
#include "views/XScrollView.h"

struct DragRay;
struct DragMoveInputs;

// Whether the display shows palette indices (8 bits per pixel): camera images are then rendered
// in 24-bit RGB and reduced to the program's palette.
bool IsPaletteDisplay();

// Whether `surface` was lost, as a display change loses surfaces; any other failure is fatal.
bool SurfaceLost(IDirectDrawSurface* surface);

// The commands by which a finished picture leaves a camera window.
constexpr UINT kCopyImageCommand = 33013;    // Edit/Copy Image
constexpr UINT kImproveCommand = 33014;      // Window/Improve Camera Image
constexpr UINT kExportImageCommand = 10002;  // File/Export Image

class X3DView : public XScrollView, public CameraView, public ObjectDropTarget, private MousePressClient {
  DECLARE_DYNCREATE(X3DView)
 public:
  // Perspective renders carry a band this wide on every side for the blur's neighbours.
  static constexpr int kBand = 7;
  // The largest off-screen render size per side, so that the banded surface stays within 2048.
  static constexpr int kMaxRenderSize = 2048 - 2 * kBand;

  X3DView();
  ~X3DView() override;

  // Renders the window (renderSize null) or an off-screen image of renderSize pixels in
  // `pixelFormat` (the display's when null); the result is left in image2.
  void RenderImage(CDC* dc, BOOL paint, const XSize* renderSize, const DDPIXELFORMAT* pixelFormat);
  // The camera of a new window, from the preferences of new windows.
  static CameraFields NewWindowSettings();
  // Whether a render of this camera blurs by depth.
  bool BlursCamera() const;
  // Drops every rendering object; the next render makes them again.
  void ReleaseRenderObjects();
  // Shown, not minimised and not wholly covered: some of the window's pixels can be seen.
  bool IsInSight();
  // Hidden, minimised or wholly covered: the window gives up its surfaces until it is painted.
  bool IsOutOfSight();

  void Serialize(CArchive& ar) override;
  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
  void OnDraw(CDC* dc) override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void UpdateTitle() override;

  // The Edit Camera sheet for this window, opened on its General, Focus or Lens page.
  void OnEditCamera();
  void OnEditCameraFocus();
  void OnEditCameraLens();

  // CameraView.
  CameraFields& GetCameraFields() override { return settings; }
  void RestoreCameraFields(const CameraFields& fields) override;
  Ptr<PtrMyself>& GetViewMyself() override { return GetMyself(); }
  void ShowEntireScene(BoundingBox box) override;
  void OnUpdateAfterFit() override { OnUpdate(nullptr, 0, nullptr); }

  // Rendering objects; image2 holds the final picture of the last render.
  IUPtr<IDirectDrawSurface> image;
  IUPtr<IDirectDrawSurface> image2;
  IUPtr<IDirectDrawSurface> blurImage;  // the blur's output, kept from frame to frame while its size stays
  IUPtr<IDirect3DRMDevice> device;
  IUPtr<IDirect3DRMFrame> camera;
  IUPtr<IDirect3DRMViewport> viewport;
  IUPtr<IDirectDrawClipper> clipper;
  BOOL needsRender = TRUE;
  BOOL rendering = FALSE;
  // The blur's working memory, sized for the picture by the blur and kept from render to render.
  std::vector<DWORD> fifoRBuf, fifoGBuf, fifoBBuf;

  // The background picture as a texture of the surface's size, the path it came from, and a path
  // that failed to load: that one is not tried again until the path or the use-image flag changes.
  IUPtr<IDirect3DRMTexture> bkImage;
  CString bkLoadedPath;
  CString bkFailedPath;
  // A picture that failed while the window painted, missing or unusable: a box or file dialog
  // opened inside the paint would stop it half done, so a message posted to the window searches
  // for it or tells about it once the paint is over.
  static constexpr UINT kBackgroundAfterPaintMessage = WM_APP;
  CString bkAfterPaintPath;
  bool bkAfterPaintMissing = false;
  BOOL painting = FALSE;

  // Edit Object sheet (X3DViewEditObject.cpp): Edit/Object... and the artistic properties run
  // it on the one selected group; a double click posts Edit/Object..., a right click on an
  // object runs it on the group hit. Only an object the user placed, holding a mesh object of its
  // own, opens it: EditObject returns false for any other (the rotate-about cylinder, a group
  // without a mesh) and does nothing.
  void OnEditObject();
  // The Edit Lights dialog of this window's scene, modal.
  void OnEditLights();
  void OnEditObjectArtistic();
  void OnUpdateEditObject(CCmdUI* cmdUI);
  void OnRButtonDown(UINT flags, CPoint point);
  bool EditObject(GroupSO* group, UINT startPage);

  // The camera: transform, lens, clipping, focus, aperture, background and window kind.
  CameraFields settings;
  BOOL improved = FALSE;

  // Improve, Copy Image and Export Image: the ways a finished picture leaves the window.
  void OnImproveCameraImage();
  void OnUpdateImproveCameraImage(CCmdUI* cmdUI);
  void OnEditCopyImage();
  void OnFileExportImage();
  // Once the window is made and filled, it answers the status bar's prompt requests; one read
  // from a file improved improves itself again once it is shown.
  void OnInitialUpdate() override;
  void ResumeImprovement();
  // Renders width x height pixels (twice that, averaged, with `improve`) as BMP file bytes.
  std::vector<BYTE> RenderBitmapFile(int width, int height, bool improve);
  // Whether a render blurs by the linear depth cue rather than by the lens.
  bool UsesDepthCue() const;

 protected:
  // A camera window never zooms below 100%.
  void OnUpdateZoomOut(CCmdUI* cmdUI) override;
  void OnUpdateZoomPreset(CCmdUI* cmdUI) override;

 private:
  // The render rectangle's size in logical units: the client area divided by the zoom.
  XSize WindowRenderSize(CDC* dc) const;
  void MakeSurface(const XSize& size, bool band, const DDPIXELFORMAT* pixelFormat);
  void MakeDeviceCameraViewport();
  void SetCameraAndProjection(const XSize& size, bool band);
  void Blur(const XSize* renderSize);
  // Loads, keeps or drops the background picture for a surface with or without the band.
  void UpdateBackgroundImage(bool band);
  // Lets go of a picture that was switched off: the shared scene frame no longer shows it and
  // the surface is cleared to the background colour.
  void DropBackgroundImage();
  // Replaces image2 by its reduction to the palette.
  void ReduceToPalette();
  // Puts the final image on the screen, stretched by the zoom.
  void Blit(CDC* dc, const XSize& size);

  // Mouse input, drags, picks and status prompts (X3DViewMouse.cpp, X3DViewDrags.cpp,
  // X3DViewPick.cpp, X3DViewPrompt.cpp), import (X3DViewImport.cpp) and the window's commands
  // (X3DViewCommands.cpp).
 public:
  // What is under a logical point of the window; the ground is never picked.
  PickRecord Pick(const XDPoint& point);
  void OnClicks(UINT flags, const XDPoint& point, int clicks, const PickRecord& pick);
  // The mode a drag would use now: the application's, or the one Ctrl or Alt with a digit picks.
  int GetInteractiveMode() const;
  // Sets the status-bar prompt and the cursor for `mode` (-1: the effective one).
  void UpdateStatusPrompt(int mode);
  static void UpdateStatusPromptCallback(void* argument);
  void OnFileImport();
  void ImportFile(const char* path, BOOL reversed, BOOL doubleSided);
  void ImportFile(const char* path) override { ImportFile(path, FALSE, FALSE); }
  BOOL IsMouseDown() const { return mouseDown; }

  void OnViewGround();
  void OnUpdateViewGround(CCmdUI* cmdUI);
  void OnPointSunLight();
  void OnHelpPrinting();
  void OnAutoFocusObject();
  void OnUpdateAutoFocusObject(CCmdUI* cmdUI);
  void OnWindowFrontTopLeft();
  void OnUpdateWindowFrontTopLeft(CCmdUI* cmdUI);
  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

 protected:
  void OnDestroy();
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnCaptureChanged(CWnd* wnd);
  void OnKillFocus(CWnd* newWnd);
  void OnTimer(UINT_PTR id);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void OnKeyUp(UINT key, UINT repeat, UINT flags);
  void OnUpdatePrint(CCmdUI* cmdUI);
  // Context help: the topic of the prompt the window gives for the point (lParam, client).
  LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
  // Searches for bkAfterPaintPath or tells that it cannot be used.
  LRESULT OnBackgroundAfterPaint(WPARAM wParam, LPARAM lParam);

 private:
  // The prompt for `mode`: what a press at the client point `cursor` would do, or while the
  // button is held, what the drag does.
  StatusPrompt ChoosePrompt(int mode, POINT cursor);
  // MousePressClient.
  void ArmPressTimer(DWORD milliseconds) override;
  void StartDrag() override;
  void DragMove(POINT point) override;
  void Clicks(int clicks) override;
  void EndPress(bool released) override;
  // Ends the press: the capture and the press's DC go.
  void FinishPress();
  // While a press decides between a click and a drag, nothing the user does meanwhile is carried
  // out: commands that change the document and right presses are held, and run in the order they
  // came once the decision is made, so they act on what the click left.
  bool PressDeciding() const;
  void HoldInput(UINT message, WPARAM wParam, LPARAM lParam);
  void RunHeldInput();
  // The drag of `mode` for one accepted move from mouseLastPoint to `point`.
  void RunDrag(int mode, POINT point);
  void RunCameraDrag(int mode, POINT point, const DragMoveInputs& in);
  void RunObjectDrag(int mode, POINT point, const DragMoveInputs& in);
  // The re-render after a move: this window now, the other windows while no input waits.
  void RenderAfterMove();
  // The ray through a client point of the window, during a press.
  DragRay WindowRay(POINT point) const;
  bool SceneIsEmpty();
  // A button press starts nothing while another is down, or in an empty scene, where the user is
  // told where objects come from; the press is passed on and true returned.
  bool PassesPressOn();
  // What a drag in the current state of the window and the document may rely on.
  DragConditions Conditions(const PickRecord& pick);

  BOOL mouseDown = FALSE;
  UINT mouseDownFlags = 0;
  XPoint mouseLastPoint{0, 0};
  XDPoint mouseDownPoint;
  BOOL mouseDownDragged = FALSE;
  Ptr<CountedClientDC> mouseDownDC;
  PickRecord mouseDownPick;
  // Holds the picked group while the button is down: a command cannot free it under the drag.
  Ptr<GroupSO> mouseDownHeld;
  int mouseDownInteractiveMode = -1;
  Vector mouseDownCenter;
  Vector mouseDownTrack;
  BoundingBox mouseDownSceneBox;
  std::unique_ptr<MousePress> mousePress;
  std::vector<MSG> heldInput;
  BOOL promptRegistered = FALSE;

  DECLARE_MESSAGE_MAP()
};
