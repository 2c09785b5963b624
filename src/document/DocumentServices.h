// What a scene document needs of the application and of its camera windows. The application
// and the camera view implement these; the document layer cannot reach up to them directly.
#pragma once

#include "core/XList.h"
#include "core/XPtSzRect.h"
#include "platform/framework/Archive.h"
#include "document/CameraLightsUndoData.h"

class CDocument;
class CFrameWnd;
class CView;
class GroupSO;
class MeshSO;
class XDocument;

// The object of a view update that makes the views drop and rebuild their rendering content.
class RegenerateHint : public CObject {
  DECLARE_DYNAMIC(RegenerateHint)
};

// The interactive mode in which the rotate-about cylinder is shown around the one selected group.
constexpr int kRotateObjectAboutMode = 2;

class DocumentApp {
 public:
  virtual ~DocumentApp() = default;
  virtual int GetInteractiveMode() const = 0;
  virtual BOOL GetShowGround() const = 0;
  // The shared meshes of the ground and the rotate-about cylinder.
  virtual Ptr<MeshSO> GetGroundMesh() = 0;
  virtual Ptr<MeshSO> GetCylinderMesh() = 0;
  // The groups Edit/Copy keeps for Edit/Paste.
  virtual XList<Ptr<GroupSO>>& GetObjectList() = 0;
  // Opens the first camera window of a new scene; FALSE when none could be made.
  virtual BOOL OpenFirstCameraWindow(XDocument& document) = 0;
  // Renumbers the captions of every open scene's windows.
  virtual void RefreshDocumentTitles() = 0;
  // The windows' part of the scene file: the document's frames with their views and which of
  // them is active; reading makes them. Without window frames there is nothing to write, and a
  // file that has windows cannot be shown.
  virtual void SerializeWindows(XDocument& document, CArchive& ar);

  // The windows of a scene for the window undo records. A window is a frame named by its identity
  // handle. Without window frames there are no windows to close or re-create: each is a fatal check.
  // The index of the document template that made `view`.
  virtual int FindDocTemplate(CView* view);
  // The frame's saved layout (identity, placement, the state of `document`'s views in it).
  virtual void SerializeFrameLayout(CFrameWnd& frame, XDocument& document, CArchive& ar);
  // A new frame of template `templateIndex` for the document, not yet shown.
  virtual CFrameWnd& CreateFrame(XDocument& document, int templateIndex);
  // Shows a frame made by CreateFrame at its stored placement.
  virtual void InitialUpdateFrame(XDocument& document, int templateIndex, CFrameWnd& frame);
  virtual Ptr<PtrMyself> GetFrameMyself(CFrameWnd& frame);
  // The frame a handle names, or null.
  virtual CFrameWnd* FrameOf(const Ptr<PtrMyself>& handle);
};

// The document template that makes camera windows.
constexpr int kCameraWindowTemplate = 1;

// Installs the application (nullptr removes it); returns the previous one.
DocumentApp* SetDocumentApp(DocumentApp* app);
// The installed application; a fatal check when there is none.
DocumentApp& GetDocumentApp();

// What the document needs of a camera view: its camera values, which undo restores, and fitting
// the camera to the scene for the fixed-direction windows.
class CameraView {
 public:
  virtual ~CameraView() = default;
  virtual CameraFields& GetCameraFields() = 0;
  // Undo's way in: the view may repair values only a damaged record holds.
  virtual void RestoreCameraFields(const CameraFields& fields) { GetCameraFields() = fields; }
  // The view's identity handle, which names it in undo records.
  virtual Ptr<PtrMyself>& GetViewMyself() = 0;
  virtual void ShowEntireScene(BoundingBox box) = 0;
  // The view's caption, rebuilt from its window kind, number and zoom.
  virtual void UpdateTitle() = 0;
  // The view's own update (sender null, hint 0, no object) after a re-fit.
  virtual void OnUpdateAfterFit() = 0;
};

// What the document needs of a zoomable view for the zoom's undo records.
class ZoomableView {
 public:
  // Zoom components lie within 1..kMaxZoom.
  static constexpr LONG kMaxZoom = 65538;
  // A scroll ratio a window can take: each part, the scroll position over the total size, within
  // 0..1.
  static bool IsScrollRatio(const XDPoint& ratio) {
    return ratio.x >= 0 && ratio.x <= 1 && ratio.y >= 0 && ratio.y <= 1;
  }
  virtual ~ZoomableView() = default;
  virtual void GetZoomState(XSize& numerator, XSize& denominator, XDPoint& scrollRatio) const = 0;
  // Sets the zoom without a record of its own, then the scroll ratio.
  virtual void RestoreZoomState(const XSize& numerator, const XSize& denominator, const XDPoint& scrollRatio) = 0;
  virtual Ptr<PtrMyself>& GetZoomMyself() = 0;
  // The view as the object of a record.
  virtual CObject* GetZoomObject() = 0;
};
