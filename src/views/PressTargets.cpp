#include "views/PressTargets.h"

#include "core/FatalReport.h"
#include "document/XDocument.h"
#include "platform/win/WindowMessages.h"
#include "views/InteractiveModes.h"

namespace {

Vector Centre(const BoundingBox& box) {
  return Vector((box.min.x + box.max.x) / 2, (box.min.y + box.max.y) / 2, (box.min.z + box.max.z) / 2);
}

bool IsPoint(const BoundingBox& box) {
  return box.min.x == box.max.x && box.min.y == box.max.y && box.min.z == box.max.z;
}

}  // namespace

bool ApplyClicks(XDocument& doc, UINT flags, int clicks, GroupSO* picked) {
  XASSERT(clicks > 0 && clicks < 3, "");
  if (flags & (MK_SHIFT | MK_CONTROL)) {
    if (picked) doc.ToggleSelect(Ptr<GroupSO>(picked), TRUE, 0);
    return false;
  }
  doc.SelectOnly(Ptr<GroupSO>(picked), TRUE, 0);
  return picked && clicks == 2;
}

Vector PressCenter(XDocument& doc, GroupSO* picked, int mode, const BoundingBox& sceneBox) {
  const int selected = doc.GetSelectedCount();
  if (picked && selected < 2 && mode != rotateObjectAboutMode) {
    const Transform world = picked->GetWorldTransform();
    return world.TransformPoint(Centre(picked->GetBox(nullptr)));
  }
  if (selected == 0) {
    // With nothing to centre on, the scene's centre keeps the camera drags finite.
    return Centre(sceneBox);
  }
  BoundingBox all;
  for (int i = selected - 1; i >= 0; --i) {
    const Ptr<GroupSO> group = doc.GetSelected(i);
    const Transform world = group->GetWorldTransform();
    const BoundingBox box = group->GetBox(&world);
    if (!IsPoint(box)) {
      all.Include(box.min);
      all.Include(box.max);
    }
  }
  // An axis the boxes never reached counts as 0.
  if (all.max.x < all.min.x) all.min.x = all.max.x = 0;
  if (all.max.y < all.min.y) all.min.y = all.max.y = 0;
  if (all.max.z < all.min.z) all.min.z = all.max.z = 0;
  return Centre(all);
}
