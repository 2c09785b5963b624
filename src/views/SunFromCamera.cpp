#include "views/SunFromCamera.h"

#include "document/UndoKind.h"
#include "document/XDocument.h"
#include "views/DragGeometry.h"

namespace {

constexpr UINT kPointSunLightText = 376;

}  // namespace

bool LooksUpward(const Transform& camera) { return ViewDirection(camera).y > 0.0; }

bool PointSunLight(XDocument& doc, const Transform& camera) {
  if (LooksUpward(camera)) return false;
  const Ptr<GroupSO>& sun = doc.GetSunlight();
  XList<Ptr<GroupSO>> moved(10);
  moved.AddTail(sun);
  doc.RecordUndo(kUndoTransformGroups, &moved, kPointSunLightText);
  sun->SetTransform(camera);
  doc.UpdateAllViews(nullptr);
  return true;
}
