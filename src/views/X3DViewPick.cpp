// What lies under a point of a camera window: the ray through the point and the nearest group it
// meets, the ground excepted.
#include "core/FatalError.h"
#include "document/XDocument.h"
#include "views/CountedClientDC.h"
#include "views/DragGeometry.h"
#include "views/X3DView.h"

PickRecord X3DView::Pick(const XDPoint& point) {
  // The viewport must exist and show the current camera.
  RenderImage(nullptr, FALSE, nullptr, nullptr);
  PickRecord record;
  record.point = Vector(DBL_MAX, DBL_MAX, DBL_MAX);
  // A window without an area has no viewport and nothing under its points, nor has a camera the
  // 3D layer cannot see through.
  if (!viewport || !D3DRMViewportSeesThrough(viewport)) return record;
  const Transform& camera = settings.transform;
  DragRay ray;
  if (!settings.orthographic) {
    ray = PerspectiveRay(camera, viewport, point.x, point.y);
  } else {
    // The camera position on the screen, moved under the point at the same depth.
    D3DVECTOR position{static_cast<float>(camera.t[0]), static_cast<float>(camera.t[1]),
                       static_cast<float>(camera.t[2])};
    D3DRMVECTOR4D screenDir{};
    XCHECK_D3DRM_TEXT(viewport->Transform(&screenDir, &position), "viewport->Transform( &screenDir, &_lookDir )");
    screenDir.x = static_cast<float>(point.x);
    screenDir.y = static_cast<float>(point.y);
    D3DVECTOR _lookDir{};
    XCHECK_D3DRM(viewport->InverseTransform( &_lookDir, &screenDir ));
    ray = {Vector(_lookDir.x, _lookDir.y, _lookDir.z), ViewDirection(camera)};
  }
  XDocument* doc = GetDocument();
  doc->GetScene()->Intersect(ray.origin, ray.direction, record);
  if (record.picked && record.group == static_cast<GroupSO*>(doc->GetGroundPtr())) record.picked = 0;
  return record;
}

DragRay X3DView::WindowRay(POINT point) const {
  const Transform& camera = settings.transform;
  if (settings.orthographic) {
    CRect client;
    GetClientRect(&client);
    return OrthographicRay(camera, settings.height, _numerator.cy, _denominator.cy, client.Width(), client.Height(),
                           point.x, point.y);
  }
  XDPoint logical(point.x, point.y);
  mouseDownDC->DPtoLP(logical);
  return PerspectiveRay(camera, viewport, logical.x, logical.y);
}
