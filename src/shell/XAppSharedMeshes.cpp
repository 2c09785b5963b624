// The rotate-about cylinder and the ground, one mesh each shared by every scene. They are made
// once and afterwards rebuilt in place, so scenes keep holding the same objects.
#include "core/PreferenceKeys.h"
#include "platform/framework/String.h"
#include "scene/MeshSO.h"
#include "shell/XApp.h"

namespace {

constexpr UINT kCylinderNameId = 271;
constexpr UINT kGroundNameId = 75;
constexpr int kCylinderSegments = 16;

// Opaque, or half transparent when the preference asks for it.
D3DCOLOR MeshColor(COLORREF color, bool halfTransparent) {
  const DWORD alpha = halfTransparent ? 0x7F : 0xFF;
  return (alpha << 24) | (static_cast<DWORD>(GetRValue(color)) << 16) |
         (static_cast<DWORD>(GetGValue(color)) << 8) | GetBValue(color);
}

CString LoadedString(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

void XApp::LoadAboutCylinderPrefs() {
  // The first run's Preferences sheet comes before the 3D layer exists: start-up makes the mesh
  // from the stored preferences afterwards.
  if (!lpD3DRM) return;
  double radius = 0;
  XGetPrefInRange(XPref::ABOUT_CYL_RADIUS, &radius, "radius >= 0.1 && radius <= 10.0");
  const D3DCOLOR color =
      MeshColor(XGetPrefColor(XPref::ABOUT_CYL_COLOR), XGetPrefBool(XPref::ABOUT_CYL_TRANSPARENT));
  const double length = 100.0 / radius;
  if (!cylinderMesh) {
    cylinderMesh = new MeshSO(kCylinderSegments, 1.0, length, color);
    cylinderMesh->SetName(LoadedString(kCylinderNameId));
  } else if (interactiveMode == rotateObjectAbout) {
    // Every scene drops the old cylinder and shows the new one.
    SetInteractiveMode(1);
    cylinderMesh->BuildCylinder(kCylinderSegments, 1.0, length, color);
    SetInteractiveMode(rotateObjectAbout);
  } else {
    cylinderMesh->BuildCylinder(kCylinderSegments, 1.0, length, color);
  }
}

void XApp::LoadGroundPrefs() {
  if (!lpD3DRM) return;  // as for the cylinder
  UINT grids = 0;
  XGetPrefInRange(XPref::GROUND_NUM_GRID_LINES, &grids, "grids <= 1000");
  const D3DCOLOR color = MeshColor(XGetPrefColor(XPref::GROUND_COLOR), XGetPrefBool(XPref::GROUND_TRANSPARENT));
  if (!groundMesh) {
    groundMesh = new MeshSO(static_cast<int>(grids), color);
    groundMesh->SetName(LoadedString(kGroundNameId));
  } else if (!showGround) {
    groundMesh->BuildGround(static_cast<int>(grids), color);
  } else {
    SetShowGround(FALSE);
    groundMesh->BuildGround(static_cast<int>(grids), color);
    SetShowGround(TRUE);
  }
}
