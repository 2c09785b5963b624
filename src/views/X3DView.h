// The camera window: one view of a scene document with a camera of its own. It renders the
// shared scene with its cartoon lines into an off-screen surface, blurs it by depth when the
// camera asks for it, and shows it in the window.
#pragma once

#include <cstdint>
#include <vector>

#include "core/XPtSzRect.h"
#include "document/DocumentServices.h"
#include "platform/d3drm/D3DRM.h"
#include "platform/ddraw/DirectDraw.h"
#include "views/XScrollView.h"

// Whether the display shows palette indices (8 bits per pixel): camera images are then rendered
// in 24-bit RGB and reduced to the program's palette.
bool IsPaletteDisplay();

class X3DView : public XScrollView, public CameraView {
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

  void Serialize(CArchive& ar) override;
  void OnPrepareDC(CDC* dc, CPrintInfo* info = nullptr) override;
  void OnDraw(CDC* dc) override;
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void UpdateTitle() override;

  // CameraView.
  CameraFields& GetCameraFields() override { return settings; }
  Ptr<PtrMyself>& GetViewMyself() override { return GetMyself(); }
  void ShowEntireScene(BoundingBox box) override;
  void OnUpdateAfterFit() override { OnUpdate(nullptr, 0, nullptr); }

  // Rendering objects; image2 holds the final picture of the last render.
  IUPtr<IDirectDrawSurface> image;
  IUPtr<IDirectDrawSurface> image2;
  IUPtr<IDirect3DRMDevice> device;
  IUPtr<IDirect3DRMFrame> camera;
  IUPtr<IDirect3DRMViewport> viewport;
  IUPtr<IDirectDrawClipper> clipper;
  BOOL needsRender = TRUE;
  BOOL rendering = FALSE;
  // The blur's row buffers, one entry per column of image, kept from render to render.
  std::vector<DWORD> fifoRBuf, fifoGBuf, fifoBBuf;

  // Edit Object sheet (X3DViewEditObject.cpp): Edit/Object... and the artistic properties run
  // it on the one selected group; a double click posts Edit/Object..., a right click on an
  // object calls EditObject for the group hit. Only a group holding a mesh object of its own
  // opens it: EditObject returns false for any other and does nothing.
  void OnEditObject();
  void OnEditObjectArtistic();
  void OnUpdateEditObject(CCmdUI* cmdUI);
  bool EditObject(GroupSO* group, UINT startPage);

  // The camera: transform, lens, clipping, focus, aperture, background and window kind.
  CameraFields settings;
  BOOL improved = FALSE;

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
  // Replaces image2 by its reduction to the palette.
  void ReduceToPalette();
  // Puts the final image on the screen, stretched by the zoom.
  void Blit(CDC* dc, const XSize& size);

  DECLARE_MESSAGE_MAP()
};
