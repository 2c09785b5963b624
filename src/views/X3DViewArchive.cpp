// The camera window's part of a scene file, of a window clone and of window undo images: the
// scroll view's part, then the camera.
#include <cmath>

#include "views/X3DView.h"

namespace {

void SerializeFlag(CArchive& ar, BOOL& flag) {
  if (ar.IsStoring()) {
    ar << static_cast<BYTE>(flag);
  } else {
    BYTE byte;
    ar >> byte;
    flag = byte;
  }
}

bool PositiveLength(double value) { return std::isfinite(value) && value > 0.0; }

bool FiniteTransform(const Transform& t) {
  for (int i = 0; i < 3; ++i) {
    if (!std::isfinite(t.t[i])) return false;
    for (int j = 0; j < 3; ++j)
      if (!std::isfinite(t.m[i][j])) return false;
  }
  return true;
}

}  // namespace

void X3DView::Serialize(CArchive& ar) {
  XScrollView::Serialize(ar);
  CameraFields& s = settings;
  DWORD schema = 0;
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(GetRuntimeClass()->m_wSchema) << s.transform << s.focal << s.height;
  } else {
    schema = ReadSchema(ar, GetRuntimeClass()) & ~VERSIONABLE_SCHEMA;
    ar >> s.transform >> s.focal >> s.height;
  }
  SerializeFlag(ar, s.orthographic);
  if (ar.IsStoring())
    ar << s.front << static_cast<DWORD>(s.background);
  else
    ar >> s.front >> s.background;
  SerializeFlag(ar, s.autoFocusSelected);
  SerializeFlag(ar, s.autoAperture);
  SerializeFlag(ar, s.linearModel);
  if (ar.IsStoring()) {
    ar << s.linearSensitivity << s.focus << s.fstop << static_cast<DWORD>(s.windowKind);
  } else {
    DWORD kind;
    ar >> s.linearSensitivity >> s.focus >> s.fstop >> kind;
    s.windowKind = kind <= static_cast<DWORD>(CameraFields::kLastWindowKind) ? static_cast<int>(kind) : 0;
  }
  SerializeFlag(ar, s.backgroundImage);
  if (ar.IsStoring()) {
    ar << s.backgroundImagePath << static_cast<DWORD>(improved);
    return;
  }
  ar >> s.backgroundImagePath;
  DWORD improvedField = 0;
  if (schema >= 1) ar >> improvedField;
  improved = improvedField != 0;

  // Values only a damaged file holds would divide by zero or reach fatal checks in the render:
  // they take the settings of a new window instead.
  const CameraFields fresh = NewWindowSettings();
  if (!FiniteTransform(s.transform)) s.transform = fresh.transform;
  if (!PositiveLength(s.focal)) s.focal = fresh.focal;
  if (!PositiveLength(s.height)) s.height = fresh.height;
  if (!PositiveLength(s.front)) s.front = fresh.front;
  if (!PositiveLength(s.focus)) s.focus = fresh.focus;
  if (!std::isfinite(s.fstop) || s.fstop < 0.0) s.fstop = fresh.fstop;
  if (s.linearSensitivity == 0) s.linearSensitivity = fresh.linearSensitivity;
  // A camera window never zooms below 100% nor unevenly.
  if (_numerator.cx != _numerator.cy || _denominator.cx != _denominator.cy || _numerator.cy < _denominator.cy) {
    _numerator = XSize(1, 1);
    _denominator = XSize(1, 1);
  }
  needsRender = TRUE;
}
