// The document of one scene: the scene graph (a root group holding every object group, the
// ambient light and the sunlight group), the selected groups, the two auxiliary groups (the
// rotate-about cylinder and the ground, shown only by their rules), and through XUndoDoc the
// edit history. Every undoable edit of the scene goes through it.
#pragma once

#include <vector>

#include "core/XPtSzRect.h"
#include "document/DocumentServices.h"
#include "document/UndoKind.h"
#include "document/XUndoDoc.h"
#include "scene/SceneOwner.h"
#include "scene/GroupSO.h"
#include "scene/LightSO.h"

class CFrameWnd;
class CView;

class XDocument : public XUndoDoc, public SceneOwner {
  DECLARE_SERIAL(XDocument)
 public:
  // View-update hints the document sends.
  enum Hint : LPARAM { kHintRegenerate = 0, kHintGroupsAdded = 4, kHintGroupsRemoved = 5, kHintSelection = 6 };

  XDocument();
  ~XDocument() override;

  // Contents and lifecycle.
  void DeleteContents() override;
  BOOL OnNewDocument() override;
  void SetTitle(const char* title) override;
  // The scene file.
  void Serialize(CArchive& ar) override;
  // The framework's save, which asks for a name when there is none; the dialog never starts in
  // the program's own folder (the tutorials and objects lie there): the user's home folder
  // becomes the current one instead.
  BOOL DoSave(const char* pathName, BOOL replace = TRUE) override;
  // The root group; lights restrict themselves to it.
  GroupSO* GetScene() const override { return scene; }
  const Ptr<GroupSO>& GetSunlight() const { return sunlight; }
  const Ptr<LightSO>& GetAmbient() const { return ambient; }
  Ptr<GroupSO>& GetRotObjAboutCylPtr() { return rotObjAboutCyl; }
  Ptr<GroupSO>& GetGroundPtr() { return ground; }

  // Selection.
  int GetSelectedCount() const { return selection.GetCount(); }
  Ptr<GroupSO> GetSelected(int index) const;
  BOOL IsSelected(const Ptr<GroupSO>& group) const { return selection.Find(group) != nullptr; }
  const XList<Ptr<GroupSO>>& GetSelection() const { return selection; }
  void ToggleSelect(const Ptr<GroupSO>& group, BOOL record, UINT descId);
  void SelectOnly(const Ptr<GroupSO>& group, BOOL record, UINT descId);
  void DeselectDescendants(const Ptr<GroupSO>& group);

  // Group edits.
  void AddGroup(const Ptr<GroupSO>& group, BOOL select, BOOL record, UINT descId);
  void AddGroups(const XList<Ptr<GroupSO>>& list, BOOL select, BOOL record, UINT descId);
  void RemoveGroups(const XList<Ptr<GroupSO>>& list, BOOL record, UINT descId);
  void RemoveGroup(const Ptr<GroupSO>& group, BOOL record, UINT descId);

  // Edit commands.
  void OnEditSelectNone();
  void OnEditSelectAll();
  void OnEditDelete();
  void OnEditCopy();
  void OnEditCut();
  void OnEditPaste();
  void OnFileImport();
  void OnUpdateEditDelete(CCmdUI* cmdUI);
  void OnUpdateEditPaste(CCmdUI* cmdUI);
  // File/Close, after which the remaining scenes' captions are renumbered.
  void OnFileClose();

  // Scene extents and the auxiliary groups.
  BoundingBox GetSceneBox();
  BOOL IsRotObjAboutCylShown() const;
  BOOL HasGround() const;
  void AddRotObjAboutCyl(BOOL update);
  void RemoveRotObjAboutCyl(BOOL update);
  void AddGround(BOOL update);
  void RemoveGround(BOOL update);
  void OnInteractiveModeChanged();
  void OnShowGroundChanged();
  void OnSceneExtentChanged(BOOL update);

  // Camera windows: the document's views, the frames that hold them and how a frame closes.
  // Each frame holding a view of the document once, in the order of the first view it holds.
  std::vector<CFrameWnd*> GetFrames() const;
  int GetVisibleFrameCount() const;
  int GetIconicFrameCount() const;
  int CountViewsInFrame(CView* view) const;
  // The index-th view whose parent frame is (GetView) or is not (GetOtherView) `frame`; null
  // when there are not that many.
  CView* GetView(CFrameWnd* frame, int index) const;
  CView* GetOtherView(CFrameWnd* frame, int index) const;
  // The number of views before `view` of its class in frames of its frame's class.
  int GetViewIndex(CView* view) const;
  // Closing one of several windows is an undoable step; closing the last free camera window
  // closes the scene. The framework's own close never runs.
  BOOL CanCloseFrame(CFrameWnd* frame) override;

