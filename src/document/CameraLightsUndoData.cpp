#include "document/CameraLightsUndoData.h"

IMPLEMENT_SERIAL(EditCameraUndoData, RefCount, VERSIONABLE_SCHEMA)
IMPLEMENT_SERIAL(EditLightsUndoData, RefCount, VERSIONABLE_SCHEMA)

void EditCameraUndoData::Serialize(CArchive& ar) {
  CameraFields& c = camera;
  if (ar.IsStoring()) {
    WriteUndoSchema(ar, *this);
    ar << c.transform << c.focal << c.height;
  } else {
    ReadUndoSchema(ar, *this);
    ar >> c.transform >> c.focal >> c.height;
  }
  SerializeByteFlag(ar, c.orthographic);
  if (ar.IsStoring())
    ar << c.front << static_cast<DWORD>(c.background);
  else
    ar >> c.front >> c.background;
  SerializeByteFlag(ar, c.autoFocusSelected);
  SerializeByteFlag(ar, c.autoAperture);
  SerializeByteFlag(ar, c.linearModel);
  if (ar.IsStoring()) {
    ar << c.linearSensitivity << c.focus << c.fstop << static_cast<LONG>(c.windowKind);
  } else {
    LONG kind;
    ar >> c.linearSensitivity >> c.focus >> c.fstop >> kind;
    if (kind < 0 || kind > CameraFields::kLastWindowKind)
      AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    c.windowKind = kind;
  }
  SerializeByteFlag(ar, c.backgroundImage);
  if (ar.IsStoring())
    ar << c.backgroundImagePath;
  else
    ar >> c.backgroundImagePath;
  SerializeHandle(ar, viewMyself);
}

void EditLightsUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    WriteUndoSchema(ar, *this);
  else
    ReadUndoSchema(ar, *this);
  ambientColor.Serialize(ar);
  sunColor.Serialize(ar);
  if (ar.IsStoring())
    ar << sunTransform;
  else
    ar >> sunTransform;
}
