#include "scene/GroupSO.h"

void GroupSO::DrawCartoonLines(IUPtr<IDirect3DRMDevice> device, IUPtr<IDirect3DRMViewport> viewport,
                               const Transform& toWorld, const Transform& toLocal, double widthScale) {
  for (POSITION pos = visuals.GetHeadPosition(); pos;)
    visuals.GetNext(pos)->DrawCartoonLines(device, viewport, toWorld, toLocal, widthScale);
  for (POSITION pos = groups.GetHeadPosition(); pos;) {
    GroupSO* child = groups.GetNext(pos);
    // World to the parent's coordinates first, then into the child's; the child's way to the
    // world is its own transform, then the parent's.
    child->DrawCartoonLines(device, viewport, toWorld * child->transform, child->inverse * toLocal, widthScale);
  }
}
