#include "TestVisual.h"

#include "shell/XApp.h"

IMPLEMENT_SERIAL(TestVisual, VisualSO, VERSIONABLE_SCHEMA | 0)

TestVisual::TestVisual() {
  XCHECK_D3DRM(XGetApp()->lpD3DRM->CreateMesh( &mesh ));
}

BOOL TestVisual::Intersect(const Vector&, const Vector&, double& distance, Vector& point, D3DRMPICKDESC& desc) {
  if (!hits) return 0;
  distance = hitDistance;
  point = hitPoint;
  desc.ulFaceIdx = face;
  desc.lGroupIdx = 0;
  return 1;
}