  // Undo records. The object names what the kind captures: a list of groups (kinds 4, 5, 7), a
  // group or null (6), a group (8), a camera view (9), null (10), a frame (1, 2), a view (3).
  void RecordUndo(int kind, CObject* object, UINT descId);
  Ptr<ModRec> CreateUndoData(int kind, CObject* object, UINT descId);
  Ptr<UndoDataHolder> ApplyUndoData(const Ptr<ModRec>& record) override;
  // A group of the scene that the user can select, delete or edit: below the root, not auxiliary.
  bool IsObjectGroup(GroupSO* group) const {
    return group && group != scene && group != rotObjAboutCyl && group != ground && group != sunlight &&
           group->IsSelfOrAncestor(scene);
  }

 protected:
  EditHistory::DataFits GetUndoDataCheck() const override;

 private:
  bool IsAuxiliary(const Ptr<GroupSO>& group) const {
    return group == rotObjAboutCyl || group == ground || group == sunlight;
  }
  // What a record may name by a group's handle: an object group; the parent of a deleted one
  // (also the root); a moved one (any live group but the root, as the sunlight and the cylinder).
  enum class RecordedRole { object, parent, moved };
  // The group `handle` names, when it may play `role`; otherwise the step is refused.
  GroupSO& RecordedGroup(const Ptr<PtrMyself>& handle, RecordedRole role) const;
  // The cylinder is shown exactly while one group is selected in the rotate-about mode.
  bool WantsRotObjAboutCyl() const;
  // Before groups enter an empty-looking scene, the views rebuild their content.
  void PrepareForAddedGroups();
  void RestoreSelection(const HandleList& handles);
  void UpdateViews(LPARAM hint, CObject* object);

  // Capture and apply of each kind, in the family files.
  Ptr<RefCount> CaptureAddGroups(const XList<Ptr<GroupSO>>& groups);
  Ptr<RefCount> CaptureDeleteGroups(const XList<Ptr<GroupSO>>& groups);
  Ptr<RefCount> CaptureChangeSelected();
  Ptr<RefCount> CaptureTransformGroups(const XList<Ptr<GroupSO>>& groups);
  Ptr<RefCount> CaptureEditGroup(GroupSO& group);
  Ptr<RefCount> CaptureEditCamera(CameraView& view);
  Ptr<RefCount> CaptureEditLights();
  Ptr<RefCount> CaptureZoomWindow(ZoomableView& view);
  Ptr<RefCount> CaptureCloseWindow(CFrameWnd& frame);
  Ptr<RefCount> CaptureOpenWindow(CFrameWnd& frame);
  Ptr<UndoDataHolder> ApplyCloseWindow(RefCount* data);
  Ptr<UndoDataHolder> ApplyOpenWindow(RefCount* data);
  Ptr<UndoDataHolder> ApplyAddGroups(RefCount* data);
  Ptr<UndoDataHolder> ApplyDeleteGroups(RefCount* data);
  Ptr<UndoDataHolder> ApplyChangeSelected(RefCount* data);
  Ptr<UndoDataHolder> ApplyTransformGroups(RefCount* data);
  Ptr<UndoDataHolder> ApplyEditGroup(RefCount* data);
  Ptr<UndoDataHolder> ApplyEditCamera(RefCount* data);
  Ptr<UndoDataHolder> ApplyEditLights(RefCount* data);
  Ptr<UndoDataHolder> ApplyZoomWindow(RefCount* data);
  // The inverse of an applied record: a new record's kind and data.
  Ptr<UndoDataHolder> Inverse(int kind, CObject* object);

 protected:
  // The contents, which the scene file's reader also fills.
  BOOL groupsAdded = FALSE;
  BoundingBox cachedSceneBox;
  BOOL cachedTrackSceneExtents = FALSE;
  BOOL cachedGroundTrackSceneExtents = FALSE;
  Ptr<GroupSO> scene;
  XList<Ptr<GroupSO>> selection;
  Ptr<LightSO> ambient;
  Ptr<GroupSO> sunlight;
  Ptr<GroupSO> rotObjAboutCyl;
  Ptr<GroupSO> ground;

  DECLARE_MESSAGE_MAP()
};

// The group a handle reaches, or null when its object is gone or is not a group.
GroupSO* GroupOf(const Ptr<PtrMyself>& handle);
