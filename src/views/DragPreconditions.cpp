#include "views/DragPreconditions.h"

#include "core/FatalReport.h"
#include "core/Transform.h"

bool IsSightHorizontal(const Transform& camera) {
  return camera.TransformPoint(Vector(0, 0, 1)).y - camera.t[1] == 0.0;
}

bool DragModeAccepted(int mode, const DragConditions& c) {
  const bool target = c.picked || c.selectedCount > 0;
  const bool movableCamera = c.cameraKind || !c.trackSceneExtents;
  const bool perspective = !c.orthographic;
  switch (mode) {
    case 0: case 1: case 3: case 4: case 10: case 12:
      return target;
    case 2:
      return c.selectedCount == 1;
    case 5: case 7:
      return c.cameraKind;
    case 6:
      return c.cameraKind && target;
    case 8: case 14:
      return movableCamera;
    case 9: case 15:
      return perspective && movableCamera;
    case 11:
      return target && !c.sightHorizontal;
    case 13:
      return c.picked && c.selectedCount == 1 && !c.pickedIsSelected;
    case 16:
      return (c.picked || c.selectedCount == 1) && movableCamera;
    case 17:
      return perspective && !c.autoFocus && c.fStop != 0.0;
    case 18:
      return perspective;
    case 19:
      return perspective && !(c.autoFocus && c.autoAperture);
    default:
      XAssertFailed(__FILE__, __LINE__, __DATE__, __TIME__, "0", "");
  }
}
