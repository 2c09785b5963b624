// Undo data of a camera window's camera (kind 9) and of the scene's lights (kind 10).
#pragma once

#include "core/Color.h"
#include "document/UndoData.h"

// The camera values of a camera window, in the order of the window's own archive.
struct CameraFields {
  Transform transform;
  double focal = 0.0;   // metres
  double height = 0.0;  // orthographic view height, metres
  BOOL orthographic = FALSE;
  double front = 0.0;  // front clipping distance, metres
  COLORREF background = 0;
  BOOL autoFocusSelected = FALSE;
  BOOL autoAperture = FALSE;
  BOOL linearModel = FALSE;
  BYTE linearSensitivity = 0;
  double focus = 0.0;  // metres
  double fstop = 0.0;  // 0.0: everything sharp
  int windowKind = 0;  // 0 Camera, 1 Front, 2 Back, 3 Top, 4 Bottom, 5 Left, 6 Right
  BOOL backgroundImage = FALSE;
  CString backgroundImagePath;

  static constexpr int kLastWindowKind = 6;
};

// The camera values in their archive form, shared by a camera window's part of the scene file and
// the camera undo data: transform to background path, the window kind as a 32-bit value that the
// caller checks (`kind` receives it when loading).
void SerializeCameraFields(CArchive& ar, CameraFields& camera, DWORD& kind);

class EditCameraUndoData : public RefCount {
  DECLARE_SERIAL(EditCameraUndoData)
 public:
  EditCameraUndoData() = default;
  EditCameraUndoData(const CameraFields& camera, const Ptr<PtrMyself>& view) : camera(camera), viewMyself(view) {}
  // Reading fails for a window kind the program does not have.
  void Serialize(CArchive& ar) override;

  CameraFields camera;
  Ptr<PtrMyself> viewMyself;
};

class EditLightsUndoData : public RefCount {
  DECLARE_SERIAL(EditLightsUndoData)
 public:
  EditLightsUndoData() = default;
  EditLightsUndoData(const Color& ambient, const Color& sun, const Transform& sunTransform)
      : ambientColor(ambient), sunColor(sun), sunTransform(sunTransform) {}
  void Serialize(CArchive& ar) override;

  Color ambientColor;
  Color sunColor;
  Transform sunTransform;
};
