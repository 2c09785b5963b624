// Something a group shows. Its one concrete kind is the mesh object; reaching one of the base
// operations below (other than the name accessors and Intersect) is a program error.
#pragma once

#include <vector>

#include "core/Color.h"
#include "core/Transform.h"
#include "platform/d3drm/D3DRM.h"
#include "scene/SceneObj.h"

class GroupSO;

class VisualSO : public SceneObj {
  DECLARE_SERIAL(VisualSO)
 public:
  void Serialize(CArchive& ar) override;

  // The platform visual a frame shows, with a reference taken for the holder.
  virtual IUPtr<IDirect3DRMVisual> GetD3DRMVisual();
  // Ray pick in the coordinates of the group that holds the visual; `direction` has length 1 and
  // `distance` is measured along it. The outputs are written on a hit only.
  virtual BOOL Intersect(const Vector& origin, const Vector& direction, double& distance, Vector& point,
                         D3DRMPICKDESC& desc);
  virtual LONG GetQuality();
  virtual void SetQuality(LONG quality);
  virtual void ApplyQuality(BOOL firstInstanceOnly);
  // The eight artistic values, in this order.
  virtual void SetArtistic(LONG texturesOn, LONG style, LONG brushSize, LONG cartoon, const Color& silhouetteColor,
                           DWORD silhouetteWidth, const Color& surfaceColor, DWORD surfaceWidth);
  virtual void ReloadTextures(BOOL firstInstanceOnly);
  // Copies this visual into `target`, or into a new object when `target` is null; no group holds
  // the result yet.
  virtual Ptr<VisualSO> Copy(Ptr<VisualSO> target, BOOL unshare);
  // Draws the visual's cartoon lines for one frame.
  virtual void DrawCartoonLines(IUPtr<IDirect3DRMDevice> device, IUPtr<IDirect3DRMViewport> viewport,
                                const Transform& toWorld, const Transform& toLocal, double widthScale);

 protected:
  // The visual's extent changed: the groups that show it take their boxes again.
  void ExtentChanged();

 private:
  friend class GroupSO;
  std::vector<GroupSO*> holders;  // the groups showing this visual, kept by them
};
