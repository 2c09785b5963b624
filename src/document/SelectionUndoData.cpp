#include "document/SelectionUndoData.h"

IMPLEMENT_SERIAL(ChangeSelectedUndoData, RefCount, VERSIONABLE_SCHEMA)
IMPLEMENT_SERIAL(TransformGroupsUndoData, RefCount, VERSIONABLE_SCHEMA)

void ChangeSelectedUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    WriteUndoSchema(ar, *this);
  else
    ReadUndoSchema(ar, *this);
  SerializeHandles(ar, selected);
}

void TransformGroupsUndoData::Serialize(CArchive& ar) {
  if (ar.IsStoring())
    WriteUndoSchema(ar, *this);
  else
    ReadUndoSchema(ar, *this);
  transforms.Serialize(ar);
  scales.Serialize(ar);
  SerializeHandles(ar, groups);
  if (ar.IsLoading() && (groups.IsEmpty() || transforms.GetCount() != groups.GetCount() ||
                         scales.GetCount() != groups.GetCount()))
    AfxThrowArchiveException(CArchiveException::generic, ar.m_strFileName);
}
