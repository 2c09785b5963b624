// The camera window's part of a scene file, of a window clone and of window undo images: the
// scroll view's part, then the camera.
#include "views/CameraLengths.h"
#include "views/X3DView.h"

namespace {

bool PositiveLength(double value, double largest = kLargestCameraLength) {
  return value >= kShortestCameraLength && value <= largest;
}

// Values no window, page or drag writes would divide by zero or reach fatal checks in the
// render: only a damaged file or record holds them, and they take the settings of a new window.
// Whatever the program writes comes back as it was, however far the scene reaches.
void RepairCameraFields(CameraFields& s) {
  const CameraFields fresh = X3DView::NewWindowSettings();
  if (!s.transform.InvertibleInSinglePrecision()) s.transform = fresh.transform;
  if (!PositiveLength(s.focal)) s.focal = fresh.focal;
  if (!PositiveLength(s.height, kLargestCameraHeight)) s.height = fresh.height;
  if (!PositiveLength(s.front)) s.front = fresh.front;
  if (!(s.focus >= 0.0 && s.focus <= kLargestFocusDistance)) s.focus = fresh.focus;
  if (!(s.fstop >= 0.0 && s.fstop <= kLargestCameraLength)) s.fstop = fresh.fstop;
  if (s.linearSensitivity == 0) s.linearSensitivity = fresh.linearSensitivity;
}

}  // namespace

void X3DView::Serialize(CArchive& ar) {
  XScrollView::Serialize(ar);
  CameraFields& s = settings;
  DWORD schema = 0;
  if (ar.IsStoring())
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema);
  else
    schema = ReadSchema(ar, GetRuntimeClass()) & ~VERSIONABLE_SCHEMA;
  DWORD kind = 0;
  SerializeCameraFields(ar, s, kind);
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(improved);
    return;
  }
  s.windowKind = kind <= static_cast<DWORD>(CameraFields::kLastWindowKind) ? static_cast<int>(kind) : 0;
  DWORD improvedField = 0;
  if (schema >= 1) ar >> improvedField;
  improved = improvedField != 0;

  RepairCameraFields(s);
  // A camera window never zooms below 100% nor unevenly.
  if (_numerator.cx != _numerator.cy || _denominator.cx != _denominator.cy || _numerator.cy < _denominator.cy) {
    _numerator = XSize(1, 1);
    _denominator = XSize(1, 1);
  }
  needsRender = TRUE;
}

void X3DView::RestoreCameraFields(const CameraFields& fields) {
  settings = fields;
  RepairCameraFields(settings);
}
