#include "document/CameraLightsUndoData.h"

IMPLEMENT_SERIAL(EditCameraUndoData, RefCount, VERSIONABLE_SCHEMA)
IMPLEMENT_SERIAL(EditLightsUndoData, RefCount, VERSIONABLE_SCHEMA)

void SerializeCameraFields(CArchive& ar, CameraFields& c, DWORD& kind) {
  if (ar.IsStoring())
    ar << c.transform << c.focal << c.height;
  else
    ar >> c.transform >> c.focal >> c.height;
  SerializeByteFlag(ar, c.orthographic);
  if (ar.IsStoring())
    ar << c.front << static_cast<DWORD>(c.background);
  else
    ar >> c.front >> c.background;
  SerializeByteFlag(ar, c.autoFocusSelected);
  SerializeByteFlag(ar, c.autoAperture);
  SerializeByteFlag(ar, c.linearModel);
  if (ar.IsStoring())
    ar << c.linearSensitivity << c.focus << c.fstop << static_cast<DWORD>(c.windowKind);
  else
    ar >> c.linearSensitivity >> c.focus >> c.fstop >> kind;
  SerializeByteFlag(ar, c.backgroundImage);
  if (ar.IsStoring())
    ar << c.backgroundImagePath;
  else
    ar >> c.backgroundImagePath;
}

void EditCameraUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    WriteUndoSchema(ar, *this);
  else
    ReadUndoSchema(ar, *this);
  DWORD kind = 0;
  SerializeCameraFields(ar, camera, kind);
  if (ar.IsLoading()) {
    if (kind > static_cast<DWORD>(CameraFields::kLastWindowKind))
      AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    camera.windowKind = static_cast<int>(kind);
  }
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
