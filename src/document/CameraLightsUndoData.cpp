#include "document/CameraLightsUndoData.h"

IMPLEMENT_SERIAL(EditCameraUndoData, RefCount, VERSIONABLE_SCHEMA)
IMPLEMENT_SERIAL(EditLightsUndoData, RefCount, VERSIONABLE_SCHEMA)

namespace {

// A BOOL is archived as its low byte and read back zero-extended.
void SerializeFlag(CArchive& ar, BOOL& flag) {
  if (ar.IsStoring()) {
    ar << static_cast<BYTE>(flag);
    return;
  }
  BYTE stored;
  ar >> stored;
  flag = stored;
}

}  // namespace

void EditCameraUndoData::Serialize(CArchive& ar) {
  CameraFields& c = camera;
  if (ar.IsStoring()) {
    WriteUndoSchema(ar, *this);
    ar << c.transform << c.focal << c.height;
  } else {
    ReadUndoSchema(ar, *this);
    ar >> c.transform >> c.focal >> c.height;
  }
  SerializeFlag(ar, c.orthographic);
  if (ar.IsStoring())
    ar << c.front << static_cast<DWORD>(c.background);
  else
    ar >> c.front >> c.background;
  SerializeFlag(ar, c.autoFocusSelected);
  SerializeFlag(ar, c.autoAperture);
  SerializeFlag(ar, c.linearModel);
  if (ar.IsStoring()) {
    ar << c.linearSensitivity << c.focus << c.fstop << static_cast<LONG>(c.windowKind);
  } else {
    LONG kind;
    ar >> c.linearSensitivity >> c.focus >> c.fstop >> kind;
    if (kind < 0 || kind > CameraFields::kLastWindowKind)
      AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
    c.windowKind = kind;
  }
  SerializeFlag(ar, c.backgroundImage);
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
