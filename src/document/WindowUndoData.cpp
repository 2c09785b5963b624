#include "document/WindowUndoData.h"

#include "document/DocumentServices.h"

IMPLEMENT_SERIAL(CloseWindowUndoData, RefCount, VERSIONABLE_SCHEMA)
IMPLEMENT_SERIAL(OpenWindowUndoData, RefCount, VERSIONABLE_SCHEMA)
IMPLEMENT_SERIAL(ZoomWindowUndoData, RefCount, VERSIONABLE_SCHEMA)

void CloseWindowUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    WriteUndoSchema(ar, *this);
    image.Serialize(ar);
    ar << docTemplateIndex;
    return;
  }
  ReadUndoSchema(ar, *this);
  image.Serialize(ar);
  ar >> docTemplateIndex;
  // Scenes only ever close camera windows; another template would make a window of another kind.
  if (docTemplateIndex != kCameraWindowTemplate) AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
}

void OpenWindowUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    WriteUndoSchema(ar, *this);
  else
    ReadUndoSchema(ar, *this);
  SerializeHandle(ar, frameMyself);
}

void ZoomWindowUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    WriteUndoSchema(ar, *this);
    SerializeHandle(ar, viewMyself);
    ar << static_cast<LONG>(numerator.cx) << static_cast<LONG>(numerator.cy) << static_cast<LONG>(denominator.cx)
       << static_cast<LONG>(denominator.cy) << scrollRatio.x << scrollRatio.y;
    return;
  }
  ReadUndoSchema(ar, *this);
  SerializeHandle(ar, viewMyself);
  LONG zoom[4];
  ar >> zoom[0] >> zoom[1] >> zoom[2] >> zoom[3] >> scrollRatio.x >> scrollRatio.y;
  for (LONG z : zoom)
    if (z < 1 || z > ZoomableView::kMaxZoom) AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  // Camera windows, the only ones a scene records, zoom evenly and never below 100%; the scroll
  // ratio is one that undoing puts back into a window.
  if (zoom[0] != zoom[1] || zoom[2] != zoom[3] || zoom[0] < zoom[2] || !ZoomableView::IsScrollRatio(scrollRatio))
    AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
  numerator = XSize(zoom[0], zoom[1]);
  denominator = XSize(zoom[2], zoom[3]);
}
