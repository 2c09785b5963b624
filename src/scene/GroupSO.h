// A group: the unit of the scene that is added, deleted, selected, transformed and edited. It
// wraps one platform frame and holds, in order, its child groups, its visuals and its lights. Its
// local transform maps its own coordinates into its parent's; the inverse is kept beside it.
#pragma once

#include <cstddef>

#include "core/XList.h"
#include "scene/ChildBoxes.h"
#include "scene/LightSO.h"
#include "scene/VisualSO.h"

class GroupSO;
class MeshSO;
class SceneOwner;

// What a ray pick hit.
struct PickRecord {
  BOOL picked = 0;
  Vector point;              // in the coordinates of the group the pick was asked of
  GroupSO* group = nullptr;  // the innermost group whose visual was hit
  VisualSO* visual = nullptr;
  D3DRMPICKDESC desc{};      // its position is `point` in single precision
};

class GroupSO : public SceneObj {
  DECLARE_SERIAL(GroupSO)
 public:
  GroupSO();
  // A group must have left its parent before it goes.
  ~GroupSO() override;

  IDirect3DRMFrame* GetD3DRMFrame() const { return frame; }
  const XList<Ptr<GroupSO>>& GetGroups() const { return groups; }
  const XList<Ptr<VisualSO>>& GetVisuals() const { return visuals; }
  const XList<Ptr<LightSO>>& GetLights() const { return lights; }
  Ptr<GroupSO> GetParent() const { return parent; }
  Transform GetTransform() const { return transform; }
  Transform GetInverseTransform() const { return inverse; }

  void SetTransform(const Transform& t);
  // Takes the group from its old parent, if any (this one included: it moves to the end).
  void AddGroup(const Ptr<GroupSO>& group);
  void AddVisual(const Ptr<VisualSO>& visual);
  void AddVisual(const Ptr<MeshSO>& mesh);
  // The light lights the scene of `doc` from now on.
  void AddLight(const Ptr<LightSO>& light, SceneOwner* doc);
  void RemoveGroup(const Ptr<GroupSO>& group);
  void RemoveVisual(const Ptr<VisualSO>& visual);
  void RemoveVisual(const Ptr<MeshSO>& mesh);
  void RemoveLight(const Ptr<LightSO>& light);

  // Local to world: this group's transform first, the root's last.
  Transform GetWorldTransform() const;
  Transform GetWorldInverseTransform() const;

  // Ray pick in this group's coordinates: the nearest hit of the tree. At equal distances the
  // earlier candidate stays (own visuals before child groups, each list in order). A miss
  // returns 0 and leaves `result` alone.
  BOOL Intersect(const Vector& origin, const Vector& direction, PickRecord& result) const;

  // Depth-first walks: each visual in order, then each child group.
  void SetQualityAll(LONG quality);
  void ApplyQualityAll(BOOL firstInstanceOnly);
  void SetArtisticAll(LONG texturesOn, LONG style, LONG brushSize, LONG cartoon, const Color& silhouetteColor,
                      DWORD silhouetteWidth, const Color& surfaceColor, DWORD surfaceWidth);
  void ReloadTexturesAll(BOOL firstInstanceOnly);
  // Draws the cartoon lines of the tree; `toWorld` and `toLocal` are this group's.
  void DrawCartoonLines(IUPtr<IDirect3DRMDevice> device, IUPtr<IDirect3DRMViewport> viewport,
                        const Transform& toWorld, const Transform& toLocal, double widthScale);

  // Whether `group` is this group or one of its ancestors.
  bool IsSelfOrAncestor(const GroupSO* group) const;

  Ptr<VisualSO> GetFirstVisual() const;
  Ptr<VisualSO> FindVisual(IDirect3DRMVisual* visual) const;
  BOOL HasMesh() const;

  // The box of every mesh under the group, mapped by `t` (this group's own coordinates when
  // null). Nothing under the group gives (0,0,0)-(0,0,0). In the group's own coordinates the
  // boxes of the child groups are kept from earlier asks until something under them changes.
  BoundingBox GetBox(const Transform* t) const;

  // The name of the first visual when there is one, else the group's own.
  const CString& GetName() const override;

  // A detached deep copy of the subtree (the scale is not copied).
  Ptr<GroupSO> Copy(BOOL unshare) const;

  void Serialize(CArchive& ar) override;

  // Per-axis size factors of the object sheet; kept and archived, never given to the frame.
  Vector scale{1.0, 1.0, 1.0};

 private:
  friend class ChildBoxes;
  friend class VisualSO;

  void LoadChildren(CArchive& ar);
  // The box this group adds to its parent's box, in the parent's coordinates; false when it adds
  // nothing. Kept until the group's transform or anything under it changes.
  bool GetPlacedBox(BoundingBox& box) const;
  // The group's box in its parent's coordinates changed, and with it every ancestor's.
  void BoxChanged();

  IUPtr<IDirect3DRMFrame> frame;
  Transform transform;
  Transform inverse;
  GroupSO* parent = nullptr;
  XList<Ptr<GroupSO>> groups;
  XList<Ptr<VisualSO>> visuals;
  XList<Ptr<LightSO>> lights;
  POSITION placeInParent = nullptr;  // this group's node in its parent's list
  std::size_t boxSlot = 0;           // its place among its parent's child boxes
  mutable ChildBoxes childBoxes;
  mutable BoundingBox placedBox;
  mutable bool placedBoxKnown = false;
};
